// A fresh machine for every test: a temporary folder made the prefix through TESSARN_PREFIX and
// prepared as on a first start, with a home folder of its own, removed again afterwards. The
// real prefix and the real home folder are never touched.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/prefix.h"
#include "platform/test_home.h"
#include "platform/windows_error.h"

namespace platform_test {

class PrefixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessarn-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        prefix_ = scratch_ / "prefix";
        home_.emplace(Home());
        setenv("TESSARN_PREFIX", prefix_.c_str(), 1);
        platform::PrepareMachine();
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(scratch_, ignored);
        unsetenv("TESSARN_PREFIX");
        home_.reset();
    }

    std::filesystem::path Home() const { return scratch_ / "home"; }

    std::filesystem::path DriveC() const { return prefix_ / "drive_c"; }

    // A host folder outside the machine, for extra drives and for escapes that must not happen.
    std::filesystem::path Outside(std::string_view name) const {
        std::filesystem::create_directories(scratch_ / "outside" / name);
        return scratch_ / "outside" / name;
    }

    // Maps a drive letter to a host folder, the way a user adds a drive.
    void AddDrive(char letter, const std::filesystem::path& host_root) const {
        std::filesystem::create_directory_symlink(
            host_root, prefix_ / "dosdevices" / (std::string(1, letter) + ":"));
    }

    // A file holding `content` at a host path below drive C, with its folders.
    std::filesystem::path MakeFile(const std::filesystem::path& below_c,
                                   std::string_view content = "data") const {
        std::filesystem::create_directories((DriveC() / below_c).parent_path());
        std::ofstream(DriveC() / below_c, std::ios::binary) << content;
        return DriveC() / below_c;
    }

    std::filesystem::path MakeFolder(const std::filesystem::path& below_c) const {
        std::filesystem::create_directories(DriveC() / below_c);
        return DriveC() / below_c;
    }

    static std::string ReadHostFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The error a call throws; a call that returns fails the test.
    template <typename Call>
    static platform::WindowsError ErrorOf(Call call) {
        try {
            call();
        } catch (const platform::WindowsError& error) {
            return error;
        }
        ADD_FAILURE() << "the call succeeded";
        return platform::WindowsError(platform::ERROR_SUCCESS, "succeeded");
    }

    std::filesystem::path scratch_;
    std::filesystem::path prefix_;
    std::optional<TestHome> home_;
};

}  // namespace platform_test
