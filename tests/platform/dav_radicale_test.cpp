// SPDX-License-Identifier: GPL-3.0-or-later
// The transport against a real Radicale on loopback with htpasswd authentication: one server for
// the whole program, one address book made at the start.
#include "platform/dav_qt_transport.h"
#include "support/dav_cards.h"
#include "support/dav_servers.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <csignal>

using namespace quillary;

class DavRadicaleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsAddressBooksFromAnyStart();
    void putsOnlyOverWhatItKnows();
    void listsCardsWithEncodedNames();
    void followsChangesByToken();
    void fetchesManyCardsLeavingOutRemovedOnes();
    void deletesOnlyWhatItKnows();
    void refusesAWrongPasswordWithoutTellingIt();
    void reportsAServerThatWentAway();
    void cleanupTestCase();

private:
    DavResource Put(const std::string& name, const std::string& fullName);

    RadicaleServer m_server;
    std::unique_ptr<QtDavTransport> m_transport;
    DavAddressBook m_book;
};

void DavRadicaleTest::initTestCase()
{
    QVERIFY2(m_server.Start(), qPrintable(m_server.Log()));
    m_transport = std::make_unique<QtDavTransport>(DavCredentials{RadicaleServer::User, RadicaleServer::Password});
    const DavStatus made = m_transport->MakeAddressBook(m_server.Url().toStdString(), "Family & <Friends>", m_book);
    QVERIFY2(made.Ok(), qPrintable(Text(made)));
    QVERIFY(m_book.url.starts_with(m_server.Url().toStdString() + "alice/"));
    QVERIFY(m_book.url.ends_with("/"));
}

DavResource DavRadicaleTest::Put(const std::string& name, const std::string& fullName)
{
    DavResource resource{MemberPath(m_book, name), {}, TestCard(name, fullName)};
    const DavStatus status = m_transport->PutCard(resource.href, resource.card, {}, resource.etag);
    if (!status.Ok())
        qWarning("%s", status.message.c_str());
    return resource;
}

void DavRadicaleTest::findsAddressBooksFromAnyStart()
{
    const std::string starts[] = {m_server.Url().toStdString(), m_server.Url().toStdString() + "alice/"};
    for (const std::string& start : starts) {
        std::vector<DavAddressBook> books;
        const DavStatus status = m_transport->FindAddressBooks(start, books);
        QVERIFY2(status.Ok(), qPrintable(Text(status)));
        QCOMPARE(books.size(), size_t(1));
        QCOMPARE(books[0].url, m_book.url);
        QCOMPARE(books[0].displayName, std::string("Family & <Friends>"));
        QVERIFY(books[0].syncTokens);
        // Radicale announces no supported-address-data: vCard 3.0 is all a client may assume.
        QVERIFY(!books[0].vcard4);
    }
    std::vector<DavAddressBook> books;
    const DavStatus status = m_transport->FindAddressBooks(m_book.url, books);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(books.size(), size_t(1));
    QCOMPARE(books[0].url, m_book.url);
    QVERIFY(books[0].syncTokens);
}

void DavRadicaleTest::putsOnlyOverWhatItKnows()
{
    const DavResource card = Put("put-conditions.vcf", "First Version");
    QVERIFY(!card.etag.empty());
    std::string etag;
    DavStatus status = m_transport->PutCard(card.href, TestCard("put-conditions.vcf", "Again New"), {}, etag);
    QCOMPARE(status.failure, DavFailure::PreconditionFailed);
    QCOMPARE(status.httpStatus, 412);
    QVERIFY(etag.empty());

    status = m_transport->PutCard(card.href, TestCard("put-conditions.vcf", "Second"), card.etag, etag);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QVERIFY(!etag.empty() && etag != card.etag);
    std::string unused;
    status = m_transport->PutCard(card.href, TestCard("put-conditions.vcf", "Stale"), card.etag, unused);
    QCOMPARE(status.failure, DavFailure::PreconditionFailed);

    std::vector<DavResource> fetched;
    QVERIFY(m_transport->FetchCards(m_book, {card.href}, fetched).Ok());
    QCOMPARE(fetched.size(), size_t(1));
    QVERIFY(QString::fromStdString(fetched[0].card).contains(QLatin1String("FN:Second")));
    QCOMPARE(fetched[0].etag, etag);
}

void DavRadicaleTest::listsCardsWithEncodedNames()
{
    // Written with the space encoded and the "@" plain; listed back in the same form.
    const DavResource card = Put("with%20space@home.vcf", "Spaced Name");
    QVERIFY(!card.etag.empty());
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus status = m_transport->ListCards(m_book, cards, token);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QVERIFY(!token.empty());
    const DavResource* listed = FindHref(cards, card.href);
    QVERIFY2(listed != nullptr, card.href.c_str());
    QCOMPARE(listed->etag, card.etag);
    for (const DavResource& each : cards)
        QVERIFY(each.href != MemberPath(m_book, ""));
}

void DavRadicaleTest::followsChangesByToken()
{
    const DavResource kept = Put("changes-kept.vcf", "Kept");
    const DavResource edited = Put("changes-edited.vcf", "Edited");
    const DavResource removed = Put("changes-removed.vcf", "Removed");

    DavChanges all;
    DavStatus status = m_transport->ChangesSince(m_book, {}, 0, all);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QVERIFY(!all.syncToken.empty() && all.removed.empty() && !all.tokenExpired);
    for (const DavResource* card : {&kept, &edited, &removed})
        QVERIFY(FindHref(all.changed, card->href) != nullptr);

    DavChanges none;
    QVERIFY(m_transport->ChangesSince(m_book, all.syncToken, 0, none).Ok());
    QVERIFY(none.changed.empty() && none.removed.empty());
    QCOMPARE(none.syncToken, all.syncToken);

    std::string etag;
    QVERIFY(m_transport->PutCard(edited.href, TestCard("changes-edited.vcf", "Edited Twice"), edited.etag, etag).Ok());
    QVERIFY(m_transport->DeleteCard(removed.href, removed.etag).Ok());
    DavChanges later;
    QVERIFY(m_transport->ChangesSince(m_book, all.syncToken, 0, later).Ok());
    QCOMPARE(later.changed.size(), size_t(1));
    QCOMPARE(later.changed[0].href, edited.href);
    QCOMPARE(later.changed[0].etag, etag);
    QCOMPARE(later.removed, std::vector<std::string>{removed.href});
    QVERIFY(later.syncToken != all.syncToken);

    DavChanges expired;
    status = m_transport->ChangesSince(m_book, "http://radicale.org/ns/sync/0000", 0, expired);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QVERIFY(expired.tokenExpired);
    QVERIFY(expired.changed.empty() && expired.removed.empty());
}

void DavRadicaleTest::fetchesManyCardsLeavingOutRemovedOnes()
{
    std::vector<std::string> hrefs;
    for (int i = 0; i < 40; ++i)
        hrefs.push_back(Put("many-" + std::to_string(i) + ".vcf", "Person " + std::to_string(i)).href);
    const DavResource gone = Put("many-gone.vcf", "Gone");
    QVERIFY(m_transport->DeleteCard(gone.href, gone.etag).Ok());
    hrefs.insert(hrefs.begin() + 20, gone.href);

    std::vector<DavResource> cards;
    const DavStatus status = m_transport->FetchCards(m_book, hrefs, cards);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(cards.size(), size_t(40));
    QVERIFY(FindHref(cards, gone.href) == nullptr);
    for (int i = 0; i < 40; ++i) {
        const DavResource* card = FindHref(cards, MemberPath(m_book, "many-" + std::to_string(i) + ".vcf"));
        QVERIFY(card != nullptr && !card->etag.empty());
        // Cards come back with vCard's CR LF line ends, which XML turns into LF on the way.
        const QString text = QString::fromStdString(card->card);
        QVERIFY2(text.contains(QStringLiteral("\r\nFN:Person %1\r\n").arg(i)), qPrintable(text));
        QVERIFY(text.endsWith(QLatin1String("END:VCARD\r\n")) && !text.contains(QRegularExpression("[^\r]\n")));
    }
}

void DavRadicaleTest::deletesOnlyWhatItKnows()
{
    const DavResource card = Put("delete-me.vcf", "Delete Me");
    std::string etag;
    QVERIFY(m_transport->PutCard(card.href, TestCard("delete-me.vcf", "Changed Elsewhere"), card.etag, etag).Ok());
    DavStatus status = m_transport->DeleteCard(card.href, card.etag);
    QCOMPARE(status.failure, DavFailure::PreconditionFailed);
    status = m_transport->DeleteCard(card.href, etag);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    status = m_transport->DeleteCard(card.href, etag);
    QCOMPARE(status.failure, DavFailure::NotFound);
}

void DavRadicaleTest::refusesAWrongPasswordWithoutTellingIt()
{
    const std::string password = "not-the-password-7731";
    QtDavTransport intruder(DavCredentials{RadicaleServer::User, password});
    std::vector<DavResource> cards;
    std::string token;
    DavStatus status = intruder.ListCards(m_book, cards, token);
    QCOMPARE(status.failure, DavFailure::Authentication);
    QCOMPARE(status.httpStatus, 401);
    QCOMPARE(Text(status), QString::fromStdString(m_book.url) + QStringLiteral(": 401 Unauthorized"));
    QVERIFY(!Text(status).contains(QString::fromStdString(password)));
    // A second request is refused the same way: nothing was cached, nothing loops.
    std::vector<DavAddressBook> books;
    status = intruder.FindAddressBooks(m_server.Url().toStdString(), books);
    QCOMPARE(status.failure, DavFailure::Authentication);
    QVERIFY(books.empty());
}

void DavRadicaleTest::reportsAServerThatWentAway()
{
    const qint64 pid = m_server.Pid();
    m_server.Stop();
    QCOMPARE(::kill(static_cast<pid_t>(pid), 0), -1);
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus status = m_transport->ListCards(m_book, cards, token);
    QCOMPARE(status.failure, DavFailure::Network);
    QVERIFY(Text(status).startsWith(QString::fromStdString(m_book.url) + QStringLiteral(": ")));
    QVERIFY(cards.empty());
}

void DavRadicaleTest::cleanupTestCase()
{
    m_server.Stop();
    // No server of this test may outlive it.
    QProcess pgrep;
    pgrep.start(QStringLiteral("pgrep"), {QStringLiteral("-f"), m_server.Folder()});
    QVERIFY(pgrep.waitForFinished());
    QCOMPARE(pgrep.readAllStandardOutput(), QByteArray());
}

QTEST_GUILESS_MAIN(DavRadicaleTest)
#include "dav_radicale_test.moc"
