// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/browser_conversation.h"

#include <QString>

#include <chrono>

class QNetworkAccessManager;
class QNetworkRequest;

namespace quillary {

class TProfileFile;

// Browser conversations over the Chromium DevTools HTTP endpoint. Each service name maps to an
// endpoint "host:port" in section "DDE" of the settings file (default 127.0.0.1:9222), and each
// topic to one HTTP request, answered in the reply form the browser link reads:
//   WWW_Version        GET /json/version          the browser's name
//   WWW_OpenURL        PUT /json/new?<address>    the new tab's identifier
//   WWW_Activate       GET /json/activate/<id>    the endpoint's answer
//   WWW_GetWindowInfo  GET /json/list             "address","title" of the first page
// Requests wait in a local event loop that ignores user input, each for at most two seconds.
class DevToolsConversation final : public BrowserConversation
{
public:
    explicit DevToolsConversation(const TProfileFile& settings);
    ~DevToolsConversation() override;

    std::optional<std::string> Request(const std::string& service, const std::string& topic, const std::string& item,
                                       const std::string& application) override;

    // How long a started browser program is given to answer.
    void SetStartWait(std::chrono::milliseconds wait) { m_startWait = wait; }

    struct Endpoint
    {
        QString host;
        quint16 port = 0;

        bool operator==(const Endpoint&) const = default;
    };
    // Where a service is spoken to: its entry in the settings, or the default endpoint.
    Endpoint EndpointOf(const std::string& service) const;

private:
    struct HttpReply
    {
        int status = 0;
        QByteArray body;
    };

    std::optional<HttpReply> Http(const Endpoint& endpoint, const QByteArray& verb, const QByteArray& pathAndQuery);
    std::optional<std::string> Ask(const Endpoint& endpoint, const std::string& topic, const std::string& item);
    bool StartProgram(const Endpoint& endpoint, const std::string& program);

    const TProfileFile& m_settings;
    QNetworkAccessManager* m_network;
    std::chrono::milliseconds m_startWait{15000};
};

} // namespace quillary
