// SPDX-License-Identifier: GPL-3.0-or-later
// What a keyboard, a screen reader and a large font or scale meet: Tab goes to the folders past
// no tool bar button, controls that look alike are named apart, the lines of editable combo boxes
// are named, a mnemonic label works, the item count is whole and a saved window fits the screen.
#include "main_window_fixture.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "shell/settings_keys.h"
#include "ui/dialogs/party_dlg.h"
#include "ui/sync/sync_account_dialog.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

using namespace quillary;

namespace {

const QByteArray Data = "{Params}\r\n"
                        "{0 11 }My Contacts~~~~~~32892645\r\n"
                        "{1 0 }Clients~~~~~~1\r\n{Fold}0\r\n"
                        "{2 3 }Sonja Berg~~~~~~5\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n";

QString ReadName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// What a screen reader reads of the label of the control.
QString LabelText(QWidget* control)
{
    for (QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return ReadName(label);
    return {};
}

} // namespace

class KeyboardAndFitTest : public QObject
{
    Q_OBJECT

    MainWindowFixture m_window;

    void OpenShown(const std::function<void(TProfileFile&)>& adjust = {})
    {
        m_window.Open(Data, adjust);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.form.get()));
    }

private slots:
    void tabFromTheFirstFocusReachesTheFoldersPastNoToolButton()
    {
        OpenShown();
        // Only the two filter buttons, which no menu or key reaches, are in the Tab round.
        const auto isFilter = [](QWidget* widget) { return ReadName(widget).startsWith(QStringLiteral("Filter by")); };
        for (const QToolBar* bar : m_window.form->findChildren<QToolBar*>())
            for (QToolButton* button : bar->findChildren<QToolButton*>())
                QVERIFY2(!(button->focusPolicy() & Qt::TabFocus) || isFilter(button), qPrintable(ReadName(button)));
        QWidget* folders = m_window.form->findChild<QWidget*>(QStringLiteral("Folders"));
        QTRY_VERIFY(QApplication::focusWidget());
        int filterStops = 0;
        for (int i = 0; i < 10 && QApplication::focusWidget() != folders; ++i) {
            auto* button = qobject_cast<QToolButton*>(QApplication::focusWidget());
            QVERIFY(!button || isFilter(button));
            filterStops += button != nullptr;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), folders);
        QVERIFY(filterStops <= 2);
    }

    void theFilterButtonsAreNamedApartAndKeepTheirTips()
    {
        OpenShown();
        auto* bar = m_window.form->findChild<QToolBar*>(QStringLiteral("SpeedPanel"));
        QStringList names;
        for (QAction* action : bar->actions())
            if (action->toolTip() == QStringLiteral("Filter")) {
                QCOMPARE(bar->widgetForAction(action)->toolTip(), QStringLiteral("Filter"));
                names << ReadName(bar->widgetForAction(action));
            }
        QCOMPARE(names, (QStringList{QStringLiteral("Filter by any selected category"),
                                     QStringLiteral("Filter by all selected categories")}));
    }

    void theLineOfEveryEditableComboIsNamedAsTheCombo()
    {
        ItemTree tree;
        auto& person = *static_cast<TPartyObject*>(CreateItem(KindPerson, "New Person", "", "", tree.Root(), "", 0));
        DialogContext context;
        TPartyEditDlg dialog{context, person, EditMode::New};
        dialog.Fill(person.NewForm());
        dialog.show();
        auto* sheets = dialog.findChild<QTabWidget*>();
        int met = 0;
        for (int sheet = 0; sheet < sheets->count(); ++sheet) {
            sheets->setCurrentIndex(sheet);
            for (QComboBox* box : sheets->widget(sheet)->findChildren<QComboBox*>())
                if (box->isEditable()) {
                    ++met;
                    QVERIFY2(!ReadName(box->lineEdit()).isEmpty(), qPrintable(box->objectName()));
                    QCOMPARE(ReadName(box->lineEdit()), LabelText(box));
                }
        }
        QVERIFY(met >= 4); // the salutation, the title boxes and the site address
        QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("Salutation"))->lineEdit()->accessibleName(),
                 QStringLiteral("Salut."));
    }

    void theAddressBookLabelReadsWithoutItsMarkAndItsMnemonicWorks()
    {
        ItemTree tree;
        SyncAccountDialog dialog(nullptr, SyncAccount{}, QString(), tree, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* book = dialog.findChild<QComboBox*>(QStringLiteral("Book"));
        QCOMPARE(LabelText(book), QStringLiteral("Address book:"));
        QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), book);
    }

    void theItemCountIsWholeInALargeFont()
    {
        const QFont usual = QApplication::font();
        QFont large = usual;
        large.setPointSize(usual.pointSize() * 2);
        QApplication::setFont(large);
        OpenShown();
        auto* count = m_window.form->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
        QTRY_VERIFY(count->text().endsWith(QStringLiteral("item(s)")));
        QTRY_VERIFY(count->width() >= QFontMetrics(count->font()).horizontalAdvance(count->text()));
        m_window.form.reset();
        QApplication::setFont(usual);
    }

    void aSavedGeometryTooLargeOrElsewhereIsFittedToTheScreen_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::newRow("2560x1400 at 200 %") << QRect(0, 0, 2560, 1400);
        QTest::newRow("off the right") << QRect(5000, 100, 400, 300);
        QTest::newRow("above and left") << QRect(-900, -700, 400, 300);
    }

    void aSavedGeometryTooLargeOrElsewhereIsFittedToTheScreen()
    {
        QFETCH(QRect, saved);
        OpenShown([&saved](TProfileFile& settings) {
            settings.WriteInteger(settings::WinStateSection, "Norm_Left", saved.left());
            settings.WriteInteger(settings::WinStateSection, "Norm_Top", saved.top());
            settings.WriteInteger(settings::WinStateSection, "Norm_Width", saved.width());
            settings.WriteInteger(settings::WinStateSection, "Norm_Height", saved.height());
        });
        const QRect screen = m_window.form->screen()->availableGeometry();
        const QRect frame = m_window.form->frameGeometry();
        QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                        .arg(frame.x())
                                                        .arg(frame.y())
                                                        .arg(frame.width())
                                                        .arg(frame.height())
                                                        .arg(screen.width())
                                                        .arg(screen.height())));
    }
};

QTEST_MAIN(KeyboardAndFitTest)
#include "keyboard_and_fit_test.moc"
