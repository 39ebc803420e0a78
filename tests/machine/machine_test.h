// A test fixture on a fresh test machine (test_machine.h), with the few steps most tests take:
// files and folders below drive C, their bytes, and the error a call throws.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "machine/test_machine.h"
#include "platform/windows_error.h"

namespace test_machine {

class MachineTest : public testing::Test {
  protected:
    void SetUp() override { machine_.emplace(); }
    void TearDown() override { machine_.reset(); }

    TestMachine& machine() { return *machine_; }
    std::filesystem::path DriveC() const { return machine_->DriveC(); }
    std::filesystem::path System32() const { return machine_->System32(); }

    // A file holding `content` below drive C, with its folders; the path is UTF-8 with '/'
    // ("Docs/Café.txt").
    std::filesystem::path MakeFile(std::string_view below_c,
                                   std::string_view content = "data") const {
        return StoreFile(Below(DriveC(), below_c), content);
    }
    std::filesystem::path MakeFolder(std::string_view below_c) const {
        std::filesystem::create_directories(Below(DriveC(), below_c));
        return Below(DriveC(), below_c);
    }

    // A host path below `root`, from a path in UTF-8, which on Windows a plain string would not
    // be read as: there it stands for the ANSI code page.
    static std::filesystem::path Below(const std::filesystem::path& root, std::string_view utf8) {
        return root / std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    }

    static std::filesystem::path StoreFile(const std::filesystem::path& file,
                                           std::string_view content) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
        return file;
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

  private:
    std::optional<TestMachine> machine_;
};

}  // namespace test_machine
