// What only the Linux machine has: a drive table of links, and links inside a drive that lead
// into a hiding place.
#include <gtest/gtest.h>

#include <filesystem>

#include "hiding/hide.h"
#include "hiding/hiding_test.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "platform/posix/prefix.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;
using DriveTableHideTest = HidingTest;

TEST_F(DriveTableHideTest, NothingIsMovedOutOfAHidingPlaceThroughALink) {
    fs::create_directories(HostC("recycled/H1"));
    Store(HostC("recycled/H1/inner.txt"), "inner");
    StoreRecords({HiddenItemRecord::Make("H1", "C:\\Docs\\Old", "Old")});
    fs::create_directory_symlink(HostC("recycled"), AddDriveD() / "hiding place of c");
    const HideOutcome outcome = Hide("D:\\hiding place of c\\H1", "d:");
    EXPECT_EQ(outcome.result, HideOutcome::Result::kRefused);
    EXPECT_NE(outcome.message.find("lies in a hiding place"), std::string::npos);
    EXPECT_EQ(Bytes(HostC("recycled/H1/inner.txt")), "inner");
}

TEST_F(DriveTableHideTest, HideLeavesEveryDriveOfTheMachineInPlace) {
    // The prefix reached from the home folder, drive H:, as when the home holds it.
    fs::create_directory_symlink(platform::PrefixFolder(), platform::HomeFolder() / "machine");
    for (const char* link : {"c:", "h:recycled", "z:"}) {
        const HideOutcome outcome = Hide(std::string("H:\\machine\\dosdevices\\") + link, "h:");
        EXPECT_EQ(outcome.result, HideOutcome::Result::kRefused) << link;
        EXPECT_TRUE(fs::is_symlink(platform::PrefixFolder() / "dosdevices" / link)) << link;
    }
    EXPECT_EQ(Hide("C:\\Docs\\report.txt", "c:").result, HideOutcome::Result::kHidden);
    EXPECT_EQ(ListHiddenItems().size(), 1u);
}

}  // namespace
}  // namespace hiding
