// Host paths given to the program on Linux: the drive that holds an item most closely names it,
// and a link is the item itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/given_path.h"
#include "platform/prefix_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using Found = GivenItem::Found;

class GivenHostPathTest : public platform_test::PrefixTest {};

TEST_F(GivenHostPathTest, TheHomeIsDriveHAndALinkIsNotFollowed) {
    fs::create_directories(Home() / "Docs");
    EXPECT_EQ(ItemOfGivenPath(Home().string()).path, "H:\\");
    EXPECT_EQ(ItemOfGivenPath((Home() / "Docs").string()).path, "H:\\Docs");
    std::string on_z = "Z:" + Outside("elsewhere").string();
    std::replace(on_z.begin(), on_z.end(), '/', '\\');
    EXPECT_EQ(ItemOfGivenPath(Outside("elsewhere").string()).path, on_z);

    // The link moves on Hide, not what it leads to; a dangling one is there all the same.
    fs::create_symlink(Outside("elsewhere"), Home() / "Docs/shortcut");
    fs::create_symlink(Home() / "nowhere", Home() / "Docs/dangling");
    EXPECT_EQ(ItemOfGivenPath((Home() / "Docs/shortcut").string()).path, "H:\\Docs\\shortcut");
    EXPECT_EQ(ItemOfGivenPath((Home() / "Docs/dangling").string()).path, "H:\\Docs\\dangling");
}

TEST_F(GivenHostPathTest, AnItemNoDriveHoldsOrNoWindowsPathSpellsLiesOnNoDrive) {
    fs::create_directories(Outside("elsewhere") / "back\\slash");
    EXPECT_EQ(ItemOfGivenPath((Outside("elsewhere") / "back\\slash").string()).found,
              Found::kOnNoDrive);
    fs::remove(prefix_ / "dosdevices/z:");
    EXPECT_EQ(ItemOfGivenPath(Outside("elsewhere").string()).found, Found::kOnNoDrive);
}

}  // namespace
}  // namespace platform
