// A fixture for register tests: a fresh machine prefix per test, and the register's host bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/prefix.h"
#include "platform/test_home.h"
#include "register/hidden_item_record.h"
#include "register/hiding_place.h"

class RegisterTest : public testing::Test {
  public:
    void SetUp() override {
        char pattern[] = "/tmp/tessarn-register-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch_ = pattern;
        home_.emplace(scratch_ / "home");
        setenv("TESSARN_PREFIX", (scratch_ / "prefix").c_str(), 1);
        platform::PrepareMachine();
    }
    void TearDown() override {
        std::filesystem::remove_all(scratch_);
        home_.reset();
    }

    std::filesystem::path System32() const { return scratch_ / "prefix/drive_c/windows/system32"; }
    std::filesystem::path RegisterFile() const { return System32() / "tessarn.dat"; }
    std::filesystem::path TemporaryFile() const { return System32() / "temp.dat"; }

    static std::string Bytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Store(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    }

    // Records H1..Hn for C:\Docs\item1..itemn, as Hide would have written them.
    static std::vector<hiding::HiddenItemRecord> Items(int n) {
        std::vector<hiding::HiddenItemRecord> records;
        for (int i = 1; i <= n; ++i) {
            const std::string name = "item" + std::to_string(i);
            records.push_back(hiding::HiddenItemRecord::Make(hiding::HiddenNameFor(i),
                                                             "C:\\Docs\\" + name, name));
        }
        return records;
    }
    static std::string BytesOf(const std::vector<hiding::HiddenItemRecord>& records) {
        return {reinterpret_cast<const char*>(records.data()),
                records.size() * hiding::HiddenItemRecord::kSize};
    }

    std::filesystem::path scratch_;
    std::optional<platform_test::TestHome> home_;
};
