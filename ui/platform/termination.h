#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace orvell::platform {

// The requests from outside to end the program: SIGTERM (a kill, the system shutting down),
// SIGHUP (a logout, the terminal closing) and SIGINT (Ctrl+C). From construction on they no
// longer end the program at once; each is noted, and handle() runs a handler for it on the
// user-interface thread, from the event loop. One instance at a time. On Windows these signals
// come from no logout or kill, and the class does nothing.
class TerminationRequests {
  public:
    TerminationRequests();
    ~TerminationRequests();
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

    // From the next pass of the event loop on, also for requests noted before this call.
    void handle(std::function<void()> handler);

  private:
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orvell::platform
