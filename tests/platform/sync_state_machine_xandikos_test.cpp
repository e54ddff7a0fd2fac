// SPDX-License-Identifier: GPL-3.0-or-later
// The state machine of core/support/sync_state_machine.h against Xandikos on loopback, through the
// real transport: the other client's edits reach the runs as the server stores and lists them
// (its ETags, its sync tokens, its vCard 3.0 book). The runs can also lose any request before it
// is sent, be killed after a save, or be stopped. Each episode starts on an emptied address book.
// QUILLARY_SYNC_STEPS (default 400 for each of the two cases) runs more or fewer steps, in
// episodes of 40 from seeds counted up from QUILLARY_SYNC_SEED (default 20240611); a failure
// prints the episode's seed and steps, to replay it here.
#include "core/support/sync_state_machine.h"

#include "platform/dav_qt_transport.h"
#include "support/dav_cards.h"
#include "support/dav_servers.h"

#include <QTest>

#include <cstdio>
#include <stdexcept>

using namespace quillary;
using namespace quillary::test;

namespace {
constexpr std::uint64_t StepsPerCase = 400;

// Xandikos's address book: the runs' transport in front of it, which can lose a request or let
// the other client write just before a PUT or DELETE, and that other client with its own
// connection. A request of the other client that fails ends the test (std::runtime_error).
class XandikosSide final : public machine::SyncServerSide, DavTransport
{
public:
    explicit XandikosSide(const std::string& bookUrl)
    {
        std::vector<DavAddressBook> books;
        Check(m_other.FindAddressBooks(bookUrl, books));
        if (books.size() != 1)
            throw std::runtime_error("not one address book at " + bookUrl);
        m_book = books.front();
        for (const auto& [href, card] : Cards())
            Check(m_other.DeleteCard(href, card.etag));
    }

    DavTransport& Transport() override { return *this; }
    std::string Url() const override { return m_book.url; }
    std::string Path() const override { return MemberPath(m_book, ""); }
    std::string Version() const override { return m_book.vcard4 ? "4.0" : "3.0"; }

    std::map<std::string, DavResource> Cards() override
    {
        std::vector<DavResource> listed, fetched;
        std::string token;
        Check(m_other.ListCards(m_book, listed, token));
        std::vector<std::string> hrefs;
        for (const DavResource& card : listed)
            hrefs.push_back(card.href);
        if (!hrefs.empty())
            Check(m_other.FetchCards(m_book, hrefs, fetched));
        std::map<std::string, DavResource> cards;
        for (DavResource& card : fetched)
            cards[card.href] = std::move(card);
        return cards;
    }
    void Write(const std::string& href, const std::string& card) override
    {
        std::string etag;
        Check(m_other.PutCard(href, card, EtagOf(href), etag));
    }
    void Remove(const std::string& href) override { Check(m_other.DeleteCard(href, EtagOf(href))); }
    void BeforeWrite(std::function<void(const std::string& href)> hook) override { m_beforeWrite = std::move(hook); }
    void FailRequest(int fromNow) override { m_failAt = fromNow == 0 ? 0 : m_requests + fromNow; }

    DavStatus FindAddressBooks(const std::string& url, std::vector<DavAddressBook>& books) override
    {
        return Failing() ? Lost() : m_runs.FindAddressBooks(url, books);
    }
    DavStatus MakeAddressBook(const std::string& serverUrl, const std::string& displayName,
                              DavAddressBook& book) override
    {
        return m_runs.MakeAddressBook(serverUrl, displayName, book);
    }
    DavStatus ListCards(const DavAddressBook& book, std::vector<DavResource>& cards, std::string& token) override
    {
        return Failing() ? Lost() : m_runs.ListCards(book, cards, token);
    }
    DavStatus ChangesSince(const DavAddressBook& book, const std::string& token, std::size_t knownCards,
                           DavChanges& changes) override
    {
        return Failing() ? Lost() : m_runs.ChangesSince(book, token, knownCards, changes);
    }
    DavStatus FetchCards(const DavAddressBook& book, const std::vector<std::string>& hrefs,
                         std::vector<DavResource>& cards) override
    {
        return Failing() ? Lost() : m_runs.FetchCards(book, hrefs, cards);
    }
    DavStatus PutCard(const std::string& href, const std::string& card, const std::string& ifMatch,
                      std::string& newEtag) override
    {
        return Writing(href) ? m_runs.PutCard(href, card, ifMatch, newEtag) : Lost();
    }
    DavStatus DeleteCard(const std::string& href, const std::string& ifMatch) override
    {
        return Writing(href) ? m_runs.DeleteCard(href, ifMatch) : Lost();
    }

private:
    static void Check(const DavStatus& status)
    {
        if (!status.Ok())
            throw std::runtime_error("the other client's request failed: " + status.message);
    }
    static DavStatus Lost() { return {DavFailure::Network, 0, "connection lost before the request", {}}; }
    bool Failing() { return ++m_requests == m_failAt; }
    // False when the request is lost; else the other client has had its turn.
    bool Writing(const std::string& href)
    {
        if (Failing())
            return false;
        if (m_beforeWrite)
            m_beforeWrite(href);
        return true;
    }
    // The card's ETag now; empty when the server has no such card.
    std::string EtagOf(const std::string& href)
    {
        std::vector<DavResource> found;
        Check(m_other.FetchCards(m_book, {href}, found));
        return found.empty() ? std::string() : found.front().etag;
    }

    QtDavTransport m_runs{DavCredentials{}};
    QtDavTransport m_other{DavCredentials{}};
    DavAddressBook m_book;
    std::function<void(const std::string& href)> m_beforeWrite;
    int m_requests = 0;
    int m_failAt = 0;
};
} // namespace

class SyncStateMachineXandikosTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void changesOnBothSidesAndRacingClientsEndInAgreement();
    void runsCutOffKilledOrStoppedAmongThemEndTheSame();

private:
    void RunEpisodes(bool faults);

    XandikosServer m_server;
};

void SyncStateMachineXandikosTest::initTestCase()
{
    QVERIFY2(m_server.Start(), qPrintable(m_server.Log()));
    m_server.DiscardOutput();
}

void SyncStateMachineXandikosTest::RunEpisodes(bool faults)
{
    const std::string url = m_server.AddressBookUrl().toStdString();
    std::string problems;
    try {
        problems = machine::RunEpisodes(faults, StepsPerCase,
                                        [&](SyncHarness&) { return std::make_unique<XandikosSide>(url); });
    } catch (const std::runtime_error& error) {
        problems = error.what();
    }
    if (!problems.empty())
        std::fputs(problems.c_str(), stderr); // longer than Qt Test's messages may be
    QVERIFY(problems.empty());
}

void SyncStateMachineXandikosTest::changesOnBothSidesAndRacingClientsEndInAgreement()
{
    RunEpisodes(false);
}

void SyncStateMachineXandikosTest::runsCutOffKilledOrStoppedAmongThemEndTheSame()
{
    RunEpisodes(true);
}

QTEST_GUILESS_MAIN(SyncStateMachineXandikosTest)
#include "sync_state_machine_xandikos_test.moc"
