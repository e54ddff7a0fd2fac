// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/category_names.h"
#include "model/data_file_read.h"
#include "model/item_services.h"
#include "shell/win_state.h"
#include "ui/dialogs/dialog_context.h"
#include "ui/shell/contact_document.h"
#include "ui/shell/window_services.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLineEdit;
class QTimer;
class QActionGroup;
class QLabel;
class QProgressBar;
class QListView;
class QListWidget;
class QMenu;
class QStackedWidget;
class QToolBar;
class QTreeView;

namespace quillary {

class ContactDocument;
class DataFileLoading;
class DataFileSession;
class FolderTreeModel;
class HelpWindow;
class ItemListModel;
class ItemPictures;
class ItemTree;
class QtBrowser;
class QtItemDialogs;
class SplitterPanel;
class SyncCenter;
class TKPXObject;
class TOutwardActions;
class TProfileFile;
class TProgressForm;
class TReportForm;
class TTipBar;
class TToolItems;
class TreeNode;
class WindowServices;

// The main window: the folder tree on the left, the item list on the right, tool bars, menus
// and the status bar. It shows the document's item tree through two models; no widget keeps
// a copy of the data. The document and the desktop's services are made before it and outlive it.
class TMainForm : public QMainWindow, public ItemView
{
    Q_OBJECT

public:
    enum class Pane { Folders, MainItems };

    // Builds the window without showing it over a document whose data file may still be read
    // (IsLoading, LoadFinished).
    TMainForm(TProfileFile& settings, ContactDocument& document, WindowServices& services,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    ContactDocument& Document() { return m_document; }
    ItemTree& Tree() { return m_document.Tree(); }
    const QString& DataFile() const { return m_document.DataFile(); }
    DataFileSession& Session() { return m_document.Session(); }
    // The synchronisation with the accounts' address books (File, Synchronize; the tray's entry).
    SyncCenter& Sync() { return m_document.Sync(); }
    QAction* SynchronizeAction() const { return m_synchronize; }
    // How reading the data file went. An unreadable file leaves the tree empty, and the program
    // must not go on with it (it would save the empty tree over it).
    DataFileRead LoadResult() const;
    // While a large data file is read (main_window_loading.cpp): the views wait, the commands that
    // read or change the tree are disabled, nothing is written, and closing the window ends the
    // program without saving. The status bar shows the progress.
    bool IsLoading() const;
    DataFileLoading& Loading() { return m_document.Loading(); }
    // This copy never writes the data file: the title and the status bar say so, Save says why.
    void SetReadOnly(const QString& reason);
    bool IsReadOnly() const;
    // After the whole tree was read afresh: the root shown open and selected.
    void ShowWholeTree();

    // The list fill for the selected node (or none): entries, status panels, tray tip.
    void FoldersChange(TreeNode* node);
    void RefreshFolderTitles();
    TreeNode* SelectedNode() const;
    // Selects the node of the first item's owner and, in the item list, those of the items it
    // holds, the first scrolled into view and focused (main_window_find.cpp).
    void ShowItems(const std::vector<TKPXObject*>& items);
    // The item list's selected entries, top to bottom, in every list style: what every command
    // that works on "the selected entries" acts on.
    QList<TKPXObject*> SelectedItems() const;
    void SetActivePane(Pane pane);
    QString ActivePaneName() const;

    // Handles a command-line text from this or a second start: ".zkd" files are read and ".vcf"
    // files imported into the root. The window is shown and raised first unless show is false.
    void HandleCommandLine(const QString& text, bool show = true);
    // The program's own command line, handled when the window is shown for the first time.
    void SetStartupCommandLine(const QString& text);

    // The list style 1..4 (large icons, small icons, list, details); other values change nothing.
    void SetListStyle(int style);
    int ListStyle() const { return m_listStyle; }
    TWinSettings GetSettings() const;
    void ApplySettings(const TWinSettings& settings);
    void ToggleMainWindow();
    int TreePaneWidth() const;
    void SetTreePaneWidth(int width);

    // Writes the data file (TExitSave), then the window state. Called on every orderly end; false
    // when the user chose to go back to the program instead of ending it.
    bool SaveOnExit();
    // Whether the end was asked by a signal, the logout or the unhandled-exception policy rather
    // than the user: then nothing may wait on an answer from the screen.
    void SetUnattendedEnd(bool unattended) { m_unattendedEnd = unattended; }
    bool UnattendedEnd() const { return m_unattendedEnd; }
    // The settings file (main_window_settings.cpp): a file that cannot be read is named to the user
    // once, at start; a failed write is reported, after Options and at exit alike (false then).
    void TellUnreadableSettings();
    bool FlushSettings();
    void FlushSettingsAtExit();
    // How a problem met at the orderly end reaches the user: a box, or only the error output when
    // nobody waits at the screen.
    void TellAtExit(const QString& text);

    QString StatusText(int panel) const;
    QString TrayTip() const { return m_trayTip; }
    ItemListModel& ListModel() { return *m_listModel; }
    FolderTreeModel& TreeModel() { return *m_treeModel; }
    QTreeView& FoldersView() { return *m_folders; }
    QMenu& ListPopup() { return *m_listPopup; }
    HelpWindow& Help();
    // The 32 category names, as the filter list shows them.
    std::array<QString, 32> CategoryNames() const;
    // The same names as the tree's fields hold them.
    quillary::CategoryNames CategoryNameFields() const;

    // Commands (main_window_commands.cpp, main_window_clipboard.cpp, main_window_find.cpp).
    TreeNode& HolderNode();
    void NewItemCommand(int kind);
    void ListPaneProps();
    // The Publishing Wizard for the selected node (main_window_publish.cpp).
    void PublishBtnClick();
    // Printing (main_window_print.cpp): the report dialog opens on the node, address and name of
    // PrintSubject() (no node: nothing is printed); the dialog is made once and keeps its choices
    // while the program runs.
    struct PrintChoice
    {
        TreeNode* node = nullptr;
        const TKPXObject* address = nullptr;
        std::string name;
    };
    PrintChoice PrintSubject() const;
    void PrintBtnClick();
    void PrinterSetupItemClick();
    // Clipboard, delete, save and revert (main_window_clipboard.cpp).
    void CutBtnClick();
    void CopyBtnClick();
    void PasteBtnClick();
    void DeleteAsking() { DeleteBtnClick(true); }
    bool DeleteBtnClick(bool ask);
    void SelectAll1Click();
    void Save1Click();
    void Revert1Click();
    // Find and the category filter (main_window_find.cpp).
    void FindItemClick();
    // Edit, "Search Everywhere...": the search over every field, beside the title search.
    void SearchEverywhereClick();
    void FindEditBoxChange(const QString& text);
    // False when nothing was found (or the text is empty).
    bool Locate(const QString& text);
    void FilterBtnClick();
    void FilterListBoxClick();
    // The Import Wizard on the selected node, then the tree re-sorted and a summary (main_window_import.cpp).
    void ImportBtnClick();
    // Options and tools (main_window_tools.cpp).
    void OptionsItemClick();
    void ToolsBtnClick();
    void BuildToolMenus();
    void SetTrayToolsMenu(QMenu* menu);
    TToolItems& Tools() { return *m_tools; }
    // The browser link, and "Get Browser URL": the browser's page as a website under the
    // holder node (main_window_browser.cpp).
    QtBrowser& Browser() { return m_services.Browser(); }
    void GetUrlBtnClick();
    // Drag and drop (main_window_drag.cpp).
    void NodeDropped(TreeNode* target);
    void EntriesDropped(TreeNode* target);
    void FileDropped(const QString& path);
    void DocumentDroppedOn(TKPXObject* target);
    // Mail, fax, dial, browse and launch of the pop-up target (main_window_actions.cpp).
    void ListPaneMailClick();
    void ListPaneFaxClick();
    void ListPaneDialClick();
    void ListPaneBrowseClick();
    void ListPaneLaunchClick();
    // The item list's selected rows in row order while it is the active pane, else none.
    std::vector<const TKPXObject*> MailRows() const;

    // ItemView
    void StartLabelEdit(TreeNode& node) override;
    void SelectNode(TreeNode& node) override;
    void ReselectNode(TreeNode& node) override;

signals:
    void TrayTipChanged(const QString& tip);
    void ExitRequested();
    // The data file has been read to its end (or could not be: LoadResult).
    void LoadFinished();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void BuildActions();
    void BuildCommandActions();
    void LoadTools();
    void BuildMenus();
    void BuildToolBars();
    void BuildPanes();
    void BuildListPopup();
    void BuildSync();
    void ShowLoading();
    void LoadingEnded();
    void ShowLoadProgress(qint64 bytesRead, qint64 size);
    QAction* UsableWhileLoading(QAction* action);
    void ConnectViews();
    QAction* MakeAction(const QString& caption, const QString& hint, const char* icon = nullptr);
    void BarToggle(QAction* action, QToolBar* bar);
    void ShowListPopup(const QPoint& globalPos);
    void ConfigurePopup();
    TKPXObject* PopupTarget() const;
    std::vector<int> SelectedEntryRows() const;
    void UpOneLevel();
    void OpenListEntry(const QModelIndex& index);
    void ListPaneOpen();
    void ListPaneAdvance();
    void ListPaneRename();
    void ShowAbout();
    QAction* NewAction(int kind, const QString& caption, const QString& hint, const char* icon = nullptr);
    void UpdateItemCount();
    void QueueRefill();
    // The available area of the screen under the point, else of the window's screen.
    ScreenArea AvailableScreenArea(const QPoint& at) const;
    // Keeps the window, frame and all, inside the available area of the screen it is on.
    void FitToScreen();
    int ToolBarsWidth() const;

    TProfileFile& m_settings;
    ContactDocument& m_document;
    WindowServices& m_services;
    std::unique_ptr<TOutwardActions> m_actions;
    std::unique_ptr<TToolItems> m_tools;
    DialogContext m_dialogContext;
    QMenu* m_toolsPopup = nullptr;
    QPointer<QMenu> m_trayTools;
    std::unique_ptr<ItemPictures> m_pictures;
    std::unique_ptr<QtItemDialogs> m_dialogs;
    TMainWinState m_winState;
    FolderTreeModel* m_treeModel = nullptr;
    ItemListModel* m_listModel = nullptr;

    QTreeView* m_folders = nullptr;
    QListWidget* m_filterList = nullptr;
    SplitterPanel* m_splitter = nullptr;
    QStackedWidget* m_listStack = nullptr;
    QListView* m_iconList = nullptr;
    QTreeView* m_detailList = nullptr;
    std::array<QLabel*, 3> m_panels{};
    QLabel* m_readOnlyPanel = nullptr;
    QLabel* m_syncPanel = nullptr;
    QToolBar* m_speedPanel = nullptr;
    QToolBar* m_newItemPanel = nullptr;
    QToolBar* m_findPanel = nullptr;
    TTipBar* m_tipBar = nullptr;
    QMenu* m_listPopup = nullptr;
    QPointer<HelpWindow> m_help;
    QPointer<class SearchEverywhereDialog> m_searchEverywhere;

    QActionGroup* m_styleMenuGroup = nullptr;
    QActionGroup* m_styleButtonGroup = nullptr;
    std::array<QAction*, 4> m_styleMenu{};
    std::array<QAction*, 4> m_styleButtons{};
    std::array<QAction*, 7> m_popupEntries{};
    QAction* m_newWebsite = nullptr;
    QAction* m_toolbarItem = nullptr;
    QAction* m_newItemBarItem = nullptr;
    QAction* m_findBarItem = nullptr;
    QAction* m_tipBarItem = nullptr;
    QAction* m_statusBarItem = nullptr;
    QAction* m_upOne = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_selectAll = nullptr;
    QAction* m_find = nullptr;
    QAction* m_save = nullptr;
    QAction* m_revert = nullptr;
    QAction* m_synchronize = nullptr;
    QAction* m_filterAny = nullptr;
    QAction* m_filterAll = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QTimer* m_searchTime = nullptr;
    TProgressForm* m_progress = nullptr;
    QProgressBar* m_loadBar = nullptr;
    std::vector<QAction*> m_usableWhileLoading;
    std::vector<QPointer<QAction>> m_disabledWhileLoading;
    TReportForm* m_reportForm = nullptr;

    Pane m_activePane = Pane::Folders;
    int m_listStyle = 1;
    bool m_firstShow = true;
    QString m_trayTip;
    QString m_pendingCommandLine;
    bool m_refillQueued = false;
    bool m_unattendedEnd = false;
};

} // namespace quillary
