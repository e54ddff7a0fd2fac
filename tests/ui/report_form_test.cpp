// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_window.h"

#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/kpx_object.h"
#include "model/tree_node.h"
#include "reports/page_settings.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/reports/inch_edit.h"
#include "ui/reports/report_form.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/main_form.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <sstream>

using namespace quillary;

namespace {

const QByteArray Sample = "{Params}\r\n"
                          "{0 11 }My Contacts~~~~~~1\r\n"
                          "{1 0 }Friends~~~~~~2\r\n{Fold}0\r\n"
                          "{2 3 }Jo Bloggs~~Ms. Jo Q Bloggs~~~~3\r\n"
                          "{Pers}Ms.~~Jo~~Q~~Bloggs~~Home~~~~~~~~~~0\r\n"
                          "{3 5 }Work~~9 Mill Rd~~~~4\r\n{Addr}9 Mill Rd~~~~~~York~~~~YO1~~UK~~0\r\n"
                          "{3 5 }Home~~1 High St~~~~5\r\n{Addr}1 High St~~~~Flat 2~~Leeds~~W Yorks~~LS1 1AA~~UK~~0\r\n"
                          "{1 1 }Acme~~~~~~6\r\n{Orgn}Office~~~~~~~~~~0\r\n"
                          "{2 5 }Office~~2 Dock St~~~~7\r\n{Addr}2 Dock St~~~~~~Hull~~~~HU1~~UK~~0\r\n";

const QStringList JoAtHome = {"Ms. Jo Q Bloggs", "1 High St", "Flat 2", "Leeds, W Yorks", "LS1 1AA UK"};

template <class Widget> Widget* Child(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

QStringList Lines(const QPlainTextEdit* memo)
{
    return memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The item list as the window shows it now (icons or details).
QAbstractItemView* ListView(TMainForm& window)
{
    for (auto* candidate : window.findChildren<QAbstractItemView*>())
        if (candidate->model() == &window.ListModel() && candidate->isVisibleTo(&window))
            return candidate;
    return nullptr;
}

TreeNode* FindNode(TreeNode& node, const std::string& text)
{
    if (node.Text() == text)
        return &node;
    for (int i = 0; i < node.ChildCount(); ++i)
        if (TreeNode* found = FindNode(*node.ChildAt(i), text))
            return found;
    return nullptr;
}

} // namespace

class ReportFormTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ItemTree> m_tree;
    QStringList m_messages;

    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_window;

    // The main window on the sample data file, shown.
    TMainForm& ShowWindow()
    {
        QFile data(QDir::current().filePath(QStringLiteral("zelk.dat")));
        if (data.open(QIODevice::WriteOnly))
            data.write(Sample);
        data.close();
        m_settings = std::make_unique<TProfileFile>(QDir::current().filePath(QStringLiteral("kpx.ini")).toStdString());
        m_window = std::make_unique<DesktopWindow>(*m_settings, data.fileName());
        m_window->show();
        return *m_window;
    }

    TKPXObject* Jo() { return FindNode(m_tree->Root(), "Jo Bloggs")->Data(); }
    TKPXObject* JoHome() { return Jo()->FindChild("Home", 5); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        m_tree = std::make_unique<ItemTree>();
        std::istringstream in(Sample.toStdString());
        LoadDataStream(in, m_tree->Root());
        m_messages.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_messages.append(caption + QStringLiteral(": ") + text);
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        m_window.reset();
        m_settings.reset();
        Questions::SetHook({});
        m_tree.reset();
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }

    void startsWithTheFirstSheetAndTheShownDefaults()
    {
        TReportForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Print Reports"));
        auto* labels = Child<QListWidget>(form, "LabelList");
        QCOMPARE(labels->count(), 18);
        QCOMPARE(labels->currentRow(), 0);
        QCOMPARE(Child<InchEdit>(form, "TopEdit")->displayText(), QStringLiteral("0.58 \""));
        QCOMPARE(Child<InchEdit>(form, "HPitchEdit")->displayText(), QStringLiteral("3.75 \""));
        QCOMPARE(Child<InchEdit>(form, "TopMargin1")->displayText(), QStringLiteral("0.5 \""));
        QCOMPARE(Child<InchEdit>(form, "Gutter")->displayText(), QStringLiteral("1.0 \""));
        QCOMPARE(Child<QComboBox>(form, "EnvSize")->currentText(), QStringLiteral("#10 Env (4.125 x 9.5 in)"));
        QCOMPARE(Child<QGroupBox>(form, "PeopleReportSheet")->title(), QStringLiteral("People && Organization List"));

        const ListOptions list = form.ListSettings();
        QCOMPARE(list.title, std::string("Contact List"));
        QCOMPARE(list.topMargin, 5);
        QCOMPARE(list.bottomMargin, 5);
        QCOMPARE(list.leftMargin, 0);
        QVERIFY(!list.landscape);
        QCOMPARE(list.font.family, std::string("Arial"));
        QVERIFY(!list.date.empty());
        const BookOptions book = form.BookSettings();
        QCOMPARE(book.columns, 1);
        QCOMPARE(book.gutter, 10);
    }

    void labelSheetFillsTheFieldsAndIsReadBack()
    {
        TReportForm form;
        auto* labels = Child<QListWidget>(form, "LabelList");
        const auto rows = labels->findItems(QStringLiteral("Avery 5160-Address"), Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        labels->setCurrentItem(rows.first());
        QStringList shown;
        for (const char* name : {"TopEdit", "SideEdit", "HeightEdit", "WidthEdit", "HPitchEdit", "VPitchEdit"})
            shown << Child<InchEdit>(form, name)->displayText();
        QCOMPARE(shown, QStringList({"0.50 \"", "0.19 \"", "1.00 \"", "2.63 \"", "2.75 \"", "1.00 \""}));
        QCOMPARE(Child<QSpinBox>(form, "NumAcross")->value(), 3);

        LabelSheet sheet = form.ChosenLabelSheet();
        QCOMPARE(sheet.name, std::string_view("Avery 5160-Address"));
        QCOMPARE((std::array{sheet.topMargin, sheet.sideMargin, sheet.width, sheet.height, sheet.horizontalPitch,
                             sheet.verticalPitch, sheet.across}),
                 (std::array{50, 19, 263, 100, 275, 100, 3}));

        // Edited numbers are what is printed; a blank digit counts as 0 in its place.
        auto* top = Child<InchEdit>(form, "TopEdit");
        top->setText(QStringLiteral("2"));
        QCOMPARE(top->displayText(), QStringLiteral("2.__ \""));
        QCOMPARE(form.ChosenLabelSheet().topMargin, 200);
        // Clicking the sheet again restores its numbers.
        emit labels->itemClicked(rows.first());
        QCOMPARE(form.ChosenLabelSheet().topMargin, 50);
    }

    void labelTypeFaceIsSizedForFiveLinesUntilChosen()
    {
        TReportForm form;
        auto* labels = Child<QListWidget>(form, "LabelList");
        const auto choose = [&](const char* name) {
            const auto rows = labels->findItems(QString::fromLatin1(name), Qt::MatchExactly);
            QCOMPARE(rows.size(), 1);
            QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, labels->visualItemRect(rows.first()).center());
        };
        form.show();
        choose("Avery 5160-Address"); // 1 inch high
        QCOMPARE(form.LabelFont().points, 10);
        QCOMPARE(Child<QLabel>(form, "LabelText")->font().pointSize(), 10);
        QCOMPARE(form.LabelFont().family, std::string("Arial"));
        choose("Avery 5162-Address"); // 1.33 inches
        QCOMPARE(form.LabelFont().points, 12);
        Child<InchEdit>(form, "HeightEdit")->SetValue(75);
        QCOMPARE(form.LabelFont().points, 7);
        QCOMPARE(Child<QLabel>(form, "LabelText")->font().pointSize(), 7);
    }

    void previewTellsOfLinesLeftOffTheLabels()
    {
        // A third address line makes Jo's label six lines: one more than a 1-inch label holds.
        auto* home = static_cast<TAddressObject*>(JoHome());
        home->SetLines({"1 High St", "Flat 2", "Leeds Road"});
        TReportForm form;
        form.SetSubject(*m_tree, m_tree->Root(), nullptr, std::string());
        Child<QComboBox>(form, "RptTypeCombo")->setCurrentIndex(TReportForm::Labels);
        Child<QListWidget>(form, "LabelList")->setCurrentRow(1); // Avery 5160-Address
        form.show();
        // The preview closes once it has told; and in any case after a while, so nothing hangs.
        const auto closePreview = [] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* preview = qobject_cast<QPrintPreviewDialog*>(window); preview && preview->isVisible())
                    preview->reject();
        };
        Questions::SetHook([&](const QString& caption, const QString& text) {
            m_messages.append(caption + QStringLiteral(": ") + text);
            QTimer::singleShot(0, &form, closePreview);
            return QMessageBox::Ok;
        });
        QTimer::singleShot(10000, &form, closePreview);
        QTest::mouseClick(Child<QPushButton>(form, "PreviewBtn"), Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{QStringLiteral("Warning: 1 line did not fit on its label and was left out. "
                                                        "A smaller type face makes room.")});
    }

    void reportTypeShowsItsPage()
    {
        TReportForm form;
        auto* type = Child<QComboBox>(form, "RptTypeCombo");
        auto* pages = Child<QStackedWidget>(form, "PageControl1");
        const QStringList sheets = {"PeopleReportSheet", "EnvelopeSheet", "AddressBookSheet", "LabelSheet",
                                    "TabSheet1"};
        QCOMPARE(type->count(), sheets.size());
        for (int i = sheets.size() - 1; i >= 0; --i) {
            type->setCurrentIndex(i);
            QCOMPARE(pages->currentWidget()->objectName(), sheets[i]);
        }
        QCOMPARE(type->itemText(2), QStringLiteral("Address & Phone Book"));
    }

    void subjectFillsPathAndDelivery()
    {
        TReportForm form;
        TreeNode& jo = *FindNode(m_tree->Root(), "Jo Bloggs");
        form.SetSubject(*m_tree, jo, JoHome(), "Ms. Jo Q Bloggs");
        QCOMPARE(Child<QLineEdit>(form, "NodeId")->text(), QStringLiteral("My Contacts/Friends/Jo Bloggs"));
        QCOMPARE(Child<QLineEdit>(form, "Title2")->text(), QStringLiteral("My Contacts/Friends/Jo Bloggs"));
        QCOMPARE(Lines(Child<QPlainTextEdit>(form, "Delivery")), JoAtHome);

        form.SetSubject(*m_tree, m_tree->Root(), nullptr, std::string());
        QCOMPARE(Child<QLineEdit>(form, "NodeId")->text(), QStringLiteral("My Contacts"));
        QVERIFY(Child<QPlainTextEdit>(form, "Delivery")->toPlainText().isEmpty());
    }

    void envelopeTakesTheMemosAndTheirFonts()
    {
        TReportForm form;
        form.SetSubject(*m_tree, m_tree->Root(), JoHome(), "Ms. Jo Q Bloggs");
        auto* ret = Child<QPlainTextEdit>(form, "Return");
        ret->setPlainText(QStringLiteral("Acme\n2 Dock St\n"));
        QFont bold(QStringLiteral("Courier"), 12);
        bold.setBold(true);
        ret->setFont(bold);
        Child<QComboBox>(form, "EnvSize")->setCurrentIndex(2);

        EnvelopeOptions options = form.EnvelopeSettings();
        QCOMPARE(options.size.length, 1000);
        QCOMPARE(options.delivery.size(), std::size_t(5));
        QCOMPARE(options.delivery.front(), std::string("Ms. Jo Q Bloggs"));
        QCOMPARE(options.returnAddress, (std::vector<std::string>{"Acme", "2 Dock St"}));
        QCOMPARE(options.returnFont, (ReportFont{"Courier", 12, true, false, false, false}));
        QVERIFY(!options.omitReturn);

        Child<QCheckBox>(form, "OmitRetAddr")->setChecked(true);
        options = form.EnvelopeSettings();
        QVERIFY(options.omitReturn);
        QVERIFY(options.returnAddress.empty());

        Child<QComboBox>(form, "RptTypeCombo")->setCurrentIndex(TReportForm::Envelope);
        QVERIFY(form.ChosenLandscape());
        Child<QComboBox>(form, "RptTypeCombo")->setCurrentIndex(TReportForm::SimpleList);
        QVERIFY(!form.ChosenLandscape());
        Child<QRadioButton>(form, "Landscape3")->setChecked(true);
        QVERIFY(form.ChosenLandscape());
        QVERIFY(form.SimpleListSettings().landscape);
    }

    void returnAddressIsSavedOnlyWhenAsked()
    {
        const QString file = QDir::current().filePath(QStringLiteral("ret_addr.dat"));
        {
            TReportForm form;
            Child<QPlainTextEdit>(form, "Return")->setPlainText(QStringLiteral("Me\n1 Lane"));
            form.reject();
            QVERIFY(!QFile::exists(file));
            Child<QCheckBox>(form, "SaveRetAddr")->setChecked(true);
            form.reject();
        }
        QVERIFY(QFile::exists(file));
        QCOMPARE(LoadReturnAddress("ret_addr.dat"), (std::vector<std::string>{"Me", "1 Lane"}));
        TReportForm next;
        QCOMPARE(Child<QPlainTextEdit>(next, "Return")->toPlainText(), QStringLiteral("Me\n1 Lane"));
        QVERIFY(m_messages.isEmpty());
    }

    void unwritableReturnAddressIsReported()
    {
        QVERIFY(QDir::current().mkdir(QStringLiteral("ret_addr.dat")));
        TReportForm form;
        Child<QPlainTextEdit>(form, "Return")->setPlainText(QStringLiteral("Me"));
        Child<QCheckBox>(form, "SaveRetAddr")->setChecked(true);
        m_messages.clear();
        form.reject();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().contains(QStringLiteral("ret_addr.dat")));
        QCOMPARE(Child<QPlainTextEdit>(form, "Return")->toPlainText(), QStringLiteral("Me"));
    }

    void choicesOutliveAnOpening()
    {
        TReportForm form;
        TreeNode& jo = *FindNode(m_tree->Root(), "Jo Bloggs");
        QTimer::singleShot(0, &form, [&form] {
            Child<QLineEdit>(form, "Title1")->setText(QStringLiteral("Friends"));
            Child<QRadioButton>(form, "Landscape1")->setChecked(true);
            Child<InchEdit>(form, "LeftMargin1")->SetValue(12);
            Child<QComboBox>(form, "RptTypeCombo")->setCurrentIndex(TReportForm::Labels);
            Child<QListWidget>(form, "LabelList")->setCurrentRow(5);
            Child<QLabel>(form, "ListText")->setFont(QFont(QStringLiteral("Courier"), 11));
            form.reject();
        });
        form.Open(*m_tree, jo, JoHome(), "Ms. Jo Q Bloggs");

        QStringList seen;
        QTimer::singleShot(0, &form, [&form, &seen] {
            seen << Child<QLineEdit>(form, "NodeId")->text() << Child<QPlainTextEdit>(form, "Delivery")->toPlainText()
                 << Child<QStackedWidget>(form, "PageControl1")->currentWidget()->objectName();
            form.reject();
        });
        form.Open(*m_tree, m_tree->Root(), nullptr, std::string());
        QCOMPARE(seen, QStringList({"My Contacts", "", "LabelSheet"}));
        QCOMPARE(Child<QListWidget>(form, "LabelList")->currentRow(), 5);
        const ListOptions list = form.ListSettings();
        QCOMPARE(list.title, std::string("Friends"));
        QVERIFY(list.landscape);
        QCOMPARE(list.leftMargin, 12);
        QCOMPARE(list.font.family, std::string("Courier"));
        QCOMPARE(list.font.points, 11);
    }

    void mainWindowPrintsTheSelection()
    {
        TMainForm& window = ShowWindow();
        ItemTree& tree = window.Tree();

        window.SelectNode(*FindNode(tree.Root(), "Jo Bloggs"));
        window.SetActivePane(TMainForm::Pane::Folders);
        TMainForm::PrintChoice choice = window.PrintSubject();
        QCOMPARE(choice.node->Text(), std::string("Jo Bloggs"));
        QCOMPARE(choice.name, std::string("Ms. Jo Q Bloggs"));
        QVERIFY(choice.address);
        QCOMPARE(choice.address->GetTitle(), std::string("Home"));

        window.SelectNode(*FindNode(tree.Root(), "Acme"));
        choice = window.PrintSubject();
        QCOMPARE(choice.name, std::string("Acme"));
        QCOMPARE(choice.address->GetTarget(), std::string("2 Dock St"));

        // An address entry of the list, while the list is the active pane.
        QAbstractItemView* view = ListView(window);
        QModelIndex office;
        for (int row = 0; row < window.ListModel().rowCount(); ++row)
            if (window.ListModel().index(row, 0).data().toString() == QStringLiteral("Office"))
                office = window.ListModel().index(row, 0);
        QVERIFY(view && office.isValid());
        view->selectionModel()->select(office, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        window.SetActivePane(TMainForm::Pane::MainItems);
        choice = window.PrintSubject();
        QCOMPARE(choice.name, std::string("Office"));
        QCOMPARE(choice.address->GetKind(), 5);
        QCOMPARE(choice.node->Text(), std::string("Acme"));

        window.SelectNode(*FindNode(tree.Root(), "Friends"));
        window.SetActivePane(TMainForm::Pane::Folders);
        choice = window.PrintSubject();
        QVERIFY(!choice.address);
        QVERIFY(choice.name.empty());

        // The command opens one dialog, kept for the next time.
        window.SelectNode(*FindNode(tree.Root(), "Jo Bloggs"));
        QAction* print = window.findChild<QAction*>(QStringLiteral("PrintItem"));
        QVERIFY(print && print->isEnabled());
        QStringList delivered;
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, &window, [&window, &delivered] {
                const auto forms = window.findChildren<TReportForm*>();
                QCOMPARE(forms.size(), 1);
                delivered = Lines(Child<QPlainTextEdit>(*forms.first(), "Delivery"));
                forms.first()->reject();
            });
            print->trigger();
        }
        QCOMPARE(delivered, JoAtHome);
    }

    void printWithNoNodeSelectedOpensNothing()
    {
        TMainForm& window = ShowWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAction* print = window.findChild<QAction*>(QStringLiteral("PrintItem"));
        QVERIFY(print);
        // Any dialog the command opens is closed again and named.
        QStringList opened;
        const auto printAndClose = [&] {
            QTimer::singleShot(0, &window, [&window, &opened] {
                for (TReportForm* form : window.findChildren<TReportForm*>())
                    if (form->isVisible()) {
                        opened << Child<QLineEdit>(*form, "NodeId")->text();
                        form->reject();
                    }
            });
            print->trigger();
            QCoreApplication::processEvents();
        };

        // With the list active, a click on its empty space leaves the tree's node: that is printed.
        QTreeView& folders = window.FoldersView();
        const QModelIndex friends = window.TreeModel().IndexOf(FindNode(window.Tree().Root(), "Friends"));
        QTest::mouseClick(folders.viewport(), Qt::LeftButton, {}, folders.visualRect(friends).center());
        QAbstractItemView* list = ListView(window);
        QVERIFY(list && window.ListModel().rowCount() > 0);
        const QPoint listSpace(list->viewport()->width() - 5, list->viewport()->height() - 5);
        QVERIFY(!list->indexAt(listSpace).isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, listSpace);
        QCOMPARE(window.ActivePaneName(), QStringLiteral("MainItems"));
        QVERIFY(!list->selectionModel()->hasSelection());
        printAndClose();
        QCOMPARE(opened, QStringList{QStringLiteral("My Contacts/Friends")});

        // A right-button press on the tree's empty space selects no node: nothing to print from.
        opened.clear();
        const QPoint treeSpace(5, folders.viewport()->height() - 5);
        QVERIFY(!folders.indexAt(treeSpace).isValid());
        // Through the window, as the desktop delivers it, so the press also asks for the pop-up menu.
        QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, folders.viewport()->mapTo(&window, treeSpace));
        window.ListPopup().close();
        QVERIFY(!window.SelectedNode());
        QCOMPARE(window.ListModel().rowCount(), 0);
        printAndClose();
        QVERIFY(opened.isEmpty());
    }
};

QTEST_MAIN(ReportFormTest)
#include "report_form_test.moc"
