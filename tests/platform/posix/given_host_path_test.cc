// Host paths given to the program on Linux: the drive that holds an item most closely names it,
// and a link is the item itself.
#include <gtest/gtest.h>

#include "platform/given_path.h"
#include "platform/prefix_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using GivenHostPathTest = platform_test::PrefixTest;

TEST_F(GivenHostPathTest, TheHomeIsDriveHAndALinkIsNotFollowed) {
    fs::create_directories(Home() / "Docs");
    EXPECT_EQ(ItemOfGivenPath(Home().string()).path, "H:\\");
    // Hide moves the link, not what it leads to; a dangling one is there all the same.
    fs::create_symlink(Outside("elsewhere"), Home() / "Docs/shortcut");
    fs::create_symlink(Home() / "nowhere", Home() / "Docs/dangling");
    EXPECT_EQ(ItemOfGivenPath((Home() / "Docs/shortcut").string()).path, "H:\\Docs\\shortcut");
    EXPECT_EQ(ItemOfGivenPath((Home() / "Docs/dangling").string()).path, "H:\\Docs\\dangling");
    // No Windows path spells a name with a backslash.
    fs::create_directories(Home() / "back\\slash");
    EXPECT_EQ(ItemOfGivenPath((Home() / "back\\slash").string()).found,
              GivenItem::Found::kOnNoDrive);
}

}  // namespace
}  // namespace platform
