// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StopSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_WIN
StopSignals* instance = nullptr;
// Set when the object is deleted, the run having ended its converters and removed their partial PDFs.
HANDLE stopped()
{
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

// Called on a thread of its own, so the event loop is only told. Windows ends the program as soon as this returns
// from the console's close, so then it waits for the run to stop, within the 5 s Windows gives.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    // The console's close is the terminal's hang-up.
    const bool closed = event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
    const auto cause = closed ? StopSignals::Cause::HangUp : StopSignals::Cause::Interrupt;
    QMetaObject::invokeMethod(
        instance, [cause] { emit instance->received(cause); }, Qt::QueuedConnection);
    if (closed)
        WaitForSingleObject(stopped(), 4500);
    return TRUE;
}
#else
// A signal handler may do next to nothing; it writes the signal's number into a pipe that the event loop watches.
int pipeEnds[2] = {-1, -1};

void onSignal(int signal)
{
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

void setHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}
#endif
} // namespace

StopSignals::StopSignals(QObject* parent)
    : QObject(parent)
{
#ifdef Q_OS_WIN
    instance = this;
    ResetEvent(stopped());
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    if (::pipe(pipeEnds) != 0)
        return;
    // The converters must not inherit the pipe, and a full pipe must not block the handler.
    for (const int end : pipeEnds) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, O_NONBLOCK);
    }
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        Cause cause = Cause::Interrupt;
        for (ssize_t count; (count = ::read(pipeEnds[0], bytes, sizeof bytes)) > 0;) {
            if (std::find(bytes, bytes + count, char(SIGHUP)) != bytes + count)
                cause = Cause::HangUp;
        }
        emit received(cause);
    });
    setHandler(onSignal);
#endif
}

StopSignals::~StopSignals()
{
#ifdef Q_OS_WIN
    SetEvent(stopped());
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    instance = nullptr;
#else
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    delete m_notifier;
    for (int& end : pipeEnds) {
        ::close(end);
        end = -1;
    }
#endif
}
