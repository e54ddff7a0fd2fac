// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at work: filling the list, navigation, view styles, geometry, command lines.
#include "ui/shell/main_form.h"

#include "common/file_error.h"
#include "exchange/vcard_import.h"
#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/list_fill.h"
#include "shell/command_line.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"
#include "shell/tool_items.h"
#include "shell/tree_commands.h"
#include "ui/help_window.h"
#include "ui/questions.h"
#include "ui/shell/exit_save.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"
#include "ui/sync/sync_center.h"
#include "ui/text_codec.h"
#include "ui/widgets/tip_bar.h"
#include "ui/wizards/vcard_import_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace quillary {

namespace {
// How long the orderly end gives the last synchronisation round, stopping included.
constexpr std::chrono::seconds ExitSyncBudget{3};

// The category names as the main window holds them, so cards name the categories the user sees.
CategoryNames CurrentCategoryNames(const TMainForm& form)
{
    const std::array<QString, 32> shown = form.CategoryNames();
    CategoryNames names;
    std::transform(shown.begin(), shown.end(), names.begin(), [](const QString& name) { return ToField(name); });
    return names;
}

// Reads an interchange file or imports a vCard file named on a command line into the root; other
// words are ignored. A file that cannot be read is reported, and the next one is handled.
bool ImportNamedFile(TMainForm& form, const std::string& element)
{
    try {
        switch (ClassifyElement(element)) {
        case CommandLineFile::Interchange:
            return LoadItemFile(form.Tree().Root(), element);
        case CommandLineFile::VCard: {
            VCardQuestion question(&form);
            ImportVCardFile(element, form.Tree().Root(), question, {}, CurrentCategoryNames(form));
            return true;
        }
        case CommandLineFile::Other:
            break;
        }
    } catch (const FileError& error) {
        Questions::Tell(
            &form, QMessageBox::Critical, QStringLiteral("Quillary"),
            QStringLiteral("The file could not be imported.\n%1").arg(QString::fromStdString(error.what())));
    }
    return false;
}
} // namespace

void TMainForm::ConnectViews()
{
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { FoldersChange(m_treeModel->NodeAt(current)); });
    connect(m_folders, &QTreeView::customContextMenuRequested, this, [this](const QPoint& pos) {
        // A right-button press selects the node under the pointer, or none.
        const QModelIndex index = m_folders->indexAt(pos);
        m_folders->setCurrentIndex(index);
        if (!index.isValid())
            FoldersChange(nullptr);
        SetActivePane(Pane::Folders);
        ShowListPopup(m_folders->viewport()->mapToGlobal(pos));
    });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_iconList), static_cast<QAbstractItemView*>(m_detailList)}) {
        // A double click and Return (or a single click where the desktop asks for it) open an entry.
        connect(view, &QAbstractItemView::activated, this, &TMainForm::OpenListEntry);
        connect(view, &QAbstractItemView::customContextMenuRequested, this, [this, view](const QPoint& pos) {
            SetActivePane(Pane::MainItems);
            if (view->selectionModel()->hasSelection())
                ShowListPopup(view->viewport()->mapToGlobal(pos));
        });
        view->installEventFilter(this);
    }
    m_folders->installEventFilter(this);
    // The list shows a renamed node's new title (a new folder's in-place rename among them).
    connect(m_treeModel, &FolderTreeModel::NodeRenamed, this, [this] { QueueRefill(); });
    connect(m_treeModel, &FolderTreeModel::NodeDropped, this, &TMainForm::NodeDropped);
    connect(m_treeModel, &FolderTreeModel::EntriesDropped, this, &TMainForm::EntriesDropped);
    connect(m_listModel, &ItemListModel::FileDropped, this, &TMainForm::FileDropped);
    connect(m_listModel, &ItemListModel::EntriesDroppedOn, this, &TMainForm::DocumentDroppedOn);
    connect(m_listModel, &ItemListModel::ItemRenamed, this, [this] { RefreshFolderTitles(); });
    connect(m_listModel, &ItemListModel::RefillWanted, this, &TMainForm::QueueRefill);
    connect(m_treeModel, &FolderTreeModel::TreeChanged, this, &TMainForm::QueueRefill);
}

void TMainForm::QueueRefill()
{
    // A change of the tree's shape refills the list once the change is over.
    if (m_refillQueued)
        return;
    m_refillQueued = true;
    QTimer::singleShot(0, this, [this] {
        if (m_refillQueued) // else a fill since the change made it
            FoldersChange(SelectedNode());
    });
}

bool TMainForm::event(QEvent* event)
{
    // The long part of a hint goes to the first status panel, never over the other panels.
    if (event->type() == QEvent::StatusTip) {
        m_panels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The pane the user last entered is the one commands act on.
    if (event->type() == QEvent::FocusIn)
        SetActivePane(watched == m_folders ? Pane::Folders : Pane::MainItems);
    // The plain Delete key deletes in either pane, as Shift+Del does; an editor in a pane has
    // the focus itself and keeps the key.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            SetActivePane(watched == m_folders ? Pane::Folders : Pane::MainItems);
            DeleteAsking();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The program goes on in the tray; without a tray the window is minimized so it stays reachable.
    event->ignore();
    // Until the file is read there is nothing to keep running for: the program ends, unsaved.
    if (IsLoading()) {
        emit ExitRequested();
        return;
    }
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    // A first start is sized to the screen already; a stored geometry may come from elsewhere.
    if (m_winState.WasStored())
        FitToScreen();
    HandleCommandLine(m_pendingCommandLine, false);
    m_tipBar->ShowRandomTip();
}

TreeNode* TMainForm::SelectedNode() const
{
    return m_treeModel->NodeAt(m_folders->currentIndex());
}

std::vector<int> TMainForm::SelectedEntryRows() const
{
    // A click in an icon style selects one cell, the details style whole rows: either way the
    // entry's row counts once.
    std::vector<int> rows;
    for (const QModelIndex& index : m_iconList->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QList<TKPXObject*> TMainForm::SelectedItems() const
{
    QList<TKPXObject*> items;
    for (const int row : SelectedEntryRows())
        if (TKPXObject* item = m_listModel->ItemAt(row))
            items.append(item);
    return items;
}

void TMainForm::FoldersChange(TreeNode* node)
{
    // A refill queued by a change is done by this one; left queued it would clear the selection
    // that callers make after this fill.
    m_refillQueued = false;
    m_treeModel->SetSelectedNode(node);
    m_listModel->Fill(node);
    if (!node)
        return;
    m_panels[2]->setText(FromField(node->Text()));
    m_trayTip = FromField(FolderPathTip(*node));
    emit TrayTipChanged(m_trayTip);
    UpdateItemCount();
}

void TMainForm::UpdateItemCount()
{
    m_panels[1]->setText(QStringLiteral("%1 item(s)").arg(m_listModel->rowCount()));
}

void TMainForm::RefreshFolderTitles()
{
    TreeNode* node = SelectedNode();
    if (!node)
        return;
    for (TreeNode* n = node->FirstChild(); n; n = n->NextSibling())
        if (n->Data())
            Tree().SetNodeText(*n, n->Data()->GetTitle());
    if (node->Data())
        Tree().SetNodeText(*node, node->Data()->GetTitle());
    m_panels[2]->setText(FromField(node->Text()));
}

void TMainForm::SetActivePane(Pane pane)
{
    m_activePane = pane;
}

QString TMainForm::ActivePaneName() const
{
    return m_activePane == Pane::Folders ? QStringLiteral("Folders") : QStringLiteral("MainItems");
}

QString TMainForm::StatusText(int panel) const
{
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

void TMainForm::StartLabelEdit(TreeNode& node)
{
    const QModelIndex index = m_treeModel->IndexOf(&node);
    m_folders->scrollTo(index);
    m_folders->edit(index);
}

void TMainForm::SelectNode(TreeNode& node)
{
    const QModelIndex index = m_treeModel->IndexOf(&node);
    m_folders->scrollTo(index);
    if (m_folders->currentIndex() == index)
        FoldersChange(&node);
    else
        m_folders->setCurrentIndex(index);
}

void TMainForm::ReselectNode(TreeNode& node)
{
    SelectNode(Tree().Root());
    SelectNode(node);
}

void TMainForm::UpOneLevel()
{
    TreeNode* node = SelectedNode();
    if (node && node->Parent())
        SelectNode(*node->Parent());
}

void TMainForm::OpenListEntry(const QModelIndex& index)
{
    if (TKPXObject* item = m_listModel->ItemAt(index.row()))
        item->OpenDefault();
}

TKPXObject* TMainForm::PopupTarget() const
{
    if (m_activePane == Pane::MainItems) {
        const QList<TKPXObject*> items = SelectedItems();
        if (!items.isEmpty())
            return items.first();
    }
    TreeNode* node = SelectedNode();
    return node ? node->Data() : nullptr;
}

void TMainForm::ConfigurePopup()
{
    const TKPXObject* target = PopupTarget();
    const PopupEntries entries = target ? target->SetupPopup() : PopupEntries().set(PopupOpen);
    for (int i = 0; i < 7; ++i)
        m_popupEntries[i]->setVisible(entries.test(static_cast<std::size_t>(i)));
}

void TMainForm::ShowListPopup(const QPoint& globalPos)
{
    m_listPopup->popup(globalPos);
}

void TMainForm::ListPaneOpen()
{
    if (m_activePane == Pane::Folders)
        return;
    const QList<TKPXObject*> items = SelectedItems();
    if (!items.isEmpty() && items.first()->GetTreeNode())
        SelectNode(*items.first()->GetTreeNode());
}

void TMainForm::ListPaneAdvance()
{
    if (TKPXObject* target = PopupTarget())
        target->AdvanceDate();
}

void TMainForm::ListPaneRename()
{
    if (m_activePane == Pane::MainItems) {
        QAbstractItemView* view = static_cast<QAbstractItemView*>(m_listStack->currentWidget());
        const std::vector<int> rows = SelectedEntryRows();
        if (!rows.empty())
            view->edit(m_listModel->index(rows.front(), 0));
    } else if (TreeNode* node = SelectedNode(); node && node->Parent()) {
        StartLabelEdit(*node);
    }
}

void TMainForm::SetListStyle(int style)
{
    if (style < 1 || style > 4)
        return;
    m_listStyle = style;
    m_styleMenu[style - 1]->setChecked(true);
    m_styleButtons[style - 1]->setChecked(true);
    if (style == 4) {
        m_listStack->setCurrentWidget(m_detailList);
        return;
    }
    const bool large = style == 1;
    m_iconList->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    m_iconList->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    m_iconList->setFlow(style == 3 ? QListView::TopToBottom : QListView::LeftToRight);
    m_iconList->setWrapping(true);
    m_iconList->setGridSize(large ? QSize(120, 72) : (style == 2 ? QSize(160, 20) : QSize()));
    m_iconList->setWordWrap(large);
    m_iconList->setTextElideMode(Qt::ElideRight);
    m_listStack->setCurrentWidget(m_iconList);
}

int TMainForm::TreePaneWidth() const
{
    return m_filterList->isHidden() ? m_folders->width() : m_filterList->width();
}

void TMainForm::SetTreePaneWidth(int width)
{
    (m_filterList->isHidden() ? m_folders : static_cast<QWidget*>(m_filterList))->setFixedWidth(std::max(0, width));
}

TWinSettings TMainForm::GetSettings() const
{
    // Left and Top place the frame (so 0,0 keeps the title bar on the screen); the size is the window's own.
    const QPoint frame = pos();
    const QHeaderView* header = m_detailList->header();
    return {frame.x(),
            frame.y(),
            width(),
            height(),
            m_folders->width(),
            m_listStyle,
            header->sectionSize(0),
            header->sectionSize(1),
            header->sectionSize(2)};
}

void TMainForm::ApplySettings(const TWinSettings& settings)
{
    resize(std::max(settings.Width, 100), std::max(settings.Height, 100));
    move(settings.Left, settings.Top);
    FitToScreen();
    m_folders->setFixedWidth(std::max(0, settings.Split));
    SetListStyle(settings.Style);
    QHeaderView* header = m_detailList->header();
    header->resizeSection(0, settings.ColPos1);
    header->resizeSection(1, settings.ColPos2);
    header->resizeSection(2, settings.ColPos3);
}

void TMainForm::FitToScreen()
{
    // The frame counts too; its size is known once the window is shown, so this is done again then.
    const QSize frame = frameGeometry().size() - size();
    ScreenArea area = AvailableScreenArea(pos());
    area.width -= frame.width();
    area.height -= frame.height();
    const TWinSettings fitted = FittedToScreen({x(), y(), width(), height()}, area);
    resize(fitted.Width, fitted.Height);
    move(fitted.Left, fitted.Top);
}

void TMainForm::ToggleMainWindow()
{
    ApplySettings(m_winState.Toggle(GetSettings()));
}

void TMainForm::SetStartupCommandLine(const QString& text)
{
    // A window shown while the data file was read waited for it: the command line is taken now.
    if (m_firstShow)
        m_pendingCommandLine = text;
    else
        QTimer::singleShot(0, this, [this, text] { HandleCommandLine(text, false); });
}

void TMainForm::HandleCommandLine(const QString& text, bool show)
{
    if (show) {
        showNormal();
        raise();
        activateWindow();
    }
    if (IsLoading()) { // the files go into the whole tree, once it is there
        connect(
            this, &TMainForm::LoadFinished, this, [this, text] { HandleCommandLine(text, false); },
            Qt::SingleShotConnection);
        return;
    }
    TreeNode* selected = SelectedNode();
    bool readAny = false;
    for (const std::string& element : CommandLineElements(text.toStdString()))
        readAny = ImportNamedFile(*this, element) || readAny;
    if (!readAny)
        return;
    SortEveryNode(Tree());
    SelectNode(selected ? *selected : Tree().Root());
}

bool TMainForm::SaveOnExit()
{
    // An end before the whole file was read writes nothing of the half tree.
    if (!IsLoading()) {
        // A last short round first: what it brings in is saved with the rest.
        Sync().FinishBeforeExit(ExitSyncBudget);
        if (!TExitSave(this, Tree(), Session(), [this] { return m_unattendedEnd; }).Run()) {
            Sync().SettingsChanged(); // back to the program: the automatic rounds go on
            return false;
        }
    }
    m_winState.SetCurrent(GetSettings());
    m_winState.Save(m_settings);
    m_tools->Save(m_settings);
    FlushSettingsAtExit();
    return true;
}

HelpWindow& TMainForm::Help()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    return *m_help;
}

void TMainForm::ShowAbout()
{
    QMessageBox box(this);
    box.setWindowTitle(QStringLiteral("About"));
    box.setIconPixmap(QApplication::windowIcon().pixmap(48, 48));
    box.setText(QStringLiteral("<b>Quillary</b>"));
    box.setInformativeText(QStringLiteral("Version 1.1 (May 1997)"));
    box.exec();
}

} // namespace quillary
