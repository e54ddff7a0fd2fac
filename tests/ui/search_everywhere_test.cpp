// SPDX-License-Identifier: GPL-3.0-or-later
// Edit, "Search Everywhere..." as a user reaches it: Ctrl+Shift+F in the window, words typed into
// the field, the live list, Enter selecting the match in the tree; the list follows changes made
// meanwhile in the window, and an item deleted meanwhile is never chosen.
#include "main_window_fixture.h"
#include "support/sync_harness.h"

#include "model/items_contact.h"
#include "ui/shell/search_everywhere_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>

using namespace quillary;
using namespace quillary::test;

namespace {
QByteArray Data()
{
    ItemTree tree;
    TreeNode& folder = *CreateItem(KindFolder, "Friends", "", "", tree.Root(), "", 0)->GetTreeNode();
    AddPerson(folder, "Jürgen", "Müller", "(555) 123-4567", "jm@example.org");
    AddPerson(folder, "Ann", "Lee", "555 0100");
    TPersonObject& bo = AddPerson(folder, "Bo", "Dee");
    bo.SetComment("met at the Lyon fair");
    return QByteArray::fromStdString(SavedTree(tree));
}

// The rows of the list as "name | field | value".
QStringList Rows(const QTreeWidget& list)
{
    QStringList rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list.topLevelItem(i);
        rows.append(row->text(0) + " | " + row->text(1) + " | " + row->text(2));
    }
    return rows;
}
} // namespace

class SearchEverywhereTest : public QObject
{
    Q_OBJECT

    MainWindowFixture m_fixture;

    SearchEverywhereDialog* Open()
    {
        m_fixture.form->activateWindow();
        if (!QTest::qWaitForWindowActive(m_fixture.form.get()))
            return nullptr;
        QTest::keyClick(&m_fixture.form->FoldersView(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        auto* dialog = m_fixture.form->findChild<SearchEverywhereDialog*>();
        if (!dialog || !QTest::qWaitFor([&] { return dialog->Ready(); }, 10000))
            return nullptr;
        return dialog;
    }
    static void Type(SearchEverywhereDialog& dialog, const QString& text)
    {
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("SearchText"));
        field->clear();
        QTest::keyClicks(field, text);
    }
    static QTreeWidget& List(SearchEverywhereDialog& dialog)
    {
        return *dialog.findChild<QTreeWidget*>(QStringLiteral("SearchMatches"));
    }

private slots:
    void init() { m_fixture.Open(Data()); }
    void cleanup() { m_fixture.form.reset(); }

    void wordsInAnyOrderFindEveryFieldAndEnterSelectsTheMatch()
    {
        SearchEverywhereDialog* dialog = Open();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        const struct
        {
            QString typed;
            QStringList rows;
        } cases[] = {
            {QStringLiteral("muller jurgen"), {QStringLiteral("Jürgen Müller | Title | Jürgen Müller")}},
            {QStringLiteral("5551234567"), {QStringLiteral("Jürgen Müller | Phone | (555) 123-4567")}},
            {QStringLiteral("JM@EXAMPLE"), {QStringLiteral("Jürgen Müller | E-Mail | jm@example.org")}},
            {QStringLiteral("lyon"), {QStringLiteral("Bo Dee | Comment | met at the Lyon fair")}},
            {QStringLiteral("nobody"), {}},
        };
        for (const auto& each : cases) {
            Type(*dialog, each.typed);
            QCOMPARE(Rows(List(*dialog)), each.rows);
        }
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("SearchCount"))->text(), QStringLiteral("No matches"));

        Type(*dialog, QStringLiteral("555"));
        QCOMPARE(List(*dialog).topLevelItemCount(), 2);
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("SearchText"));
        QTest::keyClick(field, Qt::Key_Down);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(m_fixture.form->SelectedNode());
        QCOMPARE(QString::fromStdString(m_fixture.form->SelectedNode()->Text()), QStringLiteral("Ann Lee"));
    }

    void changesMadeMeanwhileReachTheListAndAGoneItemIsNeverChosen()
    {
        SearchEverywhereDialog* dialog = Open();
        QVERIFY(dialog);
        ItemTree& tree = m_fixture.form->Tree();
        TPartyObject* ann = FindParty(tree, "Ann Lee");
        QVERIFY(ann);
        ann->SetTitle("Ann Lee-Ray"); // as a rename in either pane
        m_fixture.form->SelectNode(*ann->GetTreeNode());
        CreateItem(KindPhone, "Home", "555 0199", "", *ann->GetTreeNode(), "{Phon}", 0);
        AddPerson(*ann->GetTreeNode()->Parent(), "Cy", "Ode", "555 0300");
        Type(*dialog, QStringLiteral("555"));
        QCOMPARE(List(*dialog).topLevelItemCount(), 3);
        Type(*dialog, QStringLiteral("ray 0199"));
        QCOMPARE(Rows(List(*dialog)), QStringList{QStringLiteral("Ann Lee-Ray | Title | Ann Lee-Ray")});

        // Deleted while listed: Enter chooses nothing, and the list no longer has it.
        DestroyItem(*ann);
        QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("SearchText")), Qt::Key_Return);
        QVERIFY(m_fixture.form->SelectedNode() == nullptr ||
                m_fixture.form->SelectedNode()->Text() != "Ann Lee-Ray");
        QTRY_COMPARE(List(*dialog).topLevelItemCount(), 0);
    }
};

QTEST_MAIN(SearchEverywhereTest)
#include "search_everywhere_test.moc"
