// SPDX-License-Identifier: GPL-3.0-or-later
// What a new user sees of the main window: a first start that fits its tool bars, a narrow
// alternate window whose status panels stay apart, whole tips, two-line icon labels, and the
// tools menus kept current.
#include "desktop_window.h"

#include "shell/profile_file.h"
#include "shell/tool_items.h"
#include "ui/dialogs/option_pages.h"
#include "ui/reports/progress_form.h"
#include "ui/shell/icon_label_delegate.h"
#include "ui/shell/logic_form.h"
#include "ui/shell/main_form.h"
#include "ui/widgets/tip_bar.h"
#include "widgets/main_tips.h"
#include "widgets/tip_entry.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

using namespace quillary;

namespace {

// A tool bar shows all its buttons when it needs no extension ("»") button.
bool ShowsAllButtons(const QToolBar& bar)
{
    const auto* extension = bar.findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    return !extension || !extension->isVisible();
}

QList<QLabel*> StatusPanels(TMainForm& form)
{
    QList<QLabel*> panels;
    for (int i = 0; i < 3; ++i)
        panels << form.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
    return panels;
}

} // namespace

class MainWindowFitTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString Path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void theWindowIsTitledQuillary()
    {
        TProfileFile settings(Path("kpx.ini").toStdString());
        DesktopWindow form(settings, Path("zelk.dat"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Quillary"));
    }

    void aFirstStartFitsItsToolBarsOnTheScreen()
    {
        TProfileFile settings(Path("kpx.ini").toStdString()); // no settings file yet
        DesktopWindow form(settings, Path("zelk.dat"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY(form.width() >= screen.width() * 2 / 3 - 1 || form.width() == screen.width());
        QVERIFY(form.width() <= screen.width());
        QVERIFY(form.height() >= std::min(screen.height() * 2 / 3 - 1, 480));
        for (const char* name : {"SpeedPanel", "NewItemPanel", "FindPanel", "TipBar1"}) {
            const auto* bar = form.findChild<QToolBar*>(QString::fromLatin1(name));
            QVERIFY2(ShowsAllButtons(*bar), name);
        }
    }

    void storedGeometryIsHonouredAndPlacesTheFrame()
    {
        QFile file(Path("kpx.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[WinState]\r\nNorm_Left=0\r\nNorm_Top=0\r\nNorm_Width=700\r\nNorm_Height=500\r\n");
        file.close();
        TProfileFile settings(Path("kpx.ini").toStdString());
        DesktopWindow form(settings, Path("zelk.dat"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(700, 500));
        // 0,0 is where the frame goes, so the title bar is on the screen.
        QCOMPARE(form.frameGeometry().topLeft(), QPoint(0, 0));
        QCOMPARE(form.GetSettings().Left, 0);
        QCOMPARE(form.GetSettings().Top, 0);
    }

    void theAlternateWindowGoesNarrowWithoutOverlappingPanels()
    {
        TProfileFile settings(Path("kpx.ini").toStdString());
        DesktopWindow form(settings, Path("zelk.dat"));
        form.show();
        form.ToggleMainWindow();
        QCoreApplication::processEvents(); // the toggled geometry's layout first
        form.resize(160, 400);
        QCoreApplication::processEvents();
        QVERIFY(form.width() <= 170);
        QCoreApplication::processEvents();
        const QList<QLabel*> panels = StatusPanels(form);
        for (int i = 0; i + 1 < panels.size(); ++i)
            QVERIFY2(panels[i]->geometry().right() < panels[i + 1]->geometry().left() || panels[i + 1]->isHidden(),
                     qPrintable(QStringLiteral("panel %1 runs into panel %2").arg(i).arg(i + 1)));
        QVERIFY(panels[1]->geometry().right() <= form.statusBar()->width());
        QCOMPARE(panels[1]->width(), 75); // the item count stays whole
    }

    void everyTipIsShownWhole()
    {
        TTipBar bar(QStringLiteral("Tip Bar"));
        QStringList tips;
        for (const std::string& tip : MainWindowTips())
            tips << QString::fromStdString(tip);
        tips << QStringLiteral("A deliberately long tip that goes on and on so that it needs several lines in the "
                               "label, which must still show it from its first word to its very last one.");
        bar.SetTipFile(tips);
        bar.show();
        auto* label = bar.findChild<QLabel*>();
        for (int i = 0; i < tips.size(); ++i) {
            bar.Step(+1);
            const QRect needed =
                label->fontMetrics().boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text());
            QVERIFY2(needed.height() <= label->contentsRect().height(), qPrintable(label->text()));
        }
    }

    void largeIconLabelsAreElidedAsOneText()
    {
        const QFont font = QApplication::font();
        const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("Wwwwwwwwwwwww"));
        const QString title = QStringLiteral("Professor Maximilian Alexander Featherstonehaugh-Worthington");
        const QStringList lines = IconLabelLines(title, font, width);
        QCOMPARE(lines.size(), 2);
        QVERIFY(!lines[0].endsWith(QChar(0x2026))); // the first line is whole words, not cut
        QVERIFY(lines[1].endsWith(QChar(0x2026)));  // the rest of the whole text, cut once
        QVERIFY(title.startsWith(lines[0]));
        QVERIFY(title.mid(lines[0].size()).trimmed().startsWith(lines[1].chopped(1)));
        for (const QString& line : lines)
            QVERIFY(QFontMetrics(font).horizontalAdvance(line) <= width);
        QCOMPARE(IconLabelLines(QStringLiteral("Ann"), font, width), QStringList{QStringLiteral("Ann")});
    }

    void toolsAddedLaterReachTheTrayMenu()
    {
        TProfileFile settings(Path("kpx.ini").toStdString());
        DesktopWindow form(settings, Path("zelk.dat"));
        TLogicForm logic(form);
        auto* tools = logic.TrayMenu().findChild<QMenu*>(QStringLiteral("Tools1"));
        QVERIFY(tools);
        QVERIFY(tools->actions().isEmpty());
        tools->popup(QPoint(0, 0)); // the menu has been opened once
        tools->hide();

        // A tool added in the Options dialog, as its Tools page does.
        QString chosen;
        TOptionPages::PickFile = [&chosen](QWidget*, const QString& folder) {
            chosen = folder;
            return QStringLiteral("/bin/sh");
        };
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TOptionPages*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QPushButton*>(QStringLiteral("NewToolBtn"))->click();
            dialog->accept();
        });
        form.OptionsItemClick();
        QCOMPARE(chosen, QStringLiteral("/usr/bin")); // the file dialog starts among the programs
        QCOMPARE(tools->actions().size(), 1);
        QCOMPARE(tools->actions().front()->text(), QStringLiteral("sh"));
    }

    void theProgressBoxIsOnTheScreenBeforeTheWorkStarts()
    {
        TProgressForm progress;
        progress.Start(QStringLiteral("Searching..."), 100);
        progress.ShowNow();
        QVERIFY(progress.windowHandle() && progress.windowHandle()->isExposed());
    }
};

QTEST_MAIN(MainWindowFitTest)
#include "main_window_fit_test.moc"
