// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browser_dde.h"

#include "browser/browser_conversation.h"

#include <array>

namespace quillary {

namespace {
constexpr std::array<const char*, 3> WellKnownServices = {"NETSCAPE", "IExplore", "Mosaic"};
constexpr const char* AnyWindow = "0xFFFFFFFF";
} // namespace

TBrowserDDE::TBrowserDDE(BrowserConversation& conversation, std::string preferredService, std::string browserProgram)
    : m_conversation(conversation), m_preferredService(std::move(preferredService)),
      m_browserProgram(std::move(browserProgram))
{
}

bool TBrowserDDE::Answers(const std::string& service)
{
    return m_conversation.Request(service, "WWW_Version", "", m_serviceApplication).has_value();
}

std::optional<std::string> TBrowserDDE::Ask(const std::string& topic, const std::string& item)
{
    return m_conversation.Request(m_currentService, topic, item, m_serviceApplication);
}

bool TBrowserDDE::FindBrowser()
{
    m_serviceApplication.clear();
    if (Answers(m_currentService))
        return true;
    if (!m_preferredService.empty() && Answers(m_preferredService)) {
        m_currentService = m_preferredService;
        return true;
    }
    for (const char* service : WellKnownServices) {
        if (Answers(service)) {
            m_currentService = service;
            return true;
        }
    }
    if (!m_startBrowser)
        return false;
    m_currentService = m_preferredService;
    m_serviceApplication = m_browserProgram;
    return Answers(m_currentService);
}

std::string TBrowserDDE::OpenURL(const std::string& address)
{
    if (!FindBrowser())
        return {};
    const std::optional<std::string> window = Ask("WWW_OpenURL", address + ",," + AnyWindow);
    // No window named: there is nothing to bring forward.
    if (!window || window->empty())
        return {};
    Ask("WWW_Activate", *window);
    return *window;
}

WindowInfo TBrowserDDE::GetWindowInfo()
{
    if (!FindBrowser())
        return {};
    return ParseWindowInfo(Ask("WWW_GetWindowInfo", AnyWindow).value_or(std::string()));
}

} // namespace quillary
