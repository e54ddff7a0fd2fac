// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_window.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/profile_file.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/logic_form.h"
#include "ui/shell/main_form.h"
#include "ui/shell/splitter_panel.h"
#include "ui/widgets/tip_bar.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

using namespace quillary;

namespace {

void WriteFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

const QByteArray SampleData = "{Params}\r\n"
                              "{0 11 }My Contacts~~~~~~32892645\r\n"
                              "{1 3 }zeta~~~~~~1\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                              "{1 0 }Zoo~~~~~~2\r\n{Fold}0\r\n"
                              "{1 1 }acme~~~~~~3\r\n{Orgn}~~~~~~~~~~0\r\n"
                              "{1 3 }Beta~~~~~~4\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                              "{1 6 }Adam phone~~555~~~~5\r\n{Phon}~~0\r\n";

QStringList ListTitles(TMainForm& form)
{
    QStringList titles;
    for (int row = 0; row < form.ListModel().rowCount(); ++row)
        titles.append(form.ListModel().index(row, 0).data().toString());
    return titles;
}

QStringList MenuCaptions(QMenu* menu)
{
    QStringList captions;
    for (QAction* action : menu->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settingsPath = m_dir->filePath(QStringLiteral("kpx.ini"));
        m_dataPath = m_dir->filePath(QStringLiteral("zelk.dat"));
    }

    void buildsTheWindowWithItsParts()
    {
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        for (const char* name : {"Folders", "FilterListBox", "WinSplitterPanel", "MainItems", "SpeedPanel",
                                 "NewItemPanel", "FindPanel", "TipBar1", "FindEditBox"})
            QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name)), name);
        QCOMPARE(form.windowTitle(), QStringLiteral("Quillary"));
        const QList<QMenu*> menus = form.menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
        QStringList titles;
        for (QAction* action : form.menuBar()->actions())
            titles.append(action->text());
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Help"}));
        QMenu* view = form.menuBar()->actions().at(2)->menu();
        QCOMPARE(MenuCaptions(view), (QStringList{"&Toggle Main Window", "-", "Tool&bar", "&New Item Bar", "&Find Bar",
                                                  "T&ip Bar", "&Status Bar", "-", "Lar&ge Icons", "S&mall Icons",
                                                  "&List", "&Details", "-", "&Options..."}));
        QMenu* file = form.menuBar()->actions().at(0)->menu();
        QCOMPARE(MenuCaptions(file), (QStringList{"&New", "&Import...", "P&ublish...", "-", "&Save", "R&evert",
                                                  "S&ynchronize", "-", "&Print...", "P&rinter Setup...", "-", "E&xit"}));
    }

    void firstStartShowsTheRootAlone()
    {
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        QCOMPARE(form.Tree().NodeCount(), 1);
        QCOMPARE(form.StatusText(1), QStringLiteral("0 item(s)"));
        QCOMPARE(form.StatusText(2), QStringLiteral("My Contacts"));
        QCOMPARE(form.TrayTip(), QStringLiteral("[My Contacts]"));
    }

    void fillsAndSortsTheListFoldersFirst()
    {
        WriteFile(m_dataPath, SampleData);
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        QCOMPARE(ListTitles(form), (QStringList{"Zoo", "acme", "Adam phone", "Beta", "zeta"}));
        QCOMPARE(form.StatusText(1), QStringLiteral("5 item(s)"));
        // The tree keeps the file's order until something is re-sorted.
        QCOMPARE(form.Tree().Root().FirstChild()->Text(), std::string("zeta"));
    }

    void renamingSparesTheRootAndResorts()
    {
        WriteFile(m_dataPath, SampleData);
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        FolderTreeModel& model = form.TreeModel();
        const QModelIndex root = model.index(0, 0);
        QVERIFY(!(model.flags(root) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(root, QStringLiteral("Renamed"), Qt::EditRole));
        const QModelIndex zeta = model.index(0, 0, root);
        QVERIFY(model.flags(zeta) & Qt::ItemIsEditable);
        QVERIFY(model.setData(zeta, QStringLiteral("Alpha"), Qt::EditRole));
        QCOMPARE(form.Tree().Root().ChildAt(0)->Text(), std::string("Zoo"));
        QCOMPARE(form.Tree().Root().ChildAt(1)->Text(), std::string("acme"));
        QCOMPARE(form.Tree().Root().ChildAt(2)->Text(), std::string("Alpha"));
    }

    void viewStylesKeepMenuAndButtonsInStep()
    {
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        form.SetListStyle(4);
        QCOMPARE(form.ListStyle(), 4);
        QMenu* view = form.menuBar()->actions().at(2)->menu();
        QVERIFY(view->actions().at(11)->isChecked());
        form.SetListStyle(7);
        QCOMPARE(form.ListStyle(), 4);
    }

    void splitterMovesOnlyBeyondFourPixels()
    {
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        form.show();
        auto* splitter = form.findChild<SplitterPanel*>(QStringLiteral("WinSplitterPanel"));
        const int before = form.TreePaneWidth();
        splitter->DragTo(4); // new width = before + 4
        QCOMPARE(form.TreePaneWidth(), before);
        splitter->DragTo(30);
        QCOMPARE(form.TreePaneWidth(), before + 30);
    }

    void toolBarTogglesFollowTheBars()
    {
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        form.show();
        QMenu* view = form.menuBar()->actions().at(2)->menu();
        QAction* toolbarItem = view->actions().at(2);
        auto* bar = form.findChild<QToolBar*>(QStringLiteral("SpeedPanel"));
        toolbarItem->trigger();
        QVERIFY(!toolbarItem->isChecked());
        QVERIFY(bar->isHidden());
        bar->show();
        QVERIFY(toolbarItem->isChecked());
        form.hide(); // hiding the window is not hiding the bar
        QVERIFY(toolbarItem->isChecked());
    }

    void geometryRoundTripsThroughTheSettingsFile()
    {
        {
            TProfileFile settings(m_settingsPath.toStdString());
            DesktopWindow form(settings, m_dataPath);
            form.ApplySettings({10, 20, 700, 500, 150, 3, 100, 110, 120});
            form.SaveOnExit();
        }
        TProfileFile reread(m_settingsPath.toStdString());
        QCOMPARE(reread.ReadInteger("WinState", "Norm_Width", 0), 700);
        QCOMPARE(reread.ReadInteger("WinState", "Norm_Split", 0), 150);
        QCOMPARE(reread.ReadInteger("WinState", "Alt_Width", 0), 300);
        DesktopWindow again(reread, m_dataPath);
        const TWinSettings settings = again.GetSettings();
        QCOMPARE(settings.Width, 700);
        QCOMPARE(settings.Split, 150);
        QCOMPARE(settings.Style, 3);
        QCOMPARE(settings.ColPos2, 110);
        QVERIFY(QFile::exists(m_dataPath)); // the orderly end wrote the data file
    }

    void toggleTwiceReturnsToTheFirstGeometry()
    {
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        form.ApplySettings({0, 0, 640, 480, 201, 1, 125, 150, 150});
        form.ToggleMainWindow();
        QCOMPARE(form.GetSettings().Width, 300);
        QCOMPARE(form.TreePaneWidth(), 1);
        form.ToggleMainWindow();
        QCOMPARE(form.GetSettings().Width, 640);
        QCOMPARE(form.TreePaneWidth(), 201);
    }

    void upOneLevelStopsAtTheRootAndOpenSelectsOwners()
    {
        WriteFile(m_dataPath, SampleData);
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        TreeNode& zoo = *form.Tree().Root().ChildAt(1);
        form.SelectNode(zoo);
        QCOMPARE(form.SelectedNode(), &zoo);
        form.SelectNode(*zoo.Parent());
        QCOMPARE(form.SelectedNode(), &form.Tree().Root());
        // A double click on a folder entry opens it.
        form.ListModel().ItemAt(0)->OpenDefault();
        QCOMPARE(form.SelectedNode(), &zoo);
    }

    void commandLineReadsInterchangeFilesIntoTheRoot()
    {
        TProfileFile settings(m_settingsPath.toStdString());
        DesktopWindow form(settings, m_dataPath);
        const QString zkd = m_dir->filePath(QStringLiteral("My Export.ZKD"));
        WriteFile(zkd, "{1 0 }Imported~~~~~~7\r\n{Fold}0\r\n");
        form.HandleCommandLine(QStringLiteral("quillary \"%1\" HIDEWIN other.txt").arg(zkd), false);
        QCOMPARE(form.Tree().NodeCount(), 2);
        QCOMPARE(ListTitles(form), QStringList{"Imported"});
    }

    void trayTipIsCutTo62Characters()
    {
        QCOMPARE(CutTrayTip(QString(80, QLatin1Char('x'))).size(), 62);
        QCOMPARE(CutTrayTip(QStringLiteral("[My Contacts]")), QStringLiteral("[My Contacts]"));
    }

    void tipBarShowsTipsAndTheirHelp()
    {
        TTipBar bar(QStringLiteral("Tip Bar"));
        bar.SetTipFile({QStringLiteral("\"First, with comma\", 1002"), QStringLiteral("\"Second\"")});
        bar.ShowRandomTip();
        QCOMPARE(bar.Position(), 0); // with two tips the first random tip is the first
        QCOMPARE(bar.ShownText(), QStringLiteral("First, with comma"));
        QVERIFY(bar.BulbEnabled());
        bar.Step(+1);
        QVERIFY(!bar.BulbEnabled());
        bar.Step(+1);
        QCOMPARE(bar.Position(), 1);
        QCOMPARE(bar.ShownText(), QStringLiteral("Second"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_settingsPath;
    QString m_dataPath;
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
