// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the user's address books from whatever address the user typed, and making new ones.
#include "platform/dav_href.h"
#include "platform/dav_qt_transport.h"

#include <QUuid>

namespace quillary {

namespace {

const QList<DavName> BookProperties = {dav::ResourceType, dav::DisplayName, dav::SupportedAddressData,
                                       dav::SupportedReportSet, dav::SyncToken};

QList<DavName> StartProperties()
{
    return BookProperties + QList<DavName>{dav::CurrentUserPrincipal, dav::AddressBookHomeSet};
}

bool IsAddressBook(const DavResponse& response)
{
    const DavProperty* type = response.Found(dav::ResourceType);
    return response.status < 300 && type != nullptr && type->Holds(dav::AddressBook);
}

// No supported-address-data means vCard 3.0 only (RFC 6352, 6.2.2). Servers name the element
// inside differently, so any element with the version counts.
bool OffersVCard4(const DavResponse& response)
{
    const DavProperty* data = response.Found(dav::SupportedAddressData);
    if (data == nullptr)
        return false;
    for (const DavXmlElement& element : data->descendants)
        if (element.attributes.value(QLatin1String("version")).trimmed() == QLatin1String("4.0"))
            return true;
    return false;
}

DavAddressBook BookFrom(const DavResponse& response, const QUrl& base)
{
    QString url = HrefUrl(response.href, base).toString(QUrl::FullyEncoded | QUrl::RemoveUserInfo);
    if (!url.endsWith(QLatin1Char('/')))
        url += QLatin1Char('/');
    const DavProperty* name = response.Found(dav::DisplayName);
    const DavProperty* reports = response.Found(dav::SupportedReportSet);
    return {url.toStdString(), name != nullptr ? name->text.toStdString() : std::string(), OffersVCard4(response),
            (reports != nullptr && reports->Holds(dav::SyncCollection)) || response.Found(dav::SyncToken) != nullptr};
}

// The first href of a property such as current-user-principal, as a URL on the server.
bool HrefOf(const DavResponse& response, const DavName& name, const QUrl& base, QUrl& url)
{
    const DavProperty* property = response.Found(name);
    if (property == nullptr || property->hrefs.isEmpty())
        return false;
    url = HrefUrl(property->hrefs.first(), base);
    return true;
}

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
        home = QUrl(QString::fromStdString(given.url)).resolved(QUrl(QStringLiteral("..")));
    if (!home.path().endsWith(QLatin1Char('/')))
        home.setPath(home.path() + QLatin1Char('/'));
    const QUrl url = home.resolved(QUrl(FreshSegment()));
    const DavHttpReply made = m_http.Send({"MKCOL",
                                           url,
                                           MakeAddressBookBody(CleanDisplayName(displayName)),
                                           {{"Content-Type", "application/xml; charset=utf-8"}}});
    if (!made.status.Ok())
        return made.status;
    const MultistatusReply reply = Propfind(made.url, 0, BookProperties);
    if (!reply.status.Ok())
        return reply.status;
    for (const DavResponse& response : reply.content.responses)
        if (IsAddressBook(response)) {
            book = BookFrom(response, reply.url);
            return reply.status;
        }
    return {
        DavFailure::Protocol, 0, DavMessage(made.url, QStringLiteral("the new collection is not an address book")), {}};
}

DavStatus QtDavTransport::FindHome(const QUrl& url, QUrl& home, DavAddressBook* book)
{
    // RFC 6764: a server's own address leads through its well-known URI; where that is missing
    // the address itself is asked.
    if (AtServerRoot(url)) {
        const MultistatusReply known =
            Propfind(url.resolved(QUrl(QStringLiteral("/.well-known/carddav"))), 0, StartProperties());
        const DavFailure failure = known.status.failure;
        if (failure != DavFailure::NotFound && failure != DavFailure::Server && failure != DavFailure::Protocol) {
            if (!known.status.Ok())
                return known.status;
            m_server = known.url;
            return FindHomeFrom(known, home);
        }
    }
    const MultistatusReply reply = Propfind(url, 0, StartProperties());
    if (!reply.status.Ok())
        return reply.status;
    m_server = reply.url;
    for (const DavResponse& response : reply.content.responses)
        if (IsAddressBook(response) && SameCollectionPath(response.href, CanonicalHref(QString(), reply.url))) {
            *book = BookFrom(response, reply.url);
            return reply.status;
        }
    return FindHomeFrom(reply, home);
}

DavStatus QtDavTransport::FindHomeFrom(const MultistatusReply& reply, QUrl& home)
{
    home = reply.url;
    if (reply.content.responses.empty())
        return reply.status;
    const DavResponse& self = reply.content.responses.front();
    if (HrefOf(self, dav::AddressBookHomeSet, reply.url, home))
        return reply.status;
    QUrl principal;
    if (!HrefOf(self, dav::CurrentUserPrincipal, reply.url, principal))
        return reply.status;
    const MultistatusReply answer = Propfind(principal, 0, {dav::AddressBookHomeSet});
    if (!answer.status.Ok())
        return answer.status;
    home = answer.url;
    for (const DavResponse& response : answer.content.responses)
        if (HrefOf(response, dav::AddressBookHomeSet, answer.url, home))
            break;
    return answer.status;
}

DavStatus QtDavTransport::ListAddressBooks(const QUrl& home, std::vector<DavAddressBook>& books)
{
    const MultistatusReply reply = Propfind(home, 1, BookProperties);
    for (const DavResponse& response : reply.content.responses)
        if (IsAddressBook(response))
            books.push_back(BookFrom(response, reply.url));
    return reply.status;
}

} // namespace quillary
