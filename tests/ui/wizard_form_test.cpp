// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/field_mapping_page.h"
#include "ui/wizards/wizard_form.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace quillary;

namespace {
// A frame with three plain pages, as a derived wizard would build it.
class ThreePageWizard : public TWizardForm
{
public:
    ThreePageWizard()
    {
        for (const char* name : {"TabSheet1", "TabSheet2", "TabSheet3"})
            AddPage(new QLabel(QString::fromLatin1(name)), QString::fromLatin1(name));
    }
    bool allowClose = true;
    int closes = 0;

protected:
    bool FormClose() override
    {
        ++closes;
        return allowClose;
    }
};

void Select(QListWidget* list, const QStringList& texts)
{
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(texts.contains(list->item(row)->text()));
}
} // namespace

class WizardFormTest : public QObject
{
    Q_OBJECT

private slots:
    void nextBecomesFinishOnTheLastPageAndBackUndoesIt()
    {
        ThreePageWizard wizard;
        wizard.RemoveSheet(QStringLiteral("TabSheet2"));
        QCOMPARE(wizard.VisibleSheets(), QStringList({"TabSheet1", "TabSheet3"}));
        QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Next >>"));
        QVERIFY(wizard.PrevBtn()->isEnabled());
        wizard.PrevBtn()->click(); // nothing before the first page
        QCOMPARE(wizard.CurrentPage(), 0);

        wizard.NextBtn()->click();
        QCOMPARE(wizard.CurrentPage(), 1);
        QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet3"));
        QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Finish"));
        wizard.PrevBtn()->click();
        QCOMPARE(wizard.CurrentPage(), 0);
        QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Next >>"));
    }

    void finishClosesWithOkUnlessTheWizardRefuses()
    {
        ThreePageWizard wizard;
        wizard.show();
        wizard.NextBtn()->click();
        wizard.NextBtn()->click();
        QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Finish"));
        wizard.allowClose = false;
        wizard.NextBtn()->click();
        QVERIFY(wizard.isVisible());
        QCOMPARE(wizard.CurrentPage(), 2); // Finish never moves the page
        wizard.allowClose = true;
        wizard.NextBtn()->click();
        QVERIFY(!wizard.isVisible());
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
        QCOMPARE(wizard.closes, 2);

        ThreePageWizard cancelled;
        cancelled.show();
        cancelled.CancelBtn()->click();
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
        QCOMPARE(cancelled.closes, 0);
    }

    void goToPageOutsideTheListChangesNothing()
    {
        ThreePageWizard wizard;
        wizard.GoToPage(1);
        wizard.GoToPage(3);
        wizard.GoToPage(-1);
        QCOMPARE(wizard.CurrentPage(), 1);
        QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet2"));
    }

    void fieldsMoveToTheTopInTheirOrderAndBack()
    {
        FieldMappingPage page(FieldMappingPage::Direction::Import, {});
        page.FillRecordTypes();
        QCOMPARE(page.RecTypeCombo()->count(), 7);
        QCOMPARE(page.RecTypeCombo()->currentText(), QStringLiteral("Person"));
        // The classic fields, company, job title and suffix, then the label and the two dates.
        QCOMPARE(page.AvailableFields().size(), 20);
        QSignalSpy changed(&page, &FieldMappingPage::ChosenFieldsChanged);

        Select(page.ListBox1(), {"Comment"});
        page.CopyRtBtnClick();
        Select(page.ListBox1(), {"City", "Title"});
        page.CopyRtBtnClick();
        QCOMPARE(page.ChosenFields(), QStringList({"Title", "City", "Comment"}));
        QVERIFY(!page.AvailableFields().contains(QStringLiteral("City")));
        QCOMPARE(changed.count(), 2);

        Select(page.ListBox2(), {"City"});
        page.CopyLtBtnClick();
        QCOMPARE(page.ChosenFields(), QStringList({"Title", "Comment"}));
        QCOMPARE(page.AvailableFields().first(), QStringLiteral("City"));

        page.RecTypeCombo()->setCurrentIndex(4); // Phone Numbers: both lists start afresh
        QCOMPARE(page.RecordKind(), 6);
        QCOMPARE(page.ChosenFields(), QStringList());
        QCOMPARE(page.AvailableFields(), QStringList({"Title", "Phone Number", "Extension", "Comment"}));
    }

    void draggingAFieldBelowTheLastKeepsEveryField()
    {
        FieldMappingPage page(FieldMappingPage::Direction::Export, {});
        page.FillRecordTypes();
        Select(page.ListBox1(), {"Title", "First Name", "Last Name"});
        page.CopyRtBtnClick();
        QListWidget* chosen = page.ListBox2();
        chosen->resize(200, 300);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        // The model's move is what a drop below the last row performs.
        QVERIFY(chosen->model()->moveRow(QModelIndex(), 0, QModelIndex(), chosen->count()));
        QCOMPARE(page.ChosenFields(), QStringList({"First Name", "Last Name", "Title"}));
        QVERIFY(chosen->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
        QCOMPARE(page.ChosenFields(), QStringList({"Title", "First Name", "Last Name"}));
    }
};

QTEST_MAIN(WizardFormTest)
#include "wizard_form_test.moc"
