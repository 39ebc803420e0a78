// A fixture for the hiding layer: a fresh machine per test with items on drive C and a drive D,
// the register's records, and a journal left as a crash would leave it.
#pragma once

#include <vector>

#include "hiding/intent_journal.h"
#include "register/hidden_items_register.h"
#include "register/register_test.h"

class HidingTest : public RegisterTest {
  public:
    void SetUp() override {
        RegisterTest::SetUp();
        Store(HostC("Docs/report.txt"), "report");
    }

    std::filesystem::path HostC(const std::string& below) const {
        const std::filesystem::path path = DriveC() / below;
        std::filesystem::create_directories(path.parent_path());
        return path;
    }
    // Drive D, given its hiding place.
    std::filesystem::path AddDriveD() {
        const std::filesystem::path root = machine().DriveD();
        std::filesystem::create_directories(root / "recycled");
        return root;
    }

    std::string Records() const { return Bytes(RegisterFile()); }
    void StoreRecords(const std::vector<hiding::HiddenItemRecord>& records) const {
        Store(RegisterFile(), BytesOf(records));
    }
    std::filesystem::path Journal() const { return System32() / "tessarn.jnl"; }
};
