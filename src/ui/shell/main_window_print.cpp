// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "&Print..." and "P&rinter Setup..." commands.
#include "ui/shell/main_form.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/tree_node.h"
#include "ui/reports/report_form.h"
#include "ui/reports/report_preview.h"

namespace quillary {

namespace {

// The address an envelope goes to for the print subject, and the name above it.
void ChooseAddress(const TKPXObject* subject, TMainForm::PrintChoice& choice)
{
    if (const auto* party = dynamic_cast<const TPartyObject*>(subject)) {
        choice.address = party->PrimaryChild(TPartyObject::SlotAddress);
        // A person goes by the composed name, an organization by its title.
        choice.name = party->GetKind() == KindPerson ? party->GetTarget() : party->GetTitle();
    } else if (subject && subject->GetKind() == KindAddress) {
        choice.address = subject;
        choice.name = subject->GetTitle();
    }
}

} // namespace

TMainForm::PrintChoice TMainForm::PrintSubject() const
{
    PrintChoice choice;
    choice.node = SelectedNode();
    if (!choice.node)
        choice.node = &m_tree->Root();
    const QList<TKPXObject*> entries = m_activePane == Pane::Folders ? QList<TKPXObject*>() : SelectedItems();
    ChooseAddress(entries.isEmpty() ? choice.node->Data() : entries.first(), choice);
    return choice;
}

void TMainForm::PrintBtnClick()
{
    if (!m_reportForm)
        m_reportForm = new TReportForm(this);
    const PrintChoice choice = PrintSubject();
    m_reportForm->Open(*m_tree, *choice.node, choice.address, choice.name);
}

void TMainForm::PrinterSetupItemClick()
{
    ShowPrinterSetup(this);
}

} // namespace quillary
