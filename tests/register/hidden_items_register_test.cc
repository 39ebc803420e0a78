#include "register/hidden_items_register.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "machine/child_process.h"
#include "platform/fault_injection.h"
#include "platform/windows_error.h"
#include "register_test.h"

namespace hiding {
namespace {

using platform::WindowsError;
using testing::HasSubstr;

template <typename Action>
WindowsError ErrorOf(Action action) {
    try {
        action();
    } catch (const WindowsError& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return WindowsError(platform::ERROR_SUCCESS, "nothing failed");
}

std::vector<HiddenItemRecord> Without(std::vector<HiddenItemRecord> records, int position) {
    records.erase(records.begin() + position);
    return records;
}

TEST(RecordCountOfLengthTest, RoundsHalfRecordsToEvenAndStopsAt32767) {
    const std::uint64_t kMost = 32767 * 400;
    for (auto [length, count] : {std::pair{0, 0}, {200, 0}, {600, 2}, {1000, 2}, {1400, 4}})
        EXPECT_EQ(RecordCountOfLength(length), count) << length;
    EXPECT_EQ(RecordCountOfLength(kMost + 199), 32767);
    EXPECT_EQ(RecordCountOfLength(kMost + 200), std::nullopt);
}

TEST_F(RegisterTest, OpenCreatesAMissingRegisterEmpty) {
    EXPECT_EQ(HiddenItemsRegister::Open().RecordCount(), 0);
    EXPECT_EQ(std::filesystem::file_size(RegisterFile()), 0u);
}

TEST_F(RegisterTest, TooManyRecordsToCountIsAnErrorNamingTheRegister) {
    Store(RegisterFile(), "");
    std::filesystem::resize_file(RegisterFile(), 32767 * 400 + 200);
    const WindowsError error = ErrorOf([] { ReadAllRecords(); });
    EXPECT_EQ(error.code(), platform::ERROR_ARITHMETIC_OVERFLOW);
    EXPECT_THAT(error.what(), HasSubstr("c:\\windows\\system32\\tessarn.dat holds more records "
                                        "than the program can count"));
}

TEST_F(RegisterTest, WritingTheNextRecordStoresItsExactBytes) {
    Store(RegisterFile(), BytesOf(Items(2)));
    HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
    const int k = hidden_items.RecordCount() + 1;
    hidden_items.WriteRecord(
        k, HiddenItemRecord::Make(HiddenNameFor(k), "C:\\Docs\\report.txt", "report.txt"));
    hidden_items.Close();
    EXPECT_EQ(Bytes(RegisterFile()), BytesOf(Items(2)) + "H3" + std::string(98, ' ') +
                                         "C:\\Docs\\report.txt" + std::string(182, ' ') +
                                         "report.txt" + std::string(90, ' '));
}

TEST_F(RegisterTest, ARecordCutShortByTheEndOfTheFileReadsAsBlanks) {
    const std::string bytes = BytesOf(Items(2)).substr(0, 600);
    Store(RegisterFile(), bytes);
    const std::vector<HiddenItemRecord> records = ReadAllRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(BytesOf({records[1]}), bytes.substr(400) + std::string(200, ' '));
    EXPECT_EQ(ReadRecordAt(1), records[1]);
}

TEST_F(RegisterTest, ReadingAPositionPastTheEndIsAnError) {
    Store(RegisterFile(), BytesOf(Items(2)));
    for (int position : {-1, 2}) {
        const WindowsError error = ErrorOf([&] { ReadRecordAt(position); });
        EXPECT_EQ(error.code(), platform::ERROR_HANDLE_EOF);
        EXPECT_THAT(error.what(), HasSubstr("c:\\windows\\system32\\tessarn.dat"));
    }
}

TEST_F(RegisterTest, RemovingARecordKeepsTheOthersInOrderWithTheirHiddenNames) {
    for (int position : {0, 1, 2}) {
        Store(RegisterFile(), BytesOf(Items(3)));
        RemoveRecordAt(position);
        EXPECT_EQ(ReadAllRecords(), Without(Items(3), position)) << position;
        EXPECT_FALSE(std::filesystem::exists(TemporaryFile()));
    }
    Store(RegisterFile(), BytesOf(Items(1)));
    RemoveRecordAt(0);
    EXPECT_EQ(std::filesystem::file_size(RegisterFile()), 0u);
}

TEST_F(RegisterTest, AfterARemovalTheOpenRegisterActsOnTheNewFile) {
    Store(RegisterFile(), BytesOf(Items(3)));
    HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
    hidden_items.RemoveRecordAt(0);
    hidden_items.WriteRecord(3, Items(4)[3]);
    hidden_items.Close();
    EXPECT_EQ(Bytes(RegisterFile()), BytesOf(Without(Items(4), 0)));
}

TEST_F(RegisterTest, ALeftoverTemporaryFileIsDiscardedBesideTheRegisterAndPromotedWithout) {
    Store(RegisterFile(), BytesOf(Items(3)));
    Store(TemporaryFile(), BytesOf(Items(1)));
    EXPECT_EQ(ReadAllRecords(), Items(3));
    EXPECT_FALSE(std::filesystem::exists(TemporaryFile()));

    std::filesystem::remove(RegisterFile());
    Store(TemporaryFile(), BytesOf(Items(2)));
    EXPECT_EQ(ReadAllRecords(), Items(2));
    EXPECT_FALSE(std::filesystem::exists(TemporaryFile()));
}

// Fails the Nth file operation for N = 1, 2, ... until the action completes; after each failure
// the reopened register must hold its old or its new records, whole.
template <typename Action>
void ExpectOldOrNewAfterEveryFault(RegisterTest& test, const std::vector<HiddenItemRecord>& old,
                                   const std::vector<HiddenItemRecord>& now, Action action) {
    for (int n = 1;; ++n) {
        test.Store(test.RegisterFile(), test.BytesOf(old));
        platform::fault_injection::FailFromOperation(n);
        bool failed = false;
        try {
            action();
        } catch (const WindowsError&) {
            failed = true;
        }
        platform::fault_injection::Disarm();
        const std::vector<HiddenItemRecord> records = ReadAllRecords();
        EXPECT_TRUE(records == old || records == now) << "failing operation " << n;
        EXPECT_FALSE(std::filesystem::exists(test.TemporaryFile())) << "failing operation " << n;
        if (!failed) {
            EXPECT_EQ(records, now);
            EXPECT_GT(n, 2) << "too few operations were failed to prove anything";
            return;
        }
    }
}

// A record inside is removed by a rewrite, the last one by cutting it off.
TEST_F(RegisterTest, ARemovalFailingAtAnyStepLosesNoRecord) {
    ExpectOldOrNewAfterEveryFault(*this, Items(3), Without(Items(3), 1), [] { RemoveRecordAt(1); });
    ExpectOldOrNewAfterEveryFault(*this, Items(3), Items(2), [] { RemoveRecordAt(2); });
}

TEST_F(RegisterTest, AWriteFailingAtAnyStepLeavesTheOtherRecordsWhole) {
    ExpectOldOrNewAfterEveryFault(*this, Items(2), Items(3), [] {
        HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
        hidden_items.WriteRecord(3, Items(3)[2]);
        hidden_items.Close();
    });
}

TEST_F(RegisterTest, AWriteFailingAtOneStepLeavesNoRecordBehind) {
    // Hide moves the item back when its record cannot be written, so a write that reached the
    // file before its flush failed must not leave the record to name an item that is not hidden.
    Store(RegisterFile(), BytesOf(Items(2)));
    HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
    for (int nth = 1;; ++nth) {
        platform::fault_injection::FailOnlyOperation(nth);
        try {
            hidden_items.WriteRecord(3, Items(3)[2]);
        } catch (const platform::WindowsError&) {
            platform::fault_injection::Disarm();
            EXPECT_EQ(Bytes(RegisterFile()), BytesOf(Items(2))) << "operation " << nth << " failed";
            continue;
        }
        platform::fault_injection::Disarm();
        EXPECT_EQ(Bytes(RegisterFile()), BytesOf(Items(3)));
        EXPECT_GT(nth, 3) << "the write, its flush and the reads before them can each fail";
        break;
    }
    hidden_items.Close();
}

// Another copy of the program: opens the register, says so with a file beside it, keeps it
// open a while and writes a record before it lets go.
const test_machine::RegisteredRole kHoldsTheRegister(
    "holds-the-register", [](const std::vector<std::string>&) {
        HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
        std::ofstream(test_machine::DriveCOfThisMachine() / "opened") << "o";
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        hidden_items.WriteRecord(1, RegisterTest::Items(1)[0]);
        return 0;
    });

TEST_F(RegisterTest, OpenWaitsWhileAnotherCopyHoldsTheRegister) {
    test_machine::ChildProcess other_copy("holds-the-register");
    while (!std::filesystem::exists(DriveC() / "opened")) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // Only a wait for the other copy to finish lets this open see its record.
    EXPECT_EQ(HiddenItemsRegister::Open().RecordCount(), 1);
    EXPECT_TRUE(other_copy.Wait().ExitedWith(0));
}

}  // namespace
}  // namespace hiding
