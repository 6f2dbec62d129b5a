#include "ui/platform/termination.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#endif

#ifdef Q_OS_WIN
#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
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
    listener_.reset();
    for (int& end : pipeEnds) {
        ::close(end);
        end = -1;
    }
}

void TerminationRequests::handle(std::function<void()> handler) {
    if (pipeEnds[0] < 0) return;
    handler_ = std::move(handler);
    auto notifier = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] {
        std::array<char, 64> bytes{};
        while (::read(pipeEnds[0], bytes.data(), bytes.size()) > 0) {
        }
        handler_();
    });
    listener_ = std::move(notifier);
}

#elif defined(Q_OS_WIN)

namespace {

// Sees the session's end in the messages to the program's windows, before Qt does. Windows
// sends them to each top-level window, Qt's hidden ones included; the handler runs once.
class SessionEnd final : public QObject, public QAbstractNativeEventFilter {
  public:
    explicit SessionEnd(std::function<void()>& handler) : handler_(handler) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SessionEnd() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    bool nativeEventFilter(const QByteArray&, void* message, qintptr* result) override {
        const MSG& msg = *static_cast<const MSG*>(message);
        if (msg.message == WM_QUERYENDSESSION) {
            // The windows close before the answer, so the program leaves its event loop, saves
            // and ends as after a close, while Windows asks the other programs; the session
            // ends after that.
            endOnce();
            *result = TRUE;
            return true;
        }
        // Sent without a query when another program forced the end; Qt then quits as well.
        if (msg.message == WM_ENDSESSION && msg.wParam != FALSE) endOnce();
        return false;
    }

  private:
    void endOnce() {
        if (ended_) return;
        ended_ = true;
        handler_();
    }

    std::function<void()>& handler_;
    bool ended_ = false;
};

}  // namespace

TerminationRequests::TerminationRequests() = default;
TerminationRequests::~TerminationRequests() = default;

void TerminationRequests::handle(std::function<void()> handler) {
    handler_ = std::move(handler);
    listener_ = std::make_unique<SessionEnd>(handler_);
}

#else

TerminationRequests::TerminationRequests() = default;
TerminationRequests::~TerminationRequests() = default;
void TerminationRequests::handle(std::function<void()> handler) { handler_ = std::move(handler); }

#endif

}  // namespace orvell::platform
