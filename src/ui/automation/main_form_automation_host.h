// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "automation/automation_host.h"

namespace quillary {

class TMainForm;

// The main window's selection, find box and the clipboard, as automation cursors see them.
class MainFormAutomationHost final : public AutomationHost
{
public:
    explicit MainFormAutomationHost(TMainForm& form) : m_form(form) {}

    ActivePane GetActivePane() const override;
    TreeNode* SelectedNode() const override;
    std::vector<TKPXObject*> SelectedRows() const override;
    bool FindTitle(std::string_view title) override;
    void SetClipboardText(const std::string& text) override;

private:
    TMainForm& m_form;
};

} // namespace quillary
