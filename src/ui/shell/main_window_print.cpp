// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "&Print..." and "P&rinter Setup..." commands.
#include "ui/shell/main_form.h"

#include "model/item_tree.h"
#include "model/tree_node.h"
#include "reports/report_sources.h"
#include "ui/reports/report_form.h"
#include "ui/reports/report_preview.h"

namespace quillary {

TMainForm::PrintChoice TMainForm::PrintSubject() const
{
    PrintChoice choice;
    choice.node = SelectedNode();
    if (!choice.node)
        return choice;
    const QList<TKPXObject*> entries = m_activePane == Pane::Folders ? QList<TKPXObject*>() : SelectedItems();
    const DeliverySource delivery = DeliverySourceOf(entries.isEmpty() ? *choice.node->Data() : *entries.first());
    choice.address = delivery.address;
    choice.name = delivery.name;
    return choice;
}

void TMainForm::PrintBtnClick()
{
    // With no node selected there is nothing to print from; the list is empty then too.
    const PrintChoice choice = PrintSubject();
    if (!choice.node)
        return;
    if (!m_reportForm)
        m_reportForm = new TReportForm(this);
    m_reportForm->Open(Tree(), *choice.node, choice.address, choice.name);
}

void TMainForm::PrinterSetupItemClick()
{
    ShowPrinterSetup(this);
}

} // namespace quillary
