// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_window.h"
#include "fake_devtools_server.h"
#include "reserved_port.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/kpx_object.h"
#include "shell/profile_file.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/logic_form.h"
#include "ui/shell/main_form.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace quillary;

namespace {

QAction* FindAction(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* action : actions) {
        if (action->text() == text)
            return action;
        if (action->menu())
            if (QAction* inner = FindAction(action->menu()->actions(), text))
                return inner;
    }
    return nullptr;
}

QStringList ListTitles(TMainForm& form)
{
    QStringList titles;
    for (int row = 0; row < form.ListModel().rowCount(); ++row)
        titles.append(form.ListModel().index(row, 0).data().toString());
    return titles;
}

} // namespace

class MainWindowBrowserTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeDevToolsServer> m_server;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;

    // A main window whose browser services all answer at the endpoint given.
    void MakeForm(const QString& endpoint)
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        const std::string text = "[DDE]\nNETSCAPE=" + endpoint.toStdString() + "\nIExplore=" + endpoint.toStdString() +
                                 "\nMosaic=" + endpoint.toStdString() + "\n";
        m_settings = std::make_unique<TProfileFile>(
            TProfileFile::FromText(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString(), text));
        m_form = std::make_unique<DesktopWindow>(*m_settings, m_dir->filePath(QStringLiteral("zelk.dat")));
    }

private slots:
    void cleanup()
    {
        m_form.reset();
        m_server.reset();
    }

    void getBrowserUrlMakesAWebsiteUnderTheSelectedNode()
    {
        m_server = std::make_unique<FakeDevToolsServer>();
        MakeForm(m_server->Endpoint());
        TreeNode& root = m_form->Tree().Root();
        CreateItem(KindPerson, "Zed", "", "", root, "", 0);
        m_form->SelectNode(root);
        QAction* button = nullptr;
        for (QAction* action : m_form->findChildren<QAction*>())
            if (action->objectName() == QStringLiteral("GetUrlBtn"))
                button = action;
        QVERIFY(button && button->isEnabled());
        button->trigger();
        QCOMPARE(ListTitles(*m_form), (QStringList{"My Page", "Zed"}));
        QCOMPARE(root.FirstChild()->Data()->GetTarget(), std::string("file:///tmp/x.htm"));
        // Capturing never starts a browser or opens a tab.
        for (const QString& request : m_server->requests)
            QVERIFY(request.startsWith(QStringLiteral("GET ")));
    }

    void trayEntryCapturesToo()
    {
        m_server = std::make_unique<FakeDevToolsServer>();
        MakeForm(m_server->Endpoint());
        TLogicForm logic(*m_form);
        QAction* entry = FindAction(logic.TrayMenu().actions(), QStringLiteral("&Get Browser URL"));
        QVERIFY(entry && entry->isEnabled());
        entry->trigger();
        QCOMPARE(m_form->Tree().NodeCount(), 2);
        QCOMPARE(m_form->Tree().Root().FirstChild()->Data()->GetTitle(), std::string("My Page"));
    }

    void withNoBrowserNothingIsMade()
    {
        const ReservedPort closed;
        QVERIFY(closed.Port());
        MakeForm(closed.Endpoint());
        m_form->GetUrlBtnClick();
        QCOMPARE(m_form->Tree().NodeCount(), 1);
    }

    void webLinksOpenTheProgramsPages()
    {
        m_server = std::make_unique<FakeDevToolsServer>();
        MakeForm(m_server->Endpoint());
        QAction* support = FindAction(m_form->menuBar()->actions(), QStringLiteral("&Tech Support"));
        QVERIFY(support && support->isEnabled());
        support->trigger();
        QVERIFY(m_server->requests.contains(QStringLiteral("PUT /json/new?https://quillary.example.org/support/")));
    }

    void websitesAndPrimaryWebsitesBrowseThroughTheBrowserLink()
    {
        m_server = std::make_unique<FakeDevToolsServer>();
        MakeForm(m_server->Endpoint());
        TreeNode& root = m_form->Tree().Root();
        CreateItem(KindWebsite, "Site", "https://site.example/", "", root, "", 0)->Browse();
        QVERIFY(m_server->requests.contains(QStringLiteral("PUT /json/new?https://site.example/")));

        auto* person = static_cast<TPartyObject*>(CreateItem(KindPerson, "Ann", "", "", root, "", 0));
        CreateItem(KindWebsite, "Home", "https://ann.example/", "", *person->GetTreeNode(), "", 0);
        person->SetPrimary(TPartyObject::SlotWebsite, "Home");
        person->Browse();
        QVERIFY(m_server->requests.contains(QStringLiteral("PUT /json/new?https://ann.example/")));
    }
};

QTEST_MAIN(MainWindowBrowserTest)
#include "main_window_browser_test.moc"
