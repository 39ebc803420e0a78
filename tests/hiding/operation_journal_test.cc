// The journal stays in place between operations and is cleared without a flush. A clearing lost
// in a power cut brings back the intent of an operation that ran its course; with its medium
// out, the register settles it. Operations really cut short, and journals of earlier builds,
// still wait for their medium.
#include "hiding/operation_journal.h"

#include "hiding/hide.h"
#include "hiding/journal_notices.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "hiding_test.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

class OperationJournalTest : public HidingTest {
  protected:
    void SetUp() override {
        HidingTest::SetUp();
        d_ = AddDriveD();
        Store(d_ / "song.mp3", "song");
    }

    fs::path d_;
};

const HiddenItemRecord kSong = HiddenItemRecord::Make("H1", "D:\\song.mp3", "song.mp3");

TEST_F(OperationJournalTest, AnOperationThatRanItsCourseLeavesTheJournalInPlaceCleared) {
    ASSERT_EQ(Hide("D:\\song.mp3", "d:").result, HideOutcome::Result::kHidden);
    const std::string cleared = Bytes(Journal());
    EXPECT_GT(cleared.size(), HiddenItemRecord::kSize);
    EXPECT_EQ(cleared, std::string(cleared.size(), '\0'));

    ASSERT_EQ(Unhide(0, "song.mp3", "D:\\song.mp3").result, UnhideOutcome::Result::kUnhidden);
    EXPECT_EQ(Bytes(Journal()), cleared) << "written over in place and cleared again";
    EXPECT_TRUE(ListHiddenItems().empty());
    EXPECT_TRUE(JournalNotices().empty());
}

TEST_F(OperationJournalTest, AClearingLostInAPowerCutLeavesNoOperationThatRanItsCourseWaiting) {
    const platform::Medium medium = platform::MediumOf("D:\\recycled");
    const Intent hide{Intent::Operation::kHide, 1,      kSong, "D:\\song.mp3",
                      "d:\\recycled\\H1",       medium, true};
    const Intent unhide{
        Intent::Operation::kUnhide, 0, kSong, "D:\\recycled\\H1", "D:\\song.mp3", medium, true};
    Intent earlier_hide = hide;
    earlier_hide.kept_in_place = false;
    Intent earlier_unhide = unhide;
    earlier_unhide.kept_in_place = false;
    const struct Case {
        const char* what;
        Intent intent;
        bool recorded;  // whether the register holds the song's record
        bool waits;
    } cases[] = {
        {"a Hide that ran its course", hide, true, false},
        {"an Unhide that ran its course", unhide, false, false},
        {"a Hide cut short before its record", hide, false, true},
        {"an Unhide cut short before its record went", unhide, true, true},
        {"a Hide of an earlier build, settled by its medium alone", earlier_hide, true, true},
        {"an Unhide of an earlier build, likewise", earlier_unhide, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(System32() / "tessarn-d.jnl");
        StoreRecords(c.recorded ? std::vector{kSong} : std::vector<HiddenItemRecord>{});
        WriteIntent(kJournalPath, c.intent);
        machine().TakeOutMediumOfD();

        EXPECT_EQ(ListHiddenItems().size(), c.recorded ? 1u : 0u) << "the register changed";
        EXPECT_FALSE(fs::exists(Journal()));
        EXPECT_EQ(fs::exists(System32() / "tessarn-d.jnl"), c.waits);
        EXPECT_EQ(JournalNotices().size(), c.waits ? 1u : 0u);
        machine().PutBackMediumOfD();
    }
}

}  // namespace
}  // namespace hiding
