// SPDX-License-Identifier: GPL-3.0-or-later
// The Options dialog and the tools: their menus, the Tools dialog and tool items.
#include "ui/shell/main_form.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "platform/qt_browser.h"
#include "platform/qt_icon_store.h"
#include "platform/qt_shell.h"
#include "shell/options_values.h"
#include "shell/profile_file.h"
#include "shell/data_file_session.h"
#include "shell/sync_accounts.h"
#include "shell/tool_items.h"
#include "ui/dialogs/option_pages.h"
#include "ui/dialogs/tools_dlg.h"
#include "ui/sync/sync_accounts_page.h"
#include "ui/sync/sync_center.h"
#include "ui/text_codec.h"

#include <QListWidget>
#include <QMenu>

namespace quillary {

void TMainForm::LoadTools()
{
    m_tools->Load(m_settings);
    for (std::size_t i = 0; i < m_tools->Count(); ++i)
        m_tools->At(i)->ImageIndex = m_services.Icons().AppendFileIcon(m_tools->At(i)->Filename);
}

void TMainForm::SetTrayToolsMenu(QMenu* menu)
{
    m_trayTools = menu;
    BuildToolMenus();
}

void TMainForm::BuildToolMenus()
{
    // The fixed entries of the drop-down stay; the tool entries are made again from the list.
    const QList<QAction*> fixed = m_toolsPopup->actions();
    for (int i = 2; i < fixed.size(); ++i)
        m_toolsPopup->removeAction(fixed.at(i));
    if (m_trayTools)
        m_trayTools->clear();
    for (std::size_t i = 0; i < m_tools->Count(); ++i) {
        const TToolItem* tool = m_tools->At(i);
        const QString caption = FromField(tool->Description);
        const QIcon icon = m_services.Icons().Icon(tool->ImageIndex);
        // Started from these menus a tool gets no arguments.
        const auto launch = [this, tool] { Tree().Services().shell->Open(tool->Filename, "", tool->WorkingDirectory()); };
        connect(m_toolsPopup->addAction(icon, caption), &QAction::triggered, this, launch);
        if (m_trayTools)
            connect(m_trayTools->addAction(icon, caption), &QAction::triggered, this, launch);
    }
}

void TMainForm::OptionsItemClick()
{
    OptionsValues current = ReadOptions(m_settings);
    const std::array<QString, 32> names = CategoryNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        current.categories[i] = ToField(names[i]);
    TOptionPages dialog(m_dialogContext, current, *m_tools, m_services.Icons());
    auto* sync = new SyncAccountsPage(ReadSyncSettings(m_settings), Tree(), Sync().Passwords(),
                                      [](const SyncAccount& account, const std::string& password) {
                                          return SyncCenter::MakeTransport(account, password);
                                      });
    dialog.AddPage(sync, QStringLiteral("Synchronization"));
    if (dialog.exec() == QDialog::Accepted) {
        const OptionsValues chosen = dialog.Values();
        WriteOptions(m_settings, chosen);
        WriteSyncSettings(m_settings, sync->Settings());
        sync->Commit(Session().File());
        Sync().SettingsChanged();
        Browser().SetPreferred(chosen.browserService, chosen.browserPath);
        FlushSettings(); // a failure is reported; the next orderly end tries again
        // The names change; the ticks stay with their entries.
        for (int i = 0; i < 32 && i < m_filterList->count(); ++i)
            m_filterList->item(i)->setText(FromField(chosen.categories[static_cast<std::size_t>(i)]));
    }
    BuildToolMenus();
}

void TMainForm::ToolsBtnClick()
{
    TToolsDlg dialog(*m_tools, m_services.Icons(), *Tree().Services().shell, this);
    if (dialog.exec() != TToolsDlg::NewAddressResult || !dialog.ChosenTool())
        return;
    const TToolItem& tool = *dialog.ChosenTool();
    TreeNode& holder = HolderNode();
    TKPXObject* item = CreateItem(KindTool, "New " + tool.Description, "", "", holder,
                                  "{Tool}" + tool.Filename + "~~" + tool.Arguments, 0);
    if (item && !item->EditNew(holder))
        holder.Data()->DeleteChild(item);
    FoldersChange(SelectedNode());
}

} // namespace quillary
