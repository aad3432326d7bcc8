#include "exitsignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

// A signal handler may only write to a descriptor; the event loop reads the other end. The
// writing end never blocks: when nobody reads any more, further signals are simply dropped.
static int signalPipe[2] = {-1, -1};

static void onExitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

void ExitSignals::install()
{
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    ::fcntl(signalPipe[0], F_SETFL, ::fcntl(signalPipe[0], F_GETFL) | O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = onExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigset_t handled;
    sigemptyset(&handled);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous = {};
        sigaction(signal, nullptr, &previous);
        if (signal == SIGHUP && previous.sa_handler == SIG_IGN)
            continue;
        sigaction(signal, &action, nullptr);
        sigaddset(&handled, signal);
    }
    // A signal held back by whoever started the program arrives now, into the handler.
    sigprocmask(SIG_UNBLOCK, &handled, nullptr);
}

ExitSignals::ExitSignals(std::function<void()> onSignal, QObject *parent)
    : QObject(parent), m_onSignal(std::move(onSignal))
{
    install();
    if (signalPipe[1] < 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        [[maybe_unused]] const auto got = ::read(signalPipe[1], bytes, sizeof bytes);
        m_onSignal();
    });
}
