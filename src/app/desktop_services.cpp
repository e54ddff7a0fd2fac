// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_services.h"

#include "platform/desktop_telephony.h"
#include "platform/qt_browser.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_date_locale.h"
#include "platform/qt_icon_store.h"
#include "platform/qt_shell.h"
#include "platform/xdg_messaging.h"
#include "ui/actions/qt_action_prompts.h"

namespace quillary {

DesktopServices::DesktopServices(const TProfileFile& settings, const Clock* clock)
    : m_clock(clock), m_icons(std::make_unique<QtIconStore>()), m_locale(std::make_unique<QtDateLocale>()),
      m_clipboard(std::make_unique<QtClipboard>()), m_shell(std::make_unique<QtShell>()),
      m_browser(std::make_unique<QtBrowser>(settings)), m_prompts(std::make_unique<QtActionPrompts>(nullptr)),
      m_telephony(std::make_unique<DesktopTelephony>(*m_prompts)),
      m_messaging(std::make_unique<XdgMessaging>([this](const QString& name) { return AskMailAddress(m_window, name); }))
{
}

DesktopServices::~DesktopServices() = default;

void DesktopServices::SetWindow(QWidget* window)
{
    m_window = window;
    m_prompts->SetParent(window);
}

SimpleMessaging& DesktopServices::Messaging()
{
    return *m_messaging;
}

ActionPrompts& DesktopServices::Prompts()
{
    return *m_prompts;
}

ItemServices DesktopServices::ItemDesk()
{
    ItemServices services;
    services.telephony = m_telephony.get();
    services.shell = m_shell.get();
    services.icons = m_icons.get();
    services.clipboard = m_clipboard.get();
    services.clock = m_clock;
    services.locale = m_locale.get();
    return services;
}

} // namespace quillary
