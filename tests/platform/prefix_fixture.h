// A fresh machine for every test: a temporary folder made the prefix through TESSARN_PREFIX and
// prepared as on a first start, removed again afterwards. The real prefix is never touched.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/prefix.h"

namespace platform_test {

class PrefixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessarn-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        prefix_ = scratch_ / "prefix";
        setenv("TESSARN_PREFIX", prefix_.c_str(), 1);
        platform::PrepareMachine();
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(scratch_, ignored);
        unsetenv("TESSARN_PREFIX");
    }

    // The host folder behind drive C.
    std::filesystem::path DriveC() const { return prefix_ / "drive_c"; }

    // A host folder outside the machine, for extra drives and for escapes that must not happen.
    std::filesystem::path Outside(std::string_view name) const {
        std::filesystem::path folder = scratch_ / "outside" / name;
        std::filesystem::create_directories(folder);
        return folder;
    }

    // Maps a drive letter to a host folder, the way a user adds a drive.
    void AddDrive(char letter, const std::filesystem::path& host_root) const {
        std::filesystem::create_directory_symlink(
            host_root, prefix_ / "dosdevices" / (std::string(1, letter) + ":"));
    }

    // Creates a file holding `content` at a host path below drive C, with its folders.
    std::filesystem::path MakeFile(const std::filesystem::path& below_c,
                                   std::string_view content = "data") const {
        const std::filesystem::path file = DriveC() / below_c;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

    std::filesystem::path MakeFolder(const std::filesystem::path& below_c) const {
        std::filesystem::create_directories(DriveC() / below_c);
        return DriveC() / below_c;
    }

    static std::string ReadHostFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path scratch_;
    std::filesystem::path prefix_;
};

}  // namespace platform_test
