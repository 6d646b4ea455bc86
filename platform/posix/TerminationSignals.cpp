#include "TerminationSignals.h"

#include "platform/Log.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

// Written by the signal handler, read on the GUI thread. A signal handler can reach nothing but globals.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(g_signalPipe[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals() = default;

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::onTermination(std::function<void()> handler)
{
    m_handler = std::move(handler);
    if (m_notifier)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        Warn("cannot watch for termination signals; a held drag button is not released on SIGTERM");
        return;
    }
    ::fcntl(g_signalPipe[0], F_SETFL, O_NONBLOCK);
    m_notifier = std::make_unique<QSocketNotifier>(g_signalPipe[1], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(g_signalPipe[1], &byte, 1);
        if (m_handler)
            m_handler();
    });
    struct sigaction action
    { };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signalNumber, &action, nullptr);
}

} // namespace platform
