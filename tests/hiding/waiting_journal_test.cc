// A Hide or Unhide cut short on a drive whose medium is then taken out waits for that medium:
// another medium put in the same drive cannot tell whether its item moved, and settling there
// would leave the item without its record, or a record without its item.
#include "hiding/hide.h"
#include "hiding/journal_notices.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "hiding_test.h"
#include "platform/fault_injection.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

class WaitingJournalTest : public HidingTest {
  protected:
    void SetUp() override {
        HidingTest::SetUp();
        d_ = AddDriveD();
        Store(d_ / "song.mp3", "song");
    }

    // Runs `operation` as a power cut right after its move leaves it: from some file operation
    // on, every one fails, as nothing reaches the disk after a crash. `moved` tells whether the
    // move got through; each try that failed before it is undone by removing its journal.
    void CutShortAfterTheMove(const std::function<void()>& operation,
                              const std::function<bool()>& moved) {
        for (int nth = 1; nth < 100; ++nth) {
            platform::fault_injection::FailFromOperation(nth);
            operation();
            platform::fault_injection::Disarm();
            if (moved()) return;
            fs::remove(Journal());
        }
        FAIL() << "the move never got through";
    }

    // Another medium in drive D:, mounted where the first one was.
    void PutInAnotherMedium() {
        machine().PutInAnotherMediumOfD();
        fs::create_directories(d_ / "recycled");
    }
    void PutTheFirstMediumBack() { machine().PutBackFirstMediumOfD(); }

    fs::path d_;
};

TEST_F(WaitingJournalTest, AHideCutShortWaitsForItsOwnMediumAndIsRecordedWhenItIsBack) {
    CutShortAfterTheMove([] { Hide("D:\\song.mp3", "d:"); },
                         [&] { return fs::exists(d_ / "recycled/H1"); });
    ASSERT_TRUE(fs::exists(Journal()));

    PutInAnotherMedium();
    EXPECT_TRUE(ListHiddenItems().empty());
    EXPECT_TRUE(fs::exists(System32() / "tessarn-d.jnl")) << "settled on the wrong medium";
    const std::vector<JournalNotice> notices = JournalNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].drive, "D:");
    EXPECT_NE(notices[0].sentence.find("Hiding D:\\song.mp3 was cut short"), std::string::npos)
        << notices[0].sentence;
    EXPECT_NE(notices[0].sentence.find("Another medium is in the drive now"), std::string::npos)
        << notices[0].sentence;

    // The other medium stays usable, and its item does not take the waiting item's name.
    Store(d_ / "other.txt", "other");
    ASSERT_EQ(Hide("D:\\other.txt", "d:").result, HideOutcome::Result::kHidden);
    EXPECT_EQ(ListHiddenItems().at(0).hidden_name(), "H2");

    PutTheFirstMediumBack();
    const std::vector<HiddenItemRecord> records = ListHiddenItems();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], HiddenItemRecord::Make("H1", "D:\\song.mp3", "song.mp3"));
    EXPECT_FALSE(fs::exists(System32() / "tessarn-d.jnl"));
    EXPECT_TRUE(JournalNotices().empty());
    ASSERT_EQ(Unhide(1, "song.mp3", "D:\\song.mp3").result, UnhideOutcome::Result::kUnhidden);
    EXPECT_EQ(Bytes(d_ / "song.mp3"), "song");
}

TEST_F(WaitingJournalTest, AnUnhideCutShortWaitsForItsOwnMediumAndDropsItsRecordWhenItIsBack) {
    ASSERT_EQ(Hide("D:\\song.mp3", "d:").result, HideOutcome::Result::kHidden);
    CutShortAfterTheMove([] { Unhide(0, "song.mp3", "D:\\song.mp3"); },
                         [&] { return fs::exists(d_ / "song.mp3"); });

    PutInAnotherMedium();
    Store(d_ / "recycled/H1", "the other medium's own");
    ASSERT_EQ(ListHiddenItems().size(), 1u) << "settled on the wrong medium";
    // The record names the waiting place, which on this medium holds something else.
    const UnhideOutcome outcome = Unhide(0, "song.mp3", "D:\\song.mp3");
    EXPECT_EQ(outcome.result, UnhideOutcome::Result::kRefused);
    EXPECT_NE(outcome.message.find("Unhiding D:\\song.mp3 was cut short"), std::string::npos)
        << outcome.message;
    EXPECT_EQ(Bytes(d_ / "recycled/H1"), "the other medium's own");
    EXPECT_FALSE(fs::exists(d_ / "song.mp3"));

    PutTheFirstMediumBack();
    EXPECT_TRUE(ListHiddenItems().empty()) << "a record left for an item that is back";
    EXPECT_EQ(Bytes(d_ / "song.mp3"), "song");
}

TEST_F(WaitingJournalTest, AWaitingOperationNamesTheMediumItWaitsForAndWhatTheDriveHolds) {
    CutShortAfterTheMove([] { Hide("D:\\song.mp3", "d:"); },
                         [&] { return fs::exists(d_ / "recycled/H1"); });
    const std::string serial = platform::MediumOf("D:\\recycled").SerialText();
    machine().TakeOutMediumOfD();

    const std::vector<JournalNotice> notices = JournalNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].sentence,
              "Hiding D:\\song.mp3 was cut short. It is finished once drive D: holds the medium "
              "labelled \"d\", serial number " +
                  serial + " again. Drive D: is not ready now.");
}

}  // namespace
}  // namespace hiding
