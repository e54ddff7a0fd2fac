// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/dav_transport.h"
#include "platform/dav_credentials.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QUrl>

#include <set>
#include <string>
#include <utility>
#include <vector>

class QNetworkReply;

namespace quillary {

struct DavConnectionOptions
{
    bool allowInsecure = false; // plain http to hosts other than this machine
    int timeoutMs = 30000;      // a request that moves no byte for this long has failed
    qint64 maxReplyBytes = 256LL * 1024 * 1024;
};

struct DavHttpRequest
{
    QByteArray verb;
    QUrl url;
    QByteArray body;
    std::vector<std::pair<QByteArray, QByteArray>> headers;
};

struct DavHttpReply
{
    DavStatus status; // the failure this reply's HTTP status or the network gave
    QUrl url;         // where it was answered, after redirects
    QByteArray body;
    QByteArray etag;
};

// One HTTP conversation with a server: a single QNetworkAccessManager, so connections stay open
// between requests; blocking calls, each running its own event loop until the reply is in.
// Credentials are offered once per request when the server asks; TLS certificates are verified
// against the system's store, and only the fingerprints given to AcceptFingerprint pass besides.
class DavHttp
{
public:
    DavHttp(DavCredentials credentials, DavConnectionOptions options);
    ~DavHttp();
    DavHttp(const DavHttp&) = delete;
    DavHttp& operator=(const DavHttp&) = delete;

    // Follows redirects the URL policy allows, up to five.
    DavHttpReply Send(const DavHttpRequest& request);

    // SHA-256 as "AB:CD:...", the form DavStatus::fingerprint has.
    void AcceptFingerprint(const std::string& fingerprint);
    // Ends the request in progress as a network failure (on this object's thread, from an event
    // its wait lets through): the program is ending and cannot wait for the server.
    void AbortRequests();

private:
    struct Exchange;
    DavHttpReply SendOnce(const DavHttpRequest& request, const QUrl& url, QByteArray& location);
    void Wait(QNetworkReply* reply, Exchange& exchange);
    DavHttpReply Finish(QNetworkReply* reply, const Exchange& exchange, const QUrl& url);

    DavCredentials m_credentials;
    DavConnectionOptions m_options;
    std::set<std::string> m_acceptedFingerprints;
    QNetworkAccessManager m_manager;
};

// The message for a request that failed: "URL: what".
std::string DavMessage(const QUrl& url, const QString& what);

} // namespace quillary
