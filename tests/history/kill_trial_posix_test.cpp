// A program killed while it logs, as by the task manager or the system short of memory, must
// leave a history that opens and holds every sitting it had committed, each as one of the
// reports made of it. A child process logs sittings in a loop and is killed at random moments.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "history/reading_history.h"
#include "tests/history/history_fixture.h"

namespace orvell {
namespace {

using testing_support::kHistoryFolder;

// The three reports of sitting n: its begin, an autosave and its end.
std::array<Sitting, 3> reportsOf(std::int64_t n) {
    std::array<Sitting, 3> reports{};
    for (std::int64_t k = 0; k < 3; ++k) {
        Sitting& s = reports.at(static_cast<std::size_t>(k));
        s = testing_support::sittingOf("2026-12-10T14:00:00Z", "2026-12-10T14:00:00Z",
                                       std::string(64, 'k'), n, n + k, k, n);
        s.startedAt += std::chrono::hours(n);
        s.endedAt = s.startedAt + std::chrono::seconds(30 * k);
        s.title = "Sitting " + std::to_string(n);
    }
    return reports;
}

// Logs sittings until killed, each begun, updated and ended, and writes to `committed` the
// number of sittings on the disk after each.
[[noreturn]] void logForever(int committed) {
    ReadingHistory history(kHistoryFolder);
    if (!history.open().on()) _exit(1);
    for (std::int64_t n = 0;; ++n) {
        const std::array<Sitting, 3> reports = reportsOf(n);
        const SittingToken token = history.beginSitting(reports[0]);
        history.updateSitting(token, reports[1]);
        history.endSitting(token, reports[2]);
        history.waitForWrites();
        const std::int64_t done = n + 1;
        if (write(committed, &done, sizeof done) != sizeof done) _exit(1);
    }
}

class KillTrial : public testing_support::HistoryTest {};

TEST_F(KillTrial, EveryCommittedSittingOutlivesAKill) {
    constexpr int kTrials = 12;
    std::mt19937 random(20261210);
    std::int64_t ended = 0;  // sittings kept whole by the trials so far
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        std::array<int, 2> pipeEnds{};
        ASSERT_EQ(pipe(pipeEnds.data()), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            logForever(pipeEnds[1]);
        }
        close(pipeEnds[1]);
        // Lets a few sittings through, then kills at a random moment of the next ones.
        std::int64_t reported = 0;
        const std::int64_t wanted = std::uniform_int_distribution<std::int64_t>(1, 8)(random);
        while (reported < wanted && read(pipeEnds[0], &reported, sizeof reported) > 0) {
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20'000)(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the logging process ended by itself";
        for (std::int64_t more = 0; read(pipeEnds[0], &more, sizeof more) > 0;) reported = more;
        close(pipeEnds[0]);

        ReadingHistory history(kHistoryFolder);
        openOrFail(history);
        // Sittings begun or updated, not ended, when the kill came are kept as last reported.
        std::int64_t endedNow = 0;
        for (const Sitting& s : allSittings(history)) {
            const std::array<Sitting, 3> reports = reportsOf(s.firstEntry);
            EXPECT_TRUE(s == reports[0] || s == reports[1] || s == reports[2])
                << "sitting " << s.firstEntry << " is none of its reports";
            endedNow += s == reports[2] ? 1 : 0;
        }
        EXPECT_GE(endedNow, ended + reported) << "a committed sitting was lost";
        ended = endedNow;
    }
}

}  // namespace
}  // namespace orvell
