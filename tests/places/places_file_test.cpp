// The places file kept across runs: what one run remembers the next finds, and a file that
// cannot be read, or a save that fails, costs at most the places, never the reading.
#include "places/places_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "storage/file_system.h"
#include "tests/storage/failing_file_system.h"
#include "tests/storage/temp_folder.h"

namespace orvell {
namespace {

using testing_support::FailingFileSystem;
using Operation = FailingFileSystem::Operation;

const std::string kBook(64, 'a');
const std::string kOtherBook(64, 'b');
// Not there yet: the first save makes it.
const std::filesystem::path kFolder = "data/Orvell";
const std::filesystem::path kFile = kFolder / PlacesFile::kFileName;
// A file of this size is not one the program wrote.
constexpr std::size_t kLargerThanAnyPlaces = std::size_t{1} << 20;

std::int64_t secondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The position a store on kFolder finds for the book; -1 when it has none.
std::int32_t positionFound(const std::string& book, FileSystem& fs = systemFileSystem()) {
    const PlacesFile store(kFolder, fs);
    const ReadingPlace* place = store.find(book);
    return place == nullptr ? -1 : place->position;
}

class PlacesFileTest : public testing_support::InTempFolder {};

TEST_F(PlacesFileTest, WhatOneRunRemembersTheNextFinds) {
    const std::int64_t before = secondsNow();
    {
        PlacesFile store(kFolder);
        store.remember(kBook, 100, 42);
        store.remember(kOtherBook, 50, 7);
        store.forget(kOtherBook);
    }  // waits for the saves
    EXPECT_EQ(positionFound(kBook), 42);
    EXPECT_EQ(positionFound(kOtherBook), -1);
    const PlacesFile again(kFolder);
    ASSERT_NE(again.find(kBook), nullptr);
    EXPECT_EQ(again.find(kBook)->entries, 100);
    EXPECT_GE(again.find(kBook)->reachedAt, before);
    EXPECT_LE(again.find(kBook)->reachedAt, secondsNow());
}

// Whatever stands in the file's way when it is read, the store starts with no places and goes on
// saving them.
TEST_F(PlacesFileTest, AnUnreadableFileOnlyLosesThePlaces) {
    const std::string written = "Orvell reading places 1\n" + kBook + "\t100\t42\t1700000000\n";
    struct Case {
        const char* label;
        std::function<void()> prepare;
        int readError;          // of the file operations, 0 for none
        std::int32_t position;  // found at the start; -1: none
    };
    const std::vector<Case> cases = {
        {"as written", [&] { writeBytes(kFile, written); }, 0, 42},
        {"failing to read", [&] { writeBytes(kFile, written); }, EIO, -1},
        {"too large", [&] { writeBytes(kFile, written + std::string(kLargerThanAnyPlaces, '\n')); },
         0, -1},
        {"a folder of its name", [] { std::filesystem::create_directories(kFile); }, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove_all(kFolder);
        std::filesystem::create_directories(kFolder);
        c.prepare();
        FailingFileSystem fs;
        if (c.readError != 0) fs.failOn(Operation::read, c.readError);
        EXPECT_EQ(positionFound(kBook, fs), c.position);
        EXPECT_EQ(fs.openHandles(), 0U);

        std::filesystem::remove_all(kFile);
        fs.succeedAgain();
        PlacesFile(kFolder, fs).remember(kOtherBook, 50, 7);
        EXPECT_EQ(positionFound(kOtherBook), 7);
    }
}

TEST_F(PlacesFileTest, AFailedSaveIsMadeGoodByTheNext) {
    FailingFileSystem fs;
    PlacesFile store(kFolder, fs);
    fs.failOn(Operation::replace, EBUSY);
    store.remember(kBook, 100, 42);
    store.waitForSaves();
    EXPECT_FALSE(std::filesystem::exists(kFile));

    fs.succeedAgain();
    store.remember(kOtherBook, 50, 7);
    store.waitForSaves();
    EXPECT_EQ(positionFound(kBook), 42);
    EXPECT_EQ(positionFound(kOtherBook), 7);
}

}  // namespace
}  // namespace orvell
