#include "ui/platform/termination.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>

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

void TerminationRequests::handle(std::function<void()> handler,
                                 std::function<void()> atSessionEnd) {
    if (pipeEnds[0] < 0) return;
    handler_ = std::move(handler);
    // Unused: a signal leaves the handler time to save.
    atSessionEnd_ = std::move(atSessionEnd);
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
// sends them to each top-level window, Qt's hidden ones included; the session's end handler and
// the handler run once.
class SessionEnd final : public QObject, public QAbstractNativeEventFilter {
  public:
    SessionEnd(std::function<void()>& handler, std::function<void()>& atSessionEnd)
        : handler_(handler), atSessionEnd_(atSessionEnd) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SessionEnd() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    bool nativeEventFilter(const QByteArray&, void* message, qintptr* result) override {
        const MSG& msg = *static_cast<const MSG*>(message);
        // The session may end. Another program may still refuse, and the windows must be there
        // to hear the end: they stay open.
        if (msg.message == WM_QUERYENDSESSION) {
            *result = TRUE;
            return true;
        }
        // The session ends, after a query or without one when another program forced the end.
        // Windows may end the process once this message is answered, so what must be kept is
        // saved before. The windows close from the event loop if the process lives on: closed
        // inside this message, a window would be gone before Qt, after this filter, handles it.
        if (msg.message == WM_ENDSESSION && msg.wParam != FALSE && !ended_) {
            ended_ = true;
            if (atSessionEnd_) atSessionEnd_();
            QMetaObject::invokeMethod(
                this, [this] { handler_(); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    std::function<void()>& handler_;
    std::function<void()>& atSessionEnd_;
    bool ended_ = false;
};

}  // namespace

TerminationRequests::TerminationRequests() = default;
TerminationRequests::~TerminationRequests() = default;

void TerminationRequests::handle(std::function<void()> handler,
                                 std::function<void()> atSessionEnd) {
    handler_ = std::move(handler);
    atSessionEnd_ = std::move(atSessionEnd);
    listener_ = std::make_unique<SessionEnd>(handler_, atSessionEnd_);
}

#else

TerminationRequests::TerminationRequests() = default;
TerminationRequests::~TerminationRequests() = default;
void TerminationRequests::handle(std::function<void()> handler,
                                 std::function<void()> atSessionEnd) {
    handler_ = std::move(handler);
    atSessionEnd_ = std::move(atSessionEnd);
}

#endif

}  // namespace orvell::platform
