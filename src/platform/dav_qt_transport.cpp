// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_qt_transport.h"

#include "core/dav/dav_href.h"
#include "core/dav/dav_names.h"
#include "core/dav/sync_changes.h"
#include "core/sync/card_budget.h"
#include "platform/dav_href.h"

#include <optional>
#include <set>

namespace quillary {

namespace {

constexpr char XmlContentType[] = "application/xml; charset=utf-8";

DavStatus ProtocolFailure(const QUrl& url, const QString& what)
{
    return {DavFailure::Protocol, 0, DavMessage(url, what), {}, {}};
}

DavStatus ProtocolFailure(const QUrl& url, const std::string& what)
{
    return ProtocolFailure(url, QString::fromStdString(what));
}

std::string BookPath(const DavAddressBook& book)
{
    return CanonicalHref("", book.url).value_or("/");
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
    return type == nullptr || type->text.empty() || type->text.starts_with("text/vcard") ||
           type->text.starts_with("text/x-vcard");
}

std::string EtagOf(const DavResponse& response)
{
    const DavProperty* etag = response.Found(dav::GetEtag);
    return etag != nullptr ? etag->text : std::string();
}

// The reader of one reply, made when the reply begins: the URL that answers is the base of its hrefs.
class MultistatusSink final : public DavBodySink
{
public:
    MultistatusSink(const std::vector<DavName>& wanted, MultistatusReader::ResponseSink read,
                    const std::function<void(MultistatusReader&)>& prepare)
        : m_wanted(wanted), m_read(std::move(read)), m_prepare(prepare)
    {
    }

    void Begin(const QUrl& url) override
    {
        m_reader.emplace(UrlText(url), m_wanted, m_read);
        if (m_prepare)
            m_prepare(*m_reader);
    }
    bool Feed(std::string_view bytes) override { return m_reader->Feed(bytes); }
    std::string Problem() const override { return m_reader ? m_reader->Problem() : std::string(); }
    bool Overfull() const override { return overfull; }

    // After a successful request: the reply read to its end, or why not.
    std::string Finish()
    {
        if (!m_reader)
            return "the reply holds no multistatus";
        return m_reader->Finish() ? std::string() : m_reader->Problem();
    }
    std::string SyncToken() const { return m_reader ? m_reader->SyncToken() : std::string(); }

    bool overfull = false;

private:
    std::vector<DavName> m_wanted;
    MultistatusReader::ResponseSink m_read;
    std::function<void(MultistatusReader&)> m_prepare;
    std::optional<MultistatusReader> m_reader;
};

// XML turns the card's CR LF line ends into LF (unless the server wrote &#13;); vCard wants CR LF.
std::string WithCrLf(const std::string& card)
{
    std::string text;
    text.reserve(card.size() + card.size() / 32 + 2);
    for (std::size_t i = 0; i < card.size(); ++i) {
        const char c = card[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < card.size() && card[i + 1] == '\n')
                ++i;
        } else {
            text += c;
        }
    }
    if (!text.empty() && !text.ends_with("\r\n"))
        text += "\r\n";
    return text;
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
                                                             const QByteArray& body,
                                                             const std::vector<DavName>& wanted,
                                                             const ResponseRead& read,
                                                             const std::function<void(MultistatusReader&)>& prepare)
{
    MultistatusSink sink(wanted, read, prepare);
    DavHttpRequest request{verb, url, body, {{"Depth", QByteArray::number(depth)}, {"Content-Type", XmlContentType}}};
    request.sink = &sink;
    const DavHttpReply reply = m_http.Send(request);
    MultistatusReply result{reply.status, reply.url, {}, {}};
    if (!reply.status.Ok()) {
        result.errorBody = reply.body;
        return result;
    }
    // 207 is the rule; a 200 with a multistatus body is read all the same.
    if (const std::string problem = sink.Finish(); !problem.empty())
        result.status = ProtocolFailure(reply.url, problem);
    result.syncToken = sink.SyncToken();
    return result;
}

QtDavTransport::MultistatusReply QtDavTransport::Propfind(const QUrl& url, int depth,
                                                          const std::vector<DavName>& properties,
                                                          DavMultistatus& content)
{
    content = {};
    QList<DavName> asked(properties.begin(), properties.end());
    MultistatusReply reply = Multistatus("PROPFIND", url, depth, PropfindBody(asked), properties,
                                         [&](DavResponse& response) {
                                             content.responses.push_back(std::move(response));
                                             return std::string();
                                         });
    content.syncToken = reply.syncToken;
    if (!reply.status.Ok())
        content = {};
    return reply;
}

bool QtDavTransport::UseUrl(const std::string& text, QUrl& url, DavStatus& status)
{
    url = QUrl(QString::fromStdString(text).trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
        status = {DavFailure::Protocol, 0,
                  "\"" + UrlText(url) + "\" is not a server address such as https://host/dav/", {}, {}};
        return false;
    }
    if (!url.userInfo().isEmpty()) {
        status = {DavFailure::Protocol, 0,
                  UrlText(url) + ": an address may not hold a user name or password; give them apart", {}, {}};
        return false;
    }
    m_server = url;
    return true;
}

bool QtDavTransport::CardUrl(const std::string& href, QUrl& url, DavStatus& status)
{
    const QUrl given(QString::fromStdString(href), QUrl::TolerantMode);
    if (href.empty() || (given.isRelative() && m_server.isEmpty())) {
        status = {DavFailure::Protocol, 0,
                  "\"" + href + "\": no server is known for this card; name its address book first", {}, {}};
        return false;
    }
    url = HrefUrl(QString::fromStdString(href), m_server);
    if (!url.isValid()) {
        status = {DavFailure::Protocol, 0, "\"" + href + "\" is no path on the server", {}, {}};
        return false;
    }
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
    const std::vector<DavName> wanted{dav::ResourceType, dav::GetEtag, dav::GetContentType, dav::SyncToken};
    const std::string self = BookPath(book);
    const MultistatusReply reply = Multistatus(
        "PROPFIND", url, 1, PropfindBody({wanted.begin(), wanted.end()}), wanted, [&](DavResponse& response) {
            if (SameCollectionPath(response.href, self)) {
                if (const DavProperty* token = response.Found(dav::SyncToken))
                    syncToken = token->text;
                return std::string();
            }
            if (response.status >= 300 || IsCollection(response) || !MayBeCard(response))
                return std::string();
            std::string etag = EtagOf(response);
            if (etag.empty())
                return "no ETag for " + response.href;
            cards.push_back({std::move(response.href), std::move(etag), {}, {}});
            return std::string();
        });
    if (!reply.status.Ok()) {
        cards.clear();
        syncToken.clear();
    }
    return reply.status;
}

// RFC 6578's precondition, in the body of a 403 or 409 (or another status, by some servers); a
// body without namespaces still names it.
bool QtDavTransport::TokenRefused(const MultistatusReply& reply)
{
    const int status = reply.status.httpStatus;
    const std::string_view body(reply.errorBody.constData(), static_cast<std::size_t>(reply.errorBody.size()));
    return ErrorBodyNames(body, dav::ValidSyncToken) ||
           ((status == 403 || status == 409) && reply.errorBody.contains("valid-sync-token"));
}

DavStatus QtDavTransport::ChangesSince(const DavAddressBook& book, const std::string& syncToken,
                                       std::size_t knownCards, DavChanges& changes)
{
    changes = {};
    QUrl url;
    DavStatus status;
    if (!UseUrl(book.url, url, status))
        return status;
    const std::string self = BookPath(book);
    SyncChanges gathered(knownCards);
    std::string token = syncToken;
    for (;;) {
        bool truncated = false;
        gathered.BeginRound();
        const MultistatusReply reply = Multistatus(
            "REPORT", url, 0, SyncCollectionBody(QString::fromStdString(token), {dav::GetEtag}), {dav::GetEtag},
            [&](DavResponse& response) {
                if (SameCollectionPath(response.href, self))
                    truncated = truncated || response.status == 507;
                else if (response.status == 404 || response.status == 410)
                    gathered.Removed(std::move(response.href));
                else if (response.status < 300 && !IsCollection(response))
                    gathered.Changed(std::move(response.href), EtagOf(response));
                return gathered.Problem();
            });
        if (!reply.status.Ok()) {
            // An expired token, or changes past what the book can hold: a full listing follows.
            if (gathered.Outgrown() || TokenRefused(reply)) {
                changes.tokenExpired = true;
                return {};
            }
            return reply.status;
        }
        if (reply.syncToken.empty())
            return ProtocolFailure(reply.url, QStringLiteral("the reply holds no sync token"));
        if (!truncated || reply.syncToken == token) {
            changes = gathered.Take(reply.syncToken);
            return reply.status;
        }
        if (const std::string problem = gathered.AfterTruncatedRound(); !problem.empty())
            return ProtocolFailure(reply.url, problem);
        token = reply.syncToken;
    }
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
    std::set<std::string> asked;
    for (const std::string& href : hrefs) {
        const std::optional<std::string> canonical = CanonicalHref(href, UrlText(url));
        if (!canonical)
            return {DavFailure::Protocol, 0, "\"" + href + "\" is no path on the server", {}, {}};
        wanted << QString::fromStdString(*canonical);
        asked.insert(*canonical);
    }
    std::size_t kept = 0;
    bool overfull = false;
    const MultistatusReply reply = Multistatus(
        "REPORT", url, 1, MultigetBody(wanted, {dav::GetEtag, dav::AddressData}), {dav::GetEtag, dav::AddressData},
        [&](DavResponse& response) {
            const auto data = response.properties.find(dav::AddressData.Key());
            if (response.status >= 300 || data == response.properties.end() || !data->second.Ok() ||
                asked.count(response.href) == 0)
                return std::string();
            std::string etag = EtagOf(response);
            if (etag.empty())
                return "no ETag for " + response.href;
            DavResource card{std::move(response.href), std::move(etag), WithCrLf(data->second.text), {}};
            if (data->second.oversized)
                card.refusal = CardTooLargeReason();
            kept += card.card.size();
            if (kept > MaxCardBytesPerReply) {
                overfull = true;
                return "the reply holds more than " + std::to_string(MaxCardBytesPerReply >> 20) +
                       " MiB of cards; they are asked for in smaller batches";
            }
            cards.push_back(std::move(card));
            return std::string();
        },
        [](MultistatusReader& reader) { reader.KeepOversized(dav::AddressData, MaxCardBytes); });
    if (overfull && !reply.status.Ok())
        return {DavFailure::TooLarge, 0, reply.status.message, {}, {}};
    if (!reply.status.Ok())
        cards.clear();
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
