// Opening the register settles what an interrupted Hide or Unhide left in the journal: the item
// is hidden with one record exactly when its hiding place holds it.
#include "hiding/recovery.h"

#include "hiding_test.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;
using RecoveryTest = HidingTest;

const HiddenItemRecord kReport = HiddenItemRecord::Make("H1", "C:\\Docs\\report.txt", "report.txt");
const Intent kHide{Intent::Operation::kHide, 1, kReport, "C:\\Docs\\report.txt",
                   "c:\\recycled\\H1"};
const Intent kUnhide{Intent::Operation::kUnhide, 0, kReport, "C:\\recycled\\H1",
                     "C:\\Docs\\report.txt"};

TEST_F(RecoveryTest, TheHidingPlaceDecidesWhetherTheInterruptedOperationHappened) {
    struct Case {
        Intent intent;
        bool moved;     // whether the crash came after the move
        bool recorded;  // whether the register holds the record at the crash
    } cases[] = {
        {kHide, false, false},  {kHide, true, false},    {kHide, true, true},
        {kHide, false, true},   {kUnhide, false, true},  {kUnhide, true, true},
        {kUnhide, true, false}, {kUnhide, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, static_cast<char>(c.intent.operation)) + " moved " +
                     std::to_string(c.moved) + " recorded " + std::to_string(c.recorded));
        const bool hidden = (c.intent.operation == Intent::Operation::kHide) == c.moved;
        fs::remove(HostC("recycled/H1"));
        Store(hidden ? HostC("recycled/H1") : HostC("Docs/report.txt"), "report");
        if (hidden) fs::remove(HostC("Docs/report.txt"));
        const HiddenItemRecord other = Items(2)[1];
        StoreRecords(c.recorded ? std::vector{other, kReport} : std::vector{other});
        WriteIntent(kJournalPath, c.intent);

        const std::vector<HiddenItemRecord> listed = ListHiddenItems();
        const std::vector<HiddenItemRecord> expected =
            hidden ? std::vector{other, kReport} : std::vector{other};
        EXPECT_EQ(listed, expected);
        EXPECT_FALSE(fs::exists(Journal()));
        EXPECT_EQ(ListHiddenItems(), listed) << "settling again changes nothing";
    }
}

TEST_F(RecoveryTest, ATornJournalIsDiscardedWithoutTouchingTheRegister) {
    StoreRecords({kReport});
    Store(HostC("recycled/H1"), "report");
    fs::remove(HostC("Docs/report.txt"));
    const std::string torn = EncodeIntent(kUnhide);
    Store(Journal(), torn.substr(0, torn.size() / 2));
    EXPECT_EQ(ListHiddenItems(), std::vector{kReport});
    EXPECT_FALSE(fs::exists(Journal()));
}

// A drive whose medium is out cannot tell whether the move happened: its journal waits, the rest
// of the register stays usable, and the drive's return settles it.
TEST_F(RecoveryTest, AJournalWaitsForItsDriveWhileTheRegisterStaysUsable) {
    const HiddenItemRecord song = HiddenItemRecord::Make("H1", "D:\\song.mp3", "song.mp3");
    const Intent hide_song{Intent::Operation::kHide, 2, song, "D:\\song.mp3", "d:\\recycled\\H1"};
    const fs::path d = AddDriveD();
    Store(d / "recycled/H1", "song");
    StoreRecords({kReport});
    machine().TakeOutMediumOfD();
    WriteIntent(kJournalPath, hide_song);

    EXPECT_EQ(ListHiddenItems(), std::vector{kReport});
    EXPECT_FALSE(fs::exists(Journal()));
    EXPECT_TRUE(fs::exists(System32() / "tessarn-d.jnl"));

    machine().PutBackMediumOfD();
    EXPECT_EQ(ListHiddenItems(), (std::vector{kReport, song}));
    EXPECT_FALSE(fs::exists(System32() / "tessarn-d.jnl"));
}

}  // namespace
}  // namespace hiding
