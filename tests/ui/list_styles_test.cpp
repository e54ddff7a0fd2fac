// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: entries chosen by a click on the real view in each of the
// four list styles, then every command through its key, its menu entry or the pop-up menu.
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "platform/qt_clipboard.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/main_form.h"

#include "main_window_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace quillary;

namespace {

const QByteArray Sample = "{Params}\r\n"
                          "{0 11 }My Contacts~~~~~~32892645\r\n"
                          "{1 0 }Clients~~~~~~1\r\n{Fold}0\r\n"
                          "{2 0 }Archive~~~~~~2\r\n{Fold}0\r\n"
                          "{3 3 }Old Friend~~~~~~3\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                          "{2 3 }Mason Sonny~~~~~~4\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                          "{1 3 }Sonja Berg~~~~~~5\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                          "{2 7 }Mail~~s@x.org~~~~6\r\n{Mail}0\r\n"
                          "{2 6 }Home~~555-0101~~~~7\r\n{Phon}~~0\r\n"
                          "{2 8 }Fax~~555-0199~~~~8\r\n{Faxs}0\r\n"
                          "{2 10 }Accounts~~/etc/hosts~~~~9\r\n{Docs}0\r\n"
                          "{2 4 }Site~~https://example.org/~~~~10\r\n{Webs}0\r\n"
                          "{2 9 }Renew~~~~~~11\r\n{Remd}2030,1,15,5~~0\r\n";

const char* const StyleNames[] = {"large icons", "small icons", "list", "details"};

// Takes what would go to the desktop's handlers.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QStringList urls;

public slots:
    void open(const QUrl& url) { urls.append(url.toString(QUrl::FullyEncoded)); }
};

} // namespace

class ListStylesTest : public QObject
{
    Q_OBJECT

    MainWindowFixture m_window;
    TMainForm* m_form = nullptr;
    UrlCatcher m_catcher;
    QStringList m_questions;

    QAbstractItemView* View()
    {
        for (auto* view : m_form->findChildren<QAbstractItemView*>())
            if (view->model() == &m_form->ListModel() && view->isVisible())
                return view;
        return nullptr;
    }

    QModelIndex Entry(const QString& title)
    {
        for (int row = 0; row < m_form->ListModel().rowCount(); ++row)
            if (m_form->ListModel().index(row, 0).data().toString() == title)
                return m_form->ListModel().index(row, 0);
        return {};
    }

    QStringList Titles()
    {
        QStringList titles;
        for (int row = 0; row < m_form->ListModel().rowCount(); ++row)
            titles << m_form->ListModel().index(row, 0).data().toString();
        return titles;
    }

    TreeNode* Node(const std::string& text)
    {
        for (int i = 0; i < m_form->Tree().NodeCount(); ++i)
            if (m_form->Tree().NodeAt(i)->Text() == text)
                return m_form->Tree().NodeAt(i);
        return nullptr;
    }

    // A click on the entry where the view draws it, as a user makes it.
    void Click(const QString& title, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QAbstractItemView* view = View();
        const QModelIndex index = Entry(title);
        QVERIFY2(index.isValid(), qPrintable(title));
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), button, modifiers, view->visualRect(index).center());
    }

    // Runs action while a modal dialog opens: the dialog's class is recorded and it is cancelled.
    QString DialogDuring(const std::function<void()>& action)
    {
        QString opened;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened = QString::fromLatin1(dialog->metaObject()->className());
                dialog->reject();
            }
        });
        poll.start(10);
        action();
        return opened;
    }

    // The in-place editor the view has open, once the editors it closed before have gone.
    static QLineEdit* EditorIn(QAbstractItemView& view)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (auto* editor : view.viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }

    // Return in an in-place editor; the view takes the text once the key has been handled.
    static void Commit(QLineEdit& editor)
    {
        QTest::keyClick(&editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    QString LastQuestion() const { return m_questions.isEmpty() ? QString() : m_questions.last(); }

    QAction* PopupEntry(const QString& caption)
    {
        for (QAction* action : m_form->ListPopup().actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }

    // The pop-up entries a right-click on the entry shows.
    QStringList PopupFor(const QString& title)
    {
        // A right-button click, then the context-menu event the window system sends with it.
        Click(title, {}, Qt::RightButton);
        const QPoint at = View()->visualRect(Entry(title)).center();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, View()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(View()->viewport(), &menu);
        QStringList shown;
        for (QAction* action : m_form->ListPopup().actions().mid(0, 7))
            if (action->isVisible())
                shown << action->text();
        m_form->ListPopup().close();
        // The offscreen platform does not hand the activation back by itself when a menu closes.
        m_form->activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(m_form));
        return shown;
    }

    void ShowStyle(int style)
    {
        m_form->SetListStyle(style);
        m_form->SelectNode(*Node("Sonja Berg"));
        QVERIFY(View());
    }

private slots:
    void initTestCase()
    {
        for (const char* scheme : {"mailto", "tel", "file", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_catcher, "open");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"mailto", "tel", "file", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void init()
    {
        m_window.Open(Sample);
        m_form = m_window.form.get();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        m_catcher.urls.clear();
        m_questions.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_questions << caption + QStringLiteral(": ") + text;
            return QMessageBox::Yes;
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        m_window.form.reset();
    }

    void commandsActOnTheClickedEntry_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 1; style <= 4; ++style)
            QTest::newRow(StyleNames[style - 1]) << style;
    }

    void commandsActOnTheClickedEntry()
    {
        QFETCH(int, style);
        ShowStyle(style);

        Click(QStringLiteral("Home"));
        QCOMPARE(m_form->SelectedItems().size(), 1);
        QTest::keyClick(View(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QtClipboard::Records().value_or("").find("}Home~~555-0101") != std::string::npos);
        QCOMPARE(DialogDuring([&] { PopupEntry(QStringLiteral("&Properties"))->trigger(); }),
                 QStringLiteral("quillary::TPhoneEditDlg"));
        // Cancelled, the dialog leaves its entry selected for the next command.
        QCOMPARE(m_form->SelectedItems().size(), 1);
        QCOMPARE(m_form->SelectedItems().front()->GetTitle(), std::string("Home"));

        // The pop-up offers what the clicked entry can do, and does it for that entry.
        const QStringList site = PopupFor(QStringLiteral("Site"));
        QVERIFY(site.contains(QStringLiteral("&Browse")) && !site.contains(QStringLiteral("&Dial")));
        QVERIFY(PopupFor(QStringLiteral("Accounts")).contains(QStringLiteral("&Launch")));
        QVERIFY(PopupFor(QStringLiteral("Renew")).contains(QStringLiteral("&Advance Date")));
        QVERIFY(PopupFor(QStringLiteral("Mail")).contains(QStringLiteral("Send &Mail")));
        QVERIFY(PopupFor(QStringLiteral("Fax")).contains(QStringLiteral("Send &Fax")));
        QVERIFY(PopupFor(QStringLiteral("Home")).contains(QStringLiteral("&Dial")));
        PopupEntry(QStringLiteral("&Dial"))->trigger();
        QCOMPARE(m_catcher.urls.size(), 1);
        QVERIFY(m_catcher.urls.front().startsWith(QStringLiteral("tel:")));
        Click(QStringLiteral("Site"));
        PopupEntry(QStringLiteral("&Browse"))->trigger();
        QCOMPARE(m_catcher.urls.back(), QStringLiteral("https://example.org/"));

        // Delete through Shift+Del and through the plain Delete key; Cut through Ctrl+X.
        Click(QStringLiteral("Fax"));
        QTest::keyClick(View(), Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(LastQuestion(), QStringLiteral("Warning: Are you sure you want to delete Fax and all sub-items?"));
        Click(QStringLiteral("Mail"));
        QTest::keyClick(View(), Qt::Key_Delete);
        QCOMPARE(LastQuestion(), QStringLiteral("Warning: Are you sure you want to delete Mail and all sub-items?"));
        Click(QStringLiteral("Accounts"));
        QTest::keyClick(View(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m_questions.size(), 2); // Cut asks nothing
        QCOMPARE(Titles(), (QStringList{QStringLiteral("Home"), QStringLiteral("Renew"), QStringLiteral("Site")}));
        QVERIFY(QtClipboard::Records().value_or("").find("}Accounts~~") != std::string::npos);

        // Two entries chosen with Ctrl and a click are both deleted.
        Click(QStringLiteral("Home"));
        Click(QStringLiteral("Site"), Qt::ControlModifier);
        QCOMPARE(m_form->SelectedItems().size(), 2);
        QTest::keyClick(View(), Qt::Key_Delete);
        QCOMPARE(LastQuestion(),
                 QStringLiteral("Warning: Are you sure you want to delete the 2 selected items and all sub-items?"));
        QCOMPARE(Titles(), QStringList{QStringLiteral("Renew")});
    }

    void openAndFindActOnTheClickedEntry_data() { commandsActOnTheClickedEntry_data(); }

    void openAndFindActOnTheClickedEntry()
    {
        QFETCH(int, style);
        m_form->SetListStyle(style);
        m_form->SelectNode(m_form->Tree().Root());
        Click(QStringLiteral("Clients"));
        QTest::keyClick(View(), Qt::Key_Return);
        QCOMPARE(m_form->SelectedNode(), Node("Clients"));
        Click(QStringLiteral("Archive"));
        PopupEntry(QStringLiteral("&Open"))->trigger();
        QCOMPARE(m_form->SelectedNode(), Node("Archive"));
        m_form->SelectNode(m_form->Tree().Root());
        const QPoint sonja = View()->visualRect(Entry(QStringLiteral("Sonja Berg"))).center();
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, sonja);
        QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, sonja);
        QCOMPARE(m_form->SelectedNode(), Node("Sonja Berg"));

        // Find selects the entry it found; the next command acts on that entry.
        QVERIFY(m_form->Locate(QStringLiteral("Renew")));
        QCOMPARE(m_form->SelectedItems().size(), 1);
        QCOMPARE(QString::fromStdString(m_form->SelectedItems().front()->GetTitle()), QStringLiteral("Renew"));
        QTest::keyClick(View(), Qt::Key_Delete);
        QCOMPARE(LastQuestion(), QStringLiteral("Warning: Are you sure you want to delete Renew and all sub-items?"));
        QVERIFY(!Titles().contains(QStringLiteral("Renew")));
    }

    void droppedEntriesMoveAndTheWindowStaysWhole()
    {
        QTreeView& folders = m_form->FoldersView();
        folders.expand(m_form->TreeModel().IndexOf(Node("Clients")));
        folders.expand(m_form->TreeModel().IndexOf(Node("Archive")));
        m_form->SetListStyle(1);
        m_form->SelectNode(*Node("Sonja Berg"));
        Click(QStringLiteral("Home"));
        Click(QStringLiteral("Fax"), Qt::ControlModifier);
        QMimeData entries;
        entries.setData(FolderTreeModel::EntriesMimeType(), QByteArray());
        m_form->TreeModel().dropMimeData(&entries, Qt::MoveAction, -1, -1,
                                         m_form->TreeModel().IndexOf(Node("Archive")));
        QCoreApplication::processEvents();

        QVERIFY(folders.isExpanded(m_form->TreeModel().IndexOf(Node("Clients"))));
        QVERIFY(folders.isExpanded(m_form->TreeModel().IndexOf(Node("Archive"))));
        QCOMPARE(m_form->SelectedNode(), Node("Sonja Berg"));
        QCOMPARE(m_form->TreeModel().NodeAt(folders.currentIndex()), Node("Sonja Berg"));
        QVERIFY(!Titles().contains(QStringLiteral("Home")) && !Titles().contains(QStringLiteral("Fax")));
        QCOMPARE(m_form->StatusText(1), QStringLiteral("%1 item(s)").arg(Titles().size()));
        QCOMPARE(m_form->StatusText(2), QStringLiteral("Sonja Berg"));
        m_form->SelectNode(*Node("Archive"));
        QVERIFY(Titles().contains(QStringLiteral("Home")) && Titles().contains(QStringLiteral("Fax")));

        // A file handed over from a second start is read in; the tree looks as before.
        m_form->SelectNode(*Node("Old Friend"));
        QFile zkd(m_window.dir->filePath(QStringLiteral("more.zkd")));
        QVERIFY(zkd.open(QIODevice::WriteOnly));
        zkd.write("{1 0 }Handed Over~~~~~~0\r\n{Fold}0\r\n");
        zkd.close();
        m_form->HandleCommandLine(QStringLiteral("quillary ") + zkd.fileName(), false);
        QCoreApplication::processEvents();
        QVERIFY(Node("Handed Over"));
        QVERIFY(folders.isExpanded(m_form->TreeModel().IndexOf(Node("Archive"))));
        QCOMPARE(m_form->SelectedNode(), Node("Old Friend"));
    }

    void newEntryKeysWorkWithTheListFocused_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("Ctrl+A address") << int(Qt::Key_A) << QStringLiteral("quillary::TEditAddressDlg");
        QTest::newRow("Ctrl+E e-mail") << int(Qt::Key_E) << QStringLiteral("quillary::TEMailEditDlg");
        QTest::newRow("Ctrl+N phone") << int(Qt::Key_N) << QStringLiteral("quillary::TPhoneEditDlg");
        QTest::newRow("Ctrl+F fax") << int(Qt::Key_F) << QStringLiteral("quillary::TFaxEditDlg");
        QTest::newRow("Ctrl+R reminder") << int(Qt::Key_R) << QStringLiteral("quillary::TRemdDlg");
        QTest::newRow("Ctrl+D document") << int(Qt::Key_D) << QStringLiteral("quillary::TDocEditDlg");
        QTest::newRow("Ctrl+W website") << int(Qt::Key_W) << QStringLiteral("quillary::TWebSiteDlg");
    }

    void newEntryKeysWorkWithTheListFocused()
    {
        QFETCH(int, key);
        QFETCH(QString, dialog);
        ShowStyle(1);
        Click(QStringLiteral("Home"));
        QVERIFY(View()->hasFocus());
        const int before = m_form->ListModel().rowCount();
        // The key reaches the window's command, not the view's own select-all.
        QCOMPARE(DialogDuring([&] { QTest::keyClick(View(), Qt::Key(key), Qt::ControlModifier); }), dialog);
        QTRY_COMPARE(m_form->ListModel().rowCount(), before); // cancelled: nothing was added
    }

    void renamingInPlaceRefusesAnEmptyTitle()
    {
        ShowStyle(1);
        Click(QStringLiteral("Home"));
        QTest::keyClick(View(), Qt::Key_F2);
        QLineEdit* editor = EditorIn(*View());
        QVERIFY(editor);
        editor->clear();
        Commit(*editor);
        QVERIFY(Titles().contains(QStringLiteral("Home")));

        // The tree's labels likewise.
        QTreeView& folders = m_form->FoldersView();
        m_form->SelectNode(*Node("Sonja Berg"));
        folders.setFocus();
        QTest::keyClick(&folders, Qt::Key_F2);
        editor = EditorIn(folders);
        QVERIFY(editor);
        editor->setText(QStringLiteral("   "));
        Commit(*editor);
        QVERIFY(Node("Sonja Berg"));

        // A new folder is named in place, and the list shows the name it was given.
        m_form->SelectNode(*Node("Clients"));
        m_form->NewItemCommand(KindFolder);
        editor = EditorIn(folders);
        QVERIFY(editor);
        QSignalSpy listReset(&m_form->ListModel(), &QAbstractItemModel::modelReset);
        editor->setText(QStringLiteral("Bids"));
        Commit(*editor);
        QVERIFY(Node("Bids"));
        QTRY_VERIFY(listReset.count() > 0); // the list is filled again, so it shows the new name
        QVERIFY(Titles().contains(QStringLiteral("Bids")));
    }

    void saveAndExitHaveTheirKeys()
    {
        ShowStyle(4);
        Click(QStringLiteral("Home"));
        QTest::keyClick(View(), Qt::Key_Delete);
        QTest::keyClick(View(), Qt::Key_S, Qt::ControlModifier);
        QFile saved(m_window.dir->filePath(QStringLiteral("zelk.dat")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(!saved.readAll().contains("}Home~~555-0101"));
        QSignalSpy exit(m_form, &TMainForm::ExitRequested);
        QTest::keyClick(View(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(exit.count(), 1);
    }

    void aFindWithoutAMatchSaysSo()
    {
        QVERIFY(!m_form->Locate(QStringLiteral("Nobody Here")));
        QCOMPARE(m_form->StatusText(0), QStringLiteral("No title containing \"Nobody Here\" was found."));
    }
};

QTEST_MAIN(ListStylesTest)
#include "list_styles_test.moc"
