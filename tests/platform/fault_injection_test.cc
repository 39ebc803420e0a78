#include "platform/fault_injection.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "machine/machine_test.h"
#include "platform/file_system.h"
#include "platform/random_access_file.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

class FaultInjectionTest : public test_machine::MachineTest {
  protected:
    void TearDown() override {
        fault_injection::Disarm();
        MachineTest::TearDown();
    }
};

TEST_F(FaultInjectionTest, NthOperationAndAllAfterItFailWithAnIoError) {
    RandomAccessFile file("C:\\r.dat", RandomAccessFile::IfMissing::kCreateEmpty);
    fault_injection::FailFromOperation(2);
    file.WriteAt(0, "a", 1);
    EXPECT_STREQ(ErrorOf([&] { file.WriteAt(1, "b", 1); }).what(),
                 "Cannot write to C:\\r.dat: The request could not be performed because of an "
                 "I/O device error.");
    EXPECT_EQ(ErrorOf([] { MoveItem("C:\\r.dat", "C:\\recycled\\H1"); }).code(), ERROR_IO_DEVICE);
    EXPECT_EQ(ErrorOf([] { DeleteFileAt("C:\\r.dat"); }).code(), ERROR_IO_DEVICE);
    EXPECT_EQ(fault_injection::OperationsSeen(), 4);
    fault_injection::Disarm();
    EXPECT_EQ(file.Length(), 1u);
    EXPECT_TRUE(fs::exists(DriveC() / "r.dat"));
}

// Writes "new" through a temporary file and replaces "old" with it, failing the Nth operation
// for every N until the replacement runs through: the target is always one of the two, whole.
TEST_F(FaultInjectionTest, ReplacementLeavesTheOldOrTheNewFileWhole) {
    for (int nth = 1; nth < 100; ++nth) {
        MakeFile("data.dat", "old");
        fs::remove(DriveC() / "temp.dat");
        fault_injection::FailFromOperation(nth);
        bool completed = true;
        try {
            RandomAccessFile temp("C:\\temp.dat", RandomAccessFile::IfMissing::kCreateEmpty);
            temp.WriteAt(0, "new", 3);
            temp.Sync();
            temp.Close();
            ReplaceFile("C:\\temp.dat", "C:\\data.dat");
        } catch (const WindowsError&) {
            completed = false;
        }
        fault_injection::Disarm();
        const std::string content = ReadHostFile(DriveC() / "data.dat");
        EXPECT_TRUE(content == "old" || content == "new") << "failing operation " << nth;
        if (completed) {
            EXPECT_EQ(content, "new");
            EXPECT_EQ(nth, 7) << "open, write, sync, close, rename and folder sync all counted";
            return;
        }
    }
    FAIL() << "the replacement never completed";
}

}  // namespace
}  // namespace platform
