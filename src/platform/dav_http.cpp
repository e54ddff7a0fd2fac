// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_http.h"

#include "core/dav/http_response_reader.h"
#include "platform/dav_url_policy.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSslCertificate>
#include <QSslError>
#include <QSslSocket>
#include <QTimer>

#include <algorithm>
#include <charconv>

namespace quillary {

namespace {

constexpr int MaxRedirects = 5;
// What the socket takes from the network ahead of the reader: the rest waits in the network.
constexpr qint64 SocketBufferBytes = 256 * 1024;
constexpr qint64 ReadPieceBytes = 64 * 1024;

std::string Fingerprint(const QSslCertificate& certificate)
{
    const QByteArray digest = QCryptographicHash::hash(certificate.toDer(), QCryptographicHash::Sha256);
    return digest.toHex(':').toUpper().toStdString();
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

DavStatus Failure(DavFailure failure, const QUrl& url, const QString& what, int httpStatus = 0)
{
    return {failure, httpStatus, DavMessage(url, what), {}};
}

// Another server is never asked with the user's credentials nor adopted silently: the user
// confirms the new address by giving it.
DavStatus Moved(const QUrl& url, const QUrl& target)
{
    DavStatus status = Failure(DavFailure::Moved, url,
                               QStringLiteral("the server moved the address book to %1; confirm the new address")
                                   .arg(UrlForMessages(target)));
    status.movedTo = UrlForMessages(target).toStdString();
    return status;
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

bool IsHttps(const QUrl& url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

// A header's value as it may go out: a line break from a server's text (an ETag) cannot start a
// header of its own.
QByteArray FieldValue(const QByteArray& value)
{
    QByteArray clean = value;
    clean.replace('\r', ' ').replace('\n', ' ').replace('\0', ' ');
    return clean;
}

QByteArray Target(const QUrl& url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    return target;
}

QByteArray HostField(const QUrl& url)
{
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    const int port = url.port();
    if (port > 0 && port != (IsHttps(url) ? 443 : 80))
        host += ':' + QByteArray::number(port);
    return host;
}

QByteArray RequestBytes(const DavHttpRequest& request, const QUrl& url, const QByteArray& authorization)
{
    QByteArray out = request.verb + ' ' + Target(url) + " HTTP/1.1\r\nHost: " + HostField(url) +
                     "\r\nUser-Agent: Quillary\r\n";
    for (const auto& [name, value] : request.headers)
        out += name + ": " + FieldValue(value) + "\r\n";
    if (!authorization.isEmpty())
        out += "Authorization: " + FieldValue(authorization) + "\r\n";
    if (!request.body.isEmpty() || request.verb != "DELETE")
        out += "Content-Length: " + QByteArray::number(request.body.size()) + "\r\n";
    return out + "\r\n" + request.body;
}

} // namespace

struct DavHttp::Exchange : HttpResponseEvents
{
    DavBodySink* sink = nullptr;
    qint64 maxBytes = 0;
    QUrl url;
    HttpHead head;
    bool headRead = false;
    bool sinking = false;
    QByteArray body; // when no sink takes it: its beginning
    qint64 received = 0;
    bool tooLarge = false;
    bool tooSlow = false;
    bool timedOut = false;
    int silenceMs = 0; // how long the request waited for a byte before timedOut
    bool stopped = false;
    bool staleConnection = false; // a kept connection the server had closed: the request may go again
    std::string sinkProblem;
    bool sinkOverfull = false;
    std::string protocolProblem;
    QString networkError;
    std::string refusedFingerprint;
    QElapsedTimer sinceFirstByte;

    void Head(const HttpHead& answer) override
    {
        head = answer;
        headRead = true;
        const std::string_view length = head.Field("content-length");
        long long declared = 0;
        std::from_chars(length.data(), length.data() + length.size(), declared);
        if (declared > maxBytes) {
            tooLarge = true;
            return;
        }
        sinking = sink && head.status >= 200 && head.status < 300;
        if (sinking)
            sink->Begin(url);
    }
    bool Body(std::string_view bytes) override
    {
        if (tooLarge)
            return false;
        if (sinking) {
            if (sink->Feed(bytes))
                return true;
            sinkProblem = sink->Problem();
            sinkOverfull = sink->Overfull();
            return false;
        }
        if (body.size() < MaxKeptBodyBytes)
            body += QByteArray(bytes.data(), static_cast<qsizetype>(std::min<std::size_t>(
                                                 bytes.size(), static_cast<std::size_t>(MaxKeptBodyBytes - body.size()))));
        return true;
    }
    bool Failed() const
    {
        return tooLarge || tooSlow || timedOut || stopped || !sinkProblem.empty() || !protocolProblem.empty() ||
               !networkError.isEmpty();
    }
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

bool DavHttp::OffersCredentialsTo(const QUrl& url) const
{
    return !m_credentials.user.empty() && UrlOrigin(url) == m_origin;
}

void DavHttp::AbortRequests()
{
    m_aborted = true;
    if (m_loop)
        m_loop->quit();
}

DavHttpReply DavHttp::Send(const DavHttpRequest& request)
{
    QUrl url = request.url;
    if (m_origin.isEmpty())
        m_origin = UrlOrigin(url);
    m_aborted = false;
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
        if (UrlOrigin(target) != m_origin)
            return {Moved(url, target), url, {}, {}};
        url = target;
    }
}

DavHttpReply DavHttp::SendOnce(const DavHttpRequest& request, const QUrl& url, QByteArray& location)
{
    const QByteArray target = Target(url);
    const bool toOrigin = OffersCredentialsTo(url);
    QByteArray authorization = toOrigin ? m_authorization.For(request.verb, target) : QByteArray();
    bool answered = false;
    for (int attempt = 0;; ++attempt) {
        Exchange exchange;
        Transfer(request, url, authorization, exchange);
        if (exchange.staleConnection && attempt == 0)
            continue;
        // Credentials are offered once; sent ahead and refused, they are not sent again unless a
        // Digest server asks anew (a nonce it no longer takes).
        const bool challenged = exchange.headRead && exchange.head.status == 401 && !exchange.Failed();
        if (challenged && toOrigin && !answered && (authorization.isEmpty() || m_authorization.Digest()) &&
            m_authorization.Answer(ParseChallenges(exchange.head.Fields("www-authenticate")), m_credentials)) {
            answered = true;
            authorization = m_authorization.For(request.verb, target);
            continue;
        }
        if (challenged)
            m_authorization.Clear();
        if (!exchange.Failed() && IsRedirect(exchange.head.status))
            location = QByteArray::fromStdString(std::string(exchange.head.Field("location")));
        return Finish(exchange, url);
    }
}

QSslSocket& DavHttp::Connection(const QUrl& url, bool& reused)
{
    const QString origin = UrlOrigin(url);
    reused = m_socket && m_socketOrigin == origin && m_socket->state() == QAbstractSocket::ConnectedState;
    if (reused)
        return *m_socket;
    m_socket = std::make_unique<QSslSocket>();
    m_socketOrigin = origin;
    m_socket->setReadBufferSize(SocketBufferBytes);
    // Requests go out whole; small ones need not wait for the acknowledgement of the last.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const quint16 port = static_cast<quint16>(url.port(IsHttps(url) ? 443 : 80));
    if (IsHttps(url)) {
        m_socket->setPeerVerifyName(url.host());
        m_socket->connectToHostEncrypted(url.host(), port);
    } else {
        m_socket->connectToHost(url.host(), port);
    }
    return *m_socket;
}

void DavHttp::Transfer(const DavHttpRequest& request, const QUrl& url, const QByteArray& authorization,
                       Exchange& exchange)
{
    exchange.sink = request.sink;
    exchange.maxBytes = m_options.maxReplyBytes;
    exchange.url = url;
    bool reused = false;
    QSslSocket& socket = Connection(url, reused);
    HttpResponseReader reader(exchange);
    QEventLoop loop;
    QObject scope; // what is connected for this request ends with it
    QTimer silence;
    silence.setSingleShot(true);
    exchange.silenceMs = SilenceLimitMs();
    silence.setInterval(exchange.silenceMs);
    QTimer pace;
    pace.setInterval(std::clamp(m_options.deadlineMs / 4, 10, 1000));
    const auto stop = [&](bool& why) {
        why = true;
        loop.quit();
    };
    // A reply may take deadlineMs from its first byte, and a second more for every minRateBytes.
    const auto checkPace = [&] {
        const qint64 allowed =
            m_options.deadlineMs + exchange.received * 1000 / std::max<qint64>(m_options.minRateBytes, 1);
        if (exchange.sinceFirstByte.isValid() && exchange.sinceFirstByte.elapsed() > allowed)
            stop(exchange.tooSlow);
    };
    const auto take = [&] {
        while (!exchange.Failed() && !reader.Complete() && socket.bytesAvailable() > 0) {
            const QByteArray piece = socket.read(ReadPieceBytes);
            if (!exchange.sinceFirstByte.isValid())
                exchange.sinceFirstByte.start();
            m_answered = true;
            exchange.received += piece.size();
            if (exchange.received > m_options.maxReplyBytes)
                exchange.tooLarge = true;
            else if (!reader.Feed(std::string_view(piece.constData(), static_cast<std::size_t>(piece.size()))) &&
                     exchange.sinkProblem.empty() && !exchange.tooLarge)
                exchange.protocolProblem = reader.Problem();
        }
        silence.start();
        checkPace();
        if (exchange.Failed() || reader.Complete())
            loop.quit();
    };
    QObject::connect(&socket, &QSslSocket::readyRead, &scope, take);
    QObject::connect(&socket, &QSslSocket::bytesWritten, &scope, [&] { silence.start(); });
    QObject::connect(&socket, &QSslSocket::encrypted, &scope, [&] { silence.start(); });
    QObject::connect(&socket, &QSslSocket::connected, &scope, [&] { silence.start(); });
    QObject::connect(&socket, &QSslSocket::sslErrors, &scope, [&](const QList<QSslError>& errors) {
        QSslCertificate peer = socket.peerCertificate();
        for (const QSslError& error : errors)
            if (!error.certificate().isNull())
                peer = error.certificate();
        const std::string fingerprint = Fingerprint(peer);
        if (m_acceptedFingerprints.count(fingerprint) != 0)
            socket.ignoreSslErrors(errors);
        else
            exchange.refusedFingerprint = fingerprint;
    });
    QObject::connect(&socket, &QSslSocket::disconnected, &scope, [&] {
        take();
        reader.ConnectionClosed();
        if (reader.Failed() && !exchange.Failed()) {
            if (reused && exchange.received == 0)
                exchange.staleConnection = true;
            else
                exchange.protocolProblem = reader.Problem();
        }
        loop.quit();
    });
    QObject::connect(&socket, &QSslSocket::errorOccurred, &scope, [&](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError)
            return; // the end of the connection, told by disconnected
        if (reused && exchange.received == 0 && error != QAbstractSocket::SocketTimeoutError)
            exchange.staleConnection = true;
        else if (exchange.networkError.isEmpty())
            exchange.networkError = m_aborted ? QStringLiteral("the request was stopped") : socket.errorString();
        loop.quit();
    });
    QObject::connect(&silence, &QTimer::timeout, &scope, [&] { stop(exchange.timedOut); });
    QObject::connect(&pace, &QTimer::timeout, &scope, checkPace);
    silence.start();
    pace.start();
    socket.write(RequestBytes(request, url, authorization));
    take();
    if (!exchange.Failed() && !reader.Complete() && !exchange.staleConnection && !m_aborted) {
        m_loop = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        m_loop = nullptr;
    }
    if (m_aborted && !reader.Complete())
        exchange.stopped = true;
    if (exchange.tooLarge)
        exchange.body.clear();
    // A connection that carries no next request is closed now, and one a failure left midway.
    if (exchange.Failed() || exchange.staleConnection || !reader.Complete() || !reader.KeepsConnection()) {
        socket.abort();
        m_socket.reset();
    }
}

int DavHttp::SilenceLimitMs() const
{
    if (m_answered || m_options.firstAnswerTimeoutMs <= 0)
        return m_options.timeoutMs;
    return std::min(m_options.timeoutMs, m_options.firstAnswerTimeoutMs);
}

DavHttpReply DavHttp::Finish(const Exchange& exchange, const QUrl& url) const
{
    DavHttpReply result{{}, url, exchange.body, QByteArray::fromStdString(std::string(exchange.head.Field("etag")))};
    const int status = exchange.head.status;
    if (exchange.tooLarge) {
        result.status = Failure(DavFailure::TooLarge, url,
                                QStringLiteral("the reply is larger than %1 MB").arg(m_options.maxReplyBytes >> 20));
    } else if (!exchange.sinkProblem.empty()) {
        result.status = Failure(exchange.sinkOverfull ? DavFailure::TooLarge : DavFailure::Protocol, url,
                                QString::fromStdString(exchange.sinkProblem));
    } else if (exchange.tooSlow) {
        result.status = Failure(DavFailure::Network, url,
                                QStringLiteral("the server sends too slowly (%1 bytes in %2 s)")
                                    .arg(exchange.received)
                                    .arg(exchange.sinceFirstByte.elapsed() / 1000));
    } else if (!exchange.refusedFingerprint.empty() && !exchange.headRead) {
        result.status = Failure(DavFailure::Certificate, url,
                                QStringLiteral("the server's certificate is not trusted (SHA-256 %1)")
                                    .arg(QString::fromStdString(exchange.refusedFingerprint)));
        result.status.fingerprint = exchange.refusedFingerprint;
    } else if (exchange.timedOut) {
        result.status = Failure(DavFailure::Network, url, QStringLiteral("no answer for %1 s").arg(exchange.silenceMs / 1000.0));
    } else if (exchange.stopped) {
        result.status = Failure(DavFailure::Network, url, QStringLiteral("the request was stopped"));
    } else if (!exchange.networkError.isEmpty()) {
        result.status = Failure(DavFailure::Network, url, exchange.networkError);
    } else if (exchange.staleConnection) {
        result.status = Failure(DavFailure::Network, url, QStringLiteral("the server closed the connection"));
    } else if (!exchange.protocolProblem.empty()) {
        result.status = Failure(DavFailure::Protocol, url, QString::fromStdString(exchange.protocolProblem));
    } else if (FailureForStatus(status) != DavFailure::None) {
        const QString reason = QString::fromStdString(exchange.head.reason);
        result.status =
            Failure(FailureForStatus(status), url,
                    QStringLiteral("%1 %2").arg(status).arg(reason.simplified().left(80)).trimmed(), status);
    } else {
        result.status.httpStatus = status;
    }
    return result;
}

DavConnectionOptions SyncConnectionOptions()
{
    DavConnectionOptions options;
    options.timeoutMs = 10 * 60 * 1000;
    options.firstAnswerTimeoutMs = 45 * 1000;
    return options;
}

} // namespace quillary
