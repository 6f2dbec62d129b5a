#include "vocabulary/vocabulary.h"

#include <algorithm>
#include <deque>
#include <span>
#include <string_view>

#include "vocabulary/library_file.h"
#include "vocabulary/roots.h"

namespace orvell {

int Vocabulary::lookup(const DisplayEntry& e) {
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
    larr_.push_back(std::move(entry));
}

void Vocabulary::replaceAll(std::vector<std::u16string> entries) {
    larr_ = std::move(entries);
    // The same as appending the entries one by one, in bulk: a million of them are loaded in
    // a fraction of a second.
    std::deque<std::u16string> changedByClean;
    std::vector<std::u16string_view> forms;
    forms.reserve(larr_.size());
    for (const std::u16string& entry : larr_) {
        forms.push_back(entry);
        if (!cleanLeavesAlone(entry)) forms.push_back(changedByClean.emplace_back(clean(entry)));
    }
    known_.clear();
    known_.insertAll(forms);
}

void Vocabulary::LoadLib(const std::filesystem::path& file) {
    LibraryLines read = readLibraryFile(*fs_, file);
    // The lines replace the list from its start; no file or an empty one leaves it as it was.
    const std::size_t loaded = read.lines.size();
    if (loaded > 0) replaceAll(std::move(read.lines));
    if (!read.failure) {
        unread_.reset();
        return;
    }
    unread_ = UnreadLines{loaded, std::nullopt};
    throw *read.failure;
}

const std::vector<std::u16string>& Vocabulary::unreadLines(const std::filesystem::path& file) {
    if (!unread_->lines) {
        LibraryLines read = readLibraryFile(*fs_, file);
        if (read.failure) throw *read.failure;
        std::vector<std::u16string>& all = read.lines;
        const std::size_t from = std::min(unread_->from, all.size());
        unread_->lines.emplace(
            std::make_move_iterator(all.begin() + static_cast<std::ptrdiff_t>(from)),
            std::make_move_iterator(all.end()));
    }
    return *unread_->lines;
}

void Vocabulary::SaveLib(const std::filesystem::path& file) {
    const std::span<const std::u16string> all(larr_);
    if (!unread_) {
        writeLibraryFile(*fs_, file, {all});
        return;
    }
    const std::vector<std::u16string>& unread = unreadLines(file);
    writeLibraryFile(*fs_, file, {all.first(unread_->from), unread, all.subspan(unread_->from)});
}

}  // namespace orvell
