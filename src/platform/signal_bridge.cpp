// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/signal_bridge.h"

#include <QPointer>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace quillary {

namespace {

constexpr std::array<int, 3> HandledSignals = {SIGTERM, SIGINT, SIGHUP};

// Written by the handler, read on the Qt thread; -1 while no bridge exists.
int g_writeEnd = -1;
int g_readEnd = -1;
std::array<struct sigaction, HandledSignals.size()> g_previous{};
// How many termination signals came, and whether the end has kept the changes somewhere.
volatile std::sig_atomic_t g_signals = 0;
volatile std::sig_atomic_t g_changesKept = 0;

// Ends the process by this signal, as if it had never been caught. Safe in a handler.
void DieBy(int signal)
{
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (const int handled : HandledSignals)
        ::sigaction(handled, &byDefault, nullptr);
    ::raise(signal);
}

void OnSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // Non-blocking: should the pipe be full, the requests already waiting say enough.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    g_signals = g_signals + 1;
    // The first asks for the orderly end. A later one ends the program where it stands once the
    // changes are kept (a third one at any rate), so nothing waits on an end that hangs.
    if (g_signals >= 3 || (g_signals == 2 && g_changesKept))
        DieBy(signal);
    errno = savedErrno;
}

bool OpenSocketPair()
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return false;
    g_readEnd = ends[0];
    g_writeEnd = ends[1];
    return true;
}

void CloseSocketPair()
{
    ::close(g_readEnd);
    ::close(g_writeEnd);
    g_readEnd = g_writeEnd = -1;
}

void RestoreHandlers(std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        ::sigaction(HandledSignals[i], &g_previous[i], nullptr);
}

bool InstallHandlers()
{
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < HandledSignals.size(); ++i) {
        if (::sigaction(HandledSignals[i], &action, &g_previous[i]) != 0) {
            RestoreHandlers(i);
            return false;
        }
    }
    return true;
}

} // namespace

SignalBridge::SignalBridge(QObject* parent) : QObject(parent)
{
    if (g_readEnd >= 0 || !OpenSocketPair())
        return;
    g_signals = 0;
    g_changesKept = 0;
    if (!InstallHandlers()) {
        CloseSocketPair();
        return;
    }
    m_notifier = new QSocketNotifier(g_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalBridge::Drain);
}

SignalBridge::~SignalBridge()
{
    if (m_notifier == nullptr)
        return;
    RestoreHandlers(HandledSignals.size());
    delete m_notifier;
    CloseSocketPair();
}

void SignalBridge::ChangesKept()
{
    g_changesKept = 1;
    if (g_signals >= 2)
        DieBy(SIGTERM);
}

void SignalBridge::Drain()
{
    // A slot may end the program's life, bridge included, before every byte is told.
    const QPointer<SignalBridge> self(this);
    unsigned char bytes[64];
    ssize_t count = 0;
    while ((count = ::read(g_readEnd, bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count && self; ++i)
            emit terminationRequested(bytes[i]);
        if (!self)
            return;
    }
}

} // namespace quillary
