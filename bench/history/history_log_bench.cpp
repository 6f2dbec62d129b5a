// How long the reading's thread waits when it logs a sitting: the begin, the autosave's update
// and the end, as the window calls them, while the history's writer is kept busy and another
// program holds the file's write lock half of the time. The writes themselves run on the
// history's own thread, so each call should only hand its row over.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/summary.h"
#include "history/database.h"
#include "session/reading_session.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kRounds = 5;
constexpr int kSittingsPerRound = 200;
constexpr int kUpdatesPerSitting = 4;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Another program's write transactions: the lock held 20 ms in every 40 ms.
class LockHolder {
  public:
    explicit LockHolder(const std::filesystem::path& file)
        : thread_([this, file] {
              orvell::history_db::Database other(file, 1000);
              while (!stop_) {
                  // It may give up waiting, when this program's writes keep the lock busy.
                  if (other.tryExec("BEGIN IMMEDIATE")) {
                      std::this_thread::sleep_for(20ms);
                      other.exec("COMMIT");
                  }
                  std::this_thread::sleep_for(20ms);
              }
          }) {}
    ~LockHolder() {
        stop_ = true;
        thread_.join();
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The longest single call, in ms, over one round of sittings.
double longestCall(orvell::ReadingSession& session) {
    double longest = 0;
    const auto timed = [&](auto call) {
        const Clock::time_point start = Clock::now();
        call();
        longest = std::max(longest, msSince(start));
    };
    for (int i = 0; i < kSittingsPerRound; ++i) {
        timed([&] { session.beginSitting(); });
        for (int u = 0; u < kUpdatesPerSitting; ++u) timed([&] { session.keepSitting(); });
        timed([&] { session.endSitting(); });
        std::this_thread::sleep_for(1ms);
    }
    return longest;
}

}  // namespace

int main() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("orvell-history-bench-" + std::to_string(std::random_device{}()));
    std::vector<double> rounds;
    {
        orvell::ReadingSession session([](const orvell::DisplayEntry&) { return 1; });
        if (!session.keepHistoryIn(folder).on()) {
            std::fprintf(stderr, "history_log_bench: the history did not open\n");
            return 1;
        }
        const std::u16string text = u"Один два три. Четыре пять шесть.";
        session.holdBook(text, {}, folder / "book.txt");
        session.begin(3);
        session.core().applySpeed(3);
        session.core().cut(text, [] {}, orvell::LineFeeds::AsCrLf);
        const LockHolder other(folder / orvell::ReadingHistory::kFileName);
        for (int r = 0; r < kRounds; ++r) {
            rounds.push_back(longestCall(session));
            std::printf("round %d: longest call %.4f ms\n", r + 1, rounds.back());
        }
        session.waitForSaves();
    }
    std::filesystem::remove_all(folder);
    std::ranges::sort(rounds);
    orvell::bench::reportFigure("history_log_block_ms", rounds[rounds.size() / 2]);
    return 0;
}
