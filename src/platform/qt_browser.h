// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/browser_dde.h"
#include "platform/devtools_conversation.h"

#include <string>

namespace quillary {

class TProfileFile;
struct OptionsValues;

// The program's one browser link, over the DevTools transport, set up from the "Browser"
// settings.
class QtBrowser
{
public:
    explicit QtBrowser(const TProfileFile& settings);

    TBrowserDDE& Link() { return m_link; }
    DevToolsConversation& Conversation() { return m_conversation; }
    // The Options dialog's choice of service name and program file.
    void SetPreferred(const std::string& service, const std::string& program);
    // Opens the address in the browser, starting the browser program when one is set. With no
    // browser answering and no program to start, the desktop's default browser takes it. Only
    // web and mail addresses are opened (IsOpenableLink); anything else is dropped here.
    void Open(const std::string& address);

private:
    QtBrowser(const TProfileFile& settings, const OptionsValues& options);

    DevToolsConversation m_conversation;
    TBrowserDDE m_link;
};

} // namespace quillary
