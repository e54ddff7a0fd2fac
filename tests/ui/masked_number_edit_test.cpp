// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/phone_formats.h"
#include "ui/dialogs/masked_number_edit.h"
#include "ui/dialogs/phone_format_combo.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using namespace quillary;

namespace {

QString Mask(int format)
{
    const std::string_view mask = PhoneFormats()[static_cast<std::size_t>(format)].editMask;
    return QString::fromUtf8(mask.data(), static_cast<qsizetype>(mask.size()));
}

// A shown window with the number field, a second field and a dialog button box, the number field focused.
struct Form
{
    QWidget window;
    MaskedNumberEdit* number = new MaskedNumberEdit;
    QLineEdit* other = new QLineEdit;
    QDialogButtonBox* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    explicit Form(int format)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(number);
        layout->addWidget(other);
        layout->addWidget(buttons);
        number->SetEditMask(Mask(format));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        number->setFocus(Qt::TabFocusReason);
    }
};

} // namespace

class MaskedNumberEditTest : public QObject
{
    Q_OBJECT

private:
    QList<QWidget*> m_notices;

private slots:
    void init()
    {
        m_notices.clear();
        MaskedNumberEdit::SetIncompleteNotice([this](QWidget* field) { m_notices.append(field); });
    }

    void typedDigitsFillTheMask()
    {
        Form form(kPhoneFormatUsa);
        QTest::keyClicks(form.number, "555x1234567");
        QCOMPARE(form.number->DisplayedText(), QStringLiteral("(555)123-4567"));
        QCOMPARE(form.number->PlainValue(), QStringLiteral("5551234567"));
        QVERIFY(form.number->IsComplete());
        QCOMPARE(form.number->text(), form.number->DisplayedText());
    }

    void clickRightOfTheTextStillTypes()
    {
        Form form(kPhoneFormatUsa);
        QTest::keyClicks(form.number, "55");
        form.number->setCursorPosition(form.number->displayText().size());
        QTest::mouseClick(form.number, Qt::LeftButton, {}, QPoint(form.number->width() - 4, form.number->height() / 2));
        QTest::keyClicks(form.number, "5123");
        QCOMPARE(form.number->DisplayedText(), QStringLiteral("(555)123-"));
    }

    void literalDigitsStayOutOfThePlainValue()
    {
        Form form(3); // France: "16-" ahead of the digits
        QTest::keyClicks(form.number, "12345678");
        QCOMPARE(form.number->DisplayedText(), QStringLiteral("16-12-34-56-78"));
        QCOMPARE(form.number->PlainValue(), QStringLiteral("12345678"));
    }

    void onlyLiteralsIsEmpty()
    {
        Form form(kPhoneFormatUsa);
        QCOMPARE(form.number->PlainValue(), QString());
        QCOMPARE(form.number->DisplayedText(), QStringLiteral("()-"));
        QVERIFY(!form.number->IsComplete());
        QVERIFY(form.number->CheckComplete()); // an empty field may be left and taken
        form.other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(m_notices.isEmpty());
        QVERIFY(form.other->hasFocus());
    }

    void incompleteFieldCannotBeLeft()
    {
        Form form(kPhoneFormatUsa);
        QTest::keyClicks(form.number, "555123");
        QVERIFY(!form.number->IsComplete());
        form.other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(m_notices, QList<QWidget*>{form.number});
        QVERIFY(form.number->hasFocus());

        m_notices.clear();
        QVERIFY(!form.number->CheckComplete());
        QCOMPARE(m_notices.size(), 1);

        m_notices.clear();
        QTest::keyClicks(form.number, "4567");
        form.other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(m_notices.isEmpty());
        QVERIFY(form.other->hasFocus());
    }

    void cancelStaysReachable()
    {
        Form form(kPhoneFormatUsa);
        QTest::keyClicks(form.number, "555");
        form.buttons->button(QDialogButtonBox::Cancel)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(m_notices.isEmpty());

        form.number->setFocus(Qt::MouseFocusReason);
        form.buttons->button(QDialogButtonBox::Ok)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(m_notices.size(), 1);
        QVERIFY(form.number->hasFocus());

        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason); // switching windows is no refusal
        QCoreApplication::sendEvent(form.number, &out);
        QCoreApplication::processEvents();
        QCOMPARE(m_notices.size(), 1);
    }

    void freeTextKeepsOneLine()
    {
        Form form(kPhoneFormatFree);
        QVERIFY(form.number->inputMask().isEmpty());
        QTest::keyClicks(form.number, "555-12 ext. 3");
        QCOMPARE(form.number->PlainValue(), QStringLiteral("555-12 ext. 3"));
        QVERIFY(form.number->CheckComplete());

        form.number->setText(QStringLiteral("ab"));
        form.number->setCursorPosition(1);
        QGuiApplication::clipboard()->setText(QStringLiteral("1\r\n2\n3"));
        form.number->paste();
        QCOMPARE(form.number->text(), QStringLiteral("a1b"));

        form.number->setText(QStringLiteral("x\ny\x1az"));
        QCOMPARE(form.number->text(), QStringLiteral("x"));
        form.number->setText(QStringLiteral("x\x1az\t"));
        QCOMPARE(form.number->text(), QStringLiteral("xz"));
    }

    void changingTheMaskKeepsTheNumber()
    {
        Form form(kPhoneFormatUsa);
        form.number->SetEditMask(Mask(kPhoneFormatFree));
        QCOMPARE(form.number->text(), QString()); // not "()-"

        form.number->setText(QStringLiteral("(555) 123-4567"));
        form.number->SetEditMask(Mask(kPhoneFormatUsa));
        QCOMPARE(form.number->DisplayedText(), QStringLiteral("(555)123-4567"));

        form.number->SetEditMask(Mask(3)); // France
        QCOMPARE(form.number->PlainValue(), QStringLiteral("55512345"));
        form.number->SetEditMask(Mask(kPhoneFormatFree));
        QCOMPARE(form.number->text(), QStringLiteral("16-55-51-23-45"));
        QCOMPARE(form.number->EditMaskNotation(), QString());
    }

    void comboSetsTheMaskOfItsOwnEdit()
    {
        MaskedNumberEdit phone;
        MaskedNumberEdit fax;
        PhoneFormatCombo phoneFormat;
        PhoneFormatCombo faxFormat;
        phoneFormat.Attach(&phone);
        faxFormat.Attach(&fax);
        QCOMPARE(faxFormat.count(), 11);
        QCOMPARE(faxFormat.itemText(10), QStringLiteral("United Kingdom"));

        phoneFormat.SelectFormat(kPhoneFormatUsa); // already selected: the mask is set all the same
        faxFormat.SelectFormat(kPhoneFormatUsa);
        QCOMPARE(phone.EditMaskNotation(), Mask(kPhoneFormatUsa));

        faxFormat.setCurrentIndex(faxFormat.findText(QStringLiteral("Norway"))); // as a user's choice does
        QCOMPARE(fax.EditMaskNotation(), QStringLiteral("00 09 99 99;0;_"));
        QCOMPARE(fax.inputMask(), QStringLiteral("99\\ 90\\ 00\\ 00;_"));
        QCOMPARE(phone.EditMaskNotation(), Mask(kPhoneFormatUsa));
    }

    void cleanupTestCase() { MaskedNumberEdit::SetIncompleteNotice({}); }
};

QTEST_MAIN(MaskedNumberEditTest)
#include "masked_number_edit_test.moc"
