// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/day_watch.h"

#include "common/clock.h"

#include <QDateTime>
#include <QTimeZone>
#include <QTimer>

#include <chrono>

namespace quillary {

namespace {
// Waking a little after midnight, so the clock surely reads the new date.
constexpr qint64 AfterMidnight = 1000;
constexpr std::chrono::minutes CheckEvery{1};
} // namespace

qint64 MillisecondsToMidnight(const QDateTime& now)
{
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0), now.timeZone());
    // Where a zone skips midnight itself, the minute check notices the new day; look again in an hour.
    constexpr qint64 Hour = 3600 * 1000;
    return midnight.isValid() ? now.msecsTo(midnight) : Hour;
}

DayWatch::DayWatch(const Clock& clock, QDBusConnection systemBus, QObject* parent)
    : QObject(parent), m_clock(clock), m_lastSeenDay(DaysFromCivil(clock.Today())), m_midnight(new QTimer(this)),
      m_minute(new QTimer(this))
{
    // A coarse timer may fire minutes early over a day's wait.
    m_midnight->setTimerType(Qt::PreciseTimer);
    m_midnight->setSingleShot(true);
    connect(m_midnight, &QTimer::timeout, this, &DayWatch::Check);
    connect(m_minute, &QTimer::timeout, this, &DayWatch::Check);
    m_minute->start(CheckEvery);
    ArmMidnight();
    if (systemBus.isConnected())
        systemBus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                          QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                          SLOT(PrepareForSleep(bool)));
}

void DayWatch::ArmMidnight()
{
    // Timers stand still while the machine sleeps, so the wait is worked out again after each check.
    m_midnight->start(static_cast<int>(MillisecondsToMidnight(QDateTime::currentDateTime()) + AfterMidnight));
}

void DayWatch::Check()
{
    ArmMidnight();
    const qint64 today = DaysFromCivil(m_clock.Today());
    if (today == m_lastSeenDay)
        return;
    m_lastSeenDay = today;
    emit DayChanged();
}

void DayWatch::PrepareForSleep(bool sleeping)
{
    if (!sleeping)
        Check();
}

} // namespace quillary
