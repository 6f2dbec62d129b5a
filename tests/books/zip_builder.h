#pragma once

// Writes small ZIP archives in memory, for books made up by tests, fuzzers and benchmarks.

#include <zip.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orvell::test {

using ZipFiles = std::vector<std::pair<std::string, std::string>>;  // name, content

// With a password, every entry is encrypted with it.
inline std::string zipOf(const ZipFiles& files, const char* password = nullptr) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (buffer == nullptr) throw std::runtime_error("zip buffer");
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
    if (archive == nullptr) throw std::runtime_error("zip open");
    for (const auto& [name, content] : files) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0 || (password != nullptr &&
                          zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index),
                                                  ZIP_EM_AES_256, password) < 0)) {
            throw std::runtime_error("zip add " + name);
        }
    }
    if (zip_close(archive) < 0) throw std::runtime_error("zip close");
    std::string bytes;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        bytes.resize(static_cast<std::size_t>(zip_source_tell(buffer)));
        zip_source_seek(buffer, 0, SEEK_SET);
        zip_source_read(buffer, bytes.data(), bytes.size());
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
}

}  // namespace orvell::test
