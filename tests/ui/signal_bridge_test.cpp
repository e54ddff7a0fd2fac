// SPDX-License-Identifier: GPL-3.0-or-later
// A termination signal asks once for the orderly end; the next one must end the program where it
// stands, so an end that hangs never makes a logout or a service manager wait forever.
#include "platform/signal_bridge.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillary;

namespace {
bool HandledByDefault(int signal)
{
    struct sigaction current = {};
    ::sigaction(signal, nullptr, &current);
    return current.sa_handler == SIG_DFL;
}

// Runs steps in a child process, a copy of this one with the bridge's handlers, and tells how it
// ended: the signal that ended it, or 0 when it came to its end by itself.
template <typename F> int EndOfChild(F&& steps)
{
    const pid_t child = ::fork();
    if (child == 0) {
        steps();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}
} // namespace

class SignalBridgeTest : public QObject
{
    Q_OBJECT

private slots:
    void eachSignalAsksForTheOrderlyEnd()
    {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            SignalBridge bridge;
            QVERIFY(bridge.IsActive());
            QVERIFY(!HandledByDefault(signal));
            QSignalSpy asked(&bridge, &SignalBridge::terminationRequested);
            ::raise(signal);
            QTRY_COMPARE(asked.count(), 1);
            QCOMPARE(asked.first().first().toInt(), signal);
        }
    }

    void aSecondSignalEndsTheProcessOnceTheChangesAreKept()
    {
        SignalBridge bridge;
        // Two signals before the changes are safe: the end goes on until they are, then stops.
        QCOMPARE(EndOfChild([] {
                     ::raise(SIGTERM);
                     ::raise(SIGTERM);
                     if (!HandledByDefault(SIGINT))
                         SignalBridge::ChangesKept();
                 }),
                 SIGTERM);
        // The changes safe first: the second signal ends it where it stands.
        QCOMPARE(EndOfChild([] {
                     ::raise(SIGTERM);
                     SignalBridge::ChangesKept();
                     ::raise(SIGINT);
                 }),
                 SIGINT);
        // An end that hangs before the changes are safe still ends with the third signal.
        QCOMPARE(EndOfChild([] {
                     for (int i = 0; i < 3; ++i)
                         ::raise(SIGHUP);
                 }),
                 SIGHUP);
        // One signal alone is the orderly end: the process goes on to it.
        QCOMPARE(EndOfChild([] {
                     ::raise(SIGTERM);
                     SignalBridge::ChangesKept();
                 }),
                 0);
    }
};

QTEST_MAIN(SignalBridgeTest)
#include "signal_bridge_test.moc"
