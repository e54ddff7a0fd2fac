// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_http.h"

#include "platform/dav_url_policy.h"

#include <QAuthenticator>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslError>

#include <memory>

namespace quillary {

namespace {

constexpr int MaxRedirects = 5;

std::string Fingerprint(const QSslCertificate& certificate)
{
    const QByteArray digest = QCryptographicHash::hash(certificate.toDer(), QCryptographicHash::Sha256);
    return digest.toHex(':').toUpper().toStdString();
}

QSslCertificate PeerCertificate(const QNetworkReply* reply, const QList<QSslError>& errors)
{
    for (const QSslError& error : errors)
        if (!error.certificate().isNull())
            return error.certificate();
    return reply->sslConfiguration().peerCertificate();
}

DavFailure FailureForStatus(int status)
{
    if (status >= 200 && status < 300)
        return DavFailure::None;
    switch (status) {
    case 401:
    case 403:
        return DavFailure::Authentication;
    case 404:
    case 410:
        return DavFailure::NotFound;
    case 412:
        return DavFailure::PreconditionFailed;
    default:
        return DavFailure::Server;
    }
}

bool IsRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Errors below the HTTP layer: no connection, TLS, timeouts, proxies.
bool IsNetworkError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

DavStatus Failure(DavFailure failure, const QUrl& url, const QString& what, int httpStatus = 0)
{
    return {failure, httpStatus, DavMessage(url, what), {}};
}

DavStatus PolicyRefusal(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return Failure(DavFailure::Protocol, url, QStringLiteral("only http and https addresses can be used"));
    if (url.host().isEmpty())
        return Failure(DavFailure::Protocol, url, QStringLiteral("the address names no server"));
    return Failure(DavFailure::Insecure, url,
                   QStringLiteral("plain http goes only to this machine; use https, or allow insecure connections"));
}

} // namespace

struct DavHttp::Exchange
{
    QByteArray body;
    bool tooLarge = false;
    bool credentialsOffered = false;
    std::string refusedFingerprint;
};

std::string DavMessage(const QUrl& url, const QString& what)
{
    return (UrlForMessages(url) + QStringLiteral(": ") + what).toStdString();
}

DavHttp::DavHttp(DavCredentials credentials, DavConnectionOptions options)
    : m_credentials(std::move(credentials)), m_options(options)
{
}

DavHttp::~DavHttp() = default;

void DavHttp::AcceptFingerprint(const std::string& fingerprint)
{
    m_acceptedFingerprints.insert(fingerprint);
}

DavHttpReply DavHttp::Send(const DavHttpRequest& request)
{
    QUrl url = request.url;
    for (int hop = 0;; ++hop) {
        if (!RequestAllowed(url, m_options.allowInsecure))
            return {PolicyRefusal(url), url, {}, {}};
        QByteArray location;
        DavHttpReply reply = SendOnce(request, url, location);
        if (location.isEmpty())
            return reply;
        const QUrl target = url.resolved(QUrl::fromEncoded(location));
        if (hop == MaxRedirects)
            return {Failure(DavFailure::Server, url, QStringLiteral("too many redirects")), url, {}, {}};
        if (!RedirectAllowed(url, target, m_options.allowInsecure))
            return {Failure(DavFailure::Insecure, url,
                            QStringLiteral("the redirect to %1 is not followed").arg(UrlForMessages(target))),
                    url,
                    {},
                    {}};
        url = target;
    }
}

DavHttpReply DavHttp::SendOnce(const DavHttpRequest& request, const QUrl& url, QByteArray& location)
{
    QNetworkRequest outgoing(url);
    outgoing.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    outgoing.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    outgoing.setTransferTimeout(m_options.timeoutMs);
    outgoing.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Quillary"));
    for (const auto& [name, value] : request.headers)
        outgoing.setRawHeader(name, value);
    // Deleted here rather than later: a run of thousands of requests may never return to an
    // event loop of the caller's.
    const std::unique_ptr<QNetworkReply> reply(m_manager.sendCustomRequest(outgoing, request.verb, request.body));
    Exchange exchange;
    Wait(reply.get(), exchange);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (IsRedirect(status) && !IsNetworkError(reply->error()))
        location = reply->rawHeader("Location");
    return Finish(reply.get(), exchange, url);
}

void DavHttp::AbortRequests()
{
    for (QNetworkReply* reply : m_manager.findChildren<QNetworkReply*>())
        reply->abort();
}

void DavHttp::Wait(QNetworkReply* reply, Exchange& exchange)
{
    QEventLoop loop;
    QObject scope; // what is connected for this request ends with it
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&m_manager, &QNetworkAccessManager::authenticationRequired, &scope,
                     [&](QNetworkReply* asking, QAuthenticator* authenticator) {
                         // Offered once: a second challenge means they were refused.
                         if (asking != reply || exchange.credentialsOffered || m_credentials.user.empty())
                             return;
                         exchange.credentialsOffered = true;
                         authenticator->setUser(QString::fromStdString(m_credentials.user));
                         authenticator->setPassword(QString::fromStdString(m_credentials.password));
                     });
    QObject::connect(reply, &QNetworkReply::sslErrors, &scope, [&](const QList<QSslError>& errors) {
        const std::string fingerprint = Fingerprint(PeerCertificate(reply, errors));
        if (m_acceptedFingerprints.count(fingerprint) != 0)
            reply->ignoreSslErrors(errors);
        else
            exchange.refusedFingerprint = fingerprint;
    });
    const auto refuseLarge = [&] {
        exchange.tooLarge = true;
        exchange.body.clear();
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &scope, [&] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > m_options.maxReplyBytes)
            refuseLarge();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &scope, [&] {
        exchange.body += reply->readAll();
        if (exchange.body.size() > m_options.maxReplyBytes)
            refuseLarge();
    });
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!exchange.tooLarge && reply->isOpen())
        exchange.body += reply->readAll();
}

DavHttpReply DavHttp::Finish(QNetworkReply* reply, const Exchange& exchange, const QUrl& url)
{
    DavHttpReply result{{}, url, exchange.body, reply->rawHeader("ETag")};
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (exchange.tooLarge) {
        result.status = Failure(DavFailure::Protocol, url,
                                QStringLiteral("the reply is larger than %1 MB").arg(m_options.maxReplyBytes >> 20));
    } else if (!exchange.refusedFingerprint.empty() && IsNetworkError(reply->error())) {
        result.status = Failure(DavFailure::Certificate, url,
                                QStringLiteral("the server's certificate is not trusted (SHA-256 %1)")
                                    .arg(QString::fromStdString(exchange.refusedFingerprint)));
        result.status.fingerprint = exchange.refusedFingerprint;
    } else if (IsNetworkError(reply->error()) || status == 0) {
        const bool timedOut =
            reply->error() == QNetworkReply::OperationCanceledError || reply->error() == QNetworkReply::TimeoutError;
        result.status = Failure(DavFailure::Network, url,
                                timedOut ? QStringLiteral("no answer for %1 s").arg(m_options.timeoutMs / 1000.0)
                                         : reply->errorString());
    } else if (FailureForStatus(status) != DavFailure::None) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        result.status =
            Failure(FailureForStatus(status), url,
                    QStringLiteral("%1 %2").arg(status).arg(reason.simplified().left(80)).trimmed(), status);
    } else {
        result.status.httpStatus = status;
    }
    return result;
}

} // namespace quillary
