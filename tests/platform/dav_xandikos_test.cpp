// SPDX-License-Identifier: GPL-3.0-or-later
// The same calls against Xandikos, whose XML uses other prefixes and forms than Radicale's and
// which finds the address book home through the principal.
#include "platform/dav_qt_transport.h"
#include "support/dav_cards.h"
#include "support/dav_servers.h"

#include <QTest>

using namespace quillary;

class DavXandikosTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsTheAddressBook();
    void putsListsFollowsAndFetches();

private:
    XandikosServer m_server;
    QtDavTransport m_transport{DavCredentials{}};
    DavAddressBook m_book;
};

void DavXandikosTest::initTestCase()
{
    QVERIFY2(m_server.Start(), qPrintable(m_server.Log()));
}

void DavXandikosTest::findsTheAddressBook()
{
    for (const QString& start : {m_server.Url(), m_server.AddressBookUrl()}) {
        std::vector<DavAddressBook> books;
        const DavStatus status = m_transport.FindAddressBooks(start.toStdString(), books);
        QVERIFY2(status.Ok(), qPrintable(Text(status)));
        QCOMPARE(books.size(), size_t(1));
        QCOMPARE(books[0].url, m_server.AddressBookUrl().toStdString());
        QVERIFY(books[0].syncTokens);
        QVERIFY(!books[0].vcard4); // it offers 3.0 only
        m_book = books[0];
    }
}

void DavXandikosTest::putsListsFollowsAndFetches()
{
    QVERIFY(!m_book.url.empty());
    DavChanges before;
    DavStatus status = m_transport.ChangesSince(m_book, {}, 0, before);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));

    const std::string first = MemberPath(m_book, "first.vcf");
    const std::string second = MemberPath(m_book, "second%20card.vcf");
    std::string firstEtag;
    std::string secondEtag;
    QVERIFY(m_transport.PutCard(first, TestCard("first", "First Person"), {}, firstEtag).Ok());
    status = m_transport.PutCard(second, TestCard("second", "Second Person"), {}, secondEtag);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    std::string unused;
    QCOMPARE(m_transport.PutCard(first, TestCard("first", "Again"), {}, unused).failure,
             DavFailure::PreconditionFailed);

    std::vector<DavResource> cards;
    std::string token;
    status = m_transport.ListCards(m_book, cards, token);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(cards.size(), size_t(2));
    QVERIFY(FindHref(cards, first) != nullptr && FindHref(cards, second) != nullptr);
    if (!firstEtag.empty())
        QCOMPARE(FindHref(cards, first)->etag, firstEtag);

    DavChanges changes;
    QVERIFY(m_transport.ChangesSince(m_book, before.syncToken, 0, changes).Ok());
    QCOMPARE(changes.changed.size(), size_t(2));
    QVERIFY(m_transport.DeleteCard(second, FindHref(cards, second)->etag).Ok());
    DavChanges later;
    QVERIFY(m_transport.ChangesSince(m_book, changes.syncToken, 0, later).Ok());
    QVERIFY(later.changed.empty());
    QCOMPARE(later.removed, std::vector<std::string>{second});

    std::vector<DavResource> fetched;
    status = m_transport.FetchCards(m_book, {first, second}, fetched);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(fetched.size(), size_t(1));
    QCOMPARE(fetched[0].href, first);
    QCOMPARE(fetched[0].etag, FindHref(cards, first)->etag);
    QVERIFY(QString::fromStdString(fetched[0].card).contains(QLatin1String("\r\nFN:First Person\r\n")));
}

QTEST_GUILESS_MAIN(DavXandikosTest)
#include "dav_xandikos_test.moc"
