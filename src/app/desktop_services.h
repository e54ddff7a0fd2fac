// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/shell/window_services.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace quillary {

class Clock;
class DesktopTelephony;
class QtActionPrompts;
class QtClipboard;
class QtDateLocale;
class QtShell;
class TProfileFile;
class XdgMessaging;

// The Linux desktop's services, made once where the program starts: icons from the desktop's
// entries, the system clipboard, xdg-open and xdg-email, the browser link, and telephony.
class DesktopServices final : public WindowServices
{
public:
    // Today's date comes from clock (the system's when none is given).
    explicit DesktopServices(const TProfileFile& settings, const Clock* clock = nullptr);
    ~DesktopServices() override;

    void SetWindow(QWidget* window) override;
    QtIconStore& Icons() override { return *m_icons; }
    QtBrowser& Browser() override { return *m_browser; }
    SimpleMessaging& Messaging() override;
    ActionPrompts& Prompts() override;
    ItemServices ItemDesk() override;

private:
    const Clock* m_clock;
    QPointer<QWidget> m_window;
    std::unique_ptr<QtIconStore> m_icons;
    std::unique_ptr<QtDateLocale> m_locale;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<QtShell> m_shell;
    std::unique_ptr<QtBrowser> m_browser;
    std::unique_ptr<QtActionPrompts> m_prompts;
    std::unique_ptr<DesktopTelephony> m_telephony;
    std::unique_ptr<XdgMessaging> m_messaging;
};

} // namespace quillary
