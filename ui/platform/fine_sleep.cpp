#include "ui/platform/fine_sleep.h"

#include <QtGlobal>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace orvell::platform {

#ifdef Q_OS_WIN

namespace {

// From Windows 10 1803 on; MinGW's headers do not name it yet.
constexpr DWORD kHighResolution = 0x00000002;

// The pacing timer's thread's own timer: high-resolution where the system has one, otherwise
// none, and the sleep yields until the due moment instead.
class WaitableTimer {
  public:
    WaitableTimer()
        : handle_(CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS)) {}
    ~WaitableTimer() {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    WaitableTimer(const WaitableTimer&) = delete;
    WaitableTimer& operator=(const WaitableTimer&) = delete;

    // False when there is no such timer or it could not be set.
    bool wait(std::chrono::steady_clock::duration left) {
        if (handle_ == nullptr) return false;
        // A negative due time is relative, in units of 100 ns.
        LARGE_INTEGER dueTime{};
        dueTime.QuadPart = -std::chrono::duration_cast<std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>>(left).count();
        if (!SetWaitableTimer(handle_, &dueTime, 0, nullptr, nullptr, FALSE)) return false;
        return WaitForSingleObject(handle_, INFINITE) == WAIT_OBJECT_0;
    }

  private:
    HANDLE handle_;
};

}  // namespace

void sleepUntil(std::chrono::steady_clock::time_point due) {
    thread_local WaitableTimer timer;
    const auto left = due - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) return;
    if (timer.wait(left)) return;
    while (std::chrono::steady_clock::now() < due) std::this_thread::yield();
}

#else

void sleepUntil(std::chrono::steady_clock::time_point due) { std::this_thread::sleep_until(due); }

#endif

}  // namespace orvell::platform
