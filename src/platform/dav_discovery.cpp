// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the user's address books from whatever address the user typed, and making new ones.
#include "core/dav/address_book_answers.h"
#include "platform/dav_href.h"
#include "platform/dav_qt_transport.h"

#include <QUuid>

namespace quillary {

namespace {

bool AtServerRoot(const QUrl& url)
{
    return url.path().isEmpty() || url.path() == QLatin1String("/");
}

// A name for a path segment that no display name can break.
QString FreshSegment()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('/');
}

QString CleanDisplayName(const std::string& displayName)
{
    QString name = QString::fromStdString(displayName);
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return name.simplified();
}

QUrl UrlOf(const std::string& text)
{
    return QUrl(QString::fromStdString(text), QUrl::StrictMode);
}

} // namespace

DavStatus QtDavTransport::FindAddressBooks(const std::string& url, std::vector<DavAddressBook>& books)
{
    books.clear();
    QUrl start;
    DavStatus status;
    if (!UseUrl(url, start, status))
        return status;
    QUrl home;
    DavAddressBook book;
    std::string kind;
    status = FindHome(start, home, &book, &kind);
    if (!status.Ok())
        return status;
    if (!book.url.empty()) {
        books.push_back(book);
        return status;
    }
    status = ListAddressBooks(home, books);
    if (!status.Ok() || kind.empty())
        return status;
    // A calendar's address leads to the user's books too, but syncing one of them is not what
    // the user asked for.
    status = {DavFailure::NotFound, 0, NotAnAddressBook(url, kind, books), {}};
    books.clear();
    return status;
}

DavStatus QtDavTransport::MakeAddressBook(const std::string& serverUrl, const std::string& displayName,
                                          DavAddressBook& book)
{
    book = {};
    QUrl start;
    QUrl home;
    DavStatus status;
    if (!UseUrl(serverUrl, start, status))
        return status;
    DavAddressBook given;
    std::string kind;
    status = FindHome(start, home, &given, &kind);
    if (!status.Ok())
        return status;
    if (!given.url.empty()) // made beside the address book the user named
        home = UrlOf(given.url).resolved(QUrl(QStringLiteral("..")));
    if (!home.path().endsWith(QLatin1Char('/')))
        home.setPath(home.path() + QLatin1Char('/'));
    const QUrl url = home.resolved(QUrl(FreshSegment()));
    const DavHttpReply made = m_http.Send({"MKCOL",
                                           url,
                                           MakeAddressBookBody(CleanDisplayName(displayName)),
                                           {{"Content-Type", "application/xml; charset=utf-8"}}});
    if (!made.status.Ok())
        return made.status;
    DavMultistatus content;
    const MultistatusReply reply = Propfind(made.url, 0, AddressBookProperties(), content);
    if (!reply.status.Ok())
        return reply.status;
    const std::vector<DavAddressBook> found = AddressBooksIn(content, UrlText(reply.url));
    if (!found.empty()) {
        book = found.front();
        return reply.status;
    }
    return {DavFailure::Protocol, 0, DavMessage(made.url, QStringLiteral("the new collection is not an address book")),
            {}, {}};
}

DavStatus QtDavTransport::FindHome(const QUrl& url, QUrl& home, DavAddressBook* book, std::string* kind)
{
    DavMultistatus content;
    // RFC 6764: a server's own address leads through its well-known URI; where that is missing
    // the address itself is asked.
    if (AtServerRoot(url)) {
        const MultistatusReply known =
            Propfind(url.resolved(QUrl(QStringLiteral("/.well-known/carddav"))), 0, StartProperties(), content);
        const DavFailure failure = known.status.failure;
        if (failure != DavFailure::NotFound && failure != DavFailure::Server && failure != DavFailure::Protocol) {
            if (!known.status.Ok())
                return known.status;
            m_server = known.url;
            return FindHomeFrom(known, content, home);
        }
    }
    const MultistatusReply reply = Propfind(url, 0, StartProperties(), content);
    if (!reply.status.Ok())
        return reply.status;
    m_server = reply.url;
    if (SelfAddressBook(content, UrlText(reply.url)))
        return DescribeAddressBook(reply.url, *book);
    *kind = OtherCollectionKind(content, UrlText(reply.url));
    return FindHomeFrom(reply, content, home);
}

DavStatus QtDavTransport::DescribeAddressBook(const QUrl& url, DavAddressBook& book)
{
    DavMultistatus content;
    const MultistatusReply reply = Propfind(url, 0, AddressBookProperties(), content);
    if (!reply.status.Ok())
        return reply.status;
    if (const DavResponse* self = SelfAddressBook(content, UrlText(reply.url))) {
        book = AddressBookOf(*self, UrlText(reply.url));
        return reply.status;
    }
    return {DavFailure::Protocol, 0, DavMessage(reply.url, QStringLiteral("the address book does not describe itself")),
            {}, {}};
}

// The home set is asked of the principal; a server that names none may hold it at the address
// itself, or be the home.
DavStatus QtDavTransport::FindHomeFrom(const MultistatusReply& reply, const DavMultistatus& content, QUrl& home)
{
    home = reply.url;
    const auto principal = content.responses.empty() ? std::nullopt
                                                     : PropertyHrefUrl(content.responses.front(), dav::CurrentUserPrincipal,
                                                                       UrlText(reply.url));
    DavMultistatus asked;
    const MultistatusReply answer = Propfind(principal ? UrlOf(*principal) : reply.url, 0, HomeSetProperties(), asked);
    if (!answer.status.Ok())
        return principal ? answer.status : reply.status;
    home = answer.url;
    for (const DavResponse& response : asked.responses)
        if (const auto found = PropertyHrefUrl(response, dav::AddressBookHomeSet, UrlText(answer.url))) {
            home = UrlOf(*found);
            break;
        }
    return answer.status;
}

DavStatus QtDavTransport::ListAddressBooks(const QUrl& home, std::vector<DavAddressBook>& books)
{
    DavMultistatus content;
    const MultistatusReply reply = Propfind(home, 1, AddressBookProperties(), content);
    books = AddressBooksIn(content, UrlText(reply.url));
    return reply.status;
}

} // namespace quillary
