// Loads arbitrary bytes as the vocabulary file, saves and loads again.
//
// What holds for any bytes: the load reads the file up to its first 0x1A, one entry per line
// (LF or CR LF ends a line, a lone CR is dropped, the last line needs no end). Each entry is
// decoded from windows-1251, where every byte stands for a character that encodes back to
// it, and holds no CR, LF or 0x1A. So a save writes exactly those lines, each ended by CR LF,
// and loading that file gives back every entry. On a healthy file in a private folder even
// the documented FileError is a finding.
//
// The lookup is then checked against its definition, a scan over the whole list: a root is
// known when it equals an entry or the entry's clean() form.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/display_entry.h"
#include "engine/segmentation.h"
#include "fuzz/require.h"
#include "storage/file_error.h"
#include "vocabulary/roots.h"
#include "vocabulary/vocabulary.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLookups = 8;

// A folder of this process's own, removed at exit. Each input is saved with syncs to disk, so
// TMPDIR is best on a RAM disk.
class PrivateFolder {
  public:
    PrivateFolder() {
        std::string name = (fs::temp_directory_path() / "orvell-fuzz-XXXXXX").string();
        if (mkdtemp(name.data()) == nullptr) std::abort();
        path_ = name;
    }
    ~PrivateFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

const fs::path& folder() {
    static const PrivateFolder folder;
    return folder.path();
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ORVELL_REQUIRE(out.good());
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file as a save writes what a load of `bytes` read.
std::string canonicalFile(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::string file;
    bool lineOpen = false;
    for (const char b : bytes) {
        if (b == '\n') {
            file += "\r\n";
            lineOpen = false;
        } else {
            // A lone CR is dropped, but still makes a last line without an end.
            if (b != '\r') file += b;
            lineOpen = true;
        }
    }
    if (lineOpen) file += "\r\n";
    return file;
}

std::size_t lineCount(std::string_view file) {
    return static_cast<std::size_t>(std::ranges::count(file, '\n'));
}

template <typename Operation>
void requireNoError(Operation operation) {
    try {
        operation();
    } catch (const orvell::FileError& error) {
        orvell::fuzz::fail(__FILE__, __LINE__, error.what());
    } catch (const std::exception& error) {
        orvell::fuzz::fail(__FILE__, __LINE__, error.what());
    }
}

void requireLookup(orvell::Vocabulary& vocabulary, const orvell::DisplayEntry& e) {
    const std::u16string root = orvell::RootOfWord(orvell::clean(e.left + e.focus + e.right));
    const std::vector<std::u16string> before = vocabulary.larr();
    const bool known = std::ranges::any_of(
        before, [&](const std::u16string& x) { return x == root || orvell::clean(x) == root; });
    ORVELL_REQUIRE(vocabulary.lookup(e) == (known ? 1 : 2));
    std::vector<std::u16string> after = before;
    if (!known) after.push_back(root);
    ORVELL_REQUIRE(vocabulary.larr() == after);
    // Once met, a word is known.
    ORVELL_REQUIRE(vocabulary.lookup(e) == 1 && vocabulary.larr() == after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = orvell::fuzz::bytesOf(data, size);
    const fs::path file = folder() / orvell::Vocabulary::kFileName;
    writeBytes(file, bytes);

    orvell::Vocabulary loaded;
    requireNoError([&] { loaded.LoadLib(file); });
    const std::string expected = canonicalFile(bytes);
    ORVELL_REQUIRE(loaded.larr().size() == lineCount(expected));
    for (const std::u16string& entry : loaded.larr()) {
        ORVELL_REQUIRE(entry.find_first_of(u"\r\n\x1A") == std::u16string::npos);
    }

    requireNoError([&] { loaded.SaveLib(file); });
    ORVELL_REQUIRE(readBytes(file) == expected);

    orvell::Vocabulary reloaded;
    requireNoError([&] { reloaded.LoadLib(file); });
    ORVELL_REQUIRE(reloaded.larr() == loaded.larr());

    // Words made of the entries themselves, blanks removed as the cutting removes them.
    const std::vector<std::u16string> entries = reloaded.larr();
    for (std::size_t i = 0; i < std::min(kLookups, entries.size()); ++i) {
        std::u16string word = entries[i];
        std::erase(word, u' ');
        if (!word.empty()) requireLookup(reloaded, orvell::cutWord(word));
    }
    requireLookup(reloaded, orvell::pauseEntry());
    return 0;
}
