// Loads and saves on the vocabulary's own thread: the reading goes on meanwhile, and the file
// still gets every entry, in order, with the last save written last.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "storage/file_system.h"
#include "tests/storage/temp_folder.h"
#include "vocabulary/vocabulary.h"

namespace orvell {
namespace {

using Lines = std::vector<std::u16string>;

DisplayEntry word(std::size_t n) {
    // Distinct words of Latin consonants but "s", which no rule of the root extraction shortens.
    constexpr std::u16string_view kLetters = u"bcdfghjklmnpqrtvwxz";
    std::u16string w = u"w";
    for (; n > 0; n /= kLetters.size()) w += kLetters[n % kLetters.size()];
    return {u"", w.substr(0, 1), w.substr(1)};
}

// The system's file operations, with a slow flush to the disk, noting the size of each file
// put in place.
class SlowFileSystem final : public FileSystem {
  public:
    std::vector<std::uintmax_t> replaced;

    std::optional<Handle> openForReading(const std::filesystem::path& file) override {
        return system_.openForReading(file);
    }
    void checkWritable(const std::filesystem::path& file) override { system_.checkWritable(file); }
    Handle create(const std::filesystem::path& file) override { return system_.create(file); }
    std::size_t read(Handle h, std::span<char> buffer) override { return system_.read(h, buffer); }
    void write(Handle h, std::string_view bytes) override { system_.write(h, bytes); }
    void flushToDisk(Handle h) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        system_.flushToDisk(h);
    }
    void close(Handle h) override { system_.close(h); }
    void replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        replaced.push_back(std::filesystem::file_size(from));
        system_.replace(from, to);
    }
    void remove(const std::filesystem::path& file) noexcept override { system_.remove(file); }

  private:
    FileSystem& system_ = systemFileSystem();
};

class BackgroundSaves : public testing_support::InTempFolder {
  protected:
    static Lines loadedAgain() {
        Vocabulary loaded;
        loaded.LoadLib();
        return loaded.larr();
    }

    std::vector<std::string> failures_;
    Vocabulary::FailureHandler noteFailure_ = [this](const FileError& e) {
        failures_.emplace_back(e.what());
    };
};

TEST_F(BackgroundSaves, LookupsGoOnWhileSavingAndTheLastSaveHoldsEverything) {
    Vocabulary vocabulary;
    for (std::size_t n = 0; n < 3000; ++n) {
        ASSERT_EQ(vocabulary.lookup(word(n)), 2);
        if (n % 50 == 0) vocabulary.saveInBackground(noteFailure_);
    }
    vocabulary.saveInBackground(noteFailure_);
    vocabulary.waitForSaves();
    EXPECT_TRUE(failures_.empty());
    EXPECT_EQ(loadedAgain(), vocabulary.larr());
}

TEST_F(BackgroundSaves, SaveAtExitWaitsForTheSaveInFlightAndWritesAfterIt) {
    SlowFileSystem fs;
    Vocabulary vocabulary(fs);
    vocabulary.lookup(word(1));
    vocabulary.saveInBackground(noteFailure_);
    vocabulary.lookup(word(2));
    vocabulary.SaveLib();
    ASSERT_EQ(fs.replaced.size(), 2u);
    EXPECT_LT(fs.replaced[0], fs.replaced[1]);
    EXPECT_EQ(loadedAgain(), vocabulary.larr());
}

TEST_F(BackgroundSaves, ALaterSaveTakesThePlaceOfOneStillWaiting) {
    SlowFileSystem fs;
    Vocabulary vocabulary(fs);
    for (std::size_t n = 1; n <= 3; ++n) {
        vocabulary.lookup(word(n));
        vocabulary.saveInBackground(noteFailure_);
    }
    vocabulary.waitForSaves();
    // The second gave way to the third, which holds all it held; the first, if it was not in
    // flight yet, too.
    ASSERT_LE(fs.replaced.size(), 2u);
    EXPECT_TRUE(std::ranges::is_sorted(fs.replaced));
    EXPECT_EQ(fs.replaced.back(), std::filesystem::file_size("library.txt"));
    EXPECT_EQ(loadedAgain(), vocabulary.larr());
}

class BackgroundLoad : public BackgroundSaves {
  protected:
    void SetUp() override {
        BackgroundSaves::SetUp();
        Vocabulary grown;
        for (std::size_t n = 0; n < 100'000; ++n) grown.lookup(word(n));
        grown.SaveLib();
        file_ = readBytes("library.txt");
        vocabulary_.loadInBackground(noteFailure_);
    }

    Vocabulary vocabulary_;
    std::string file_;
};

TEST_F(BackgroundLoad, LookupsWaitForTheWholeFile) {
    EXPECT_EQ(vocabulary_.lookup(word(99'999)), 1);
    EXPECT_EQ(vocabulary_.lookup(word(100'000)), 2);
    EXPECT_EQ(vocabulary_.larr().size(), 100'001u);
    EXPECT_TRUE(failures_.empty());
}

TEST_F(BackgroundLoad, ASaveWhileLoadingWritesTheWholeFile) {
    vocabulary_.saveInBackground(noteFailure_);
    vocabulary_.waitForSaves();
    EXPECT_EQ(readBytes("library.txt"), file_);
}

}  // namespace
}  // namespace orvell
