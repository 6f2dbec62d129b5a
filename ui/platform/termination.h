#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace orvell::platform {

// The requests from outside to end the program. On Linux and other Unix systems: SIGTERM (a
// kill, the system shutting down), SIGHUP (a logout, the terminal closing) and SIGINT (Ctrl+C);
// from construction on they no longer end the program at once, each is noted, and handle() runs
// a handler for it on the user-interface thread, from the event loop. On Windows: the end of the
// session, a logout or a shutdown, which Windows announces to every window with
// WM_QUERYENDSESSION and then WM_ENDSESSION; the handler runs as the first of them arrives, and
// the session's end waits for the program meanwhile. One instance at a time.
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
    // What hears the requests.
    std::unique_ptr<QObject> listener_;
};

}  // namespace orvell::platform
