#include "vocabulary/vocabulary.h"

#include <algorithm>
#include <deque>
#include <future>
#include <span>
#include <utility>

#include "storage/whole_file.h"
#include "vocabulary/library_file.h"
#include "vocabulary/roots.h"

namespace orvell {

namespace {

// The entries as the file holds them, encoded a slice at a time: the text of a million entries
// and its bytes at once would be fresh memory of several times the file's size, and faulting it
// in would take longer than the encoding.
EntryLog encoded(std::span<const std::u16string> entries) {
    constexpr std::size_t kSlice = 4096;
    AnsiCodePage codePage;
    EntryLog log;
    while (!entries.empty()) {
        const std::size_t n = std::min(kSlice, entries.size());
        log.append(encodeEntries(codePage, entries.first(n)));
        entries = entries.subspan(n);
    }
    return log;
}

}  // namespace

int Vocabulary::lookup(const DisplayEntry& e) {
    takeOverLoad();
    std::u16string root = RootOfWord(clean(e.left + e.focus + e.right));
    // The stored form also counts, or a root that clean() still changes (a word in straight
    // quotes keeps its closing mark) would be appended again at every showing.
    if (known_.contains(root)) return 1;
    append(std::move(root));
    return 2;
}

void Vocabulary::append(std::u16string entry) {
    known_.insert(entry);
    if (!cleanLeavesAlone(entry)) known_.insert(clean(entry));
    log_.append(encodeEntries(*codePage_, std::span(&entry, 1)));
    larr_.push_back(std::move(entry));
}

Vocabulary::Loaded Vocabulary::load(FileSystem& fs, const std::filesystem::path& file) {
    LibraryLines read = readLibraryFile(fs, file);
    Loaded loaded{read.lines.size(), std::move(read.lines), {}, {}, read.failure};
    const std::span<const std::u16string> lines(loaded.larr);
    // The save log and the set of known forms are made from the same lines, side by side.
    std::future<EntryLog> log = std::async(std::launch::async, [lines] { return encoded(lines); });
    // The same as appending the entries one by one, in bulk: a million of them are loaded in
    // a fraction of a second.
    std::deque<std::u16string> changedByClean;
    std::vector<std::u16string_view> forms;
    forms.reserve(lines.size());
    for (const std::u16string& entry : lines) {
        forms.push_back(entry);
        if (!cleanLeavesAlone(entry)) forms.push_back(changedByClean.emplace_back(clean(entry)));
    }
    loaded.known.insertAll(forms);
    loaded.log = log.get();
    return loaded;
}

void Vocabulary::takeOver(Loaded loaded) {
    // No save may read the log while it is replaced.
    waitForSaves();
    if (loaded.lines > 0) {
        larr_ = std::move(loaded.larr);
        known_ = std::move(loaded.known);
        log_ = std::move(loaded.log);
    }
    unread_.reset();
    if (loaded.failure) {
        unread_ = std::make_shared<UnreadLines>(
            UnreadLines{loaded.lines, loaded.lines > 0 ? log_.size() : 0, std::nullopt});
    }
}

void Vocabulary::takeOverLoad() {
    if (!loading_) return;
    const std::shared_ptr<Loaded> loading = std::move(loading_);
    loading_.reset();
    waitForSaves();  // the load's result is complete only then
    takeOver(std::move(*loading));
}

void Vocabulary::LoadLib(const std::filesystem::path& file) {
    takeOverLoad();
    Loaded loaded = load(*fs_, file);
    const std::optional<FileError> failure = loaded.failure;
    takeOver(std::move(loaded));
    if (failure) throw *failure;
}

void Vocabulary::loadInBackground(FailureHandler onFailure, const std::filesystem::path& file) {
    takeOverLoad();
    // The writer lets a job take the place of one still waiting, which is right only for saves.
    waitForSaves();
    if (!writer_) writer_ = std::make_unique<BackgroundWriter>();
    loading_ = std::make_shared<Loaded>();
    writer_->post([fs = fs_, file, loading = loading_, onFailure = std::move(onFailure)] {
        *loading = load(*fs, file);
        if (loading->failure) onFailure(*loading->failure);
    });
}

Vocabulary::Snapshot Vocabulary::snapshot(const std::filesystem::path& file) const {
    const std::size_t split = unread_ ? unread_->fromByte : log_.size();
    return {file, log_.pieces(0, split), log_.pieces(split, log_.size()), unread_};
}

void Vocabulary::write(FileSystem& fs, const Snapshot& snapshot) {
    std::vector<std::string_view> pieces = snapshot.loaded;
    if (UnreadLines* unread = snapshot.unread.get()) {
        if (!unread->bytes) {
            LibraryLines read = readLibraryFile(fs, snapshot.file);
            if (read.failure) throw *read.failure;
            const std::size_t from = std::min(unread->from, read.lines.size());
            AnsiCodePage codePage;
            unread->bytes = encodeEntries(codePage, std::span(read.lines).subspan(from));
        }
        pieces.push_back(*unread->bytes);
    }
    pieces.insert(pieces.end(), snapshot.added.begin(), snapshot.added.end());
    writeAtomically(fs, snapshot.file, pieces);
}

void Vocabulary::SaveLib(const std::filesystem::path& file) {
    takeOverLoad();
    waitForSaves();
    write(*fs_, snapshot(file));
}

void Vocabulary::saveInBackground(FailureHandler onFailure, const std::filesystem::path& file) {
    takeOverLoad();
    if (!writer_) writer_ = std::make_unique<BackgroundWriter>();
    writer_->post([fs = fs_, snapshot = snapshot(file), onFailure = std::move(onFailure)] {
        try {
            write(*fs, snapshot);
        } catch (const FileError& error) {
            onFailure(error);
        }
    });
}

}  // namespace orvell
