// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/window_info.h"

#include <optional>
#include <string>

namespace quillary {

class BrowserConversation;

// The link to the user's web browser: finds a browser that answers (remembering which one did),
// asks it to show an address, and reads the page it shows. One link serves the whole run.
class TBrowserDDE
{
public:
    // preferredService: the user's choice of browser service; browserProgram: the program to
    // start when no browser answers and starting is allowed (empty: none).
    TBrowserDDE(BrowserConversation& conversation, std::string preferredService, std::string browserProgram);

    // Whether FindBrowser may start the browser program. Callers set it before each call.
    void SetStartBrowser(bool start) { m_startBrowser = start; }
    bool StartBrowser() const { return m_startBrowser; }
    void SetPreferredService(std::string service) { m_preferredService = std::move(service); }
    void SetBrowserProgram(std::string program) { m_browserProgram = std::move(program); }
    const std::string& CurrentService() const { return m_currentService; }
    const std::string& PreferredService() const { return m_preferredService; }
    const std::string& BrowserProgram() const { return m_browserProgram; }

    // Whether a browser answers on "WWW_Version": the current service, the preferred one, the
    // well-known ones, and last the started program. The one that answers becomes current.
    bool FindBrowser();
    // Shows the address in a browser window and brings it forward; the window's identifier as
    // the browser gave it, or empty text.
    std::string OpenURL(const std::string& address);
    // The active window's page; both parts empty when no browser answers.
    WindowInfo GetWindowInfo();

private:
    bool Answers(const std::string& service);
    std::optional<std::string> Ask(const std::string& topic, const std::string& item);

    BrowserConversation& m_conversation;
    std::string m_currentService = "NETSCAPE";
    std::string m_preferredService;
    std::string m_browserProgram;
    // The program a conversation starts when nobody answers; set only by the last step of FindBrowser.
    std::string m_serviceApplication;
    bool m_startBrowser = true;
};

} // namespace quillary
