// Hide and Unhide as operations: the hidden name each item gets, and the records Unhide refuses
// to trust.
#include "hiding/hide.h"

#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "hiding_test.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;
using HideUnhideTest = HidingTest;

// Hides a file of drive C by its name under Docs, checking that it went through.
void HideDoc(const std::string& name) {
    const HideOutcome outcome = Hide("C:\\Docs\\" + name, "c:");
    ASSERT_EQ(outcome.result, HideOutcome::Result::kHidden) << outcome.message;
}

TEST_F(HideUnhideTest, ANameStillTakenAfterAnUnhideGivesWayToTheNextFreeOne) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        Store(HostC(std::string("Docs/") + name), name);
    HideDoc("a.txt");
    HideDoc("b.txt");
    ASSERT_EQ(Unhide(0, "a.txt", "C:\\Docs\\a.txt").result, UnhideOutcome::Result::kUnhidden);
    // Count + 1 is 2, whose name b.txt still holds: c.txt takes H3, at position 2.
    HideDoc("c.txt");
    EXPECT_EQ(Bytes(HostC("recycled/H3")), "c.txt");
    EXPECT_EQ(ListHiddenItems()[1].hidden_name(), "H3");
    ASSERT_EQ(Unhide(1, "c.txt", "C:\\Docs\\c.txt").result, UnhideOutcome::Result::kUnhidden);
    EXPECT_EQ(Bytes(HostC("Docs/c.txt")), "c.txt");
}

TEST_F(HideUnhideTest, ANameIsTakenByAnItemThereOrARecordOfTheSameDriveOnly) {
    AddDriveD();
    Store(HostC("Docs/notes.txt"), "notes");
    Store(HostC("recycled/h2"), "left by hand");
    StoreRecords({HiddenItemRecord::Make("H3", "D:\\song.mp3", "song.mp3")});
    // Count + 1 is 2, which the hiding place holds; drive D's H3 is no name on drive C.
    HideDoc("report.txt");
    // Count + 1 is 3, now taken on drive C by report.txt.
    HideDoc("notes.txt");
    const std::vector<HiddenItemRecord> records = ListHiddenItems();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].hidden_name(), "H3");
    EXPECT_EQ(records[2].hidden_name(), "H4");
    EXPECT_EQ(Bytes(HostC("recycled/h2")), "left by hand");
}

TEST_F(HideUnhideTest, HideRefusesWhenNoNameIsLeftBelowTheLargestNumber) {
    // 32,766 records (sparse, all blank) make the next number 32,767, the last there is.
    Store(RegisterFile(), "");
    fs::resize_file(RegisterFile(), 32766 * 400);
    Store(HostC("recycled/H32767"), "taken");
    const HideOutcome outcome = Hide("C:\\Docs\\report.txt", "c:");
    EXPECT_EQ(outcome.result, HideOutcome::Result::kRefused);
    EXPECT_NE(outcome.message.find("H32767"), std::string::npos) << outcome.message;
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_EQ(fs::file_size(RegisterFile()), 32766u * 400);
}

// A record is data read back from disk: a hidden name that is not one plain name would take the
// move out of the hiding place, to an item that was never hidden.
TEST_F(HideUnhideTest, UnhideRefusesARecordWhoseHiddenNameIsNotOnePlainName) {
    Store(HostC("Docs/secret.txt"), "never hidden");
    // "..." and ". ." lose their trailing dots and spaces as the last name of a path, which
    // leaves the hiding place itself.
    for (const char* hidden : {"..\\Docs\\secret.txt", "..", ".", "", "a/b", "c:x", "...", ". ."}) {
        SCOPED_TRACE(hidden);
        StoreRecords({HiddenItemRecord::Make(hidden, "C:\\Docs\\moved.txt", "moved.txt")});
        const UnhideOutcome outcome = Unhide(0, "moved.txt", "C:\\Docs\\moved.txt");
        EXPECT_EQ(outcome.result, UnhideOutcome::Result::kRefused);
        EXPECT_NE(outcome.message.find("damaged"), std::string::npos) << outcome.message;
        EXPECT_EQ(Bytes(HostC("Docs/secret.txt")), "never hidden");
        EXPECT_FALSE(fs::exists(HostC("Docs/moved.txt")));
        EXPECT_EQ(ListHiddenItems().size(), 1u);
    }
}

// Only Hide and Unhide move items in and out of a hiding place: an item already in one, reached
// by any road, is refused before anything moves, and so is a record whose path leads into one.
TEST_F(HideUnhideTest, NothingIsMovedOutOfAHidingPlaceButByUnhide) {
    fs::create_directories(HostC("recycled/H1/Inner"));
    Store(HostC("recycled/H1/inner.txt"), "inner");
    StoreRecords({HiddenItemRecord::Make("H1", "C:\\Docs\\Old", "Old")});
    for (const auto& [path, drive] :
         std::vector<std::pair<std::string, std::string>>{{"C:\\recycled\\H1", "c:"},
                                                          {"c:\\RECYCLED\\h1\\inner.txt", "c:"},
                                                          {"C:\\recycled\\H1\\Inner", "c:"},
                                                          {"F:\\recycled\\H1", "f:"}}) {
        const HideOutcome outcome = Hide(path, drive);
        EXPECT_EQ(outcome.result, HideOutcome::Result::kRefused) << path;
        EXPECT_NE(outcome.message.find("lies in a hiding place"), std::string::npos) << path;
    }
    EXPECT_EQ(Bytes(HostC("recycled/H1/inner.txt")), "inner");

    StoreRecords({HiddenItemRecord::Make("H1", "C:\\RECYCLED\\h1", "h1")});
    EXPECT_EQ(Unhide(0, "h1", "C:\\RECYCLED\\h1").result, UnhideOutcome::Result::kRefused);
    EXPECT_EQ(ListHiddenItems().size(), 1u);
    EXPECT_EQ(Bytes(HostC("recycled/H1/inner.txt")), "inner");
}

TEST_F(HideUnhideTest, AnEntryPastTheEndOfARegisterChangedMeanwhileIsAChangedList) {
    StoreRecords({HiddenItemRecord::Make("H1", "C:\\Docs\\a.txt", "a.txt")});
    EXPECT_EQ(Unhide(1, "b.txt", "C:\\Docs\\b.txt").result, UnhideOutcome::Result::kListChanged);
}

}  // namespace
}  // namespace hiding
