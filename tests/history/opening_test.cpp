// Opening the history: the states a file can be found in, what each means for the history and
// for the file, the upgrade of an older file, and two programs logging at once.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/database.h"
#include "history/iso_time.h"
#include "history/reading_history.h"
#include "tests/history/history_fixture.h"
#include "tests/storage/failing_file_system.h"

namespace orvell {
namespace {

using history_db::Database;
using testing_support::at;
using testing_support::FailingFileSystem;
using testing_support::kHistoryFile;
using testing_support::kHistoryFolder;
using testing_support::sittingOf;
using State = HistoryOpening::State;

constexpr std::chrono::milliseconds kShortWait(200);

class OpeningTest : public testing_support::HistoryTest {};

// A file holding a history of one sitting.
void makeHistory() {
    ReadingHistory history(kHistoryFolder);
    ASSERT_TRUE(history.open().on());
    const Sitting s = sittingOf("2026-12-10T14:00:00Z", "2026-12-10T14:01:00Z", std::nullopt, 0,
                                99, 99);
    history.endSitting(history.beginSitting(s), s);
}

std::string today() {
    return isoTime(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()))
        .substr(0, 10);
}

// Whether this process may write `path`, a file or a folder, whatever its permissions say: root
// may write anything, and Windows lets a read-only folder be written.
bool mayWrite(const std::filesystem::path& path) {
    if (!std::filesystem::is_directory(path)) return std::ofstream(path, std::ios::app).is_open();
    const std::filesystem::path probe = path / "probe";
    const bool written = std::ofstream(probe).is_open();
    std::filesystem::remove(probe);
    return written;
}

TEST_F(OpeningTest, EachStateOfTheFileTurnsTheHistoryOnOrSaysWhyNot) {
    const std::string garbage(8192, '\x5a');
    struct Case {
        const char* label;
        // Makes the state; what it returns is kept until the opening is over, as a lock.
        std::function<std::shared_ptr<void>(FailingFileSystem&)> prepare;
        State state;
        std::size_t sittingsAfter;  // read back once one more is logged
        const char* keptAside;      // the file moved aside, by its name's start; or none
    };
    const std::vector<Case> cases = {
        {"no file yet", [](FailingFileSystem&) { return nullptr; }, State::on, 1, nullptr},
        {"a history already",
         [](FailingFileSystem&) {
             makeHistory();
             return nullptr;
         },
         State::on, 2, nullptr},
        {"locked by another program's write",
         [](FailingFileSystem&) -> std::shared_ptr<void> {
             makeHistory();
             auto other = std::make_shared<Database>(kHistoryFile, 0);
             other->exec("BEGIN EXCLUSIVE");
             return other;
         },
         State::locked, 0, nullptr},
        {"a file the system will not let be written",
         [](FailingFileSystem& fs) {
             makeHistory();
             fs.failOn(FailingFileSystem::Operation::checkWritable, EACCES);
             return nullptr;
         },
         State::readOnly, 0, nullptr},
        {"damaged",
         [&](FailingFileSystem&) {
             std::filesystem::create_directories(kHistoryFolder);
             writeBytes(kHistoryFile, garbage);
             return nullptr;
         },
         State::startedAnew, 1, "history.sqlite.damaged-"},
        {"from a newer version",
         [](FailingFileSystem&) {
             makeHistory();
             Database(kHistoryFile, 0).exec("PRAGMA user_version = 3");
             return nullptr;
         },
         State::newerVersion, 0, nullptr},
        {"a file where the folder should be",
         [](FailingFileSystem&) {
             std::filesystem::create_directories(kHistoryFolder.parent_path());
             writeBytes(kHistoryFolder, "x");
             return nullptr;
         },
         State::failed, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove_all(kHistoryFolder.parent_path());
        FailingFileSystem fs;
        ReadingHistory history(kHistoryFolder, kShortWait, fs);
        const std::shared_ptr<void> held = c.prepare(fs);
        const std::string before = readBytes(kHistoryFile);
        const HistoryOpening opening = history.open();
        EXPECT_EQ(opening.state, c.state) << opening.problem;
        EXPECT_EQ(history.on(), opening.on());
        // Problems are told in English on standard error and in Russian in the window.
        EXPECT_EQ(opening.problem.empty(), c.state == State::on);
        EXPECT_EQ(opening.shown.empty(), c.state == State::on);
        if (!opening.on() && std::filesystem::is_regular_file(kHistoryFile)) {
            EXPECT_EQ(readBytes(kHistoryFile), before) << "a history not opened was changed";
        }
        if (c.keptAside != nullptr) {
            const std::string aside = std::string(c.keptAside) + today();
            EXPECT_EQ(readBytes(kHistoryFolder / aside), garbage);
            EXPECT_NE(opening.shown.find(aside), std::string::npos) << opening.shown;
        }

        // The history works from now on, or writes nothing and reads nothing.
        fs.succeedAgain();
        const Sitting s = sittingOf("2026-12-11T09:00:00Z", "2026-12-11T09:30:00Z",
                                    std::nullopt, 0, 10, 10);
        history.endSitting(history.beginSitting(s), s);
        history.waitForWrites();
        EXPECT_EQ(history.totals().sittings, static_cast<std::int64_t>(c.sittingsAfter));
    }
}

// Where the system's permissions bind this process, a read-only file or folder is seen as such
// without the help of the file operations' seam.
TEST_F(OpeningTest, AReadOnlyFileOrFolderTurnsTheHistoryOff) {
    struct Case {
        const char* label;
        std::filesystem::path readOnly;
        bool withHistory;
    };
    const std::vector<Case> cases = {
        {"the file", kHistoryFile, true},
        {"the folder, before any history", kHistoryFolder, false},
    };
    int checked = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove_all(kHistoryFolder);
        std::filesystem::create_directories(kHistoryFolder);
        if (c.withHistory) makeHistory();
        std::filesystem::permissions(c.readOnly, std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
        if (!mayWrite(c.readOnly)) {
            ReadingHistory history(kHistoryFolder, kShortWait);
            EXPECT_EQ(history.open().state, State::readOnly);
            ++checked;
        }
        std::filesystem::permissions(c.readOnly, std::filesystem::perms::owner_all);
    }
    if (checked == 0) GTEST_SKIP() << "this process may write any file and folder";
}

// The schema of version 1, before the vocabulary's size and the books' finishing were kept.
constexpr const char* kVersion1 = R"(
CREATE TABLE books (book TEXT PRIMARY KEY, title TEXT NOT NULL DEFAULT '',
    file TEXT NOT NULL DEFAULT '', words INTEGER NOT NULL DEFAULT 0);
CREATE TABLE sittings (id INTEGER PRIMARY KEY, started_at TEXT NOT NULL, ended_at TEXT NOT NULL,
    book TEXT REFERENCES books(book), title TEXT NOT NULL DEFAULT '',
    first_entry INTEGER NOT NULL DEFAULT 0, last_entry INTEGER NOT NULL DEFAULT 0,
    words INTEGER NOT NULL DEFAULT 0, active_ms INTEGER NOT NULL DEFAULT 0,
    speed INTEGER NOT NULL DEFAULT 0, new_roots INTEGER NOT NULL DEFAULT 0);
INSERT INTO books VALUES ('b', 'Книга', 'book.fb2', 1000);
INSERT INTO sittings VALUES (7, '2025-03-01T08:00:00Z', '2025-03-01T08:10:00Z', 'b', 'Книга',
    0, 499, 500, 100000, 300, 12);
PRAGMA user_version = 1;
)";

TEST_F(OpeningTest, AVersion1FileIsUpgradedInPlaceWithItsRows) {
    std::filesystem::create_directories(kHistoryFolder);
    Database(kHistoryFile, 0).exec(kVersion1);
    {
        ReadingHistory history(kHistoryFolder);
        openOrFail(history);
        Sitting old = sittingOf("2025-03-01T08:00:00Z", "2025-03-01T08:10:00Z", "b", 0, 499, 500);
        old.title = "Книга";
        old.activeMs = 100'000;
        old.newRoots = 12;
        EXPECT_EQ(allSittings(history), std::vector<Sitting>{old});
        history.markFinished("b", at("2025-03-02T08:00:00Z"));
        const Sitting s = sittingOf("2026-12-11T09:00:00Z", "2026-12-11T09:30:00Z", "b", 500,
                                    999, 500, 77);
        history.endSitting(history.beginSitting(s), s);
        history.waitForWrites();
        EXPECT_EQ(history.totals(), (HistoryTotals{200'000, 1'000, 2, 1, 77}));
        EXPECT_EQ(history.books().at(0).finishedAt, at("2025-03-02T08:00:00Z"));
        // The old sitting did not know the vocabulary's size.
        EXPECT_EQ(history.rootsOverTime(at("2025-01-01T00:00:00Z"), at("2027-01-01T00:00:00Z")),
                  (std::vector<RootsPoint>{{at("2026-12-11T09:30:00Z"), 77}}));
    }
    Database upgraded(kHistoryFile, 0);
    history_db::Statement version = upgraded.prepare("PRAGMA user_version");
    ASSERT_TRUE(version.step());
    EXPECT_EQ(version.integer(0), ReadingHistory::kSchemaVersion);
}

// The program and a second one started beside it both log; each waits for the other's writes.
TEST_F(OpeningTest, TwoProgramsLogIntoOneHistory) {
    ReadingHistory first(kHistoryFolder);
    ReadingHistory second(kHistoryFolder);
    openOrFail(first);
    openOrFail(second);
    constexpr int kEach = 40;
    for (int i = 0; i < kEach; ++i) {
        for (ReadingHistory* history : {&first, &second}) {
            const Sitting s = sittingOf("2026-12-11T09:00:00Z", "2026-12-11T09:30:00Z",
                                        std::nullopt, 0, i, 1);
            const SittingToken token = history->beginSitting(s);
            history->updateSitting(token, s);
            history->endSitting(token, s);
        }
    }
    first.waitForWrites();
    second.waitForWrites();
    EXPECT_EQ(first.totals().sittings, 2 * kEach);
    EXPECT_EQ(second.totals().words, 2 * kEach);
}

}  // namespace
}  // namespace orvell
