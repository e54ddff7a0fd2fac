// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace quillary {

// Turns SIGTERM, SIGINT and SIGHUP into a signal on the Qt thread, so that the program can end
// in its orderly way (the data file written) rather than die where it stands. The handler
// only writes the signal number into a socket pair; the notifier on the other end reads it.
// Only the first such signal is turned. A second one ends the program at once as soon as the
// end has kept the changes somewhere (ChangesKept), a third one at any rate: a logout or a
// service manager never waits on an end that hangs, and a hurried one still loses nothing.
//
// A desktop logout arrives either as SIGTERM or through QGuiApplication::commitDataRequest
// and aboutToQuit; the application handles those two itself.
//
// One bridge at a time: the handlers are process-wide. The previous handlers come back when
// the bridge is destroyed.
class SignalBridge : public QObject
{
    Q_OBJECT

public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

    SignalBridge(const SignalBridge&) = delete;
    SignalBridge& operator=(const SignalBridge&) = delete;

    // False when the socket pair or a handler could not be set up.
    bool IsActive() const { return m_notifier != nullptr; }

    // Called by the end once the changes are safe (in the recovery copy, or none unsaved): a
    // second signal that came meanwhile ends the program now, and one that comes later at once.
    static void ChangesKept();

signals:
    void terminationRequested(int signal);

private:
    void Drain();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace quillary
