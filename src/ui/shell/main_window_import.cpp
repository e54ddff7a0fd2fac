// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "&Import...": the Import Wizard on the selected node.
#include "ui/shell/main_form.h"

#include "model/item_tree.h"
#include "platform/qt_icon_store.h"
#include "shell/tree_commands.h"
#include "ui/help_window.h"
#include "ui/questions.h"
#include "ui/wizards/import_wizard.h"

#include <QDir>

#include <optional>

namespace quillary {

void TMainForm::ImportBtnClick()
{
    TreeNode& destination = HolderNode();
    const QString directory = QDir::currentPath();
    std::optional<ImportOutcome> outcome;
    {
        TImportWizard wizard([this](int kind) { return m_services.Icons().Icon(kind); }, this);
        wizard.SetParent(destination);
        connect(&wizard, &TWizardForm::HelpRequested, this, [this](int context) { Help().ShowTopic(context); });
        wizard.exec();
        outcome = wizard.Outcome();
    }
    QDir::setCurrent(directory);
    // An import leaves the tree sorted itself (RunImport); without one the tree is re-sorted here.
    if (!outcome)
        SortEveryNode(Tree());
    RefreshFolderTitles();
    FoldersChange(SelectedNode());
    // The user is told what came in and what was left out.
    if (outcome)
        Questions::Tell(this, QMessageBox::Information, QStringLiteral("Import Wizard"), ImportSummary(*outcome));
}

} // namespace quillary
