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

// Called on a thread of its own, so the event loop is only told.
BOOL WINAPI onConsoleEvent(DWORD)
{
    QMetaObject::invokeMethod(
        instance, [] { emit instance->received(StopSignals::Cause::Interrupt); }, Qt::QueuedConnection);
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
