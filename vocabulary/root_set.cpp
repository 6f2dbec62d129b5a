#include "vocabulary/root_set.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <limits>
#include <stdexcept>
#include <utility>

namespace orvell {

namespace {

std::uint32_t tagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

// A hint to the processor to start loading memory that is needed soon.
void prefetch(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    static_cast<void>(p);
#endif
}

}  // namespace

std::uint64_t RootSet::hashOf(std::u16string_view s) { return std::hash<std::u16string_view>{}(s); }

std::u16string_view RootSet::stringAt(const Slot& slot) const {
    return std::u16string_view(strings_).substr(slot.offset, slot.length);
}

std::size_t RootSet::find(std::u16string_view s, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.offset == kFree) return i;
        if (slot.tag == tagOf(hash) && stringAt(slot) == s) return i;
    }
}

bool RootSet::contains(std::u16string_view s) const {
    return !slots_.empty() && slots_[find(s, hashOf(s))].offset != kFree;
}

void RootSet::insert(std::u16string_view s) {
    reserve(count_ + 1);
    insert(s, hashOf(s));
}

void RootSet::insertAll(std::span<const std::u16string_view> strings) {
    // Room to grow by a quarter, in the table and in the block: rebuilding the table of a
    // million roots (over 100 ms) or moving their block at the next insert would hold up the
    // reading that makes it. Without it, a vocabulary just short of a power of two would do
    // so after a few hundred new roots.
    const std::size_t count = count_ + strings.size();
    reserve(count + count / 4);
    std::size_t length = strings_.size();
    for (std::u16string_view s : strings) length += s.size();
    strings_.reserve(length + length / 4);
    // A table of a million roots is far larger than the caches; with its slots loaded a few
    // strings ahead, the waits for memory overlap instead of adding up.
    constexpr std::size_t kBlock = 256;
    constexpr std::size_t kAhead = 16;
    std::array<std::uint64_t, kBlock> hashes{};
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t begin = 0; begin < strings.size(); begin += kBlock) {
        const std::span<const std::u16string_view> block =
            strings.subspan(begin, std::min(kBlock, strings.size() - begin));
        for (std::size_t i = 0; i < block.size(); ++i) {
            hashes[i] = hashOf(block[i]);
            if (i < kAhead) prefetch(&slots_[hashes[i] & mask]);
        }
        for (std::size_t i = 0; i < block.size(); ++i) {
            if (i + kAhead < block.size()) prefetch(&slots_[hashes[i + kAhead] & mask]);
            insert(block[i], hashes[i]);
        }
    }
}

void RootSet::insert(std::u16string_view s, std::uint64_t hash) {
    Slot& slot = slots_[find(s, hash)];
    if (slot.offset != kFree) return;
    if (s.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("RootSet");
    slot = {strings_.size(), static_cast<std::uint32_t>(s.size()), tagOf(hash)};
    strings_ += s;
    ++count_;
}

void RootSet::reserve(std::size_t count) {
    if (2 * count > slots_.size()) rehash(std::bit_ceil(std::max<std::size_t>(2 * count, 16)));
}

void RootSet::rehash(std::size_t slotCount) {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slotCount));
    const std::size_t mask = slotCount - 1;
    for (const Slot& slot : old) {
        if (slot.offset == kFree) continue;
        std::size_t i = hashOf(stringAt(slot)) & mask;
        while (slots_[i].offset != kFree) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void RootSet::clear() {
    strings_.clear();
    slots_.clear();
    count_ = 0;
}

}  // namespace orvell
