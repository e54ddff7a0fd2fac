// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-dav-bench [CARDS]: figures for the CardDAV transport against a Radicale on loopback
// holding 10,000 cards by default: the listing, a sync-collection report with nothing changed,
// and multigets in batches of 100 and 500. Beside each, the same request sent raw over a socket
// and read to its end, which is the server's own share; the difference is ours. Then whole runs of
// the synchronisation against it: the book coming down into an empty folder, runs with nothing
// changed, one change on each side, and as many contacts going up into a new, empty book.
#include "memory_sync_store.h"
#include "stopwatch.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "platform/dav_qt_transport.h"
#include "support/dav_cards.h"
#include "support/dav_servers.h"
#include "sync/local_cards.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTcpSocket>

#include <cstdlib>
#include <iomanip>
#include <iostream>

using namespace quillary;
using namespace quillary::bench;

namespace {

// Cards past the first thousand are laid straight into Radicale's storage: a PUT each would make
// the set-up take minutes and tells nothing the first thousand do not.
constexpr int PutCards = 1000;

void Fail(const std::string& what)
{
    std::cerr << "quillary-dav-bench: " << what << "\n";
    std::exit(1);
}

void Check(const DavStatus& status)
{
    if (!status.Ok())
        Fail(status.message);
}

struct RawFigures
{
    double seconds = 0;      // the request sent and its reply read to the end
    double parseSeconds = 0; // our reading of that reply's multistatus
};

// The request as a plain client would send it, read until the server closes the connection.
RawFigures Raw(quint16 port, const QByteArray& verb, const QByteArray& path, int depth, const QByteArray& body)
{
    QByteArray reply;
    RawFigures figures;
    figures.seconds = Seconds([&] {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!socket.waitForConnected(30000))
            Fail("no raw connection");
        socket.write(verb + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Basic " +
                     (QByteArray(RadicaleServer::User) + ':' + RadicaleServer::Password).toBase64() +
                     "\r\nDepth: " + QByteArray::number(depth) +
                     "\r\nContent-Type: application/xml; charset=utf-8\r\nConnection: close\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\n\r\n" + body);
        while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(3600000))
            reply += socket.readAll();
    });
    DavMultistatus multistatus;
    const QByteArray content = reply.mid(reply.indexOf("\r\n\r\n") + 4);
    figures.parseSeconds = Seconds([&] {
        if (!ParseMultistatus(std::string_view(content.constData(), static_cast<std::size_t>(content.size())),
                              "http://127.0.0.1/", {dav::ResourceType, dav::GetEtag, dav::GetContentType, dav::SyncToken},
                              multistatus)
                 .empty())
            Fail("the raw reply is no multistatus");
    });
    return figures;
}

RawFigures& operator+=(RawFigures& sum, const RawFigures& more)
{
    sum.seconds += more.seconds;
    sum.parseSeconds += more.parseSeconds;
    return sum;
}

void Row(const std::string& what, int requests, double ours, const RawFigures& raw)
{
    std::cout << "| " << what << " | " << requests << " | " << std::fixed << std::setprecision(3) << ours << " | "
              << raw.seconds << " | " << ours - raw.seconds << " | " << raw.parseSeconds << " |\n";
}

std::string Name(int i)
{
    return "card-" + std::to_string(i) + ".vcf";
}

// The transport, counting the requests a run makes.
class CountingTransport final : public DavTransport
{
public:
    explicit CountingTransport(DavTransport& inner) : m_inner(inner) {}
    int requests = 0;

    DavStatus FindAddressBooks(const std::string& url, std::vector<DavAddressBook>& books) override
    {
        ++requests;
        return m_inner.FindAddressBooks(url, books);
    }
    DavStatus MakeAddressBook(const std::string& url, const std::string& name, DavAddressBook& book) override
    {
        ++requests;
        return m_inner.MakeAddressBook(url, name, book);
    }
    DavStatus ListCards(const DavAddressBook& book, std::vector<DavResource>& cards, std::string& token) override
    {
        ++requests;
        return m_inner.ListCards(book, cards, token);
    }
    DavStatus ChangesSince(const DavAddressBook& book, const std::string& token, std::size_t known,
                           DavChanges& changes) override
    {
        ++requests;
        return m_inner.ChangesSince(book, token, known, changes);
    }
    DavStatus FetchCards(const DavAddressBook& book, const std::vector<std::string>& hrefs,
                         std::vector<DavResource>& cards) override
    {
        ++requests;
        return m_inner.FetchCards(book, hrefs, cards);
    }
    DavStatus PutCard(const std::string& href, const std::string& card, const std::string& ifMatch,
                      std::string& newEtag) override
    {
        ++requests;
        return m_inner.PutCard(href, card, ifMatch, newEtag);
    }
    DavStatus DeleteCard(const std::string& href, const std::string& ifMatch) override
    {
        ++requests;
        return m_inner.DeleteCard(href, ifMatch);
    }

private:
    DavTransport& m_inner;
};


// One account: a folder of its own tree synchronised with one address book.
struct Account
{
    explicit Account(const std::string& bookUrl)
        : folder(CreateItem(KindFolder, "Synced", "", "", tree.Root(), "", 0)->GetTreeNode())
    {
        state.url = bookUrl;
        state.salt = DrawSyncSalt();
        state.node = NodeIds(*folder);
    }
    ItemTree tree;
    TreeNode* folder;
    SyncState state;
};

void SyncRow(const std::string& what, Account& account, DavTransport& transport)
{
    CountingTransport counting(transport);
    MemorySyncStore store(account.tree);
    SyncReport report;
    const double seconds = Seconds([&] { report = RunSync(counting, account.state, *account.folder, store, {}); });
    if (report.outcome != SyncReport::Outcome::Done)
        Fail(what + ": " + report.failure.message);
    std::cout << "| " << what << " | " << counting.requests << " | " << std::fixed << std::setprecision(3) << seconds
              << " | " << report.SummaryLine() << " |\n";
}

void SyncFigures(DavTransport& transport, const RadicaleServer& server, const DavAddressBook& book, int count)
{
    std::cout << "\n| synchronisation run | requests | seconds | summary |\n|---|--:|--:|---|\n";
    Account laptop(book.url);
    SyncRow("the book coming down into an empty folder", laptop, transport);
    SyncRow("nothing changed, the first time (each contact read, its digest kept)", laptop, transport);
    SyncRow("nothing changed", laptop, transport);
    laptop.folder->ChildAt(0)->Data()->SetComment("changed here");
    std::vector<DavResource> listed;
    std::string token;
    Check(transport.ListCards(book, listed, token));
    std::string etag;
    // Another client edits a card under its own UID (the laid-in cards' UIDs are their names).
    const std::string& href = listed.back().href;
    Check(
        transport.PutCard(href, TestCard(href.substr(href.rfind('/') + 1), "Changed There"), listed.back().etag, etag));
    SyncRow("one change on each side", laptop, transport);

    DavAddressBook empty;
    Check(transport.MakeAddressBook(server.Url().toStdString(), "Bench up", empty));
    Account desktop(empty.url);
    for (int i = 0; i < count; ++i) {
        auto& person = static_cast<TPersonObject&>(
            *CreateItem(KindPerson, "Person " + std::to_string(i), "", "", *desktop.folder, "", 0));
        person.SetNames("", "Person", "", std::to_string(i));
        CreateItem(KindPhone, "Work", "+1 555 " + std::to_string(100000 + i), "", *person.GetTreeNode(), "{Phon}", 0);
    }
    SyncRow("every contact going up into an empty book", desktop, transport);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    RadicaleServer server;
    if (!server.Start())
        Fail("Radicale did not start: " + server.Log().toStdString());
    // Radicale composes a whole listing before its first byte, which with thousands of cards on a
    // busy machine takes longer than the 30 s a request may otherwise go without one.
    QtDavTransport transport(DavCredentials{RadicaleServer::User, RadicaleServer::Password}, {false, 3600000});
    DavAddressBook book;
    Check(transport.MakeAddressBook(server.Url().toStdString(), "Bench", book));
    const QByteArray path = QByteArray::fromStdString(MemberPath(book, ""));

    const double put = Seconds([&] {
        for (int i = 0; i < std::min(count, PutCards); ++i) {
            std::string etag;
            Check(transport.PutCard(MemberPath(book, Name(i)), TestCard(Name(i), "Person " + std::to_string(i)), {},
                                    etag));
        }
    });
    const QString folder = server.Folder() + QStringLiteral("/collections/collection-root") + QString::fromLatin1(path);
    for (int i = PutCards; i < count; ++i) {
        QFile file(folder + QString::fromStdString(Name(i)));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QByteArray::fromStdString(TestCard(Name(i), "Person " + std::to_string(i)))) < 0)
            Fail("cannot write " + file.fileName().toStdString());
    }
    std::vector<DavResource> cards;
    std::string token;
    // Radicale reads the cards laid in once, before it answers anything.
    const double first = Seconds([&] { Check(transport.ListCards(book, cards, token)); });
    if (static_cast<int>(cards.size()) != count)
        Fail("the listing has " + std::to_string(cards.size()) + " cards");

    std::cout << "Radicale " << count << " cards, " << std::min(count, PutCards) << " PUTs in " << std::fixed
              << std::setprecision(2) << put << " s (" << std::setprecision(1) << 1000 * put / std::min(count, PutCards)
              << " ms each); the first listing, with Radicale reading the rest: " << std::setprecision(1) << first
              << " s\n\n";
    std::cout << "| request | requests | ours (s) | raw (s) | difference (s) | our XML reading (s) |\n"
                 "|---|--:|--:|--:|--:|--:|\n";
    const double listing = Seconds([&] { Check(transport.ListCards(book, cards, token)); });
    Row("ListCards (PROPFIND Depth 1)", 1, listing,
        Raw(server.Port(), "PROPFIND", path, 1,
            PropfindBody({dav::ResourceType, dav::GetEtag, dav::GetContentType, dav::SyncToken})));
    DavChanges changes;
    const double unchanged = Seconds([&] { Check(transport.ChangesSince(book, token, cards.size(), changes)); });
    if (!changes.changed.empty() || !changes.removed.empty())
        Fail("changes where there were none");
    Row("ChangesSince, nothing changed", 1, unchanged,
        Raw(server.Port(), "REPORT", path, 0, SyncCollectionBody(QString::fromStdString(token), {dav::GetEtag})));

    for (const size_t batch : {size_t(100), size_t(500)}) {
        RawFigures raw;
        int requests = 0;
        const double ours = Seconds([&] {
            for (size_t first = 0; first < cards.size(); first += batch) {
                std::vector<std::string> hrefs;
                for (size_t i = first; i < std::min(cards.size(), first + batch); ++i)
                    hrefs.push_back(cards[i].href);
                std::vector<DavResource> fetched;
                Check(transport.FetchCards(book, hrefs, fetched));
                ++requests;
            }
        });
        for (size_t first = 0; first < cards.size(); first += batch) {
            QStringList hrefs;
            for (size_t i = first; i < std::min(cards.size(), first + batch); ++i)
                hrefs << QString::fromStdString(cards[i].href);
            raw += Raw(server.Port(), "REPORT", path, 1, MultigetBody(hrefs, {dav::GetEtag, dav::AddressData}));
        }
        Row("FetchCards, batches of " + std::to_string(batch), requests, ours, raw);
    }
    SyncFigures(transport, server, book, count);
    return 0;
}
