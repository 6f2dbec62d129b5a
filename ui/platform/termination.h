#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace orvell::platform {

// The requests from outside to end the program. On Linux and other Unix systems: SIGTERM (a
// kill, the system shutting down), SIGHUP (a logout, the terminal closing) and SIGINT (Ctrl+C);
// from construction on they no longer end the program at once, each is noted, and handle() runs
// a handler for it on the user-interface thread, from the event loop. On Windows: the end of the
// session, a logout or a shutdown, which Windows may announce to every window with
// WM_QUERYENDSESSION, answered yes, and then makes with WM_ENDSESSION. Windows may end the
// process as soon as that is answered, so the session's end handler runs inside it, and the
// handler from the event loop after it. One instance at a time.
class TerminationRequests {
  public:
    TerminationRequests();
    ~TerminationRequests();
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

    // From the next pass of the event loop on, also for requests noted before this call.
    // `atSessionEnd` saves what must not be lost when the process ends without notice; only
    // Windows calls it, the signals leave that to the handler's work.
    void handle(std::function<void()> handler, std::function<void()> atSessionEnd = {});

  private:
    std::function<void()> handler_;
    std::function<void()> atSessionEnd_;
    // What hears the requests.
    std::unique_ptr<QObject> listener_;
};

}  // namespace orvell::platform
