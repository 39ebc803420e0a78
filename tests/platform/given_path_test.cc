// Paths given from outside the program (a start's argument, a drop): the item each one names.
#include "platform/given_path.h"

#include <gtest/gtest.h>

#include "machine/machine_test.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class GivenPathTest : public test_machine::MachineTest {
  protected:
    void TearDown() override {
        fs::current_path(saved_);
        MachineTest::TearDown();
    }
    fs::path saved_ = fs::current_path();
};

TEST_F(GivenPathTest, ARelativePathIsTakenAgainstTheCurrentFolder) {
    MakeFile("Docs/Café.txt");
    fs::current_path(DriveC() / "Docs");
    EXPECT_EQ(ItemOfGivenPath("../Docs/./Café.txt").path, "C:\\Docs\\Café.txt");
    EXPECT_EQ(ItemOfGivenPath("../Docs/").path, "C:\\Docs");
    EXPECT_EQ(ItemOfGivenPath("..").path, "C:\\");
    EXPECT_EQ(ItemOfGivenPath("gone.txt").found, GivenItem::Found::kMissing);
    EXPECT_EQ(ItemOfGivenPath("").found, GivenItem::Found::kMissing);
}

}  // namespace
}  // namespace platform
