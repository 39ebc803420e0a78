// Drive H:'s hiding place in the home folder. An earlier machine kept it in the machine folder;
// a crash there, settled only after the next start has moved that folder out, is settled as any
// other: the journal knows the medium by the hiding place's identity, which the rename kept.
#include <gtest/gtest.h>

#include <filesystem>

#include "hiding/hide.h"
#include "hiding/hiding_test.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "platform/earlier_machine.h"
#include "platform/fault_injection.h"
#include "platform/machine.h"
#include "platform/posix/prefix.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;
using HomeHidingPlaceHideTest = HidingTest;

TEST_F(HomeHidingPlaceHideTest, AHideCutShortBeforeTheHidingPlaceMovedOutIsRecordedAfterIt) {
    const fs::path prefix = platform::PrefixFolder();
    const fs::path home = platform::HomeFolder();
    platform_test::MakeHomeHidingPlaceEarlier(prefix, home);
    Store(home / "letter.txt", "letter");
    // Cut short as a power cut right after the move leaves it: every file operation from some
    // point on fails; each try that failed before the move is undone by removing its journal.
    for (int nth = 1; !fs::exists(prefix / "recycled_h/H1"); ++nth) {
        ASSERT_LT(nth, 100) << "the move never got through";
        fs::remove(Journal());
        platform::fault_injection::FailFromOperation(nth);
        Hide("H:\\letter.txt", "h:");
        platform::fault_injection::Disarm();
    }
    ASSERT_TRUE(fs::exists(Journal()));

    platform::PrepareMachine();
    EXPECT_EQ(Bytes(home / ".tessarn-recycled/H1"), "letter");
    const std::vector<HiddenItemRecord> records = ListHiddenItems();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], HiddenItemRecord::Make("H1", "H:\\letter.txt", "letter.txt"));
    EXPECT_FALSE(fs::exists(Journal()));
    ASSERT_EQ(Unhide(0, "letter.txt", "H:\\letter.txt").result, UnhideOutcome::Result::kUnhidden);
    EXPECT_EQ(Bytes(home / "letter.txt"), "letter");
}

// Typed into the main window, the hidden folder in home is still a hiding place, and so is all it
// holds.
TEST_F(HomeHidingPlaceHideTest, TheHidingPlaceInHomeAndItsItemsAreNeverHiddenThemselves) {
    const fs::path place = platform::HomeFolder() / ".tessarn-recycled";
    Store(place / "H1", "letter");
    StoreRecords({HiddenItemRecord::Make("H1", "H:\\letter.txt", "letter.txt")});
    for (const char* path : {"H:\\.tessarn-recycled", "H:\\.TESSARN-RECYCLED\\H1"}) {
        const HideOutcome outcome = Hide(path, "h:");
        EXPECT_EQ(outcome.result, HideOutcome::Result::kRefused) << path;
        EXPECT_NE(outcome.message.find("lies in a hiding place"), std::string::npos) << path;
    }
    EXPECT_EQ(Bytes(place / "H1"), "letter");
    EXPECT_EQ(ListHiddenItems().size(), 1u);
}

}  // namespace
}  // namespace hiding
