#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

// SIGTERM, SIGINT and SIGHUP, delivered to a handler on the GUI thread. A signal handler may do next to nothing
// safely, so it only writes a byte into a socket pair that the event loop watches.
class TerminationSignals
{
public:
    TerminationSignals();
    ~TerminationSignals();

    // Installs the signal handlers on the first call; the handler runs for each signal that arrives.
    void onTermination(std::function<void()> handler);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_handler;
};

} // namespace platform
