// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/vcard_import_dlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quillary;

namespace {
QStringList Texts(const QWidget& widget)
{
    QStringList texts;
    for (const QLabel* label : widget.findChildren<QLabel*>())
        texts.append(label->text());
    texts.sort();
    return texts;
}

QString Text(const QWidget& widget, const char* name)
{
    return widget.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Does what the user does once the question is on screen.
void WhenAsked(const std::function<void(TVCImportDlg&)>& answer)
{
    QTimer::singleShot(0, [answer] {
        if (auto* dialog = qobject_cast<TVCImportDlg*>(QApplication::activeModalWidget()))
            answer(*dialog);
    });
}
} // namespace

class VCardImportDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheCardAndDefaultsToAPerson()
    {
        TVCImportDlg dialog(QStringLiteral("Sonja Berg"), QStringLiteral("Acme <Ltd>"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("vCard Import"));
        QCOMPARE(Texts(dialog),
                 (QStringList{"Acme <Ltd>", "Attempting to read vCard with the following information:",
                              "How should this vCard be imported?", "Name:", "Organization:", "Sonja Berg"}));
        QCOMPARE(Text(dialog, "NameText"), QStringLiteral("Sonja Berg"));
        QCOMPARE(Text(dialog, "OrgText"), QStringLiteral("Acme <Ltd>"));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("Question"))->font().bold());
        QCOMPARE(dialog.OrgnBtn()->text(), QStringLiteral("Import as Orgn."));
        QCOMPARE(dialog.PersonBtn()->text(), QStringLiteral("Import as Person"));
        QVERIFY(dialog.PersonBtn()->isDefault());
        QVERIFY(!dialog.OrgnBtn()->isDefault());
    }

    void theQuestionAsksThroughTheDialog()
    {
        VCardQuestion question(nullptr);
        QString shownName;
        WhenAsked([&shownName](TVCImportDlg& shown) {
            shownName = Text(shown, "NameText");
            shown.OrgnBtn()->click();
        });
        QVERIFY(question.ImportAsOrganization("Jos\xc3\xa9 Ruiz", "Acme"));
        QCOMPARE(shownName, QStringLiteral("José Ruiz"));
        // Enter takes the default, and closing the dialog also means a person.
        WhenAsked([](TVCImportDlg& shown) { QTest::keyClick(&shown, Qt::Key_Return); });
        QVERIFY(!question.ImportAsOrganization("A", "B"));
        WhenAsked([](TVCImportDlg& shown) { shown.reject(); });
        QVERIFY(!question.ImportAsOrganization("A", "B"));
    }
};

QTEST_MAIN(VCardImportDlgTest)
#include "vcard_import_dlg_test.moc"
