// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "platform/qt_icon_store.h"
#include "ui/dialogs/address_dlg.h"
#include "ui/dialogs/category_popup.h"
#include "ui/dialogs/document_dlg.h"
#include "ui/dialogs/email_dlg.h"
#include "ui/dialogs/fax_dlg.h"
#include "ui/dialogs/group_dlg.h"
#include "ui/dialogs/masked_number_edit.h"
#include "ui/dialogs/phone_dlg.h"
#include "ui/dialogs/phone_format_combo.h"
#include "ui/dialogs/tool_dlg.h"
#include "ui/dialogs/website_dlg.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quillary;

namespace {

const QString UsaMask = QStringLiteral("!\\(999\\)000-0000;0;_");

struct Field
{
    const char* name;
    const char* label;
    int maxLength; // 0: not limited
};

QString LabelOf(const QWidget& dialog, const QWidget* field)
{
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->buddy() == field)
            return label->text();
    return {};
}

template <class T = QWidget> T* Child(const QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

// Checks the frame, the caption and every field's label and limit.
void CheckDialog(const TDetailDlg& dialog, const char* className, const char* caption, std::vector<Field> fields)
{
    QCOMPARE(dialog.objectName(), QString::fromLatin1(className));
    QCOMPARE(dialog.windowTitle(), QString::fromLatin1(caption));
    QCOMPARE(Child<QPushButton>(dialog, "OKBtn")->text(), QStringLiteral("OK"));
    QVERIFY(Child<QPushButton>(dialog, "OKBtn")->isDefault());
    QCOMPARE(Child<QPushButton>(dialog, "CancelBtn")->text(), QStringLiteral("Cancel"));
    QCOMPARE(Child<QPushButton>(dialog, "HelpBtn")->text(), QStringLiteral("&Help"));
    QVERIFY(Child<QFrame>(dialog, "Bevel1"));
    QVERIFY(!Child<QLabel>(dialog, "Image1")->pixmap().isNull());
    QCOMPARE(Child<CategoryPicture>(dialog, "CatSelect")->toolTip(), QStringLiteral("Click to set categories"));
    for (const Field& field : fields) {
        QWidget* widget = Child(dialog, field.name);
        QVERIFY2(widget, field.name);
        QCOMPARE(LabelOf(dialog, widget), QString::fromLatin1(field.label));
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && field.maxLength > 0)
            QCOMPARE(edit->maxLength(), field.maxLength);
    }
}

// Runs a dialog function with `act` called on the dialog once it is shown modally.
template <class Act> void WhenShown(Act act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(*dialog);
    });
}

void Click(const QDialog& dialog, const char* button)
{
    Child<QPushButton>(dialog, button)->click();
}

} // namespace

class DetailDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_tree = std::make_unique<ItemTree>();
        m_helpTopics.clear();
        m_context.showHelp = [this](int topic) { m_helpTopics.push_back(topic); };
    }

    void everyDialogHasItsCaptionFieldsAndLimits()
    {
        TKPXObject& item = Item();
        CheckDialog(TEditAddressDlg(m_context, item), "TEditAddressDlg", "Address",
                    {{"AddrTitle", "Title", 40},
                     {"Addr", "Address", 0},
                     {"City", "City", 25},
                     {"State", "State/Province", 20},
                     {"PostCode", "Postal/Zip", 10},
                     {"Country", "Country", 15},
                     {"AddrComment", "Comment", 255}});
        CheckDialog(TPhoneEditDlg(m_context, item), "TPhoneEditDlg", "Phone",
                    {{"PhoneTitle", "Title", 40},
                     {"PhoneNum", "Phone", 0},
                     {"PhoneFmt", "Phone Number Format", 0},
                     {"Extension", "Extension", 6},
                     {"PhoneComment", "Comment", 255}});
        CheckDialog(TFaxEditDlg(m_context, item), "TFaxEditDlg", "Fax",
                    {{"FaxTitle", "Title", 40},
                     {"FaxNum", "FAX Number", 0},
                     {"FaxFmt", "Phone Number Format", 0},
                     {"FaxComment", "Comment", 255}});
        CheckDialog(TWebSiteDlg(m_context, item), "TWebSiteDlg", "Website",
                    {{"WebTitle", "Title", 40}, {"Web", "Site Address", 0}, {"WebComment", "Comment", 255}});
        CheckDialog(
            TEMailEditDlg(m_context, item), "TEMailEditDlg", "E-Mail",
            {{"EMailTitle", "Title", 40}, {"EMailAddr", "E-Mail Address", 80}, {"EMailComment", "Comment", 255}});
        CheckDialog(TFolderEditDlg(m_context, item), "TFolderEditDlg", "Folder",
                    {{"FolderTitle", "Title", 40}, {"FolderComment", "Comment", 255}});
        CheckDialog(TTeamEditDlg(m_context, item), "TTeamEditDlg", "Team",
                    {{"TeamTitle", "Title", 40}, {"TeamComment", "Comment", 255}});
        CheckDialog(TDocEditDlg(m_context, item), "TDocEditDlg", "Document",
                    {{"TitleEdit", "Title", 0}, {"FilenameEdit", "Filename", 0}, {"CommentEdit", "Comment", 0}});
        CheckDialog(TToolEdit(m_context, item, QtIconStore().Icon(ImageNoIcon)), "TToolEdit", "Custom Tool",
                    {{"TitleEdit", "Title", 0}, {"Address", "Target Address", 0}, {"CommentEdit", "Comment", 0}});
        QCOMPARE(Child<QPushButton>(TDocEditDlg(m_context, item), "BrowseBtn")->text(), QStringLiteral("Browse..."));
        QCOMPARE(Child<QLabel>(TPhoneEditDlg(m_context, item), "Label16")->text(),
                 QStringLiteral("Phone Number Format"));
        QCOMPARE(Child<QLabel>(TFaxEditDlg(m_context, item), "Label19")->text(), QStringLiteral("Phone Number Format"));
    }

    void helpOpensTheEditDialogTopicAndEscapeCancels()
    {
        TEMailEditDlg dialog(m_context, Item());
        Click(dialog, "HelpBtn");
        QCOMPARE(m_helpTopics, std::vector<int>{1039});
        dialog.show();
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isHidden());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void tabOrderRunsTopToBottomThenToTheButtons()
    {
        TEditAddressDlg dialog(m_context, Item());
        dialog.show();
        QStringList order;
        QWidget* widget = Child(dialog, "AddrTitle");
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget != Child(dialog, "AddrTitle") && order.size() < 20);
        // The category picture, a button a keyboard reaches too, comes after the fields.
        QCOMPARE(order.mid(0, 8),
                 (QStringList{QStringLiteral("AddrTitle"), QStringLiteral("Addr"), QStringLiteral("City"),
                              QStringLiteral("State"), QStringLiteral("PostCode"), QStringLiteral("Country"),
                              QStringLiteral("AddrComment"), QStringLiteral("CatSelect")}));
        QStringList buttons = order.mid(8, 3);
        buttons.sort();
        QCOMPARE(buttons,
                 (QStringList{QStringLiteral("CancelBtn"), QStringLiteral("HelpBtn"), QStringLiteral("OKBtn")}));
    }

    void newPhoneShowsTheFormatListAtUsaAndStoresTheDisplayedNumber()
    {
        TPhoneEditDlg made(m_context, Item());
        QVERIFY(!Child(made, "PhoneFmt")->isVisibleTo(&made));
        QVERIFY(!Child(made, "Label16")->isVisibleTo(&made));
        QCOMPARE(Child<MaskedNumberEdit>(made, "PhoneNum")->EditMaskNotation(), QString());

        PhoneForm form{"New Phone", "", "", "", ""};
        WhenShown([](QDialog& dialog) {
            QVERIFY(Child(dialog, "PhoneFmt")->isVisible());
            QVERIFY(Child(dialog, "Label16")->isVisible());
            QCOMPARE(Child<QComboBox>(dialog, "PhoneFmt")->currentText(), QStringLiteral("USA"));
            auto* number = Child<MaskedNumberEdit>(dialog, "PhoneNum");
            QCOMPARE(number->EditMaskNotation(), UsaMask);
            number->setFocus();
            number->home(false);
            QTest::keyClicks(number, QStringLiteral("5551234567"));
            Child<QLineEdit>(dialog, "Extension")->setText(QStringLiteral("12"));
            Click(dialog, "OKBtn");
        });
        QVERIFY(EditPhoneDialog(m_context, Item(), form, EditMode::New));
        QCOMPARE(form.number, std::string("(555)123-4567"));
        QCOMPARE(form.plainNumber, std::string("5551234567"));
        QCOMPARE(form.extension, std::string("12"));
        QCOMPARE(form.title, std::string("New Phone"));
    }

    void existingNumbersAreEditedAsFreeText()
    {
        PhoneForm phone{"Office", "555-1234 ask for Sam", "555-1234 ask for Sam", "7", "desk"};
        WhenShown([](QDialog& dialog) {
            QVERIFY(!Child(dialog, "PhoneFmt")->isVisible());
            QCOMPARE(Child<QLineEdit>(dialog, "PhoneNum")->text(), QStringLiteral("555-1234 ask for Sam"));
            Child<QLineEdit>(dialog, "PhoneNum")->setText(QStringLiteral("555-9999"));
            Click(dialog, "OKBtn");
        });
        QVERIFY(EditPhoneDialog(m_context, Item(), phone, EditMode::Properties));
        QCOMPARE(phone.number, std::string("555-9999"));
        QCOMPARE(phone.plainNumber, std::string("555-9999"));
        QCOMPARE(phone.extension, std::string("7"));

        FaxForm fax{"Fax", "123", "123", ""};
        WhenShown([](QDialog& dialog) {
            QVERIFY(!Child(dialog, "FaxFmt")->isVisible());
            QVERIFY(!Child(dialog, "Label19")->isVisible());
            Child<QLineEdit>(dialog, "FaxNum")->clear();
            Click(dialog, "OKBtn");
        });
        QVERIFY(EditFaxDialog(m_context, Item(), fax, EditMode::Properties));
        QCOMPARE(fax.number, std::string());
    }

    void newFaxStartsAtUsaAndAHalfNumberIsRefusedOnOk()
    {
        TFaxEditDlg dialog(m_context, Item());
        dialog.ShowFormats();
        QCOMPARE(Child<QComboBox>(dialog, "FaxFmt")->currentText(), QStringLiteral("USA"));
        auto* number = Child<MaskedNumberEdit>(dialog, "FaxNum");
        QCOMPARE(number->EditMaskNotation(), UsaMask);
        int notices = 0;
        MaskedNumberEdit::SetIncompleteNotice([&notices](QWidget*) { ++notices; });
        dialog.show();
        number->setFocus();
        number->home(false);
        QTest::keyClicks(number, QStringLiteral("555"));
        Click(dialog, "OKBtn");
        MaskedNumberEdit::SetIncompleteNotice({});
        QCOMPARE(notices, 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void cancelLeavesTheFormAlone()
    {
        EMailForm form{"Home", "a@example.org", ""};
        WhenShown([](QDialog& dialog) {
            Child<QLineEdit>(dialog, "EMailAddr")->setText(QStringLiteral("changed@example.org"));
            Click(dialog, "CancelBtn");
        });
        QVERIFY(!EditEMailDialog(m_context, Item(), form, EditMode::Properties));
        QCOMPARE(form.address, std::string("a@example.org"));
    }

    void websiteOffersThePrefixesAndStartsNewSitesAtHttp()
    {
        TWebSiteDlg made(m_context, Item());
        auto* web = Child<QComboBox>(made, "Web");
        QStringList items;
        for (int i = 0; i < web->count(); ++i)
            items.append(web->itemText(i));
        QCOMPARE(items,
                 (QStringList{"http://", "https://", "ftp://", "news:", "mailto:", "gopher://", "wais:", "telnet:"}));
        QVERIFY(web->isEditable());
        QCOMPARE(web->currentText(), QStringLiteral("http://"));

        WebsiteForm form{"New Website", "", ""};
        WhenShown([](QDialog& dialog) {
            auto* url = Child<QComboBox>(dialog, "Web");
            QCOMPARE(url->currentText(), QStringLiteral("http://"));
            url->setEditText(QStringLiteral("https://example.org"));
            Click(dialog, "OKBtn");
        });
        QVERIFY(EditWebsiteDialog(m_context, Item(), form, EditMode::New));
        QCOMPARE(form.url, std::string("https://example.org"));
        QCOMPARE(web->count(), 8);
    }

    void addressBoxGivesItsLinesAndHoldsItsLimit()
    {
        TEditAddressDlg dialog(m_context, Item());
        dialog.Fill({"Home", {"1 Main St", "", ""}, "Springfield", "IL", "62701", "USA", "front door"});
        auto* memo = Child<LimitedMemo>(dialog, "Addr");
        QCOMPARE(memo->toPlainText(), QStringLiteral("1 Main St\n\n"));
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);

        memo->setPlainText(QStringLiteral("1 Main St\nApt 2"));
        AddressForm form;
        dialog.CopyInto(form);
        QCOMPARE(form.lines, (std::vector<std::string>{"1 Main St", "Apt 2"}));
        QCOMPARE(form.city, std::string("Springfield"));
        QCOMPARE(form.postCode, std::string("62701"));
        QCOMPARE(form.comment, std::string("front door"));

        memo->clear();
        dialog.CopyInto(form);
        QVERIFY(form.lines.empty());

        // Text copied from other systems may end its lines with CR LF.
        QApplication::clipboard()->setText(QStringLiteral("2 Side St\r\nUnit 5"));
        memo->paste();
        dialog.CopyInto(form);
        QCOMPARE(form.lines, (std::vector<std::string>{"2 Side St", "Unit 5"}));
        memo->clear();

        // Typing and pasting stop at 120 characters.
        memo->setFocus();
        QTest::keyClicks(memo, QString(118, u'a'));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("bcd"));
        QCOMPARE(memo->toPlainText(), QString(118, u'a') + QStringLiteral("\nb"));
        memo->clear();
        QApplication::clipboard()->setText(QString(200, u'x'));
        memo->paste();
        QCOMPARE(memo->toPlainText(), QString(120, u'x'));
    }

    void storedTextLongerThanTheLimitsIsKept()
    {
        TEditAddressDlg dialog(m_context, Item());
        const std::string longLine(150, 'L');
        const std::string longTitle(50, 'T');
        dialog.Fill({longTitle, {longLine}, "", "", "", "", ""});
        AddressForm form;
        dialog.CopyInto(form);
        QCOMPARE(form.title, longTitle);
        QCOMPARE(form.lines, std::vector<std::string>{longLine});
        // The user still cannot make it longer.
        auto* title = Child<QLineEdit>(dialog, "AddrTitle");
        title->end(false);
        QTest::keyClicks(title, QStringLiteral("x"));
        QCOMPARE(title->text().size(), 50);
    }

    void pastedLinesKeepTheFirstLineInOneLineBoxes()
    {
        TEMailEditDlg dialog(m_context, Item());
        auto* box = Child<QLineEdit>(dialog, "EMailTitle");
        box->setText(QStringLiteral("ab"));
        box->setCursorPosition(1);
        QApplication::clipboard()->setText(QStringLiteral("first\r\nsecond\nthird"));
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("afirstb"));
        box->setText(QStringLiteral("one\ntwo"));
        QCOMPARE(box->text(), QStringLiteral("one"));
    }

    void documentBrowseFillsTitleAndFileName()
    {
        QString askedFolder;
        TDocEditDlg::PickFile = [&askedFolder](QWidget*, const QString& folder) {
            askedFolder = folder;
            return QStringLiteral("/home/pat/letters/offer.odt");
        };
        TDocEditDlg dialog(m_context, Item());
        dialog.Fill({"New Document", "/home/pat/old/draft.txt", "keep"});
        Click(dialog, "BrowseBtn");
        QCOMPARE(askedFolder, QStringLiteral("/home/pat/old/"));
        DocumentForm form;
        dialog.CopyInto(form);
        QCOMPARE(form.title, std::string("offer.odt"));
        QCOMPARE(form.fileName, std::string("/home/pat/letters/offer.odt"));
        QCOMPARE(form.comment, std::string("keep"));

        // Nothing picked: the fields stay.
        TDocEditDlg::PickFile = [](QWidget*, const QString&) { return QString(); };
        Child<QLineEdit>(dialog, "TitleEdit")->setText(QStringLiteral("Mine"));
        Click(dialog, "BrowseBtn");
        QCOMPARE(Child<QLineEdit>(dialog, "TitleEdit")->text(), QStringLiteral("Mine"));
        TDocEditDlg::PickFile = nullptr;
    }

    void groupDialogFollowsTheKindAndTakesAnEmptyTitle()
    {
        TKPXObject* team = CreateItem(KindTeam, "Crew", "", "", m_tree->Root(), "{Team}0", 0);
        QVERIFY(team);
        GroupForm form{"Crew", "old"};
        WhenShown([](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Team"));
            Child<QLineEdit>(dialog, "TeamTitle")->clear();
            Child<QLineEdit>(dialog, "TeamComment")->setText(QStringLiteral("new"));
            Click(dialog, "OKBtn");
        });
        QVERIFY(EditGroupDialog(m_context, *team, form, team->GetKind()));
        QCOMPARE(form.title, std::string());
        QCOMPARE(form.comment, std::string("new"));
    }

    void toolShowsItsIconAndKeepsTheIconPosition()
    {
        QtIconStore icons;
        ToolForm form{"New Editor", "", "", KindPhone};
        WhenShown([&icons](QDialog& dialog) {
            const QImage shown = Child<QLabel>(dialog, "Image1")->pixmap().toImage();
            QCOMPARE(shown, icons.Icon(KindPhone).pixmap(32, 32).toImage());
            QVERIFY(shown != icons.Icon(ImageNoIcon).pixmap(32, 32).toImage());
            Child<QLineEdit>(dialog, "Address")->setText(QStringLiteral("~/notes.txt"));
            Click(dialog, "OKBtn");
        });
        QVERIFY(EditToolDialog(m_context, Item(), form, EditMode::New, icons));
        QCOMPARE(form.address, std::string("~/notes.txt"));
        QCOMPARE(form.title, std::string("New Editor"));
        QCOMPARE(form.iconIndex, int(KindPhone));
    }

private:
    TKPXObject& Item() { return m_tree->RootItem(); }

    std::unique_ptr<ItemTree> m_tree;
    DialogContext m_context;
    std::vector<int> m_helpTopics;
};

QTEST_MAIN(DetailDialogsTest)
#include "detail_dialogs_test.moc"
