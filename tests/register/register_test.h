// A fixture for register tests: a fresh test machine per test, and the register's bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "machine/machine_test.h"
#include "register/hidden_item_record.h"
#include "register/hiding_place.h"

class RegisterTest : public test_machine::MachineTest {
  public:
    std::filesystem::path RegisterFile() const { return System32() / "tessarn.dat"; }
    std::filesystem::path TemporaryFile() const { return System32() / "temp.dat"; }

    static std::string Bytes(const std::filesystem::path& file) { return ReadHostFile(file); }
    static void Store(const std::filesystem::path& file, const std::string& bytes) {
        StoreFile(file, bytes);
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
};
