// SPDX-License-Identifier: GPL-3.0-or-later
// A hostile or broken server against the transport: the password goes only to the server the
// user named (TLS from a test authority, a second host on 127.0.0.2), a server that trickles is
// given up on, replies are read as they arrive, and an address with a password is refused.
#include "platform/dav_qt_transport.h"
#include "support/dav_cards.h"
#include "support/scripted_http_server.h"
#include "support/test_authority.h"

#include <QTest>

using namespace quillary;

namespace {

constexpr char Password[] = "correct horse";

QByteArray Listing(const QByteArray& responses)
{
    return Multistatus(responses);
}

QByteArray Member(const QByteArray& href, const QByteArray& extra = {})
{
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>" + extra +
           "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}

bool AskedWithCredentials(const ScriptedHttpServer& server)
{
    for (const ScriptedRequest& request : server.requests)
        if (request.headers.contains("authorization"))
            return true;
    return false;
}

} // namespace

class DavHostileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keepsThePasswordToTheServerTheUserNamed();
    void givesUpOnAServerThatTrickles();
    void readsRepliesAsTheyArriveKeepingOnlyWhatIsAsked();
    void refusesAnAddressThatHoldsAPassword();

private:
    TestAuthority m_authority;
    TestAuthority::Issued m_first;
    TestAuthority::Issued m_second;
};

void DavHostileTest::initTestCase()
{
    QVERIFY2(m_authority.Make(), qPrintable(m_authority.Log()));
    m_first = m_authority.For(QStringLiteral("127.0.0.1"));
    m_second = m_authority.For(QStringLiteral("127.0.0.2"));
    QVERIFY2(!m_first.certificate.isNull() && !m_second.certificate.isNull(), qPrintable(m_authority.Log()));
    m_authority.TrustInThisProcess();
}

void DavHostileTest::keepsThePasswordToTheServerTheUserNamed()
{
    // The other host asks for credentials as a phishing server would.
    ScriptedHttpServer other(
        [](const ScriptedRequest&) {
            return ScriptedReply{401, "who?", {{"WWW-Authenticate", "Basic realm=\"elsewhere\""}}};
        },
        QHostAddress(QStringLiteral("127.0.0.2")));
    other.UseTls(m_second.certificate, m_second.key);
    QVERIFY2(other.isListening(), "127.0.0.2 takes no connection");
    ScriptedHttpServer origin([&](const ScriptedRequest& request) -> ScriptedReply {
        if (request.target.startsWith("/moved/"))
            return {308, {}, {{"Location", other.Url(QStringLiteral("/dav/book/")).toLatin1()}}};
        if (!request.headers.contains("authorization"))
            return {401, {}, {{"WWW-Authenticate", "Basic realm=\"dav\""}}};
        return {207, Listing(Member("/dav/book/a.vcf"))};
    });
    origin.UseTls(m_first.certificate, m_first.key);

    QtDavTransport transport(DavCredentials{"alice", Password});
    std::vector<DavResource> cards;
    std::string token;
    // Its own server, trusted through the authority, gets the password when it asks.
    QVERIFY(transport.ListCards({origin.Url(QStringLiteral("/dav/book/")).toStdString(), "", false, false}, cards, token)
                .Ok());
    QVERIFY(AskedWithCredentials(origin));

    // A redirect to another server is not followed: the user is told where it leads.
    const DavStatus moved =
        transport.ListCards({origin.Url(QStringLiteral("/moved/book/")).toStdString(), "", false, false}, cards, token);
    QCOMPARE(moved.failure, DavFailure::Moved);
    const QString target = other.Url(QStringLiteral("/dav/book/"));
    QVERIFY2(Text(moved).endsWith(QStringLiteral("the server moved the address book to %1; confirm the new address")
                                      .arg(target)),
             qPrintable(Text(moved)));
    QCOMPARE(QString::fromStdString(moved.movedTo), target);
    QVERIFY(other.requests.isEmpty());

    // Discovery through the same redirect stops the same way.
    std::vector<DavAddressBook> books;
    QCOMPARE(transport.FindAddressBooks(origin.Url(QStringLiteral("/moved/")).toStdString(), books).failure,
             DavFailure::Moved);
    QVERIFY(books.empty());

    // A href that names the other server (from a state or a hostile listing) is asked there
    // without credentials, whatever it answers.
    std::string etag;
    QCOMPARE(transport.PutCard(other.Url(QStringLiteral("/dav/book/x.vcf")).toStdString(), TestCard("x", "X"), {}, etag)
                 .failure,
             DavFailure::Authentication);
    QCOMPARE(other.requests.size(), 1);
    QVERIFY(!AskedWithCredentials(other));
}

void DavHostileTest::givesUpOnAServerThatTrickles()
{
    // A byte every 5 ms: each resets the no-progress timeout, which never fires.
    ScriptedHttpServer server([](const ScriptedRequest&) {
        ScriptedReply reply{207, Listing(Member("/dav/book/a.vcf") + Member("/dav/book/b.vcf"))};
        reply.trickleMs = 5;
        return reply;
    });
    DavConnectionOptions options;
    options.timeoutMs = 1000;
    options.deadlineMs = 300;
    QtDavTransport transport(DavCredentials{}, options);
    std::vector<DavResource> cards;
    std::string token;
    QElapsedTimer clock;
    clock.start();
    const DavStatus status =
        transport.ListCards({server.Url(QStringLiteral("/dav/book/")).toStdString(), "", false, false}, cards, token);
    QCOMPARE(status.failure, DavFailure::Network);
    QVERIFY2(Text(status).startsWith(server.Url(QStringLiteral("/dav/book/")) + QStringLiteral(": the server sends too slowly")),
             qPrintable(Text(status)));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(cards.empty());

    // At the pace the floor asks for, the same reply is read.
    options.minRateBytes = 10;
    QtDavTransport patient(DavCredentials{}, options);
    QVERIFY(patient.ListCards({server.Url(QStringLiteral("/dav/book/")).toStdString(), "", false, false}, cards, token)
                .Ok());
    QCOMPARE(cards.size(), size_t(2));
}

void DavHostileTest::readsRepliesAsTheyArriveKeepingOnlyWhatIsAsked()
{
    // Far more than the cap of kept bytes would allow, were the reply kept: a listing's members
    // each carry a large property nobody asked for, and a card is larger than the card budget.
    QByteArray members;
    const QByteArray junk = "<d:junk>" + QByteArray(60000, 'j') + "</d:junk>";
    for (int i = 0; i < 60; ++i)
        members += Member("/dav/book/m" + QByteArray::number(i) + ".vcf", junk);
    const QByteArray photo = "BEGIN:VCARD\nVERSION:3.0\nUID:big\nFN:Pat Photo\nPHOTO;ENCODING=b:" +
                             QByteArray(5 << 20, 'Q') + "\nEND:VCARD\n";
    ScriptedHttpServer server([&](const ScriptedRequest& request) -> ScriptedReply {
        if (request.method == "PROPFIND")
            return {207, Listing(members)};
        return {207, Listing(Member("/dav/book/big.vcf", "<card:address-data>" + photo + "</card:address-data>") +
                             Member("/dav/book/m1.vcf",
                                    "<card:address-data>BEGIN:VCARD\nVERSION:3.0\nFN:M\nEND:VCARD</card:address-data>"))};
    });
    DavConnectionOptions options;
    options.maxReplyBytes = 32 << 20;
    QtDavTransport transport(DavCredentials{}, options);
    const DavAddressBook book{server.Url(QStringLiteral("/dav/book/")).toStdString(), "", false, false};
    std::vector<DavResource> cards;
    std::string token;
    QVERIFY(transport.ListCards(book, cards, token).Ok());
    QCOMPARE(cards.size(), size_t(60));
    std::vector<DavResource> fetched;
    const DavStatus status = transport.FetchCards(book, {"/dav/book/big.vcf", "/dav/book/m1.vcf"}, fetched);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(fetched.size(), size_t(2));
    QCOMPARE(QString::fromStdString(fetched[0].refusal), QStringLiteral("larger than 4 MiB"));
    QVERIFY(fetched[0].card.size() < 65 * 1024); // its beginning, with CR LF line ends
    QVERIFY(fetched[0].card.find("FN:Pat Photo\r\n") != std::string::npos);
    QVERIFY(fetched[1].refusal.empty());
    QCOMPARE(fetched[1].card, std::string("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:M\r\nEND:VCARD\r\n"));
}

void DavHostileTest::refusesAnAddressThatHoldsAPassword()
{
    ScriptedHttpServer server([](const ScriptedRequest&) { return ScriptedReply{207, Listing({})}; });
    QtDavTransport transport(DavCredentials{});
    std::vector<DavResource> cards;
    std::string token;
    const QString url = server.Url(QStringLiteral("/dav/book/")).replace(QStringLiteral("//"), QStringLiteral("//ann:hunter2@"));
    const DavStatus status = transport.ListCards({url.toStdString(), "", false, false}, cards, token);
    QCOMPARE(status.failure, DavFailure::Protocol);
    QVERIFY2(!Text(status).contains(QLatin1String("hunter2")), qPrintable(Text(status)));
    QVERIFY(Text(status).contains(QLatin1String("may not hold a user name or password")));
    QVERIFY(server.requests.isEmpty());
}

QTEST_GUILESS_MAIN(DavHostileTest)
#include "dav_hostile_test.moc"
