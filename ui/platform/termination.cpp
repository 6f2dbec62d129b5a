#include "ui/platform/termination.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#endif

namespace orvell::platform {

#ifdef Q_OS_UNIX

namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};

// The self-pipe: the signal handler writes one byte, the event loop reads it. A signal handler
// reaches only globals.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::array<int, 2> pipeEnds = {-1, -1};

// Only what is safe in a signal handler: one write, errno left as it was.
extern "C" void noteRequest(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a request; losing this one loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

// The signals this class took over; one started ignoring a signal (nohup, say) keeps that.
// Process-wide, as the handlers are.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::array<bool, kSignals.size()> taken{};

void setHandler(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // Calls that the signal interrupts go on rather than fail with EINTR.
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

bool isIgnored(int signal) {
    struct sigaction current {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

TerminationRequests::TerminationRequests() {
    if (::pipe(pipeEnds.data()) != 0) return;  // the signals keep ending the program at once
    for (int end : pipeEnds) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        taken[i] = !isIgnored(kSignals[i]);
        if (taken[i]) setHandler(kSignals[i], noteRequest);
    }
}

TerminationRequests::~TerminationRequests() {
    if (pipeEnds[0] < 0) return;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (taken[i]) setHandler(kSignals[i], SIG_DFL);
        taken[i] = false;
    }
    notifier_.reset();
    for (int& end : pipeEnds) {
        ::close(end);
        end = -1;
    }
}

void TerminationRequests::handle(std::function<void()> handler) {
    if (pipeEnds[0] < 0) return;
    handler_ = std::move(handler);
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        std::array<char, 64> bytes{};
        while (::read(pipeEnds[0], bytes.data(), bytes.size()) > 0) {
        }
        handler_();
    });
}

#else

TerminationRequests::TerminationRequests() = default;
TerminationRequests::~TerminationRequests() = default;
void TerminationRequests::handle(std::function<void()> handler) { handler_ = std::move(handler); }

#endif

}  // namespace orvell::platform
