// SPDX-License-Identifier: GPL-3.0-or-later
// Every window a user opens, walked as a screen reader and a keyboard-only user meet it.
#include "accessibility_walk.h"
#include "main_window_fixture.h"

#include "dialogs/recurring_date.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "support/fake_services.h"
#include "ui/dialogs/recurring_date_dlg.h"
#include "ui/wizards/export_wizard.h"
#include "ui/wizards/import_wizard.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <set>

using namespace quillary;
using quillary::test::FixedClock;
using namespace accessibility_walk;

namespace {

const QByteArray Data = "{Params}\r\n"
                        "{0 11 }My Contacts~~~~~~32892645\r\n"
                        "{1 0 }Clients~~~~~~1\r\n{Fold}0\r\n"
                        "{2 3 }Sonja Berg~~~~~~5\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                        "{3 6 }Home~~555-0101~~~~7\r\n{Phon}~~0\r\n"
                        "{3 9 }Renew~~~~~~11\r\n{Remd}2030,1,15,5~~0\r\n";

QAction* ActionNamed(const QWidget& form, const QString& text)
{
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

TreeNode* NodeTitled(ItemTree& tree, const std::string& title)
{
    for (int i = 0; i < tree.NodeCount(); ++i)
        if (tree.NodeAt(i)->Data()->GetTitle() == title)
            return tree.NodeAt(i);
    return nullptr;
}

struct WindowReport
{
    QString title;
    QStringList unnamed;
    QStringList unreachable;
};

WindowReport Walk(QWidget* window)
{
    return {window->windowTitle(), UnnamedControls(window), UnreachableControls(window)};
}

void Expect(const WindowReport& report)
{
    if (!report.unnamed.isEmpty())
        qWarning().noquote() << report.title << "unnamed:" << report.unnamed.join(QStringLiteral("; "));
    if (!report.unreachable.isEmpty())
        qWarning().noquote() << report.title << "not reached by Tab:" << report.unreachable.join(QStringLiteral("; "));
    QVERIFY2(report.unnamed.isEmpty() && report.unreachable.isEmpty(), qPrintable(report.title));
}

// Triggers the action and walks the modal window it opens, then closes that window.
WindowReport WalkModal(QAction& action)
{
    WindowReport report;
    QTimer::singleShot(50, [&report] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            report = Walk(dialog);
            dialog->reject();
        }
    });
    action.trigger();
    return report;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

    MainWindowFixture m_window;

private slots:
    void init()
    {
        m_window.Open(Data);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.form.get()));
    }

    void theMainWindow() { Expect(Walk(m_window.form.get())); }

    // Each dialog as its command opens it with a node selected. Folders and teams are named in
    // place; their dialog is Properties.
    void everyDialog_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("node");
        for (const char* command : {"&Organization", "&Person", "&Website", "&Properties", "&Options...",
                                    "&Import...", "P&ublish...", "&Print...", "&Show Popup"})
            QTest::newRow(command) << QString::fromLatin1(command) << QStringLiteral("Clients");
        for (const char* command : {"&Address", "&E-Mail", "&Phone", "&Fax", "&Reminder", "&Document"})
            QTest::newRow(command) << QString::fromLatin1(command) << QStringLiteral("Sonja Berg");
    }
    void everyDialog()
    {
        QFETCH(QString, command);
        QFETCH(QString, node);
        m_window.form->SelectNode(*NodeTitled(m_window.form->Tree(), node.toStdString()));
        QAction* action = ActionNamed(*m_window.form, command);
        QVERIFY(action);
        const WindowReport report = WalkModal(*action);
        QVERIFY2(!report.title.isEmpty(), "no dialog opened");
        Expect(report);
    }

    void everyPageOfBothWizards()
    {
        TImportWizard import({});
        TExportWizard publish;
        for (TWizardForm* wizard : {static_cast<TWizardForm*>(&import), static_cast<TWizardForm*>(&publish)}) {
            wizard->show();
            wizard->ShowAllSheets();
            for (int page = 0; page < wizard->VisibleSheets().size(); ++page) {
                wizard->GoToPage(page);
                WindowReport report = Walk(wizard);
                report.title += QLatin1Char('/') + wizard->VisibleSheets().at(page);
                Expect(report);
            }
            wizard->hide();
        }
    }

    void theDateDialog()
    {
        FixedClock clock{{2026, 12, 8}};
        EnglishDateLocale locale;
        TRecurringDate date(clock, locale);
        TRecurringDateDlg dialog(date);
        dialog.show();
        Expect(Walk(&dialog));
    }

    // Tab goes from the folders to the entries, and round the whole window back to the folders,
    // meeting every control once and no tool bar button but the two filter buttons, which no
    // menu or key reaches.
    void tabGoesRoundTheMainWindow()
    {
        QWidget* folders = m_window.form->findChild<QWidget*>(QStringLiteral("Folders"));
        folders->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), folders);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), QStringLiteral("Entries"));
        std::set<QWidget*> met;
        for (int i = 0; i < 200 && QApplication::focusWidget() != folders; ++i) {
            QVERIFY2(met.insert(QApplication::focusWidget()).second, "a control is met twice before the round ends");
            const QWidget* at = QApplication::focusWidget();
            QVERIFY2(!qobject_cast<const QToolButton*>(at) || at->accessibleName().startsWith(QStringLiteral("Filter by")),
                     "Tab stops on a tool bar button");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), folders);
        QVERIFY(met.count(m_window.form->findChild<QWidget*>(QStringLiteral("FindEditBox"))));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
