// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_devtools_server.h"
#include "reserved_port.h"

#include "browser/browser_capture.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "platform/qt_browser.h"
#include "shell/profile_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace quillary;

namespace {

// Settings whose services all point at the endpoint given.
TProfileFile SettingsFor(const QString& endpoint, const QString& browserLines = QString())
{
    const QString text = QStringLiteral("[Browser]\n") + browserLines + QStringLiteral("[DDE]\nNETSCAPE=") + endpoint +
                         QStringLiteral("\nIExplore=") + endpoint + QStringLiteral("\nMosaic=") + endpoint +
                         QStringLiteral("\n");
    return TProfileFile::FromText("/nonexistent/kpx.ini", text.toStdString());
}

} // namespace

// Receives what would go to the desktop's default browser.
class DesktopCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class BrowserLinkTest : public QObject
{
    Q_OBJECT

    DesktopCatcher m_desktop;

private slots:
    void initTestCase()
    {
        for (const QString& scheme : {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file")})
            QDesktopServices::setUrlHandler(scheme, &m_desktop, "open");
    }

    void cleanupTestCase()
    {
        for (const QString& scheme : {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file")})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    void init() { m_desktop.urls.clear(); }

    void topicsBecomeDevToolsRequests()
    {
        FakeDevToolsServer server;
        const TProfileFile settings = SettingsFor(server.Endpoint());
        DevToolsConversation conversation(settings);
        QCOMPARE(conversation.Request("NETSCAPE", "WWW_Version", "", ""), std::optional<std::string>("Chrome/140.0"));
        QCOMPARE(conversation.Request("NETSCAPE", "WWW_OpenURL", "https://a.example/x y?q=1&r=%41#top,,0xFFFFFFFF", ""),
                 std::optional<std::string>("TAB-7"));
        QCOMPARE(conversation.Request("NETSCAPE", "WWW_Activate", "TAB-7", ""),
                 std::optional<std::string>("Target activated"));
        // The first page, not the browser's own user interface.
        QCOMPARE(conversation.Request("NETSCAPE", "WWW_GetWindowInfo", "0xFFFFFFFF", ""),
                 std::optional<std::string>("\"file:///tmp/x.htm\",\"My Page\""));
        QCOMPARE(server.requests,
                 QStringList({"GET /json/version", "PUT /json/new?https://a.example/x%20y?q=1&r=%2541%23top",
                              "GET /json/activate/TAB-7", "GET /json/list"}));
    }

    void oddRepliesAreReadDefensively()
    {
        FakeDevToolsServer server;
        const TProfileFile settings = SettingsFor(server.Endpoint());
        DevToolsConversation conversation(settings);
        // Something that is not a DevTools endpoint is no browser.
        server.answers["GET /json/version"] = {200, "<html>hello</html>"};
        QCOMPARE(conversation.Request("IExplore", "WWW_Version", "", ""), std::nullopt);
        server.answers["PUT /json/new"] = {200, "[1,2"};
        QCOMPARE(conversation.Request("IExplore", "WWW_OpenURL", "https://a.example/,,0xFFFFFFFF", ""),
                 std::optional<std::string>(""));
        server.answers["GET /json/list"] = {200, "[{\"type\":\"page\",\"url\":7},{\"type\":\"browser_ui\"},\"x\"]"};
        QCOMPARE(conversation.Request("IExplore", "WWW_GetWindowInfo", "0xFFFFFFFF", ""),
                 std::optional<std::string>("\"\",\"\""));
        server.answers["GET /json/list"] = {200, "[{\"type\":\"browser_ui\",\"url\":\"chrome://x\"}]"};
        QCOMPARE(conversation.Request("IExplore", "WWW_GetWindowInfo", "0xFFFFFFFF", ""),
                 std::optional<std::string>(""));
        server.answers.remove("GET /json/list");
        QCOMPARE(conversation.Request("IExplore", "WWW_GetWindowInfo", "0xFFFFFFFF", ""),
                 std::optional<std::string>(""));
        QCOMPARE(conversation.Request("IExplore", "WWW_Unknown", "", ""), std::nullopt);
    }

    void servicesMapToTheirEndpoints()
    {
        FakeDevToolsServer server;
        const TProfileFile settings = TProfileFile::FromText(
            "/nonexistent/kpx.ini",
            ("[DDE]\nchromium=" + server.Endpoint() + "\nbroken=localhost:notaport\n").toStdString());
        DevToolsConversation conversation(settings);
        QVERIFY(conversation.Request("chromium", "WWW_Version", "", ""));
        QCOMPARE(server.requests.size(), 1);
        // Unmapped and malformed entries go to the default endpoint, never to the fake one; the
        // default is only looked up, so nothing here reaches a browser that may run on this machine.
        using Endpoint = DevToolsConversation::Endpoint;
        QCOMPARE(conversation.EndpointOf("chromium"), (Endpoint{QStringLiteral("127.0.0.1"), server.Port()}));
        for (const char* service : {"NETSCAPE", "broken"})
            QCOMPARE(conversation.EndpointOf(service), (Endpoint{QStringLiteral("127.0.0.1"), 9222}));
    }

    void getBrowserUrlMakesTheWebsiteFromTheAnswer()
    {
        FakeDevToolsServer server;
        const TProfileFile settings = SettingsFor(server.Endpoint());
        QtBrowser browser(settings);
        ItemTree tree;
        TKPXObject* website = CaptureBrowserPage(browser.Link(), tree.Root());
        QVERIFY(website);
        QCOMPARE(website->GetKind(), int(KindWebsite));
        QCOMPARE(website->GetTitle(), std::string("My Page"));
        QCOMPARE(website->GetTarget(), std::string("file:///tmp/x.htm"));
    }

    void withNoBrowserNothingIsMadeAndNothingStarted()
    {
        const ReservedPort closed;
        QVERIFY(closed.Port());
        const TProfileFile settings = SettingsFor(closed.Endpoint(), QStringLiteral("Path=/nonexistent/browser\n"));
        QtBrowser browser(settings);
        ItemTree tree;
        QCOMPARE(CaptureBrowserPage(browser.Link(), tree.Root()), nullptr);
        QCOMPARE(tree.NodeCount(), 1);
    }

    void openingGoesToTheBrowserThatAnswers()
    {
        FakeDevToolsServer server;
        const TProfileFile settings = SettingsFor(server.Endpoint());
        QtBrowser browser(settings);
        browser.Open("https://quillary.example.org/");
        QVERIFY(server.requests.contains("PUT /json/new?https://quillary.example.org/"));
        QVERIFY(server.requests.contains("GET /json/activate/TAB-7"));
        QVERIFY(m_desktop.urls.isEmpty());
    }

    void withNoBrowserTheDesktopOpensTheAddressUnlessAProgramIsSet()
    {
        const ReservedPort closed;
        QVERIFY(closed.Port());
        const TProfileFile settings = SettingsFor(closed.Endpoint());
        QtBrowser browser(settings);
        browser.Open("https://quillary.example.org/support");
        QCOMPARE(m_desktop.urls, QList<QUrl>({QUrl("https://quillary.example.org/support")}));

        m_desktop.urls.clear();
        browser.SetPreferred("IExplore", "/nonexistent/browser");
        browser.Open("https://quillary.example.org/support");
        QVERIFY(m_desktop.urls.isEmpty()); // the program could not be started: nothing more is tried
    }

    void onlyWebAddressesReachTheBrowserOrTheDesktop()
    {
        FakeDevToolsServer server;
        const TProfileFile settings = SettingsFor(server.Endpoint());
        QtBrowser browser(settings);
        for (const char* address : {"javascript:alert(document.cookie)", "file:///etc/passwd",
                                    "data:text/html,<script>x</script>", "mailto:x@y.org?attach=/etc/shadow"})
            browser.Open(address);
        QVERIFY(server.requests.isEmpty());
        const ReservedPort nobody;
        const TProfileFile closed = SettingsFor(nobody.Endpoint());
        QtBrowser fallback(closed);
        fallback.Open("file:///etc/passwd");
        QVERIFY(m_desktop.urls.isEmpty());
    }

    // Needs Debian's chromium; skipped where it is not installed.
    void realChromiumPageIsCaptured()
    {
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty())
            QSKIP("chromium is not installed");
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("page.htm"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>Local Page</title></head><body>x</body></html>");
        file.close();
        // Port 0: the browser listens where the system lets it and names the port in its profile.
        const QString profile = dir.filePath(QStringLiteral("profile"));
        QProcess process;
        process.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                 QStringLiteral("--remote-debugging-port=0"),
                                 QStringLiteral("--user-data-dir=") + profile, QUrl::fromLocalFile(page).toString()});
        QVERIFY(process.waitForStarted());
        QFile activePort(profile + QStringLiteral("/DevToolsActivePort"));
        QByteArray port;
        QVERIFY(QTest::qWaitFor(
            [&] {
                if (activePort.open(QIODevice::ReadOnly)) {
                    port = activePort.readLine().trimmed();
                    activePort.close();
                }
                return port.toUInt() > 0;
            },
            15000));
        const TProfileFile settings = SettingsFor(QStringLiteral("127.0.0.1:") + QString::fromLatin1(port));
        QtBrowser browser(settings);
        browser.Link().SetStartBrowser(false);
        WindowInfo info;
        // The browser needs a moment to listen and to load the page; bounded.
        for (int attempt = 0; attempt < 60 && info.title != "Local Page"; ++attempt) {
            QTest::qWait(250);
            info = browser.Link().GetWindowInfo();
        }
        process.kill();
        process.waitForFinished();
        QCOMPARE(QString::fromStdString(info.address), QUrl::fromLocalFile(page).toString());
        QCOMPARE(info.title, std::string("Local Page"));
    }
};

QTEST_MAIN(BrowserLinkTest)
#include "browser_link_test.moc"
