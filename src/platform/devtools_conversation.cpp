// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/devtools_conversation.h"

#include "shell/profile_file.h"
#include "shell/settings_keys.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace quillary {

namespace {

constexpr int RequestTimeoutMs = 2000;
constexpr int StartPollMs = 250;
// Endpoint answers are a few kilobytes; anything far larger is not one.
constexpr qint64 MaxReplyBytes = 4 * 1024 * 1024;
constexpr std::string_view AnyWindowSuffix = ",,0xFFFFFFFF";

QJsonObject ObjectOf(const QByteArray& body)
{
    return QJsonDocument::fromJson(body).object();
}

std::string Text(const QJsonValue& value)
{
    return value.toString().toStdString();
}

// The address of a "WWW_OpenURL" item: what stands before the window part.
QByteArray AddressOf(const std::string& item)
{
    std::string_view address = item;
    if (address.ends_with(AnyWindowSuffix))
        address.remove_suffix(AnyWindowSuffix.size());
    return QByteArray(address.data(), static_cast<qsizetype>(address.size()));
}

// Tabs are the entries of type "page", the most recently active first.
std::string FirstPage(const QByteArray& body)
{
    const QJsonArray targets = QJsonDocument::fromJson(body).array();
    for (const QJsonValue& target : targets) {
        const QJsonObject object = target.toObject();
        if (object.value(QStringLiteral("type")).toString() == QStringLiteral("page"))
            return "\"" + Text(object.value(QStringLiteral("url"))) + "\",\"" +
                   Text(object.value(QStringLiteral("title"))) + "\"";
    }
    return {};
}

void Pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

DevToolsConversation::DevToolsConversation(const TProfileFile& settings)
    : m_settings(settings), m_network(new QNetworkAccessManager)
{
    // The endpoint is on this machine: no proxy may stand between.
    m_network->setProxy(QNetworkProxy::NoProxy);
}

DevToolsConversation::~DevToolsConversation()
{
    delete m_network;
}

DevToolsConversation::Endpoint DevToolsConversation::EndpointOf(const std::string& service) const
{
    const QString fallback = QString::fromUtf8(settings::DefaultBrowserEndpoint.data(),
                                               static_cast<qsizetype>(settings::DefaultBrowserEndpoint.size()));
    QString text =
        QString::fromStdString(service.empty() ? std::string()
                                               : m_settings.ReadString(settings::BrowserEndpointSection, service,
                                                                       settings::DefaultBrowserEndpoint));
    if (text.isEmpty())
        text = fallback;
    // "host:port", where a bracketed IPv6 host may hold colons of its own.
    const QUrl url(QStringLiteral("http://") + text.trimmed());
    if (!url.isValid() || url.host().isEmpty() || url.port() <= 0 || !url.path().isEmpty())
        return EndpointOf(std::string());
    return {url.host(), static_cast<quint16>(url.port())};
}

std::optional<DevToolsConversation::HttpReply>
DevToolsConversation::Http(const Endpoint& endpoint, const QByteArray& verb, const QByteArray& pathAndQuery)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(endpoint.host);
    url.setPort(endpoint.port);
    url = url.resolved(QUrl::fromEncoded(pathAndQuery, QUrl::StrictMode));
    QNetworkRequest request(url);
    request.setTransferTimeout(RequestTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = m_network->sendCustomRequest(request, verb);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MaxReplyBytes)
            reply->abort();
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool aborted = reply->error() == QNetworkReply::OperationCanceledError;
    std::optional<HttpReply> result;
    if (status.isValid() && !aborted)
        result = HttpReply{status.toInt(), reply->readAll()};
    reply->deleteLater();
    return result;
}

std::optional<std::string> DevToolsConversation::Ask(const Endpoint& endpoint, const std::string& topic,
                                                     const std::string& item)
{
    if (topic == "WWW_Version") {
        // Only a DevTools endpoint counts as a browser, not whatever else listens on the port.
        const auto reply = Http(endpoint, "GET", "/json/version");
        if (!reply || reply->status != 200 || !QJsonDocument::fromJson(reply->body).isObject())
            return std::nullopt;
        return Text(ObjectOf(reply->body).value(QStringLiteral("Browser")));
    }
    std::optional<HttpReply> reply;
    if (topic == "WWW_OpenURL")
        reply = Http(endpoint, "PUT", "/json/new?" + QUrl::toPercentEncoding(AddressOf(item), "!$&'()*+,;=:/?@~"));
    else if (topic == "WWW_Activate")
        reply = Http(endpoint, "GET", "/json/activate/" + QUrl::toPercentEncoding(QString::fromStdString(item)));
    else if (topic == "WWW_GetWindowInfo")
        reply = Http(endpoint, "GET", "/json/list");
    else
        return std::nullopt;
    if (!reply)
        return std::nullopt;
    if (reply->status != 200)
        return std::string();
    if (topic == "WWW_OpenURL")
        return Text(ObjectOf(reply->body).value(QStringLiteral("id")));
    if (topic == "WWW_Activate")
        return reply->body.trimmed().toStdString();
    return FirstPage(reply->body);
}

bool DevToolsConversation::StartProgram(const Endpoint& endpoint, const std::string& program)
{
    const QStringList arguments{QStringLiteral("--remote-debugging-port=%1").arg(endpoint.port)};
    if (!QProcess::startDetached(QString::fromStdString(program), arguments))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < m_startWait.count()) {
        Pause(StartPollMs);
        if (Ask(endpoint, "WWW_Version", ""))
            return true;
    }
    return false;
}

std::optional<std::string> DevToolsConversation::Request(const std::string& service, const std::string& topic,
                                                         const std::string& item, const std::string& application)
{
    const Endpoint endpoint = EndpointOf(service);
    std::optional<std::string> reply = Ask(endpoint, topic, item);
    if (reply || application.empty() || !StartProgram(endpoint, application))
        return reply;
    return Ask(endpoint, topic, item);
}

} // namespace quillary
