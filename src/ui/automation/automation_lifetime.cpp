// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/automation/automation_lifetime.h"

#include "ui/automation/automation_service.h"

namespace quillary {

AutomationLifetime::AutomationLifetime(AutomationService& service, std::chrono::milliseconds idleTime, QObject* parent)
    : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleTime);
    connect(&m_idle, &QTimer::timeout, this, &AutomationLifetime::CursorsGone);
    connect(&service, &AutomationService::CursorCreated, &m_idle, &QTimer::stop);
    connect(&service, &AutomationService::LastReleased, this, &AutomationLifetime::CursorsGone);
    if (service.CursorCount() == 0)
        m_idle.start();
}

void AutomationLifetime::AdoptByUser()
{
    m_adopted = true;
    m_idle.stop();
}

void AutomationLifetime::CursorsGone()
{
    if (!m_adopted)
        emit EndRequested();
}

} // namespace quillary
