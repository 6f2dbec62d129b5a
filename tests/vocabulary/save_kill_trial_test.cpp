// A save killed at any moment, as by the task manager or the system short of memory, must leave
// library.txt whole: the file before the save or the file after it, never a mix or a stump. These
// trials kill a process saving a large vocabulary at random moments and read the file after each.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/storage/temp_folder.h"
#include "tests/vocabulary/saving_process.h"
#include "vocabulary/vocabulary.h"

namespace orvell {
namespace {

using Lines = std::vector<std::u16string>;
using Clock = std::chrono::steady_clock;
using testing_support::kTemporaryFile;
using testing_support::SavingProcess;
using testing_support::TemporaryFileWatch;

// A vocabulary file as its windows-1251 bytes and the entries it holds.
struct LibraryContent {
    std::string bytes;
    Lines lines;
};

// `count` random roots in Russian or English lower-case letters, empty ones among them as for
// pauses, each with its bytes in windows-1251, where а-я are 0xE0-0xFF and ё is 0xB8.
LibraryContent randomLibrary(std::size_t count, std::uint32_t seed) {
    std::vector<std::pair<char, char16_t>> latin;
    latin.reserve(26);
    for (int k = 0; k < 26; ++k) latin.emplace_back('a' + k, u'a' + k);
    std::vector<std::pair<char, char16_t>> cyrillic{{'\xB8', u'ё'}};
    cyrillic.reserve(1 + 32);
    for (int k = 0; k < 32; ++k) cyrillic.emplace_back(static_cast<char>(0xE0 + k), u'а' + k);

    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::bernoulli_distribution inRussian(0.6);
    LibraryContent content;
    content.lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& letters = inRussian(random) ? cyrillic : latin;
        std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
        std::u16string& line = content.lines.emplace_back();
        for (std::size_t n = length(random); n > 0; --n) {
            const auto& [byte, letter] = letters[pick(random)];
            content.bytes += byte;
            line += letter;
        }
        content.bytes += "\r\n";
    }
    return content;
}

// Where in the save a kill landed, as told by the files it left.
enum class Moment {
    beforeTheTemporaryFile,  // old file; the temporary file not opened
    whileWriting,            // old file; the temporary file part-written
    beforeTheReplace,        // old file; the temporary file complete, not yet in place
    afterTheReplace,         // new file
    afterTheSave,            // the save had finished before the kill
    count
};

class SaveKillTrial : public testing_support::InTempFolder {
  protected:
    static constexpr int kTrials = 100;
    static constexpr std::uint32_t kSeed = 20240617;
    static constexpr const char* kSources = "sources";

    void SetUp() override {
        InTempFolder::SetUp();
        // Neither is a prefix of the other, so a new file cut short can never pass for the
        // old one.
        contents_[0] = randomLibrary(200'000, kSeed);
        contents_[1] = randomLibrary(210'000, kSeed + 1);
        ASSERT_NE(contents_[0].bytes.substr(0, 64), contents_[1].bytes.substr(0, 64));
        // Each vocabulary is loaded from a file of its own, which a saving process may load too.
        std::filesystem::create_directory(kSources);
        for (std::size_t k = 0; k < 2; ++k) {
            sources_[k] = std::filesystem::path(kSources) / (std::to_string(k) + ".txt");
            writeBytes(sources_[k], contents_[k].bytes);
            vocabularies_[k].LoadLib(sources_[k]);
            ASSERT_TRUE(vocabularies_[k].larr() == contents_[k].lines);
        }
        writeBytes("library.txt", contents_[1].bytes);
    }

    // Which of the two contents library.txt holds byte for byte. A file equal to one of them
    // loads as SetUp loaded it; loading again costs a few tenths of a second under the
    // sanitizers, so only `load` asks for it.
    std::optional<std::size_t> fileHolds(bool load = false) {
        const std::string bytes = readBytes("library.txt");
        const auto found = std::ranges::find_if(
            contents_, [&](const LibraryContent& c) { return c.bytes == bytes; });
        if (found == contents_.end()) {
            ADD_FAILURE() << "library.txt of " << bytes.size() << " bytes is neither file";
            return std::nullopt;
        }
        if (load) {
            Vocabulary loaded;
            loaded.LoadLib();
            EXPECT_TRUE(loaded.larr() == found->lines) << "the load differs from the file";
        }
        return static_cast<std::size_t>(found - contents_.begin());
    }

    // The shortest time of a whole save in a child here, its start included, and of the part from
    // the opening of the temporary file on: the kills are spread over one or the other.
    std::pair<Clock::duration, Clock::duration> saveTimes(TemporaryFileWatch& watch) {
        std::vector<Clock::duration> whole;
        std::vector<Clock::duration> writing;
        for (std::size_t k : {1U, 0U, 1U, 0U, 1U}) {
            watch.takeEvents();
            const Clock::time_point start = Clock::now();
            SavingProcess child(vocabularies_[k], sources_[k]);
            EXPECT_TRUE(watch.awaitOpening());
            const Clock::time_point opened = Clock::now();
            EXPECT_FALSE(child.reap());
            whole.push_back(Clock::now() - start);
            writing.push_back(Clock::now() - opened);
        }
        return {*std::ranges::min_element(whole), *std::ranges::min_element(writing)};
    }

    std::array<LibraryContent, 2> contents_;
    std::array<Vocabulary, 2> vocabularies_;
    std::array<std::filesystem::path, 2> sources_;
};

TEST_F(SaveKillTrial, LibraryIsAlwaysTheOldOrTheNewFileWhole) {
    TemporaryFileWatch watch;
    const auto [whole, writing] = saveTimes(watch);
    ASSERT_EQ(fileHolds(), 1U);

    std::mt19937 random(kSeed);
    // Every other kill comes at a random moment of the whole save, the rest at a random moment
    // after the temporary file is opened: most of a save goes into starting the process and
    // its writer thread, and the writing would otherwise be hit only rarely. The writing is over in
    // a millisecond or two, the flush to the disk takes the rest, so the moments just after the
    // opening are drawn the most. Saves take longer on a busy machine, so some kills come after the
    // end.
    std::uniform_int_distribution<Clock::rep> fromStart(0, whole.count());
    std::uniform_real_distribution<double> fromOpening(0, 1);
    std::array<int, static_cast<std::size_t>(Moment::count)> moments{};
    std::size_t onDisk = 1;
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const std::size_t saving = 1 - onDisk;
        watch.takeEvents();

        SavingProcess child(vocabularies_[saving], sources_[saving]);
        bool opened = false;
        Clock::duration delay(fromStart(random));
        if (trial % 2 == 1) {
            opened = watch.awaitOpening();
            if (!opened) FAIL() << "the save opened no temporary file";
            delay = std::chrono::duration_cast<Clock::duration>(writing *
                                                                std::pow(fromOpening(random), 3));
        }
        std::this_thread::sleep_for(delay);
        child.kill();
        const bool killed = child.reap();
        opened |= watch.takeEvents();

        const std::optional<std::size_t> holds = fileHolds(trial == kTrials - 1);
        if (!holds) return;  // the failure is reported
        Moment moment = Moment::afterTheSave;
        if (holds == saving) {
            // The replace took the temporary file, whatever an earlier kill had left there.
            EXPECT_FALSE(std::filesystem::exists(kTemporaryFile))
                << "a temporary file outlived the replace";
            if (killed) moment = Moment::afterTheReplace;
        } else {
            EXPECT_TRUE(killed) << "a finished save left the old file";
            if (!opened) {
                moment = Moment::beforeTheTemporaryFile;
            } else if (std::filesystem::file_size(kTemporaryFile) <
                       contents_[saving].bytes.size()) {
                moment = Moment::whileWriting;
            } else {
                moment = Moment::beforeTheReplace;
            }
        }
        ++moments[static_cast<std::size_t>(moment)];
        onDisk = *holds;
    }

    const auto count = [&](Moment m) { return moments[static_cast<std::size_t>(m)]; };
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    std::cout << "save " << ms(whole) << " ms, from the temporary file on " << ms(writing)
              << " ms; kills before the temporary file " << count(Moment::beforeTheTemporaryFile)
              << ", while writing it " << count(Moment::whileWriting) << ", before the replace "
              << count(Moment::beforeTheReplace) << ", after the replace "
              << count(Moment::afterTheReplace) << "; saves finished "
              << count(Moment::afterTheSave) << "\n";
    // Both outcomes must have happened, or the kills missed the save.
    const int keptOld = count(Moment::beforeTheTemporaryFile) + count(Moment::whileWriting) +
                        count(Moment::beforeTheReplace);
    EXPECT_GT(keptOld, 0);
    EXPECT_LT(keptOld, kTrials);

    // Whatever the kills left, even a temporary file longer than the next, the next save in
    // the program goes through and clears up.
    writeBytes(kTemporaryFile, contents_[0].bytes + contents_[1].bytes);
    vocabularies_[1 - onDisk].SaveLib();
    EXPECT_EQ(fileHolds(true), 1 - onDisk);
    std::filesystem::remove_all(kSources);
    EXPECT_EQ(folderContent(), std::vector<std::string>{"library.txt"});
}

}  // namespace
}  // namespace orvell
