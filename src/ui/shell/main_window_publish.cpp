// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "P&ublish..." command.
#include "ui/shell/main_form.h"

#include "platform/qt_icon_store.h"
#include "ui/help_window.h"
#include "ui/wizards/export_wizard.h"

#include <QDir>

namespace quillary {

void TMainForm::PublishBtnClick()
{
    TreeNode* node = SelectedNode();
    if (!node)
        return; // nothing to publish until a node is selected
    // The data file and the clipboard file are named relative to the working directory.
    const QString workingDirectory = QDir::currentPath();
    {
        TExportWizard wizard([this](int kind) { return m_services.Icons().Icon(kind); }, this);
        connect(&wizard, &TWizardForm::HelpRequested, this, [this](int context) { Help().ShowTopic(context); });
        wizard.SetParent(*node);
        wizard.exec();
    }
    QDir::setCurrent(workingDirectory);
}

} // namespace quillary
