#include "books/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
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
}

ZipArchive::~ZipArchive() { zip_discard(archive_); }

bool ZipArchive::contains(const std::string& name) const {
    return zip_name_locate(archive_, name.c_str(), 0) >= 0;
}

std::optional<std::string> ZipArchive::firstEndingWith(std::string_view suffix) const {
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0);
        if (name != nullptr && endsWithNoCase(name, suffix)) return name;
    }
    return std::nullopt;
}

std::optional<std::string> ZipArchive::read(const std::string& name) {
    const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
    if (index < 0) return std::nullopt;
    const auto tooBig = [this] {
        return BookFailure(u"распакованная книга больше " + megabytes(limit_) +
                           u": архив похож на «ZIP-бомбу»");
    };
    // The size in the directory may lie; it only spares unpacking what is plainly too big.
    zip_stat_t stat;
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > budget_) {
        throw tooBig();
    }
    std::unique_ptr<zip_file_t, FileCloser> file(
        zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
    if (!file) {
        if (zip_error_code_zip(zip_get_error(archive_)) == ZIP_ER_NOPASSWD) {
            throw BookFailure(u"архив ZIP защищён паролем");
        }
        broken();
    }
    std::string data;
    for (;;) {
        const std::size_t offset = data.size();
        data.resize(offset + kChunk);
        const zip_int64_t got = zip_fread(file.get(), &data[offset], kChunk);
        if (got < 0) broken();
        data.resize(offset + static_cast<std::size_t>(got));
        if (data.size() > budget_) throw tooBig();
        if (got == 0) break;
    }
    budget_ -= data.size();
    return data;
}

}  // namespace orvell::books
