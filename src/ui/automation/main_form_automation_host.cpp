// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/automation/main_form_automation_host.h"

#include "ui/shell/main_form.h"
#include "ui/text_codec.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quillary {

ActivePane MainFormAutomationHost::GetActivePane() const
{
    return m_form.ActivePaneName() == QLatin1String("Folders") ? ActivePane::Folders : ActivePane::MainItems;
}

TreeNode* MainFormAutomationHost::SelectedNode() const
{
    return m_form.SelectedNode();
}

std::vector<TKPXObject*> MainFormAutomationHost::SelectedRows() const
{
    const QList<TKPXObject*> items = m_form.SelectedItems();
    return {items.begin(), items.end()};
}

bool MainFormAutomationHost::FindTitle(std::string_view title)
{
    return m_form.Locate(FromField(std::string(title)));
}

void MainFormAutomationHost::SetClipboardText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(FromField(text));
}

} // namespace quillary
