#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "storage/file_error.h"
#include "vocabulary/vocabulary.h"

namespace orvell::testing_support {

// The message a failing call raises; empty when it succeeds.
template <typename Call>
std::string failureOf(Call call) {
    try {
        call();
    } catch (const FileError& e) {
        return e.what();
    }
    return {};
}

// The message of a save in the background, which the writer's thread reports once; empty when
// it succeeds.
inline std::string failureOfBackgroundSave(
    Vocabulary& vocabulary, const std::filesystem::path& file = Vocabulary::kFileName) {
    std::vector<std::string> failures;
    vocabulary.saveInBackground([&](const FileError& e) { failures.emplace_back(e.what()); },
                                file);
    vocabulary.waitForSaves();
    EXPECT_LE(failures.size(), 1U);
    return failures.empty() ? std::string() : failures.front();
}

}  // namespace orvell::testing_support
