// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "ui/dialogs/masked_number_edit.h"
#include "ui/dialogs/party_dlg.h"
#include "ui/questions.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace quillary;

namespace {

TPartyObject& Make(ItemTree& tree, int kind, const std::string& title)
{
    return *static_cast<TPartyObject*>(CreateItem(kind, title, "", "", tree.Root(), "", 0));
}

template <typename T> T* Child(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

// The person dialog as "New Person" opens it.
struct NewPersonDialog
{
    ItemTree tree;
    TPartyObject& person = Make(tree, KindPerson, "New Person");
    DialogContext context;
    TPartyEditDlg dialog{context, person, EditMode::New};

    NewPersonDialog() { dialog.Fill(person.NewForm()); }
};

} // namespace

class PartyDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void newPersonShowsPresetsAndUsaFormats()
    {
        NewPersonDialog made;
        TPartyEditDlg& dialog = made.dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Person"));
        auto* pages = Child<QTabWidget>(dialog, "PageControl1");
        QStringList captions;
        for (int i = 0; i < pages->count(); ++i)
            captions.append(pages->tabText(i));
        QCOMPARE(captions,
                 (QStringList{"Primary Address", "Primary Phone", "Primary FAX", "Primary E-mail", "Primary Website"}));
        QCOMPARE(Child<QComboBox>(dialog, "Salutation")->currentText(), QString());
        QCOMPARE(Child<QComboBox>(dialog, "Salutation")->itemText(0), QStringLiteral("Mr."));
        QCOMPARE(Child<QComboBox>(dialog, "FaxTitle")->currentText(), QStringLiteral("Primary FAX"));
        QCOMPARE(Child<QComboBox>(dialog, "Web")->currentText(), QStringLiteral("http://"));
        QVERIFY(!Child<QWidget>(dialog, "PhoneFmt")->isHidden());
        QVERIFY(!Child<QWidget>(dialog, "Label19")->isHidden());
        QCOMPARE(Child<MaskedNumberEdit>(dialog, "PhoneNum")->EditMaskNotation(),
                 QStringLiteral("!\\(999\\)000-0000;0;_"));
        QCOMPARE(Child<QLineEdit>(dialog, "Title")->maxLength(), 40);
        QCOMPARE(Child<QLineEdit>(dialog, "LName")->maxLength(), 25);
        // Nothing typed into the number: no phone number was given.
        QVERIFY(dialog.Collected().phone.plainNumber.empty());
    }

    // Typed with real keys: the preset is selected, the title follows the names until the user
    // types one of their own, and an emptied title follows them again.
    void aNewPersonIsTitledByTheNamesTyped()
    {
        NewPersonDialog made;
        TPartyEditDlg& dialog = made.dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* title = Child<QLineEdit>(dialog, "Title");
        QCOMPARE(title->selectedText(), QStringLiteral("New Person"));
        QTest::keyClick(title, Qt::Key_Tab); // leaving the untouched preset names nobody
        QVERIFY(dialog.Collected().firstName.empty() && dialog.Collected().lastName.empty());
        QTest::keyClicks(Child<QLineEdit>(dialog, "FName"), QStringLiteral("Jane"));
        QCOMPARE(title->text(), QStringLiteral("Jane"));
        QTest::keyClicks(Child<QLineEdit>(dialog, "LName"), QStringLiteral("Doe"));
        QCOMPARE(title->text(), QStringLiteral("Jane Doe"));
        QTest::keyClicks(title, QStringLiteral(" (work)"));
        QTest::keyClicks(Child<QLineEdit>(dialog, "MName"), QStringLiteral("Q"));
        QCOMPARE(title->text(), QStringLiteral("Jane Doe (work)"));
        title->selectAll();
        QTest::keyClick(title, Qt::Key_Delete);
        QTest::keyClick(Child<QLineEdit>(dialog, "LName"), Qt::Key_Backspace);
        QCOMPARE(title->text(), QStringLiteral("Jane Q Do"));

        // Typing over an organization's selected preset replaces it.
        ItemTree tree;
        TPartyObject& acme = Make(tree, KindOrganization, "New Organization");
        TPartyEditDlg org(made.context, acme, EditMode::New);
        org.Fill(acme.NewForm());
        org.show();
        QVERIFY(QTest::qWaitForWindowExposed(&org));
        QTest::keyClicks(Child<QLineEdit>(org, "Title"), QStringLiteral("Acme"));
        QCOMPARE(org.Collected().title, std::string("Acme"));
    }

    void leavingTheTitleSplitsTheName()
    {
        NewPersonDialog made;
        TPartyEditDlg& dialog = made.dialog;
        Child<QLineEdit>(dialog, "Title")->setText(QStringLiteral("John Q Public"));
        dialog.TitleExit();
        PartyForm form = dialog.Collected();
        QCOMPARE(form.firstName, std::string("John"));
        QCOMPARE(form.middleName, std::string("Q"));
        QCOMPARE(form.lastName, std::string("Public"));
        Child<QLineEdit>(dialog, "Title")->setText(QStringLiteral("Jane Doe"));
        dialog.TitleExit();
        form = dialog.Collected();
        QCOMPARE(form.firstName, std::string("Jane"));
        QCOMPARE(form.middleName, std::string("Q")); // left as it was
        QCOMPARE(form.lastName, std::string("Doe"));
    }

    void companyJobTitleAndSuffixAreTypedShownAndKept()
    {
        NewPersonDialog made;
        TPartyEditDlg& dialog = made.dialog;
        dialog.show();
        QTest::keyClicks(Child<QLineEdit>(dialog, "Company"), QStringLiteral("Acme, Inc."));
        QTest::keyClicks(Child<QLineEdit>(dialog, "JobTitle"), QStringLiteral("Buyer"));
        QTest::keyClicks(Child<QLineEdit>(dialog, "Suffix"), QStringLiteral("Jr."));
        const PartyForm typed = dialog.Collected();
        QCOMPARE(typed.company, std::string("Acme, Inc."));
        QCOMPARE(typed.jobTitle, std::string("Buyer"));
        QCOMPARE(typed.suffix, std::string("Jr."));

        // What the person holds is shown again, and comes back unchanged.
        auto& person = static_cast<TPersonObject&>(made.person);
        person.SetWorkFields("Globex", "Engineer", "III");
        TPartyEditDlg again(made.context, person, EditMode::Properties);
        again.Fill(person.FormFromItem());
        QCOMPARE(Child<QLineEdit>(again, "Company")->text(), QStringLiteral("Globex"));
        QCOMPARE(Child<QLineEdit>(again, "JobTitle")->text(), QStringLiteral("Engineer"));
        QCOMPARE(Child<QLineEdit>(again, "Suffix")->text(), QStringLiteral("III"));
        const PartyForm kept = again.Collected();
        QCOMPARE(kept.company + "|" + kept.jobTitle + "|" + kept.suffix, std::string("Globex|Engineer|III"));
        // An organization has none of them.
        ItemTree tree;
        TPartyEditDlg org(made.context, Make(tree, KindOrganization, "Acme"), EditMode::New);
        QVERIFY(!Child<QLineEdit>(org, "Company") && !Child<QLineEdit>(org, "Suffix"));
    }

    void editingListsChildrenAndLoadsThePickedOne()
    {
        ItemTree tree;
        TPartyObject& org = Make(tree, KindOrganization, "Acme");
        CreateItem(KindPhone, "Main", "111", "switchboard", *org.GetTreeNode(), "{Phon}12~~0", 0);
        CreateItem(KindPhone, "Sales", "222", "", *org.GetTreeNode(), "", 0);
        org.SetPrimary(TPartyObject::SlotPhone, "Main");
        DialogContext context;
        TPartyEditDlg dialog(context, org, EditMode::Properties);
        dialog.Fill(org.FormFromItem());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Organization"));
        auto* titles = Child<QComboBox>(dialog, "PhoneTitle");
        QCOMPARE(titles->count(), 2);
        QCOMPARE(titles->currentText(), QStringLiteral("Main"));
        QCOMPARE(Child<QLineEdit>(dialog, "PhoneNum")->text(), QStringLiteral("111"));
        QVERIFY(Child<QWidget>(dialog, "PhoneFmt")->isHidden());
        QVERIFY(Child<QWidget>(dialog, "Label16")->isHidden());
        titles->setCurrentIndex(1);
        dialog.LoadPhone();
        QCOMPARE(Child<QLineEdit>(dialog, "PhoneNum")->text(), QStringLiteral("222"));
        QCOMPARE(dialog.Collected().phone.plainNumber, std::string("222"));
        // A typed title that matches no child leaves the sheet as it is.
        titles->setCurrentText(QStringLiteral("Fresh"));
        dialog.LoadPhone();
        QCOMPARE(Child<QLineEdit>(dialog, "PhoneNum")->text(), QStringLiteral("222"));
    }

    void storedTextLongerThanAFieldSurvivesOk()
    {
        ItemTree tree;
        const std::string longTitle(50, 'x'); // longer than the person title box takes when typing
        TPartyObject& person = Make(tree, KindPerson, longTitle);
        DialogContext context;
        TPartyEditDlg dialog(context, person, EditMode::Properties);
        dialog.Fill(person.FormFromItem());
        QCOMPARE(dialog.Collected().title, longTitle);
    }

    void halfTypedNumbersAreRefusedOnEnterAndOk()
    {
        NewPersonDialog made;
        TPartyEditDlg& dialog = made.dialog;
        QStringList told;
        Questions::SetHook([&told](const QString& caption, const QString& text) {
            told << caption + QStringLiteral(": ") + text;
            return QMessageBox::Ok;
        });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* pages = Child<QTabWidget>(dialog, "PageControl1");
        auto* phone = Child<MaskedNumberEdit>(dialog, "PhoneNum");
        auto* fax = Child<MaskedNumberEdit>(dialog, "FaxNum");
        const auto openSheet = [&](int index) {
            QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(index).center());
            QCOMPARE(pages->currentIndex(), index);
        };
        const QString why = QStringLiteral("Warning: ") + MaskedNumberEdit::IncompleteMessage();

        // Three digits of a USA number, then Enter in the field.
        openSheet(1);
        QTest::mouseClick(phone, Qt::LeftButton, {}, QPoint(4, phone->height() / 2));
        QTest::keyClicks(phone, QStringLiteral("555"));
        QTest::keyClick(phone, Qt::Key_Return);
        QCOMPARE(told, QStringList{why});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(QApplication::focusWidget(), phone);

        // Completed, the phone passes; a half fax number on a sheet left for another is shown again on OK.
        QTest::keyClicks(phone, QStringLiteral("1234567"));
        QVERIFY(phone->IsComplete());
        openSheet(2);
        QTest::mouseClick(fax, Qt::LeftButton, {}, QPoint(4, fax->height() / 2));
        QTest::keyClicks(fax, QStringLiteral("12"));
        openSheet(3);
        told.clear();
        auto* ok = Child<QPushButton>(dialog, "OKBtn");
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::qWait(0); // a refusal on leaving the field would come queued
        QCOMPARE(told, QStringList{why});
        QVERIFY(dialog.isVisible());
        QCOMPARE(pages->currentIndex(), 2);
        QCOMPARE(QApplication::focusWidget(), fax);

        // A cleared fax number is no number: OK closes the dialog with the phone.
        fax->clear();
        QTest::mouseClick(ok, Qt::LeftButton);
        Questions::SetHook({});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Collected().phone.number, std::string("(555)123-4567"));
    }

    void anOrganizationWithOnlyWebsitesOpensWithEmptyLists()
    {
        ItemTree tree;
        TPartyObject& org = Make(tree, KindOrganization, "Acme");
        CreateItem(KindWebsite, "Site", "http://acme.example", "", *org.GetTreeNode(), "", 0);
        DialogContext context;
        TPartyEditDlg dialog(context, org, EditMode::Properties);
        dialog.Fill(org.FormFromItem());
        QCOMPARE(Child<QComboBox>(dialog, "WebTitle")->count(), 0);
    }
};

QTEST_MAIN(PartyDlgTest)
#include "party_dlg_test.moc"
