// SPDX-License-Identifier: GPL-3.0-or-later
// The transport against a scripted server on loopback: replies in the many shapes servers write
// them, hostile ones, conditions, authentication, redirects and silence.
#include "platform/dav_qt_transport.h"
#include "support/dav_cards.h"
#include "support/scripted_http_server.h"

#include <QCryptographicHash>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QTest>

using namespace quillary;

Q_DECLARE_METATYPE(quillary::DavFailure)

namespace {

constexpr char Password[] = "correct horse";

QtDavTransport Transport(DavConnectionOptions options = {})
{
    return QtDavTransport(DavCredentials{"alice", Password}, options);
}

DavAddressBook Book(const ScriptedHttpServer& server)
{
    return {server.Url(QStringLiteral("/dav/book/")).toStdString(), "Book", false, true};
}

QByteArray EtagResponse(const QByteArray& href, const QByteArray& etag)
{
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>" + etag +
           "</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}

QByteArray Gone(const QByteArray& hrefs)
{
    return "<d:response>" + hrefs + "<d:status>HTTP/1.1 404 Not Found</d:status></d:response>";
}

QByteArray Token(const QByteArray& token)
{
    return "<d:sync-token>" + token + "</d:sync-token>";
}

} // namespace

class DavRepliesTest : public QObject
{
    Q_OBJECT

private slots:
    void readsListingsInEveryShape();
    void followsTruncatedChangesToTheEnd();
    void tellsAnExpiredToken();
    void refusesHostileReplies_data();
    void refusesHostileReplies();
    void putsAndDeletesOnlyUnderConditions();
    void offersCredentialsOnce();
    void answersADigestChallenge();
    void findsAddressBooksThroughRedirectsAndPrincipals();
    void followsOnlySafeRedirects();
    void refusesPlainHttpElsewhereBeforeAnyByte();
    void givesUpOnASilentServer();
};

void DavRepliesTest::readsListingsInEveryShape()
{
    ScriptedHttpServer server([](const ScriptedRequest& request) -> ScriptedReply {
        if (request.method == "PUT")
            return {201, {}, {{"ETag", "\"new\""}}};
        // Prefixes of the server's choosing, a default namespace, one propstat per property, an
        // absolute URL for the collection itself, a relative href, members that are no cards.
        return {207, "<?xml version=\"1.0\"?><x:multistatus xmlns:x=\"DAV:\">"
                     "<x:response><x:href>http://127.0.0.1:1/dav/book/</x:href>"
                     "<x:propstat><x:prop><x:resourcetype><x:collection/>"
                     "<c:addressbook xmlns:c=\"urn:ietf:params:xml:ns:carddav\"/></x:resourcetype></x:prop>"
                     "<x:status>HTTP/1.1 200 OK</x:status></x:propstat>"
                     "<x:propstat><x:prop><x:sync-token>tok-1</x:sync-token></x:prop>"
                     "<x:status>HTTP/1.1 200 OK</x:status></x:propstat></x:response>"
                     "<response xmlns=\"DAV:\"><href>/dav/book/a%40b.vcf</href>"
                     "<propstat><prop><getetag>\"e1\"</getetag></prop><status>HTTP/1.1 200 OK</status></propstat>"
                     "<propstat><prop><getcontenttype/></prop><status>HTTP/1.1 404 Not Found</status></propstat>"
                     "</response>"
                     "<x:response><x:href>/dav/book/two words.vcf</x:href><x:propstat><x:prop>"
                     "<x:getetag>&quot;e2&quot;</x:getetag><x:getcontenttype>text/vcard; charset=utf-8"
                     "</x:getcontenttype></x:prop><x:status>HTTP/1.1 200 OK</x:status></x:propstat></x:response>"
                     "<x:response><x:href>/dav/book/notes.txt</x:href><x:propstat><x:prop><x:getetag>\"e3\""
                     "</x:getetag><x:getcontenttype>text/plain</x:getcontenttype></x:prop>"
                     "<x:status>HTTP/1.1 200 OK</x:status></x:propstat></x:response>"
                     "<x:response><x:href>/dav/book/sub/</x:href><x:propstat><x:prop><x:getetag>\"e5\"</x:getetag>"
                     "<x:resourcetype><x:collection/></x:resourcetype></x:prop>"
                     "<x:status>HTTP/1.1 200 OK</x:status></x:propstat></x:response>"
                     "<x:response><x:href>/dav/book/gone.vcf</x:href><x:status>HTTP/1.1 404 Not Found</x:status>"
                     "</x:response>"
                     "<x:response><x:href>relative.vcf</x:href><x:propstat><x:prop><x:getetag>W/\"e4\"</x:getetag>"
                     "</x:prop><x:status>HTTP/1.1 200 OK</x:status></x:propstat></x:response></x:multistatus>"};
    });
    QtDavTransport transport = Transport();
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus status = transport.ListCards(Book(server), cards, token);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(token, std::string("tok-1"));
    QCOMPARE(cards.size(), size_t(3));
    QCOMPARE(cards[0].href, std::string("/dav/book/a@b.vcf"));
    QCOMPARE(cards[0].etag, std::string("\"e1\""));
    QCOMPARE(cards[1].href, std::string("/dav/book/two%20words.vcf"));
    QCOMPARE(cards[1].etag, std::string("\"e2\""));
    QCOMPARE(cards[2].href, std::string("/dav/book/relative.vcf"));
    QCOMPARE(cards[2].etag, std::string("W/\"e4\""));
    const ScriptedRequest& listing = server.requests.first();
    QCOMPARE(listing.method, QByteArray("PROPFIND"));
    QCOMPARE(listing.headers.value("depth"), QByteArray("1"));
    QVERIFY(listing.body.contains("getetag"));

    // A href written either way reaches the same resource.
    std::string etag;
    QVERIFY(transport.PutCard("/dav/book/a%40b.vcf", TestCard("a", "A"), {}, etag).Ok());
    QVERIFY(transport.PutCard("/dav/book/a@b.vcf", TestCard("a", "A"), {}, etag).Ok());
    QVERIFY(transport.PutCard("/dav/book/two words.vcf", TestCard("b", "B"), {}, etag).Ok());
    QCOMPARE(server.requests[1].target, QByteArray("/dav/book/a@b.vcf"));
    QCOMPARE(server.requests[2].target, QByteArray("/dav/book/a@b.vcf"));
    QCOMPARE(server.requests[3].target, QByteArray("/dav/book/two%20words.vcf"));
    QCOMPARE(etag, std::string("\"new\""));
    // One manager, one kept-alive connection for all four requests.
    QCOMPARE(server.connections, 1);
}

void DavRepliesTest::followsTruncatedChangesToTheEnd()
{
    ScriptedHttpServer server([](const ScriptedRequest& request) -> ScriptedReply {
        if (!request.body.contains("t1"))
            return {207,
                    Multistatus(EtagResponse("/dav/book/a.vcf", "\"a1\"") + Gone("<d:href>/dav/book/b.vcf</d:href>") +
                                    "<d:response><d:href>/dav/book/</d:href>"
                                    "<d:status>HTTP/1.1 507 Insufficient Storage</d:status></d:response>",
                                Token("t1"))};
        return {207, Multistatus(EtagResponse("/dav/book/b.vcf", "\"b2\"") + Gone("<d:href>/dav/book/a.vcf</d:href>") +
                                     Gone("<d:href>/dav/book/c.vcf</d:href><d:href>/dav/book/d.vcf</d:href>"),
                                 Token("t2"))};
    });
    QtDavTransport transport = Transport();
    DavChanges changes;
    const DavStatus status = transport.ChangesSince(Book(server), {}, 0, changes);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(server.requests.size(), 2);
    QCOMPARE(server.requests[0].headers.value("depth"), QByteArray("0"));
    QVERIFY(server.requests[0].body.contains("sync-level>1<"));
    QCOMPARE(changes.syncToken, std::string("t2"));
    QCOMPARE(changes.changed.size(), size_t(1));
    QCOMPARE(changes.changed[0].href, std::string("/dav/book/b.vcf"));
    QCOMPARE(changes.changed[0].etag, std::string("\"b2\""));
    QCOMPARE(changes.removed, (std::vector<std::string>{"/dav/book/a.vcf", "/dav/book/c.vcf", "/dav/book/d.vcf"}));
}

void DavRepliesTest::tellsAnExpiredToken()
{
    int status = 409;
    QByteArray body = "<?xml version=\"1.0\"?><D:error xmlns:D=\"DAV:\"><D:valid-sync-token/></D:error>";
    ScriptedHttpServer server([&](const ScriptedRequest&) { return ScriptedReply{status, body}; });
    QtDavTransport transport = Transport();
    DavChanges changes;
    DavStatus result = transport.ChangesSince(Book(server), "old", 0, changes);
    QVERIFY2(result.Ok(), qPrintable(Text(result)));
    QVERIFY(changes.tokenExpired);

    // A refusal for another reason is no expired token.
    status = 403;
    body = "<?xml version=\"1.0\"?><D:error xmlns:D=\"DAV:\"><D:need-privileges/></D:error>";
    result = transport.ChangesSince(Book(server), "old", 0, changes);
    QCOMPARE(result.failure, DavFailure::Authentication);
    QVERIFY(!changes.tokenExpired);
}

void DavRepliesTest::refusesHostileReplies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("withoutLength");
    QTest::addColumn<QString>("message");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<DavFailure>("failure");

    const QByteArray laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE d:multistatus [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>";
    QTest::newRow("unclosed") << QByteArray("<d:multistatus xmlns:d=\"DAV:\"><d:response>") << 207 << false << "bad XML"
                              << qint64(1 << 20) << DavFailure::Protocol;
    QTest::newRow("entity expansion") << laughs + Multistatus(EtagResponse("/dav/book/&c;.vcf", "\"x\"")) << 207
                                      << false << "document type declaration" << qint64(1 << 20)
                                      << DavFailure::Protocol;
    QTest::newRow("external entity")
        << "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" +
               Multistatus(EtagResponse("/dav/book/a.vcf", "&e;"))
        << 207 << false << "document type declaration" << qint64(1 << 20) << DavFailure::Protocol;
    QTest::newRow("login page") << QByteArray("<html><body>Sign in</body></html>") << 200 << false
                                << "not a multistatus" << qint64(1 << 20) << DavFailure::Protocol;
    QTest::newRow("member without ETag")
        << Multistatus("<d:response><d:href>/dav/book/a.vcf</d:href><d:propstat><d:prop><d:getetag/></d:prop>"
                       "<d:status>HTTP/1.1 404 Not Found</d:status></d:propstat></d:response>")
        << 207 << false << "no ETag for /dav/book/a.vcf" << qint64(1 << 20) << DavFailure::Protocol;
    // Passed over by the reader (a comment), so only the cap on what arrives stops it.
    const QByteArray huge = Multistatus(EtagResponse("/dav/book/a.vcf", "\"x\"") + "<!-- " + QByteArray(3 << 20, 'x') + " -->");
    QTest::newRow("huge with length") << huge << 207 << false << "larger than 1 MB" << qint64(1 << 20)
                                      << DavFailure::TooLarge;
    QTest::newRow("huge without length") << huge << 207 << true << "larger than 1 MB" << qint64(1 << 20)
                                         << DavFailure::TooLarge;
    QByteArray hrefs;
    for (std::size_t i = 0; i <= MaxDavEntries; ++i)
        hrefs += "<d:href>/x</d:href>";
    QTest::newRow("too many entries") << Multistatus(Gone(hrefs)) << 207 << false << "more than 500000 entries"
                                      << qint64(MaxDavReplyBytes) << DavFailure::Protocol;
}

void DavRepliesTest::refusesHostileReplies()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(bool, withoutLength);
    QFETCH(QString, message);
    QFETCH(qint64, limit);
    QFETCH(DavFailure, failure);
    ScriptedHttpServer server([&](const ScriptedRequest&) {
        ScriptedReply reply{status, body};
        reply.withoutLength = withoutLength;
        return reply;
    });
    QtDavTransport transport = Transport({false, 30000, limit});
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus result = transport.ListCards(Book(server), cards, token);
    QCOMPARE(result.failure, failure);
    QVERIFY2(Text(result).startsWith(QString::fromStdString(Book(server).url) + QStringLiteral(": ")),
             qPrintable(Text(result)));
    QVERIFY2(Text(result).contains(message), qPrintable(Text(result)));
    QVERIFY(!Text(result).contains(QLatin1String("aaaaaaaaaa")));
    QVERIFY(cards.empty() && token.empty());
}

void DavRepliesTest::putsAndDeletesOnlyUnderConditions()
{
    ScriptedHttpServer server([](const ScriptedRequest& request) -> ScriptedReply {
        if (request.headers.value("if-match") == "\"old\"")
            return {412, "<error xmlns=\"DAV:\"/>"};
        if (request.method == "PUT" && request.headers.value("if-none-match") == "*")
            return {201, {}, {{"ETag", "\"n1\""}}};
        return {204};
    });
    QtDavTransport transport = Transport();
    const std::string card = TestCard("u1", "Ann Example");
    std::string etag = "left over";
    // A path alone names no server until an address book or URL was given.
    DavStatus status = transport.PutCard("/dav/book/u1.vcf", card, {}, etag);
    QCOMPARE(status.failure, DavFailure::Protocol);
    QVERIFY(server.requests.isEmpty());
    status = transport.PutCard(server.Url(QStringLiteral("/dav/book/u1.vcf")).toStdString(), card, {}, etag);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(etag, std::string("\"n1\""));
    QCOMPARE(server.requests[0].headers.value("content-type"), QByteArray("text/vcard; charset=utf-8"));
    QCOMPARE(server.requests[0].body, QByteArray::fromStdString(card));
    QVERIFY(!server.requests[0].headers.contains("if-match"));

    status = transport.PutCard("/dav/book/u1.vcf", card, "\"old\"", etag);
    QCOMPARE(status.failure, DavFailure::PreconditionFailed);
    QCOMPARE(Text(status),
             server.Url(QStringLiteral("/dav/book/u1.vcf")) + QStringLiteral(": 412 Precondition Failed"));
    QVERIFY(etag.empty());
    status = transport.PutCard("/dav/book/u1.vcf", card, "\"current\"", etag);
    QVERIFY(status.Ok() && etag.empty()); // no ETag in the answer: the caller fetches it
    QVERIFY(!server.requests[2].headers.contains("if-none-match"));

    QCOMPARE(transport.DeleteCard("/dav/book/u1.vcf", "\"old\"").failure, DavFailure::PreconditionFailed);
    QVERIFY(transport.DeleteCard("/dav/book/u1.vcf", "\"current\"").Ok());
    QCOMPARE(server.requests.last().method, QByteArray("DELETE"));
    QCOMPARE(server.requests.last().headers.value("if-match"), QByteArray("\"current\""));
}

void DavRepliesTest::offersCredentialsOnce()
{
    ScriptedHttpServer server([](const ScriptedRequest&) {
        return ScriptedReply{401, "no", {{"WWW-Authenticate", "Basic realm=\"dav\""}}};
    });
    QtDavTransport transport = Transport();
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus status = transport.ListCards(Book(server), cards, token);
    QCOMPARE(status.failure, DavFailure::Authentication);
    QCOMPARE(Text(status), QString::fromStdString(Book(server).url) + QStringLiteral(": 401 Unauthorized"));
    QCOMPARE(server.requests.size(), 2);
    QVERIFY(!server.requests[0].headers.contains("authorization"));
    QCOMPARE(server.requests[1].headers.value("authorization"),
             "Basic " + (QByteArray("alice:") + Password).toBase64());
    // Nothing is offered to a server when no user was given.
    QtDavTransport anonymous(DavCredentials{}, {});
    QCOMPARE(anonymous.ListCards(Book(server), cards, token).failure, DavFailure::Authentication);
    QCOMPARE(server.requests.size(), 3);
}

void DavRepliesTest::answersADigestChallenge()
{
    const auto md5 = [](const QByteArray& text) {
        return QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex();
    };
    ScriptedHttpServer server([&](const ScriptedRequest& request) -> ScriptedReply {
        QMap<QString, QByteArray> field;
        static const QRegularExpression pair(QStringLiteral("(\\w+)=(?:\"([^\"]*)\"|([^,\\s]*))"));
        for (const auto& match : pair.globalMatch(QString::fromLatin1(request.headers.value("authorization"))))
            field[match.captured(1)] = (match.captured(2) + match.captured(3)).toLatin1();
        const QByteArray expected = md5(md5("alice:dav:" + QByteArray(Password)) + ":n0nce:" + field["nc"] + ':' +
                                        field["cnonce"] + ":auth:" + md5(request.method + ':' + field["uri"]));
        if (!field.isEmpty() && field["response"] == expected && field["username"] == "alice")
            return {207, Multistatus(EtagResponse("/dav/book/a.vcf", "\"a\""))};
        return {401, {}, {{"WWW-Authenticate", "Digest realm=\"dav\", nonce=\"n0nce\", qop=\"auth\", algorithm=MD5"}}};
    });
    QtDavTransport transport = Transport();
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus status = transport.ListCards(Book(server), cards, token);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(cards.size(), size_t(1));
}

void DavRepliesTest::findsAddressBooksThroughRedirectsAndPrincipals()
{
    ScriptedHttpServer server([](const ScriptedRequest& request) -> ScriptedReply {
        // As some servers do, a property asked for where it has no place is answered with a 500:
        // the home set only of the principal, the books' properties only of the home.
        const bool listing = request.target == "/dav/home/";
        const bool principal = request.target == "/dav/principals/alice/";
        if (request.body.contains("sync-token") != listing || request.body.contains("home-set") != principal)
            return {500};
        if (request.target == "/.well-known/carddav")
            return {301, {}, {{"Location", "/dav/"}}};
        if (request.target == "/dav/")
            return {207, Multistatus("<d:response><d:href>/dav/</d:href><d:propstat><d:prop><d:current-user-principal>"
                                     "<d:href>/dav/principals/alice/</d:href></d:current-user-principal></d:prop>"
                                     "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>")};
        if (request.target == "/dav/principals/alice/")
            return {207, Multistatus("<d:response><d:href>/dav/principals/alice/</d:href><d:propstat><d:prop>"
                                     "<card:addressbook-home-set><d:href>/dav/home/</d:href>"
                                     "</card:addressbook-home-set></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                                     "</d:propstat></d:response>")};
        if (request.target == "/dav/home/" && request.headers.value("depth") == "1")
            return {207, Multistatus("<d:response><d:href>/dav/home/</d:href><d:propstat><d:prop><d:resourcetype>"
                                     "<d:collection/></d:resourcetype></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                                     "</d:propstat></d:response>"
                                     "<d:response><d:href>/dav/home/work%20book</d:href><d:propstat><d:prop>"
                                     "<d:resourcetype><d:collection/><card:addressbook/></d:resourcetype>"
                                     "<d:displayname>Work &amp; Play</d:displayname><card:supported-address-data>"
                                     "<card:address-data-type content-type=\"text/vcard\" version=\"3.0\"/>"
                                     "<card:address-data-type content-type=\"text/vcard\" version=\"4.0\"/>"
                                     "</card:supported-address-data><d:supported-report-set><d:supported-report>"
                                     "<d:report><d:sync-collection/></d:report></d:supported-report>"
                                     "</d:supported-report-set></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                                     "</d:propstat></d:response>"
                                     "<d:response><d:href>/dav/home/calendar/</d:href><d:propstat><d:prop>"
                                     "<d:resourcetype><d:collection/></d:resourcetype></d:prop>"
                                     "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>")};
        return {404};
    });
    QtDavTransport transport = Transport();
    std::vector<DavAddressBook> books;
    const DavStatus status = transport.FindAddressBooks(server.Url().toStdString(), books);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(books.size(), size_t(1));
    QCOMPARE(books[0].url, server.Url(QStringLiteral("/dav/home/work%20book/")).toStdString());
    QCOMPARE(books[0].displayName, std::string("Work & Play"));
    QVERIFY(books[0].vcard4);
    QVERIFY(books[0].syncTokens);
}

void DavRepliesTest::followsOnlySafeRedirects()
{
    QByteArray location;
    ScriptedHttpServer server([&](const ScriptedRequest&) { return ScriptedReply{301, {}, {{"Location", location}}}; });
    QtDavTransport transport = Transport();
    std::vector<DavResource> cards;
    std::string token;
    location = QStringLiteral("http://localhost:%1/dav/book/").arg(server.serverPort()).toLatin1();
    DavStatus status = transport.ListCards(Book(server), cards, token);
    QCOMPARE(status.failure, DavFailure::Insecure);
    QVERIFY2(Text(status).contains(QString::fromLatin1(location)), qPrintable(Text(status)));
    QCOMPARE(server.requests.size(), 1);

    location = "/dav/book/";
    status = transport.ListCards(Book(server), cards, token);
    QCOMPARE(status.failure, DavFailure::Server);
    QVERIFY2(Text(status).contains(QLatin1String("too many redirects")), qPrintable(Text(status)));
    QCOMPARE(server.requests.size(), 1 + 6);
}

void DavRepliesTest::refusesPlainHttpElsewhereBeforeAnyByte()
{
    // Every request would pass through this proxy: a connection to it is an attempt.
    ScriptedHttpServer proxy([](const ScriptedRequest&) { return ScriptedReply{502}; });
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), proxy.serverPort()));
    const DavAddressBook elsewhere{"http://192.0.2.1/dav/book/", "Book", false, true};
    std::vector<DavResource> cards;
    std::string token;
    QtDavTransport careful = Transport();
    DavStatus status = careful.ListCards(elsewhere, cards, token);
    QCOMPARE(status.failure, DavFailure::Insecure);
    QVERIFY2(Text(status).startsWith(QLatin1String("http://192.0.2.1/dav/book/: plain http")),
             qPrintable(Text(status)));
    std::vector<DavAddressBook> books;
    QCOMPARE(careful.FindAddressBooks("http://192.0.2.1/", books).failure, DavFailure::Insecure);
    std::string etag;
    QCOMPARE(careful.PutCard("http://192.0.2.1/dav/book/a.vcf", "x", {}, etag).failure, DavFailure::Insecure);
    QCOMPARE(proxy.connections, 0);

    // With the user's leave the request is made (and this proxy refuses to connect it).
    QtDavTransport allowed = Transport({true, 30000, MaxDavReplyBytes});
    status = allowed.ListCards(elsewhere, cards, token);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QCOMPARE(status.failure, DavFailure::Network);
    QCOMPARE(proxy.connections, 1);
    QCOMPARE(proxy.requests.value(0).method, QByteArray("CONNECT"));
}

void DavRepliesTest::givesUpOnASilentServer()
{
    // A server silent from the start is given up on after the first answer's limit; one that has
    // answered once is given the whole limit, as a large listing may need.
    struct Case
    {
        int answeredFirst;
        const char* says;
    };
    for (const Case c : {Case{0, ": no answer for 0.3 s"}, Case{1, ": no answer for 0.6 s"}}) {
        int answered = 0;
        ScriptedHttpServer server([&](const ScriptedRequest&) {
            ScriptedReply reply{207, Multistatus(EtagResponse("/dav/book/a.vcf", "\"a1\""))};
            reply.silent = answered++ >= c.answeredFirst;
            return reply;
        });
        DavConnectionOptions options{false, 600, MaxDavReplyBytes};
        options.firstAnswerTimeoutMs = 300;
        QtDavTransport transport = Transport(options);
        std::vector<DavResource> cards;
        std::string token;
        for (int i = 0; i < c.answeredFirst; ++i)
            QVERIFY(transport.ListCards(Book(server), cards, token).Ok());
        DavChanges changes;
        const DavStatus status = transport.ChangesSince(Book(server), "t", 0, changes);
        QCOMPARE(status.failure, DavFailure::Network);
        QVERIFY2(Text(status).endsWith(QLatin1String(c.says)), qPrintable(Text(status)));
    }
}

QTEST_GUILESS_MAIN(DavRepliesTest)
#include "dav_replies_test.moc"
