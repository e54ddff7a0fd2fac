// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window: actions, menus, tool bars, panes and the item pop-up menu.
#include "ui/shell/main_form.h"

#include "actions/outward_actions.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "platform/qt_browser.h"
#include "platform/qt_icon_store.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"
#include "shell/tool_items.h"
#include "shell/web_page_links.h"
#include "sync/card_categories.h"
#include "ui/dialogs/qt_item_dialogs.h"
#include "ui/help_window.h"
#include "ui/plain_text.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/folder_view_keeper.h"
#include "ui/shell/icon_label_delegate.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/item_pictures.h"
#include "ui/shell/search_everywhere_dialog.h"
#include "ui/shell/splitter_panel.h"
#include "ui/shell/status_panel.h"
#include "ui/sync/sync_center.h"
#include "ui/text_codec.h"
#include "ui/widgets/tip_bar.h"
#include "widgets/main_tips.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace quillary {

namespace {
constexpr int MainWindowHelpContext = 1003;
}

TMainForm::TMainForm(TProfileFile& settings, ContactDocument& document, WindowServices& services, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_document(document), m_services(services),
      m_pictures(std::make_unique<ItemPictures>(services.Icons()))
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Quillary"));
    resize(640, 480);
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The document outlives the window: nothing of it may reach the window once it is gone.
    m_document.DetachSync();
    m_document.Tree().SetServices(m_services.ItemDesk());
    m_services.SetWindow(nullptr);
    delete m_listStack;
    delete m_folders;
    delete m_treeModel;
    delete m_listModel;
}

void TMainForm::FormCreate()
{
    m_services.SetWindow(this);
    m_dialogContext.parent = this;
    m_dialogContext.showHelp = [this](int topic) { Help().ShowTopic(topic); };
    m_dialogContext.categoryNames = [this] { return CategoryNames(); };
    m_dialogs = std::make_unique<QtItemDialogs>(m_dialogContext, m_services.Icons());
    ItemServices desk = m_services.ItemDesk();
    m_actions = std::make_unique<TOutwardActions>(
        MailServices{m_services.Messaging(), *desk.shell, m_services.Prompts(),
                     [this](const std::string& url) { Browser().Open(url); }},
        m_settings, [this] { return MailRows(); });
    m_tools = std::make_unique<TToolItems>();
    desk.view = this;
    desk.dialogs = m_dialogs.get();
    desk.actions = m_actions.get();
    desk.tools = m_tools.get();
    Tree().SetServices(desk);
    m_winState.Restore(m_settings);
    LoadTools();
    BuildActions();
    BuildPanes();
    BuildMenus();
    BuildToolBars();
    BuildListPopup();
    ConnectViews();
    BuildSync();
    if (IsLoading())
        ShowLoading();
    else
        ShowWholeTree();
    SetActivePane(Pane::Folders);
    if (!m_winState.WasStored())
        m_winState.SetCurrent(FirstStartSettings(AvailableScreenArea(pos()), ToolBarsWidth()));
    ApplySettings(m_winState.Current());
    // Once the program runs, so the message has a window to stand over.
    QTimer::singleShot(0, this, &TMainForm::TellUnreadableSettings);
}

ScreenArea TMainForm::AvailableScreenArea(const QPoint& at) const
{
    // The screen the window opens on: the one under its top left corner, else its own.
    const QScreen* shown = QGuiApplication::screenAt(at);
    if (!shown)
        shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = shown ? shown->availableGeometry() : QRect(0, 0, 640, 480);
    return {area.left(), area.top(), area.width(), area.height()};
}

int TMainForm::ToolBarsWidth() const
{
    // The find bar and the tip bar share a line; the frame and the dock's handles take a little more.
    constexpr int Allowance = 24;
    const int lines = std::max({m_speedPanel->sizeHint().width(), m_newItemPanel->sizeHint().width(),
                                m_findPanel->sizeHint().width() + m_tipBar->sizeHint().width()});
    return lines + Allowance;
}

std::array<QString, 32> TMainForm::CategoryNames() const
{
    std::array<QString, 32> names;
    for (int i = 0; i < 32 && i < m_filterList->count(); ++i)
        names[static_cast<std::size_t>(i)] = m_filterList->item(i)->text();
    return names;
}

quillary::CategoryNames TMainForm::CategoryNameFields() const
{
    quillary::CategoryNames names;
    const std::array<QString, 32> shown = CategoryNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = ToField(shown[i]);
    return names;
}

QAction* TMainForm::MakeAction(const QString& caption, const QString& hint, const char* icon)
{
    auto* action = new QAction(caption, this);
    // A hint "Short | Long" gives the tool tip and the status-bar text.
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip((bar < 0 ? hint : hint.left(bar)).trimmed());
    action->setStatusTip((bar < 0 ? hint : hint.mid(bar + 1)).trimmed());
    if (icon)
        action->setIcon(QtIconStore::ToolbarIcon(QString::fromLatin1(icon)));
    // A button that shows only its picture still has a name for screen readers: its tip.
    if (caption.isEmpty())
        action->setIconText(action->toolTip());
    return action;
}

QAction* TMainForm::NewAction(int kind, const QString& caption, const QString& hint, const char* icon)
{
    QAction* action = MakeAction(caption, hint, icon);
    connect(action, &QAction::triggered, this, [this, kind] { NewItemCommand(kind); });
    return action;
}

void TMainForm::BuildCommandActions()
{
    const auto command = [this](const char* caption, const char* hint, const char* key, const char* icon,
                                void (TMainForm::*slot)()) {
        QAction* action = MakeAction(QString::fromLatin1(caption), QString::fromLatin1(hint), icon);
        if (key)
            action->setShortcut(QKeySequence(QString::fromLatin1(key)));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_cut = command("Cu&t", "Cut | Cut selected items and place on the clipboard", "Ctrl+X", "cut",
                    &TMainForm::CutBtnClick);
    m_copy =
        command("&Copy", "Copy | Copy selected items to the clipboard", "Ctrl+C", "copy", &TMainForm::CopyBtnClick);
    m_paste = command("&Paste", "Paste | Paste data from the clipboard", "Ctrl+V", "paste", &TMainForm::PasteBtnClick);
    m_delete =
        command("&Delete", "Delete | Delete the selected item(s)", "Shift+Del", "delete", &TMainForm::DeleteAsking);
    m_selectAll = command("&Select All", "", nullptr, nullptr, &TMainForm::SelectAll1Click);
    m_find = command("&Find", "Search for item with title containing text specified in \"Find\"", "F3", nullptr,
                     &TMainForm::FindItemClick);
    m_save = command("&Save", "Save all data now", "Ctrl+S", nullptr, &TMainForm::Save1Click);
    m_revert = command("R&evert", "Revert to previously saved data", nullptr, nullptr, &TMainForm::Revert1Click);
    m_synchronize = MakeAction(QStringLiteral("S&ynchronize"),
                               QStringLiteral("Synchronize | Synchronize with the address books of your accounts now"),
                               "synchronize");
    m_synchronize->setObjectName(QStringLiteral("Synchronize1"));
    m_synchronize->setShortcut(QKeySequence(Qt::Key_F9));
    connect(m_synchronize, &QAction::triggered, this, [this] { Sync().SyncNow(); });
    m_filterAny =
        MakeAction(QString(), QStringLiteral("Filter|Show items matching ANY selected category"), "filter-any");
    m_filterAll =
        MakeAction(QString(), QStringLiteral("Filter|Show items matching ALL selected categories"), "filter-all");
    auto* filters = new QActionGroup(this);
    filters->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* action : {m_filterAny, m_filterAll}) {
        action->setCheckable(true);
        filters->addAction(action);
        connect(action, &QAction::triggered, this, &TMainForm::FilterBtnClick);
    }
}

void TMainForm::BuildActions()
{
    BuildCommandActions();
    m_upOne = MakeAction(QString(), QStringLiteral("Up one level"), "up-one");
    connect(m_upOne, &QAction::triggered, this, &TMainForm::UpOneLevel);
    m_styleMenuGroup = new QActionGroup(this);
    m_styleButtonGroup = new QActionGroup(this);
    static const char* const MenuCaptions[] = {"Lar&ge Icons", "S&mall Icons", "&List", "&Details"};
    static const char* const ButtonHints[] = {"Large Icons | Change right-hand pane to large icon view",
                                              "Small Icons | Change right-hand pane to small icon view",
                                              "List | Change right-hand pane to list view",
                                              "Details | Change right-hand pane to detail view"};
    static const char* const ButtonIcons[] = {"view-large", "view-small", "view-list", "view-details"};
    for (int i = 0; i < 4; ++i) {
        m_styleMenu[i] =
            MakeAction(QString::fromLatin1(MenuCaptions[i]), QStringLiteral("Change icon view for right-hand pane"));
        m_styleButtons[i] = MakeAction(QString(), QString::fromLatin1(ButtonHints[i]), ButtonIcons[i]);
        for (QAction* action : {m_styleMenu[i], m_styleButtons[i]}) {
            UsableWhileLoading(action)->setCheckable(true);
            action->setData(i + 1);
            connect(action, &QAction::triggered, this, [this, i] { SetListStyle(i + 1); });
        }
        m_styleMenuGroup->addAction(m_styleMenu[i]);
        m_styleButtonGroup->addAction(m_styleButtons[i]);
    }
    m_styleMenu[0]->setChecked(true);
    m_styleButtons[0]->setChecked(true);
}

void TMainForm::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* newMenu = file->addMenu(QStringLiteral("&New"));
    struct NewEntry
    {
        int kind;
        const char* caption;
        const char* key;
        const char* hint;
    };
    for (const NewEntry& entry : {NewEntry{KindFolder, "&Folder", "Ctrl+L", "Create new folder"},
                                  NewEntry{KindOrganization, "&Organization", "Ctrl+O", "Create new organization"},
                                  NewEntry{KindTeam, "&Team", "Ctrl+T", "Create new team"},
                                  NewEntry{KindPerson, "&Person", "Ctrl+P", "Create new person"},
                                  NewEntry{KindWebsite, "&Website", "Ctrl+W", "Create new Website"}}) {
        QAction* action = NewAction(entry.kind, QString::fromLatin1(entry.caption), QString::fromLatin1(entry.hint));
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.key)));
        newMenu->addAction(action);
        if (entry.kind == KindWebsite)
            m_newWebsite = action;
    }
    QAction* import1 = MakeAction(QStringLiteral("&Import..."), QStringLiteral("Import data from another file type"));
    import1->setObjectName(QStringLiteral("Import1"));
    connect(import1, &QAction::triggered, this, &TMainForm::ImportBtnClick);
    file->addAction(import1);
    QAction* publishItem = MakeAction(QStringLiteral("P&ublish..."),
                                      QStringLiteral("Export your data for use by other people or other programs"));
    publishItem->setObjectName(QStringLiteral("Publish1"));
    connect(publishItem, &QAction::triggered, this, &TMainForm::PublishBtnClick);
    file->addAction(publishItem);
    file->addSeparator();
    file->addAction(m_save);
    file->addAction(m_revert);
    file->addAction(m_synchronize);
    file->addSeparator();
    QAction* printItem = MakeAction(QStringLiteral("&Print..."), QString());
    printItem->setObjectName(QStringLiteral("PrintItem"));
    connect(printItem, &QAction::triggered, this, &TMainForm::PrintBtnClick);
    file->addAction(printItem);
    QAction* printerSetupItem = MakeAction(QStringLiteral("P&rinter Setup..."), QStringLiteral("Set printer options"));
    printerSetupItem->setObjectName(QStringLiteral("PrinterSetupItem"));
    connect(printerSetupItem, &QAction::triggered, this, &TMainForm::PrinterSetupItemClick);
    file->addAction(printerSetupItem);
    file->addSeparator();
    QAction* exitItem = UsableWhileLoading(file->addAction(QStringLiteral("E&xit")));
    exitItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    exitItem->setStatusTip(QStringLiteral("Exit application"));
    connect(exitItem, &QAction::triggered, this, &TMainForm::ExitRequested);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    for (QAction* action : {m_cut, m_copy, m_paste, m_delete})
        edit->addAction(action);
    edit->addSeparator();
    edit->addAction(m_selectAll);
    edit->addAction(m_find);
    QAction* searchEverywhere =
        edit->addAction(QStringLiteral("Search &Everywhere..."), QKeySequence(QStringLiteral("Ctrl+Shift+F")), this,
                        &TMainForm::SearchEverywhereClick);
    searchEverywhere->setStatusTip(QStringLiteral("Search every field of every person and organization"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* toggle = UsableWhileLoading(view->addAction(QStringLiteral("&Toggle Main Window")));
    toggle->setStatusTip(QStringLiteral("Toggles size/position settings for main window"));
    connect(toggle, &QAction::triggered, this, &TMainForm::ToggleMainWindow);
    view->addSeparator();
    m_toolbarItem = view->addAction(QStringLiteral("Tool&bar"));
    m_toolbarItem->setStatusTip(QStringLiteral("Show or hide the main toolbar"));
    m_newItemBarItem = view->addAction(QStringLiteral("&New Item Bar"));
    m_newItemBarItem->setStatusTip(QStringLiteral("Show or hide the toolbar for creating new items"));
    m_findBarItem = view->addAction(QStringLiteral("&Find Bar"));
    m_tipBarItem = view->addAction(QStringLiteral("T&ip Bar"));
    m_statusBarItem = view->addAction(QStringLiteral("&Status Bar"));
    m_statusBarItem->setStatusTip(QStringLiteral("Show or hide the main status bar"));
    for (QAction* action : {m_toolbarItem, m_newItemBarItem, m_findBarItem, m_tipBarItem, m_statusBarItem}) {
        UsableWhileLoading(action)->setCheckable(true);
        action->setChecked(true);
    }
    connect(m_statusBarItem, &QAction::triggered, this, [this](bool on) { statusBar()->setVisible(on); });
    view->addSeparator();
    for (QAction* action : m_styleMenu)
        view->addAction(action);
    view->addSeparator();
    QAction* options = MakeAction(QStringLiteral("&Options..."), QStringLiteral("Set program options"));
    connect(options, &QAction::triggered, this, &TMainForm::OptionsItemClick);
    view->addAction(options);

    // F1 opens the main window's own help topic.
    auto* contextHelp = UsableWhileLoading(new QAction(this));
    contextHelp->setShortcut(QKeySequence::HelpContents);
    connect(contextHelp, &QAction::triggered, this, [this] { Help().ShowTopic(MainWindowHelpContext); });
    addAction(contextHelp);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(UsableWhileLoading(help->addAction(QStringLiteral("&Contents"))), &QAction::triggered, this,
            [this] { Help().ShowContents(); });
    help->addSeparator();
    QMenu* web = help->addMenu(QStringLiteral("&On the Web"));
    for (const WebPageLink& link : WebPageLinks()) {
        const std::string address = link.Address();
        connect(UsableWhileLoading(web->addAction(QString::fromLatin1(link.caption))), &QAction::triggered, this,
                [this, address] { Browser().Open(address); });
    }
    help->addSeparator();
    connect(UsableWhileLoading(help->addAction(QStringLiteral("&About..."))), &QAction::triggered, this,
            &TMainForm::ShowAbout);
}

void TMainForm::BuildToolBars()
{
    m_speedPanel = addToolBar(QStringLiteral("Toolbar"));
    m_speedPanel->setObjectName(QStringLiteral("SpeedPanel"));
    QAction* importBtn = MakeAction(QString(), QStringLiteral("Import | Import data from another file type"), "import");
    importBtn->setObjectName(QStringLiteral("ImportBtn"));
    connect(importBtn, &QAction::triggered, this, &TMainForm::ImportBtnClick);
    m_speedPanel->addAction(importBtn);
    QAction* publishBtn = MakeAction(
        QString(), QStringLiteral("Publish | Export your data for use by other people or other programs"), "publish");
    publishBtn->setObjectName(QStringLiteral("PublishBtn"));
    connect(publishBtn, &QAction::triggered, this, &TMainForm::PublishBtnClick);
    m_speedPanel->addAction(publishBtn);
    QAction* printBtn = MakeAction(QString(), QStringLiteral("Print"), "print");
    printBtn->setObjectName(QStringLiteral("PrintBtn"));
    connect(printBtn, &QAction::triggered, this, &TMainForm::PrintBtnClick);
    m_speedPanel->addAction(printBtn);
    m_speedPanel->addAction(m_synchronize);
    m_speedPanel->addSeparator();
    m_speedPanel->addAction(m_filterAny);
    m_speedPanel->addAction(m_filterAll);
    // Both share the tip "Filter"; a screen reader needs to tell them apart.
    m_speedPanel->widgetForAction(m_filterAny)->setAccessibleName(QStringLiteral("Filter by any selected category"));
    m_speedPanel->widgetForAction(m_filterAll)->setAccessibleName(QStringLiteral("Filter by all selected categories"));
    // The one pair of tool-bar buttons that no menu or key reaches stays in the Tab round.
    for (QAction* filter : {m_filterAny, m_filterAll})
        m_speedPanel->widgetForAction(filter)->setFocusPolicy(Qt::TabFocus);
    m_speedPanel->addSeparator();
    for (QAction* action : {m_cut, m_copy, m_paste, m_delete})
        m_speedPanel->addAction(action);
    m_speedPanel->addSeparator();
    for (QAction* action : m_styleButtons)
        m_speedPanel->addAction(action);
    m_speedPanel->addSeparator();
    // The tools drop-down: "&Show Popup" opens the Tools dialog, the tools follow the separator.
    m_toolsPopup = new QMenu(this);
    m_toolsPopup->setObjectName(QStringLiteral("ToolsPopup"));
    connect(m_toolsPopup->addAction(QStringLiteral("&Show Popup")), &QAction::triggered, this,
            &TMainForm::ToolsBtnClick);
    m_toolsPopup->addSeparator();
    QAction* toolsButton = MakeAction(QString(), QStringLiteral("Tools Menu"), "tools");
    toolsButton->setMenu(m_toolsPopup);
    connect(toolsButton, &QAction::triggered, this, &TMainForm::ToolsBtnClick);
    m_speedPanel->addAction(toolsButton);
    BuildToolMenus();
    QAction* getUrlBtn = MakeAction(
        QString(), QStringLiteral("Get Browser URL | Capture the URL of the current page from your Web Browser"),
        "get-url");
    getUrlBtn->setObjectName(QStringLiteral("GetUrlBtn"));
    connect(getUrlBtn, &QAction::triggered, this, &TMainForm::GetUrlBtnClick);
    m_speedPanel->addAction(getUrlBtn);
    QAction* helpButton = UsableWhileLoading(MakeAction(QString(), QStringLiteral("Help"), "help"));
    connect(helpButton, &QAction::triggered, this, [this] { Help().ShowContents(); });
    m_speedPanel->addAction(helpButton);

    addToolBarBreak();
    m_newItemPanel = addToolBar(QStringLiteral("New Item Bar"));
    m_newItemPanel->setObjectName(QStringLiteral("NewItemPanel"));
    m_newItemPanel->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct NewButton
    {
        int kind;
        const char* caption;
        const char* hint;
        const char* icon;
    };
    for (const NewButton& button : {NewButton{KindReminder, "Remin&d", "New Reminder", "new-reminder"},
                                    NewButton{KindFax, "Fa&x", "New Fax Number", "new-fax"},
                                    NewButton{KindEMail, "E-&mail", "New E-mail Address", "new-email"},
                                    NewButton{KindPhone, "Pho&ne", "New Phone Number", "new-phone"},
                                    NewButton{KindAddress, "&Addr", "New Address", "new-address"},
                                    NewButton{KindWebsite, "&Web", "New Website", "new-website"},
                                    NewButton{KindPerson, "&Person", "New Person", "new-person"},
                                    NewButton{KindTeam, "&Team", "New Team", "new-team"},
                                    NewButton{KindOrganization, "&Org", "New Organization", "new-organization"},
                                    NewButton{KindFolder, "Fo&lder", "New Folder", "new-folder"}})
        m_newItemPanel->addAction(
            NewAction(button.kind, QString::fromLatin1(button.caption), QString::fromLatin1(button.hint), button.icon));

    addToolBarBreak();
    m_findPanel = addToolBar(QStringLiteral("Find"));
    m_findPanel->setObjectName(QStringLiteral("FindPanel"));
    auto* findLabel = new QLabel(QStringLiteral("F&ind:"), m_findPanel);
    m_findEdit = new QLineEdit(m_findPanel);
    QLineEdit* findEdit = m_findEdit;
    findEdit->setObjectName(QStringLiteral("FindEditBox"));
    findEdit->setToolTip(QStringLiteral("Type the title of the entry to find"));
    findEdit->setStatusTip(QStringLiteral("Type the title of the entry to find"));
    findLabel->setBuddy(findEdit);
    connect(findEdit, &QLineEdit::textChanged, this, &TMainForm::FindEditBoxChange);
    m_searchTime = new QTimer(this);
    m_searchTime->setObjectName(QStringLiteral("SearchTime"));
    m_searchTime->setInterval(1000);
    m_searchTime->setSingleShot(true);
    connect(m_searchTime, &QTimer::timeout, this, [this] { Locate(m_findEdit->text()); });
    m_findPanel->addWidget(findLabel);
    m_findPanel->addWidget(findEdit);
    m_findPanel->addAction(m_upOne);

    m_tipBar = new TTipBar(QStringLiteral("Tip Bar"), this);
    addToolBar(m_tipBar);
    QStringList tips;
    for (const std::string& tip : MainWindowTips())
        tips.append(QString::fromStdString(tip));
    m_tipBar->SetTipFile(tips);
    connect(m_tipBar, &TTipBar::HelpRequested, this, [this](int context) { Help().ShowTopic(context); });

    BarToggle(m_toolbarItem, m_speedPanel);
    BarToggle(m_newItemBarItem, m_newItemPanel);
    BarToggle(m_findBarItem, m_findPanel);
    BarToggle(m_tipBarItem, m_tipBar);
}

void TMainForm::BarToggle(QAction* action, QToolBar* bar)
{
    connect(action, &QAction::triggered, bar, [bar](bool on) { bar->setVisible(on); });
    // A bar closed by other means (floating, its own menu) unchecks its entry; hiding the
    // whole window does not, since the bar itself is not hidden then.
    connect(bar, &QToolBar::visibilityChanged, action, [action, bar] { action->setChecked(!bar->isHidden()); });
}

void TMainForm::BuildPanes()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_treeModel = new FolderTreeModel(Tree(), *m_pictures, this);
    m_folders = new QTreeView(central);
    m_folders->setObjectName(QStringLiteral("Folders"));
    m_folders->setAccessibleName(QStringLiteral("Folders"));
    m_folders->setModel(m_treeModel);
    m_folders->setHeaderHidden(true);
    // Deep folders stay reachable: the column grows with what is shown and the pane scrolls sideways.
    m_folders->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_folders->header()->setStretchLastSection(false);
    m_folders->setIndentation(20);
    m_folders->setFrameShape(QFrame::NoFrame);
    m_folders->setUniformRowHeights(true);
    m_folders->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_folders->setContextMenuPolicy(Qt::CustomContextMenu);
    m_folders->setFixedWidth(201);
    m_folders->setDragEnabled(true);
    m_folders->setAcceptDrops(true);
    m_folders->setDropIndicatorShown(true);
    m_folders->setDragDropMode(QAbstractItemView::DragDrop);
    m_folders->setDragDropOverwriteMode(true); // a drop lands on the node under the pointer
    m_folders->setDefaultDropAction(Qt::MoveAction);
    new FolderViewKeeper(*m_folders, *m_treeModel, Tree());

    m_filterList = new QListWidget(central);
    m_filterList->setObjectName(QStringLiteral("FilterListBox"));
    m_filterList->setAccessibleName(QStringLiteral("Categories"));
    for (const std::string& name : ReadCategoryNames(m_settings)) {
        auto* entry = new QListWidgetItem(FromField(name), m_filterList);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
    }
    m_filterList->setFixedWidth(201);
    m_filterList->hide();
    connect(m_filterList, &QListWidget::itemChanged, this, &TMainForm::FilterListBoxClick);

    m_splitter = new SplitterPanel([] { return 0; }, [this] { return TreePaneWidth(); },
                                   [this](int width) { SetTreePaneWidth(width); }, central);

    m_listModel = new ItemListModel(Tree(), *m_pictures, this);
    m_listStack = new QStackedWidget(central);
    m_listStack->setObjectName(QStringLiteral("MainItems"));
    m_iconList = new QListView(m_listStack);
    m_iconList->setModel(m_listModel);
    m_iconList->setUniformItemSizes(true);
    m_iconList->setLayoutMode(QListView::Batched);
    m_iconList->setBatchSize(500);
    m_iconList->setResizeMode(QListView::Adjust);
    m_iconList->setMovement(QListView::Static);
    m_iconList->setItemDelegate(new IconLabelDelegate(m_iconList));
    m_detailList = new QTreeView(m_listStack);
    m_detailList->setModel(m_listModel);
    m_detailList->setSelectionModel(m_iconList->selectionModel());
    m_detailList->setRootIsDecorated(false);
    m_detailList->setUniformRowHeights(true);
    m_detailList->setAllColumnsShowFocus(true);
    m_detailList->header()->setStretchLastSection(false);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_iconList), static_cast<QAbstractItemView*>(m_detailList)}) {
        view->setAccessibleName(QStringLiteral("Entries"));
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->setFrameShape(QFrame::NoFrame);
        view->setDragEnabled(true);
        view->setAcceptDrops(true);
        view->setDragDropMode(QAbstractItemView::DragDrop);
        view->setDragDropOverwriteMode(true);
        view->setDefaultDropAction(Qt::MoveAction);
        m_listStack->addWidget(view);
    }

    layout->addWidget(m_folders);
    layout->addWidget(m_filterList);
    layout->addWidget(m_splitter);
    layout->addWidget(m_listStack, 1);
    setCentralWidget(central);

    // The hint panel and the node panel give way in a narrow window; the count stays whole.
    m_panels[0] = new StatusPanel(350, this);
    m_panels[1] = AsPlainText(new QLabel(this));
    // As wide as its text in the current font, however large, and never narrower; a few digits
    // more or less do not move the panels beside it.
    m_panels[1]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_panels[1]->setMinimumWidth(75);
    m_panels[2] = new StatusPanel(0, this);
    for (int i = 0; i < 3; ++i) {
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusBar()->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
    m_syncPanel = new StatusPanel(0, this);
    m_syncPanel->setObjectName(QStringLiteral("SyncPanel"));
    m_syncPanel->setAccessibleName(QStringLiteral("Synchronization"));
    statusBar()->addPermanentWidget(m_syncPanel);
    SetListStyle(1);
}

void TMainForm::BuildSync()
{
    SyncWindow window;
    window.parent = this;
    window.editing = [this](std::int32_t id) { return m_dialogs->IsEditing(id); };
    window.treeChanged = [this] {
        RefreshFolderTitles();
        QueueRefill();
        if (m_searchEverywhere)
            m_searchEverywhere->Rebuild();
    };
    window.categoryNames = [this] { return CategoryNameFields(); };
    // Names a run brought for free categories: shown in the filter list and kept in the settings.
    window.renameCategories = [this](const quillary::CategoryNames& placed) {
        quillary::CategoryNames names = CategoryNameFields();
        if (!TakePlacedCategoryNames(names, placed))
            return;
        for (int i = 0; i < 32 && i < m_filterList->count(); ++i)
            m_filterList->item(i)->setText(FromField(names[static_cast<std::size_t>(i)]));
        WriteCategoryNames(m_settings, names);
        FlushSettings();
    };
    SyncCenter& sync = m_document.AttachSync(std::move(window));
    connect(&sync, &SyncCenter::StatusChanged, m_syncPanel, &QLabel::setText);
    connect(&sync, &SyncCenter::Failed, this, [this](const QString& text) { emit TrayTipChanged(text); });
}

void TMainForm::BuildListPopup()
{
    m_listPopup = new QMenu(this);
    m_listPopup->setObjectName(QStringLiteral("ListPopup"));
    static const char* const Captions[] = {"&Open",   "Send &Mail",    "Send &Fax", "&Dial",
                                           "&Browse", "&Advance Date", "&Launch"};
    for (int i = 0; i < 7; ++i)
        m_popupEntries[i] = m_listPopup->addAction(QString::fromLatin1(Captions[i]));
    connect(m_popupEntries[0], &QAction::triggered, this, &TMainForm::ListPaneOpen);
    connect(m_popupEntries[1], &QAction::triggered, this, &TMainForm::ListPaneMailClick);
    connect(m_popupEntries[2], &QAction::triggered, this, &TMainForm::ListPaneFaxClick);
    connect(m_popupEntries[3], &QAction::triggered, this, &TMainForm::ListPaneDialClick);
    connect(m_popupEntries[4], &QAction::triggered, this, &TMainForm::ListPaneBrowseClick);
    connect(m_popupEntries[5], &QAction::triggered, this, &TMainForm::ListPaneAdvance);
    connect(m_popupEntries[6], &QAction::triggered, this, &TMainForm::ListPaneLaunchClick);
    m_listPopup->addSeparator();
    QMenu* newMenu = m_listPopup->addMenu(QStringLiteral("&New"));
    const std::pair<int, const char*> newEntries[] = {
        {KindAddress, "&Address"}, {KindEMail, "&E-Mail"},      {KindPhone, "&Phone"},      {KindFax, "&Fax"},
        {KindWebsite, "&Website"}, {KindReminder, "&Reminder"}, {KindDocument, "&Document"}};
    static const char* const NewKeys[] = {"Ctrl+A", "Ctrl+E", "Ctrl+N", "Ctrl+F", "Ctrl+W", "Ctrl+R", "Ctrl+D"};
    for (std::size_t i = 0; i < std::size(newEntries); ++i) {
        // "&Website" is the File menu's entry itself, which already holds Ctrl+W.
        if (newEntries[i].first == KindWebsite) {
            newMenu->addAction(m_newWebsite);
            continue;
        }
        QAction* action = NewAction(newEntries[i].first, QString::fromLatin1(newEntries[i].second), QString());
        action->setShortcut(QKeySequence(QString::fromLatin1(NewKeys[i])));
        newMenu->addAction(action);
        // A menu that is not open serves no keys; the window does, whichever pane has the focus.
        addAction(action);
    }
    QMenu* editMenu = m_listPopup->addMenu(QStringLiteral("&Edit"));
    connect(editMenu->addAction(QStringLiteral("Cu&t")), &QAction::triggered, this, &TMainForm::CutBtnClick);
    connect(editMenu->addAction(QStringLiteral("&Copy")), &QAction::triggered, this, &TMainForm::CopyBtnClick);
    connect(editMenu->addAction(QStringLiteral("&Delete")), &QAction::triggered, this,
            [this] { DeleteBtnClick(true); });
    QAction* rename = editMenu->addAction(QStringLiteral("&Rename"));
    rename->setShortcut(QKeySequence(Qt::Key_F2));
    rename->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    centralWidget()->addAction(rename);
    connect(rename, &QAction::triggered, this, &TMainForm::ListPaneRename);
    m_listPopup->addSeparator();
    connect(m_listPopup->addAction(QStringLiteral("&Properties")), &QAction::triggered, this,
            &TMainForm::ListPaneProps);
    connect(m_listPopup, &QMenu::aboutToShow, this, &TMainForm::ConfigurePopup);
}

} // namespace quillary
