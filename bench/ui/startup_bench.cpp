// Start-up time with a vocabulary of a million roots: from the start of the program's process
// to its window shown and answering input. The benchmark starts itself again as that process,
// which builds the application and the window as the program does, then notes the moment its
// event loop first handles an event; the monotonic clock is the same in both processes.

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "bench/summary.h"
#include "bench/vocabulary/large_library.h"
#include "ui/Unit1.h"
#include "ui/qt_translations.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kChildOption = "--window";
constexpr std::size_t kRoots = 1'000'000;
constexpr int kRuns = 5;

// The program's part: writes the moment the window answers, in nanoseconds, to standard output
// and leaves without the save at exit, which is not part of the start-up.
int showWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    orvell::translateQtIntoRussian();
    orvell::TForm1 form;
    form.show();
    QTimer::singleShot(0, &form, [] {
        std::printf("%lld\n", static_cast<long long>(Clock::now().time_since_epoch().count()));
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.exec();
}

// Starts the program's part and returns its start-up time in milliseconds.
double startOnce(const char* self) {
    std::array<int, 2> out{};
    if (pipe(out.data()) != 0) return -1;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(self, self, kChildOption, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    std::array<char, 64> buffer{};
    for (ssize_t got = 0; (got = read(out[0], buffer.data(), buffer.size())) > 0;)
        text.append(buffer.data(), static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (text.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    const Clock::time_point answered{Clock::duration(std::stoll(text))};
    return std::chrono::duration<double, std::milli>(answered - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char*> args(argv, static_cast<std::size_t>(argc));
    if (args.size() > 1 && std::strcmp(args[1], kChildOption) == 0) return showWindow(argc, argv);

    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvell_startup_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    orvell::bench::writeLargeLibrary("library.txt", kRoots);

    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double ms = startOnce(self.c_str());
        if (ms < 0) {
            std::fprintf(stderr, "the window did not start\n");
            return 1;
        }
        std::printf("  start-up with %zu roots: %.1f ms\n", kRoots, ms);
        times.push_back(ms);
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(folder);
    std::ranges::sort(times);
    orvell::bench::reportFigure("startup_ms_at_1e6", times[times.size() / 2]);
    return 0;
}
