// settings.ini kept across runs: what one run saves the next loads, and a file that cannot be
// read, or a save that fails, costs at most the settings, with a line on standard error.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cerrno>
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

// Not there yet: the first save makes it.
const std::filesystem::path kFolder = "data/Orvell";
const std::filesystem::path kFile = kFolder / SettingsFile::kFileName;

Settings someSettings() {
    Settings settings;
    settings.reading.flash.words = 2;
    settings.reading.pauses.longPercent = 175;
    settings.look.theme = Theme::Dark;
    return settings;
}

// The lines on standard error, one string each.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        found.push_back(text.substr(start, end - start));
    }
    return found;
}

class SettingsFileTest : public testing_support::InTempFolder {};

TEST_F(SettingsFileTest, WhatOneRunSavesTheNextLoads) {
    testing::internal::CaptureStderr();
    {
        SettingsFile file(kFolder);
        file.save(someSettings());
        EXPECT_EQ(file.settings(), someSettings());
    }  // waits for the save
    EXPECT_EQ(SettingsFile(kFolder).settings(), someSettings());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // With no folder nothing is read or written.
    SettingsFile memoryOnly({});
    memoryOnly.save(Settings{});
    memoryOnly.waitForSaves();
    EXPECT_EQ(memoryOnly.settings(), Settings{});
    EXPECT_EQ(SettingsFile(kFolder).settings(), someSettings());
}

// Whatever stands in the file's way when it is read, the defaults fill in what is lost, each
// problem is one line on standard error, and the next save writes a good file.
TEST_F(SettingsFileTest, AnUnreadableFileOnlyLosesWhatCannotBeRead) {
    Settings wordsOnly;
    wordsOnly.reading.flash.words = 2;
    const std::string good = "[flash]\nwords=2\n";
    std::vector<std::string> garbageMessages(10, "Orvell: data/Orvell/settings.ini: line ");
    garbageMessages.emplace_back("Orvell: data/Orvell/settings.ini: 2 more problems");
    struct Case {
        const char* label;
        std::function<void()> prepare;
        int readError;  // of the file operations, 0 for none
        Settings loaded;
        std::vector<std::string> messages;  // the start of each line on standard error
    };
    const std::vector<Case> cases = {
        {"missing", [] {}, 0, Settings{}, {}},
        {"a bad value",
         [&] { writeBytes(kFile, good + "width=wide\n"); },
         0,
         wordsOnly,
         {"Orvell: data/Orvell/settings.ini: [flash] width=wide is not valid"}},
        {"failing to read",
         [&] { writeBytes(kFile, good); },
         EIO,
         Settings{},
         {"Orvell: cannot read data/Orvell/settings.ini (I/O error"}},
        {"too large",
         [&] { writeBytes(kFile, good + std::string(std::size_t{1} << 16, '\n')); },
         0,
         Settings{},
         {"Orvell: data/Orvell/settings.ini is too large"}},
        {"garbage, its problems cut short",
         [&] {
             std::string text = good;
             for (int i = 0; i < 12; ++i) text += "\x01\x02\n";
             writeBytes(kFile, text);
         },
         0, wordsOnly, garbageMessages},
        {"a folder of its name",
         [] { std::filesystem::create_directories(kFile); },
         0,
         Settings{},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove_all(kFolder);
        std::filesystem::create_directories(kFolder);
        c.prepare();
        FailingFileSystem fs;
        if (c.readError != 0) fs.failOn(Operation::read, c.readError);
        testing::internal::CaptureStderr();
        SettingsFile file(kFolder, fs);
        const std::vector<std::string> shown = lines(testing::internal::GetCapturedStderr());
        EXPECT_EQ(file.settings(), c.loaded);
        EXPECT_EQ(fs.openHandles(), 0U);
        ASSERT_EQ(shown.size(), c.messages.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_TRUE(shown[i].starts_with(c.messages[i])) << shown[i];
        }

        std::filesystem::remove_all(kFile);
        fs.succeedAgain();
        file.save(someSettings());
        file.waitForSaves();
        EXPECT_EQ(SettingsFile(kFolder).settings(), someSettings());
    }
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    FailingFileSystem fs;
    SettingsFile file(kFolder, fs);
    file.save(someSettings());
    file.waitForSaves();

    fs.failOn(Operation::replace, EBUSY);
    testing::internal::CaptureStderr();
    file.save(Settings{});
    file.waitForSaves();
    const std::vector<std::string> shown = lines(testing::internal::GetCapturedStderr());
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_TRUE(shown[0].starts_with("Orvell: settings not saved in data/Orvell/settings.ini: "))
        << shown[0];
    EXPECT_EQ(SettingsFile(kFolder).settings(), someSettings());

    fs.succeedAgain();
    file.save(Settings{});
    file.waitForSaves();
    EXPECT_EQ(SettingsFile(kFolder).settings(), Settings{});
}

}  // namespace
}  // namespace orvell
