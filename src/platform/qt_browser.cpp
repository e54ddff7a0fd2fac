// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_browser.h"

#include "links/web_link.h"
#include "shell/options_values.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillary {

QtBrowser::QtBrowser(const TProfileFile& settings) : QtBrowser(settings, ReadOptions(settings)) {}

QtBrowser::QtBrowser(const TProfileFile& settings, const OptionsValues& options)
    : m_conversation(settings), m_link(m_conversation, options.browserService, options.browserPath)
{
}

void QtBrowser::SetPreferred(const std::string& service, const std::string& program)
{
    m_link.SetPreferredService(service);
    m_link.SetBrowserProgram(program);
}

void QtBrowser::Open(const std::string& address)
{
    // The last gate before the browser: callers tell the user why an address is refused.
    if (!IsOpenableLink(address))
        return;
    m_link.SetStartBrowser(true);
    if (m_link.FindBrowser()) {
        m_link.OpenURL(address);
        return;
    }
    if (m_link.BrowserProgram().empty())
        QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(address)));
}

} // namespace quillary
