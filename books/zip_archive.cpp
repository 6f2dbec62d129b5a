#include "books/zip_archive.h"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/stringpiece.h>
#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>

#include "books/book_failure.h"

namespace orvell::books {

namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;

[[noreturn]] void broken() { throw BookFailure(u"архив ZIP повреждён"); }

bool endsWithNoCase(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

// The longest name a ZIP entry can have, in bytes.
constexpr std::size_t kLongestName = 0xFFFF;

// The name in NFC, or as it is when ICU cannot compose it or it is too long to name an entry.
std::string nfc(std::string_view utf8) {
    UErrorCode status = utf8.size() > kLongestName ? U_ILLEGAL_ARGUMENT_ERROR : U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
    std::string composed;
    icu::StringByteSink<std::string> sink(&composed);
    if (U_SUCCESS(status)) {
        const icu::StringPiece piece(utf8.data(), static_cast<std::int32_t>(utf8.size()));
        normalizer->normalizeUTF8(0, piece, sink, nullptr, status);
    }
    return U_SUCCESS(status) ? composed : std::string(utf8);
}

// Calls `visit` with each entry's index and name, until it returns true.
template <typename Visit>
void forEachEntry(zip* archive, Visit visit) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* name = zip_get_name(archive, index, 0);
        if (name != nullptr && visit(index, std::string_view(name))) return;
    }
}

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

ZipArchive::ZipArchive(std::string_view bytes, std::size_t unpackBudget)
    : budget_(unpackBudget), limit_(unpackBudget) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source != nullptr) archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (archive_ == nullptr) {
        if (source != nullptr) zip_source_free(source);
        zip_error_fini(&error);
        broken();
    }
    zip_error_fini(&error);
    forEachEntry(archive_, [this](zip_uint64_t index, std::string_view name) {
        std::string composed = nfc(name);
        if (composed != name) composedNames_.try_emplace(std::move(composed), index);
        return false;
    });
}

ZipArchive::~ZipArchive() { zip_discard(archive_); }

std::optional<std::uint64_t> ZipArchive::indexOf(const std::string& name) const {
    // Most names are spelled as the archive spells them: libzip's own look-up finds those.
    const zip_int64_t exact = zip_name_locate(archive_, name.c_str(), 0);
    if (exact >= 0) return static_cast<std::uint64_t>(exact);
    const std::string composed = nfc(name);
    const zip_int64_t found = zip_name_locate(archive_, composed.c_str(), 0);
    if (found >= 0) return static_cast<std::uint64_t>(found);
    const auto spelled = composedNames_.find(composed);
    if (spelled == composedNames_.end()) return std::nullopt;
    return spelled->second;
}

bool ZipArchive::contains(const std::string& name) const { return indexOf(name).has_value(); }

std::vector<std::string> ZipArchive::namesEndingWith(std::string_view suffix) const {
    std::vector<std::string> names;
    forEachEntry(archive_, [&](zip_uint64_t /*index*/, std::string_view name) {
        if (endsWithNoCase(name, suffix)) names.emplace_back(name);
        return false;
    });
    return names;
}

std::optional<std::string> ZipArchive::read(const std::string& name, std::size_t most) {
    const std::optional<std::uint64_t> found = indexOf(name);
    if (!found) return std::nullopt;
    const zip_uint64_t index = *found;
    const auto tooBig = [this] {
        return BookFailure(u"распакованная книга больше " + megabytes(limit_) +
                           u": архив похож на «ZIP-бомбу»");
    };
    // The size in the directory may lie; it only spares unpacking what is plainly too big.
    zip_stat_t stat;
    if (zip_stat_index(archive_, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0 &&
        std::min<zip_uint64_t>(stat.size, most) > budget_) {
        throw tooBig();
    }
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive_, index, 0));
    if (!file) {
        if (zip_error_code_zip(zip_get_error(archive_)) == ZIP_ER_NOPASSWD) {
            throw BookFailure(u"архив ZIP защищён паролем");
        }
        broken();
    }
    std::string data;
    while (data.size() < most) {
        const std::size_t offset = data.size();
        const std::size_t chunk = std::min(kChunk, most - offset);
        data.resize(offset + chunk);
        const zip_int64_t got = zip_fread(file.get(), &data[offset], chunk);
        if (got < 0) broken();
        data.resize(offset + static_cast<std::size_t>(got));
        if (data.size() > budget_) throw tooBig();
        if (got == 0) break;
    }
    budget_ -= data.size();
    return data;
}

}  // namespace orvell::books
