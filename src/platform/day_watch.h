// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>

class QDateTime;
class QTimer;

namespace quillary {

class Clock;

// Tells a running program that the calendar day changed: at each local midnight, after a resume
// from suspend (logind's PrepareForSleep(false) on the system bus, when there is one), and,
// for suspends nobody announced and clocks set by hand, when a check once a minute finds
// another date. Each change is told once, however many of these notice it.
class DayWatch final : public QObject
{
    Q_OBJECT

public:
    DayWatch(const Clock& clock, QDBusConnection systemBus, QObject* parent = nullptr);

public slots:
    // Compares the clock's date with the last one seen and tells a different one.
    void Check();

signals:
    void DayChanged();

private slots:
    void PrepareForSleep(bool sleeping);

private:
    void ArmMidnight();

    const Clock& m_clock;
    qint64 m_lastSeenDay; // days since 1970, as the clock gave them
    QTimer* m_midnight;
    QTimer* m_minute;
};

// Milliseconds from now to the next local midnight (a day may have 23 or 25 hours).
qint64 MillisecondsToMidnight(const QDateTime& now);

} // namespace quillary
