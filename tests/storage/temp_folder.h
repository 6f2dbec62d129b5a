#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace orvell::testing_support {

// Runs each test in a fresh empty folder of its own as the current directory, where files
// named without a folder, as library.txt is, are looked for.
class InTempFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        folder_ = std::filesystem::temp_directory_path() /
                  ("orvell-test-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

    static void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    static std::string readBytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return std::move(bytes).str();
    }

    // Everything in the folder, to see that nothing was left behind.
    static std::vector<std::string> folderContent() {
        std::vector<std::string> names;
        for (const auto& item : std::filesystem::directory_iterator(".")) {
            names.push_back(item.path().filename().string());
        }
        return names;
    }

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

}  // namespace orvell::testing_support
