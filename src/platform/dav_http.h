// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/dav/dav_transport.h"
#include "platform/dav_credentials.h"
#include "platform/dav_authorization.h"

#include <QByteArray>
#include <QUrl>

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QEventLoop;
class QSslSocket;

namespace quillary {

struct DavConnectionOptions
{
    bool allowInsecure = false; // plain http to hosts other than this machine
    int timeoutMs = 30000;      // a request that moves no byte for this long has failed
    qint64 maxReplyBytes = 256LL * 1024 * 1024;
    // Once a reply has begun it must be whole within this time plus a second for every
    // minRateBytes that came: a server that trickles is given up on, whatever each byte resets.
    int deadlineMs = 60000;
    qint64 minRateBytes = 64 * 1024;
    // Until the server has sent its first byte, timeoutMs is this (when shorter): a server that
    // never answers is given up on soon, while one known to answer may take timeoutMs to compose
    // a large listing. 0: timeoutMs throughout.
    int firstAnswerTimeoutMs = 0;
};

// The limits of a synchronisation, the desktop's and the command line's alike: a server may take
// 10 minutes to compose a large listing (Radicale took up to a minute for 10,000 cards on a busy
// machine), but one that has not sent a byte after 45 s is given up on.
DavConnectionOptions SyncConnectionOptions();

// Where the body of a successful reply goes as it arrives, rather than being held whole.
class DavBodySink
{
public:
    virtual ~DavBodySink() = default;
    // The reply comes from url (after redirects); called before its first byte.
    virtual void Begin(const QUrl& url) = 0;
    // False ends the request as a protocol failure, with Problem() as its reason.
    virtual bool Feed(std::string_view bytes) = 0;
    virtual std::string Problem() const = 0;
    // The refusal is for holding more than one request may take: a smaller request may pass.
    virtual bool Overfull() const { return false; }
};

struct DavHttpRequest
{
    QByteArray verb;
    QUrl url;
    QByteArray body;
    std::vector<std::pair<QByteArray, QByteArray>> headers;
    DavBodySink* sink = nullptr; // none: the body is kept, up to MaxKeptBodyBytes
};

struct DavHttpReply
{
    DavStatus status; // the failure this reply's HTTP status or the network gave
    QUrl url;         // where it was answered, after redirects
    QByteArray body;  // when no sink took it: its beginning (an error's reason)
    QByteArray etag;
};

// What is kept of a body no sink takes: enough for an error's precondition.
inline constexpr qsizetype MaxKeptBodyBytes = 64 * 1024;

// One HTTP/1.1 conversation with a server over a socket of its own, kept open between requests;
// blocking calls, each running its own event loop until the reply is in. A reply is read as it
// arrives and no faster than it is taken, so what the server sends waits in the network, not in
// memory. Credentials are offered once per request when the server asks (and ahead of later
// requests once answered), and only to the origin (scheme, host, port) of the first request,
// the address the user gave: a redirect to another origin is never followed. TLS certificates
// are verified against the system's store, and only the fingerprints given to AcceptFingerprint
// pass besides.
class DavHttp
{
public:
    DavHttp(DavCredentials credentials, DavConnectionOptions options);
    ~DavHttp();
    DavHttp(const DavHttp&) = delete;
    DavHttp& operator=(const DavHttp&) = delete;

    // Follows redirects the URL policy allows within the origin, up to five.
    DavHttpReply Send(const DavHttpRequest& request);

    // SHA-256 as "AB:CD:...", the form DavStatus::fingerprint has.
    void AcceptFingerprint(const std::string& fingerprint);
    // Ends the request in progress as a network failure (on this object's thread, from an event
    // its wait lets through): the program is ending and cannot wait for the server.
    void AbortRequests();

private:
    struct Exchange;
    DavHttpReply SendOnce(const DavHttpRequest& request, const QUrl& url, QByteArray& location);
    // One request and its answer, on the open connection when it leads to url's origin.
    void Transfer(const DavHttpRequest& request, const QUrl& url, const QByteArray& authorization,
                  Exchange& exchange);
    QSslSocket& Connection(const QUrl& url, bool& reused);
    DavHttpReply Finish(const Exchange& exchange, const QUrl& url) const;
    int SilenceLimitMs() const;
    bool OffersCredentialsTo(const QUrl& url) const;

    DavCredentials m_credentials;
    DavConnectionOptions m_options;
    QString m_origin; // where credentials may go; set by the first request
    HttpAuthorization m_authorization;
    std::set<std::string> m_acceptedFingerprints;
    std::unique_ptr<QSslSocket> m_socket;
    QString m_socketOrigin;
    QEventLoop* m_loop = nullptr; // the wait in progress
    bool m_aborted = false;
    bool m_answered = false; // the server has sent a byte (see firstAnswerTimeoutMs)
};

// The message for a request that failed: "URL: what".
std::string DavMessage(const QUrl& url, const QString& what);

} // namespace quillary
