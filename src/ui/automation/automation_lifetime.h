// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

namespace quillary {

class AutomationService;

// When a copy of the program that a client's call started (bus activation, "AUTOMATION") ends:
// once the clients have released their last cursor, or after an idle time in which no client
// takes a cursor at all. Once the user starts the program by hand, the copy is the user's and
// no longer ends for its clients.
class AutomationLifetime final : public QObject
{
    Q_OBJECT

public:
    AutomationLifetime(AutomationService& service, std::chrono::milliseconds idleTime, QObject* parent = nullptr);

    // The user started the program by hand: it now runs until the user ends it.
    void AdoptByUser();
    bool IsAdopted() const { return m_adopted; }

signals:
    void EndRequested();

private:
    void CursorsGone();

    QTimer m_idle;
    bool m_adopted = false;
};

} // namespace quillary
