// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_window.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/kpx_object.h"
#include "platform/qt_clipboard.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/main_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

using namespace quillary;

namespace {

const QByteArray Sample = "{Params}\r\n"
                          "{0 11 }My Contacts~~~~~~32892645\r\n"
                          "{1 0 }Clients~~~~~~1\r\n{Fold}0\r\n"
                          "{2 3 }Sonja Berg~~~~~~2\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                          "{3 6 }Home~~555~~~~3\r\n{Phon}~~0\r\n"
                          "{3 6 }Work~~556~~~~4\r\n{Phon}~~0\r\n"
                          "{2 3 }Mason Sonny~~~~~~5\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                          "{1 0 }Friends~~~~~~6\r\n{Fold}0\r\n"
                          "{2 3 }Anna Sonnleitner~~~~~~7\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n";

QStringList ListTitles(TMainForm& form)
{
    QStringList titles;
    for (int row = 0; row < form.ListModel().rowCount(); ++row)
        titles.append(form.ListModel().index(row, 0).data().toString());
    return titles;
}

TreeNode* Find(ItemTree& tree, const std::string& text)
{
    for (int i = 0; i < tree.NodeCount(); ++i)
        if (tree.NodeAt(i)->Text() == text)
            return tree.NodeAt(i);
    return nullptr;
}

QAbstractItemView* ListView(TMainForm& form)
{
    for (auto* view : form.findChildren<QAbstractItemView*>())
        if (view->model() == &form.ListModel() && view->isVisibleTo(&form))
            return view;
    return nullptr;
}

void SelectEntries(TMainForm& form, const QStringList& titles)
{
    QAbstractItemView* view = ListView(form);
    view->clearSelection();
    for (int row = 0; row < form.ListModel().rowCount(); ++row)
        if (titles.contains(form.ListModel().index(row, 0).data().toString()))
            view->selectionModel()->select(form.ListModel().index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    form.SetActivePane(TMainForm::Pane::MainItems);
}

} // namespace

class MainWindowCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        QFile file(m_dir->filePath(QStringLiteral("zelk.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Sample);
        file.close();
        m_settings = std::make_unique<TProfileFile>(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, m_dir->filePath(QStringLiteral("zelk.dat")));
        m_form->show();
        QVERIFY(!m_form->Tree().HasUnsavedChanges()); // reading and showing the file changes nothing
        m_questions.clear();
    }

    void cleanup()
    {
        Questions::SetHook({});
        m_form.reset();
    }

    void deleteAsksAndOnlyYesDeletes()
    {
        ItemTree& tree = m_form->Tree();
        m_form->SelectNode(*Find(tree, "Sonja Berg"));
        SelectEntries(*m_form, {"Home", "Work"});
        Answer(QMessageBox::No);
        QVERIFY(!m_form->DeleteBtnClick(true));
        QCOMPARE(m_questions,
                 QStringList{"Warning: Are you sure you want to delete the 2 selected items and all sub-items?"});
        QCOMPARE(ListTitles(*m_form), (QStringList{"Home", "Work"}));
        Answer(QMessageBox::Yes);
        QVERIFY(m_form->DeleteBtnClick(true));
        QVERIFY(ListTitles(*m_form).isEmpty());
    }

    void cutOfOnePhonePutsRecordAndTextOnTheClipboard()
    {
        m_form->SelectNode(*Find(m_form->Tree(), "Sonja Berg"));
        SelectEntries(*m_form, {"Home"});
        Answer(QMessageBox::No); // Cut never asks: any question would stop the delete
        m_form->CutBtnClick();
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(ListTitles(*m_form), QStringList{"Work"});
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->text(), QStringLiteral("555"));
        QCOMPARE(QtClipboard::Records().value_or(""), std::string("{1 6 }Home~~555~~~~3\r\n{Phon}~~0"));
    }

    void copyAFolderAndPasteItElsewhere()
    {
        ItemTree& tree = m_form->Tree();
        m_form->SelectNode(*Find(tree, "Clients"));
        m_form->SetActivePane(TMainForm::Pane::Folders);
        m_form->CopyBtnClick();
        m_form->SelectNode(*Find(tree, "Friends"));
        m_form->PasteBtnClick();
        TreeNode& friends = *Find(tree, "Friends");
        QCOMPARE(ListTitles(*m_form), (QStringList{"Clients", "Anna Sonnleitner"}));
        TreeNode& copy = *friends.ChildAt(0);
        QCOMPARE(copy.ChildCount(), 2);
        const TreeNode* sonja = copy.ChildAt(0)->Text() == "Sonja Berg" ? copy.ChildAt(0) : copy.ChildAt(1);
        QCOMPARE(sonja->Text(), std::string("Sonja Berg"));
        QCOMPARE(sonja->Data()->ChildCount(), 2); // she keeps her phones
        QVERIFY(QFile::exists(QDir::current().filePath(QStringLiteral("clipdata.dat"))));
    }

    void pasteWithOnlyPlainTextDoesNothing()
    {
        QApplication::clipboard()->setText(QStringLiteral("{1 0 }Not from us~~~~~~1"));
        const int before = m_form->Tree().NodeCount();
        m_form->PasteBtnClick();
        QCOMPARE(m_form->Tree().NodeCount(), before);
    }

    void revertAsksThenReloadsTheFile()
    {
        ItemTree& tree = m_form->Tree();
        CreateItem(KindFolder, "Unsaved", "", "", tree.Root(), "", 0);
        Answer(QMessageBox::Cancel);
        m_form->Revert1Click();
        QVERIFY(Find(tree, "Unsaved"));
        QCOMPARE(m_questions.last(),
                 QStringLiteral(
                     "Revert to Saved: This option will lose all changes made during this session. Are you sure?"));
        Answer(QMessageBox::Ok);
        m_form->Revert1Click();
        QVERIFY(!Find(tree, "Unsaved"));
        QCOMPARE(tree.NodeCount(), 6);
        QCOMPARE(m_form->SelectedNode(), &tree.Root());
    }

    void findVisitsWordStartsInTreeOrderAndWraps()
    {
        ItemTree& tree = m_form->Tree();
        m_form->SelectNode(tree.Root());
        QStringList found;
        for (int i = 0; i < 3; ++i) {
            m_form->Locate(QStringLiteral("SON"));
            const QModelIndexList rows = ListView(*m_form)->selectionModel()->selectedRows();
            found.append(rows.isEmpty() ? QString() : rows.first().data().toString());
        }
        // Mason Sonny is passed over: the first "son" in it lies inside "Mason".
        QCOMPARE(found, (QStringList{"Sonja Berg", "Anna Sonnleitner", "Sonja Berg"}));
    }

    void findMatchesContactDetails()
    {
        m_form->SelectNode(m_form->Tree().Root());
        m_form->Locate(QStringLiteral("work"));
        QCOMPARE(m_form->SelectedNode(), Find(m_form->Tree(), "Sonja Berg"));
        QCOMPARE(ListView(*m_form)->selectionModel()->selectedRows().first().data().toString(), QStringLiteral("Work"));
    }

    void filterButtonsSwapThePanesAndNarrowTheList()
    {
        ItemTree& tree = m_form->Tree();
        Find(tree, "Clients")->Data()->SetCategories(static_cast<std::int32_t>(CategoryBit(32)));
        m_form->SelectNode(tree.Root());
        auto* filterList = m_form->findChild<QListWidget*>(QStringLiteral("FilterListBox"));
        auto* folders = m_form->findChild<QTreeView*>(QStringLiteral("Folders"));
        QAction* any = nullptr;
        for (QAction* action : m_form->findChildren<QAction*>())
            if (action->toolTip() == QStringLiteral("Filter") && action->statusTip().contains(QStringLiteral("ANY")))
                any = action;
        QVERIFY(any);
        any->trigger();
        QVERIFY(!filterList->isHidden());
        QVERIFY(folders->isHidden());
        QCOMPARE(ListTitles(*m_form), (QStringList{"Clients", "Friends"})); // nothing ticked: nothing hidden
        filterList->item(31)->setCheckState(Qt::Checked);
        QCOMPARE(ListTitles(*m_form), QStringList{"Clients"});
        any->trigger(); // up again: the tree comes back and nothing is hidden
        QVERIFY(filterList->isHidden());
        QVERIFY(!folders->isHidden());
        QCOMPARE(ListTitles(*m_form), (QStringList{"Clients", "Friends"}));
    }

    void newPersonAcceptedAndCancelled()
    {
        ItemTree& tree = m_form->Tree();
        m_form->SelectNode(tree.Root());
        const int before = tree.NodeCount();
        CloseNextDialog(false);
        m_form->NewItemCommand(KindPerson);
        QCOMPARE(tree.NodeCount(), before); // cancelled: no trace
        CloseNextDialog(true, QStringLiteral("Jane Doe"));
        m_form->NewItemCommand(KindPerson);
        QCOMPARE(tree.NodeCount(), before + 1);
        QVERIFY(Find(tree, "Jane Doe"));
    }

    void dropsMoveNodesButNeverIntoTheirOwnSubtree()
    {
        ItemTree& tree = m_form->Tree();
        TreeNode& clients = *Find(tree, "Clients");
        TreeNode& sonja = *Find(tree, "Sonja Berg");
        m_form->SelectNode(clients);
        QMimeData* data = m_form->TreeModel().mimeData({});
        m_form->TreeModel().dropMimeData(data, Qt::MoveAction, -1, 0, m_form->TreeModel().IndexOf(&sonja));
        QCOMPARE(sonja.Parent(), &clients); // onto its own child: nothing changes
        TreeNode& friends = *Find(tree, "Friends");
        m_form->SelectNode(sonja);
        m_form->TreeModel().dropMimeData(data, Qt::MoveAction, -1, 0, m_form->TreeModel().IndexOf(&friends));
        QCOMPARE(sonja.Parent(), &friends);
        delete data;
    }

    void filesFromTheFileManagerMakeOneDocument()
    {
        m_form->SelectNode(*Find(m_form->Tree(), "Friends"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/home/u/Letter.odt")),
                      QUrl::fromLocalFile(QStringLiteral("/home/u/b.pdf")),
                      QUrl::fromLocalFile(QStringLiteral("/home/u/c.txt"))});
        m_form->ListModel().dropMimeData(&data, Qt::CopyAction, -1, 0, {});
        QCOMPARE(ListTitles(*m_form), (QStringList{"Anna Sonnleitner", "Letter.odt"}));
    }

    void aDocumentDroppedOnAContactAsksForFaxThenMail()
    {
        ItemTree& tree = m_form->Tree();
        TreeNode& clients = *Find(tree, "Clients");
        auto* sonja = static_cast<TPartyObject*>(Find(tree, "Sonja Berg")->Data());
        CreateItem(KindFax, "Fax", "555-9", "", *sonja->GetTreeNode(), "", 0);
        CreateItem(KindEMail, "Mail", "s@b.example", "", *sonja->GetTreeNode(), "", 0);
        sonja->SetPrimary(TPartyObject::SlotFax, "Fax");
        sonja->SetPrimary(TPartyObject::SlotEMail, "Mail");
        CreateItem(KindDocument, "Offer", "/home/u/offer.pdf", "", clients, "", 0);
        m_form->SelectNode(clients);
        SelectEntries(*m_form, {"Offer"});
        Answer(QMessageBox::No);
        m_form->DocumentDroppedOn(sonja);
        QCOMPARE(m_questions, (QStringList{"Confirm: Send document via Fax to Sonja Berg?",
                                           "Confirm: Send document as an E-Mail attachment to Sonja Berg?"}));
    }

private:
    void Answer(QMessageBox::StandardButton answer)
    {
        Questions::SetHook([this, answer](const QString& caption, const QString& text) {
            m_questions.append(caption + QStringLiteral(": ") + text);
            return answer;
        });
    }

    // Answers the next modal dialog: OK after typing a title, or Cancel.
    static void CloseNextDialog(bool accept, const QString& title = {})
    {
        QTimer::singleShot(0, [accept, title] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Title")); edit && accept)
                edit->setText(title);
            accept ? dialog->accept() : dialog->reject();
        });
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_questions;
};

QTEST_MAIN(MainWindowCommandsTest)
#include "main_window_commands_test.moc"
