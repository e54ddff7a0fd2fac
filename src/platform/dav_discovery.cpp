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
    status = FindHome(start, home, &book);
    if (!status.Ok())
        return status;
    if (!book.url.empty()) {
        books.push_back(book);
        return status;
    }
    return ListAddressBooks(home, books);
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
    status = FindHome(start, home, &given);
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

DavStatus QtDavTransport::FindHome(const QUrl& url, QUrl& home, DavAddressBook* book)
{
    DavMultistatus content;
    // RFC 6764: a server's own address leads through its well-known URI; where that is missing
    // the address itself is asked.
    if (AtServerRoot(url)) {
        const MultistatusReply known =
            Propfind(url.resolved(QUrl(QStringLiteral("/.well-known/carddav"))), 0, DiscoveryProperties(), content);
        const DavFailure failure = known.status.failure;
        if (failure != DavFailure::NotFound && failure != DavFailure::Server && failure != DavFailure::Protocol) {
            if (!known.status.Ok())
                return known.status;
            m_server = known.url;
            return FindHomeFrom(known, content, home);
        }
    }
    const MultistatusReply reply = Propfind(url, 0, DiscoveryProperties(), content);
    if (!reply.status.Ok())
        return reply.status;
    m_server = reply.url;
    if (const DavResponse* self = SelfAddressBook(content, UrlText(reply.url))) {
        *book = AddressBookOf(*self, UrlText(reply.url));
        return reply.status;
    }
    return FindHomeFrom(reply, content, home);
}

DavStatus QtDavTransport::FindHomeFrom(const MultistatusReply& reply, const DavMultistatus& content, QUrl& home)
{
    home = reply.url;
    if (content.responses.empty())
        return reply.status;
    const DavResponse& self = content.responses.front();
    const std::string answered = UrlText(reply.url);
    if (const auto found = PropertyHrefUrl(self, dav::AddressBookHomeSet, answered)) {
        home = UrlOf(*found);
        return reply.status;
    }
    const auto principal = PropertyHrefUrl(self, dav::CurrentUserPrincipal, answered);
    if (!principal)
        return reply.status;
    DavMultistatus asked;
    const MultistatusReply answer = Propfind(UrlOf(*principal), 0, {dav::AddressBookHomeSet}, asked);
    if (!answer.status.Ok())
        return answer.status;
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
