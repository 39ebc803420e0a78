// Paths given from outside the program (a start's argument, a drop): the item each one names, as
// a Windows path of the machine's drives.
#include "platform/given_path.h"

#include <gtest/gtest.h>

#include "machine/machine_test.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using Found = GivenItem::Found;

std::string Given(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

class GivenPathTest : public test_machine::MachineTest {
  protected:
    void TearDown() override {
        fs::current_path(saved_);
        MachineTest::TearDown();
    }

  private:
    fs::path saved_ = fs::current_path();
};

TEST_F(GivenPathTest, AbsoluteOrRelativeTheItemIsNamedByItsWindowsPath) {
    MakeFile("Docs/Café.txt");
    const auto path_of = [](const std::string& given) {
        const GivenItem item = ItemOfGivenPath(given);
        EXPECT_EQ(item.found, Found::kOnDrive) << given;
        return item.path;
    };
    EXPECT_EQ(path_of(Given(Below(DriveC(), "Docs/Café.txt"))), "C:\\Docs\\Café.txt");
    EXPECT_EQ(path_of(Given(DriveC() / "Docs") + "/"), "C:\\Docs");
    EXPECT_EQ(path_of(Given(DriveC())), "C:\\");
    fs::current_path(DriveC() / "Docs");
    EXPECT_EQ(path_of("Café.txt"), "C:\\Docs\\Café.txt");
    EXPECT_EQ(path_of("../Docs/./Café.txt"), "C:\\Docs\\Café.txt");

    EXPECT_EQ(ItemOfGivenPath("gone.txt").found, Found::kMissing);
    EXPECT_EQ(ItemOfGivenPath(Given(DriveC() / "gone/report.txt")).found, Found::kMissing);
    EXPECT_EQ(ItemOfGivenPath("").found, Found::kMissing);
}

}  // namespace
}  // namespace platform
