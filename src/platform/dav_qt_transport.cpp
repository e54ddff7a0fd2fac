// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_qt_transport.h"

#include "platform/dav_href.h"

#include <QSet>

#include <algorithm>

namespace quillary {

namespace {

constexpr char XmlContentType[] = "application/xml; charset=utf-8";
// A server that truncates a sync-collection answer sends the rest for the token it gave; this
// many rounds are followed before the run gives up on it.
constexpr int MaxSyncRounds = 1000;

DavStatus ProtocolFailure(const QUrl& url, const QString& what)
{
    return {DavFailure::Protocol, 0, DavMessage(url, what), {}};
}

QString BookPath(const DavAddressBook& book)
{
    return CanonicalHref(QString(), QUrl(QString::fromStdString(book.url)));
}

bool IsCollection(const DavResponse& response)
{
    const DavProperty* type = response.Found(dav::ResourceType);
    return type != nullptr && type->Holds(dav::Collection);
}

// Servers may keep other files beside the cards; a listing names its content type when it can.
bool MayBeCard(const DavResponse& response)
{
    const DavProperty* type = response.Found(dav::GetContentType);
    return type == nullptr || type->text.isEmpty() || type->text.startsWith(QLatin1String("text/vcard")) ||
           type->text.startsWith(QLatin1String("text/x-vcard"));
}

QString EtagOf(const DavResponse& response)
{
    const DavProperty* etag = response.Found(dav::GetEtag);
    return etag != nullptr ? etag->text : QString();
}

// XML turns the card's CR LF line ends into LF (unless the server wrote &#13;); vCard wants CR LF.
std::string WithCrLf(const QString& card)
{
    QString text = card;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    if (!text.isEmpty() && !text.endsWith(QLatin1String("\r\n")))
        text += QLatin1String("\r\n");
    return text.toStdString();
}

// A member reported once as changed and later as removed (or the other way) ends as the last said.
void NoteChanged(DavChanges& changes, DavResource resource)
{
    std::erase(changes.removed, resource.href);
    std::erase_if(changes.changed, [&](const DavResource& known) { return known.href == resource.href; });
    changes.changed.push_back(std::move(resource));
}

void NoteRemoved(DavChanges& changes, const std::string& href)
{
    std::erase_if(changes.changed, [&](const DavResource& known) { return known.href == href; });
    if (std::find(changes.removed.begin(), changes.removed.end(), href) == changes.removed.end())
        changes.removed.push_back(href);
}

} // namespace

QtDavTransport::QtDavTransport(DavCredentials credentials, DavConnectionOptions options)
    : m_http(std::move(credentials), options)
{
}

void QtDavTransport::AcceptFingerprint(const std::string& fingerprint)
{
    m_http.AcceptFingerprint(fingerprint);
}

QtDavTransport::MultistatusReply QtDavTransport::Multistatus(const QByteArray& verb, const QUrl& url, int depth,
                                                             const QByteArray& body)
{
    const DavHttpReply reply =
        m_http.Send({verb, url, body, {{"Depth", QByteArray::number(depth)}, {"Content-Type", XmlContentType}}});
    MultistatusReply result{reply.status, reply.url, {}, {}};
    if (!reply.status.Ok()) {
        result.errorBody = reply.body;
        return result;
    }
    // 207 is the rule; a 200 with a multistatus body is read all the same.
    if (const QString problem = ParseMultistatus(reply.body, reply.url, result.content); !problem.isEmpty())
        result.status = ProtocolFailure(reply.url, problem);
    return result;
}

QtDavTransport::MultistatusReply QtDavTransport::Propfind(const QUrl& url, int depth, const QList<DavName>& properties)
{
    return Multistatus("PROPFIND", url, depth, PropfindBody(properties));
}

bool QtDavTransport::UseUrl(const std::string& text, QUrl& url, DavStatus& status)
{
    url = QUrl(QString::fromStdString(text).trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
        status = {DavFailure::Protocol, 0, "\"" + text + "\" is not a server address such as https://host/dav/", {}};
        return false;
    }
    m_server = url;
    return true;
}

bool QtDavTransport::CardUrl(const std::string& href, QUrl& url, DavStatus& status)
{
    const QUrl given(QString::fromStdString(href), QUrl::TolerantMode);
    if (href.empty() || (given.isRelative() && m_server.isEmpty())) {
        status = {DavFailure::Protocol,
                  0,
                  "\"" + href + "\": no server is known for this card; name its address book first",
                  {}};
        return false;
    }
    url = HrefUrl(QString::fromStdString(href), m_server);
    m_server = url;
    return true;
}

DavStatus QtDavTransport::ListCards(const DavAddressBook& book, std::vector<DavResource>& cards, std::string& syncToken)
{
    cards.clear();
    syncToken.clear();
    QUrl url;
    DavStatus status;
    if (!UseUrl(book.url, url, status))
        return status;
    const MultistatusReply reply =
        Propfind(url, 1, {dav::ResourceType, dav::GetEtag, dav::GetContentType, dav::SyncToken});
    if (!reply.status.Ok())
        return reply.status;
    const QString self = BookPath(book);
    for (const DavResponse& response : reply.content.responses) {
        if (SameCollectionPath(response.href, self)) {
            if (const DavProperty* token = response.Found(dav::SyncToken))
                syncToken = token->text.toStdString();
            continue;
        }
        if (response.status >= 300 || IsCollection(response) || !MayBeCard(response))
            continue;
        const QString etag = EtagOf(response);
        if (etag.isEmpty()) {
            cards.clear();
            return ProtocolFailure(reply.url, QStringLiteral("no ETag for %1").arg(response.href));
        }
        cards.push_back({response.href.toStdString(), etag.toStdString(), {}});
    }
    return reply.status;
}

// RFC 6578's precondition, in the body of a 403 or 409 (or another status, by some servers); a
// body without namespaces still names it.
bool QtDavTransport::TokenRefused(const MultistatusReply& reply)
{
    const int status = reply.status.httpStatus;
    return ErrorBodyNames(reply.errorBody, dav::ValidSyncToken) ||
           ((status == 403 || status == 409) && reply.errorBody.contains("valid-sync-token"));
}

DavStatus QtDavTransport::ChangesSince(const DavAddressBook& book, const std::string& syncToken, DavChanges& changes)
{
    changes = {};
    QUrl url;
    DavStatus status;
    if (!UseUrl(book.url, url, status))
        return status;
    const QString self = BookPath(book);
    QString token = QString::fromStdString(syncToken);
    for (int round = 0; round < MaxSyncRounds; ++round) {
        const MultistatusReply reply = Multistatus("REPORT", url, 0, SyncCollectionBody(token, {dav::GetEtag}));
        if (!reply.status.Ok()) {
            if (TokenRefused(reply)) {
                changes = {};
                changes.tokenExpired = true;
                return {};
            }
            changes = {};
            return reply.status;
        }
        bool truncated = false;
        for (const DavResponse& response : reply.content.responses) {
            if (SameCollectionPath(response.href, self))
                truncated = truncated || response.status == 507;
            else if (response.status == 404 || response.status == 410)
                NoteRemoved(changes, response.href.toStdString());
            else if (response.status < 300 && !IsCollection(response))
                NoteChanged(changes, {response.href.toStdString(), EtagOf(response).toStdString(), {}});
        }
        if (reply.content.syncToken.isEmpty()) {
            changes = {};
            return ProtocolFailure(reply.url, QStringLiteral("the reply holds no sync token"));
        }
        changes.syncToken = reply.content.syncToken.toStdString();
        if (!truncated || reply.content.syncToken == token)
            return reply.status;
        token = reply.content.syncToken;
    }
    changes = {};
    return ProtocolFailure(url, QStringLiteral("the server keeps truncating its list of changes"));
}

DavStatus QtDavTransport::FetchCards(const DavAddressBook& book, const std::vector<std::string>& hrefs,
                                     std::vector<DavResource>& cards)
{
    cards.clear();
    QUrl url;
    DavStatus status;
    if (!UseUrl(book.url, url, status) || hrefs.empty())
        return status;
    QStringList wanted;
    for (const std::string& href : hrefs)
        wanted << CanonicalHref(QString::fromStdString(href), url);
    const MultistatusReply reply =
        Multistatus("REPORT", url, 1, MultigetBody(wanted, {dav::GetEtag, dav::AddressData}));
    const QSet<QString> asked(wanted.begin(), wanted.end());
    if (!reply.status.Ok())
        return reply.status;
    for (const DavResponse& response : reply.content.responses) {
        const DavProperty* data = response.Found(dav::AddressData);
        if (response.status >= 300 || data == nullptr || !asked.contains(response.href))
            continue;
        const QString etag = EtagOf(response);
        if (etag.isEmpty()) {
            cards.clear();
            return ProtocolFailure(reply.url, QStringLiteral("no ETag for %1").arg(response.href));
        }
        cards.push_back({response.href.toStdString(), etag.toStdString(), WithCrLf(data->text)});
    }
    return reply.status;
}

DavStatus QtDavTransport::PutCard(const std::string& href, const std::string& card, const std::string& ifMatch,
                                  std::string& newEtag)
{
    newEtag.clear();
    QUrl url;
    DavStatus status;
    if (!CardUrl(href, url, status))
        return status;
    DavHttpRequest request{
        "PUT", url, QByteArray::fromStdString(card), {{"Content-Type", "text/vcard; charset=utf-8"}}};
    if (ifMatch.empty())
        request.headers.emplace_back("If-None-Match", "*");
    else
        request.headers.emplace_back("If-Match", QByteArray::fromStdString(ifMatch));
    const DavHttpReply reply = m_http.Send(request);
    if (reply.status.Ok())
        newEtag = reply.etag.toStdString();
    return reply.status;
}

DavStatus QtDavTransport::DeleteCard(const std::string& href, const std::string& ifMatch)
{
    QUrl url;
    DavStatus status;
    if (!CardUrl(href, url, status))
        return status;
    DavHttpRequest request{"DELETE", url, {}, {}};
    if (!ifMatch.empty())
        request.headers.emplace_back("If-Match", QByteArray::fromStdString(ifMatch));
    return m_http.Send(request).status;
}

} // namespace quillary
