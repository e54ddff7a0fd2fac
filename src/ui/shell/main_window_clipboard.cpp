// SPDX-License-Identifier: GPL-3.0-or-later
// Main window commands on the tree: delete, cut, copy, paste, select all, save and revert, and
// the read-only state of a copy that must not write the data file.
#include "ui/shell/main_form.h"

#include "common/file_error.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_depth.h"
#include "platform/qt_clipboard.h"
#include "shell/data_file_session.h"
#include "shell/tree_commands.h"
#include "ui/questions.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"
#include "ui/text_codec.h"

#include <QDir>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTreeView>

namespace quillary {

namespace {
std::vector<TKPXObject*> Entries(const QList<TKPXObject*>& items)
{
    return {items.begin(), items.end()};
}
} // namespace

bool TMainForm::DeleteBtnClick(bool ask)
{
    TreeNode* node = SelectedNode();
    QString subject;
    if (m_activePane == Pane::MainItems) {
        const QList<TKPXObject*> items = SelectedItems();
        if (items.isEmpty() || !node)
            return false;
        subject = FromField(DeleteSubject({items.begin(), items.end()}));
    } else {
        if (!node || !node->Parent())
            return false; // nothing selected, or the root
        subject = FromField(node->Text());
    }
    if (ask && Questions::Ask(
                   this, QMessageBox::Question, QStringLiteral("Warning"), FromField(DeleteQuestion(ToField(subject))),
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No) != QMessageBox::Yes)
        return false;
    if (m_activePane == Pane::MainItems) {
        DeleteEntries(*node, Entries(SelectedItems()));
        FoldersChange(node);
    } else {
        TreeNode* parent = node->Parent();
        SelectNode(*parent);
        DeleteNodeItem(*node);
        FoldersChange(parent);
    }
    return true;
}

void TMainForm::CopyBtnClick()
{
    const QList<TKPXObject*> items = SelectedItems();
    if (m_activePane == Pane::MainItems && items.size() == 1 && items.first()->GetKind() >= KindAddress) {
        items.first()->CopyToClipboard();
        return;
    }
    std::string records;
    if (m_activePane == Pane::Folders) {
        if (TreeNode* node = SelectedNode())
            records = CopyNodeRecords(*node);
    } else if (!items.isEmpty()) {
        records = CopyEntryRecords(Entries(items));
    }
    if (!records.empty())
        QtClipboard::SetRecords(records);
}

void TMainForm::CutBtnClick()
{
    CopyBtnClick();
    DeleteBtnClick(false);
}

void TMainForm::PasteBtnClick()
{
    const std::optional<std::string> records = QtClipboard::Records();
    if (!records || records->empty())
        return;
    TreeNode& holder = HolderNode();
    const QString clipFile = QDir::current().filePath(QStringLiteral("clipdata.dat"));
    ReadReport report;
    PasteRecords(holder, *records, clipFile.toStdString(), &report);
    // The tree was read afresh by its view: select the holder again.
    SelectNode(holder);
    if (report.placedAtDepthLimit > 0)
        Questions::Tell(this, QMessageBox::Warning, QStringLiteral("Warning"),
                        FromField(PlacedAtDepthLimitText(report.placedAtDepthLimit)));
}

void TMainForm::SelectAll1Click()
{
    QAbstractItemView* view = static_cast<QAbstractItemView*>(m_listStack->currentWidget());
    view->setFocus();
    view->selectAll();
}

void TMainForm::Save1Click()
{
    if (IsLoading()) // disabled meanwhile: a half-read tree never replaces the file
        return;
    if (IsReadOnly()) {
        Questions::Tell(this, QMessageBox::Warning, QStringLiteral("Quillary"),
                        QStringLiteral("%1 is open read-only (%2), so Quillary does not save it.")
                            .arg(DataFile(), QString::fromStdString(Session().ReadOnlyReason())));
        return;
    }
    try {
        Session().Save(Tree());
    } catch (const FileError& error) {
        Questions::Tell(this, QMessageBox::Critical, QStringLiteral("Quillary"),
                        QStringLiteral("Your data could not be saved: %1.\nThe previous data file was kept.")
                            .arg(QString::fromStdString(error.what())));
    }
}

void TMainForm::Revert1Click()
{
    if (IsLoading())
        return;
    if (Questions::Ask(this, QMessageBox::Question, QStringLiteral("Revert to Saved"),
                       QStringLiteral("This option will lose all changes made during this session. Are you sure?"),
                       QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    std::string problem;
    if (!Session().Revert(Tree(), problem)) {
        Questions::Tell(this, QMessageBox::Critical, QStringLiteral("Revert to Saved"),
                        QStringLiteral("%1.\nNothing was changed.").arg(QString::fromLocal8Bit(problem.c_str())));
        return;
    }
    ShowWholeTree();
}

void TMainForm::ShowWholeTree()
{
    m_folders->expand(m_treeModel->IndexOf(&Tree().Root()));
    SelectNode(Tree().Root());
}

void TMainForm::SetReadOnly(const QString& reason)
{
    Session().SetReadOnly(reason.toStdString());
    // The desktop's way: what is shown, then the program's name.
    setWindowTitle(QStringLiteral("Read-only \u2014 Quillary"));
    if (!m_readOnlyPanel) {
        m_readOnlyPanel = new QLabel(QStringLiteral("Read-only"), this);
        m_readOnlyPanel->setObjectName(QStringLiteral("ReadOnlyPanel"));
        statusBar()->addPermanentWidget(m_readOnlyPanel);
    }
    m_readOnlyPanel->setToolTip(
        QStringLiteral("%1 is open read-only: %2. Quillary never saves it in this run.").arg(DataFile(), reason));
}

bool TMainForm::IsReadOnly() const
{
    return m_document.Session().IsReadOnly();
}

} // namespace quillary
