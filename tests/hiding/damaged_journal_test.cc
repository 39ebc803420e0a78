// A journal is read back from disk, and anyone who can write the register's folder can write one
// with a right checksum: one that does not hold together is set aside as damaged, with a notice,
// and neither moves nor records anything, nor keeps the register from opening.
#include "hiding/hide.h"
#include "hiding/journal_notices.h"
#include "hiding/recovery.h"
#include "hiding_test.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

class DamagedJournalTest : public HidingTest {
  protected:
    void SetUp() override {
        HidingTest::SetUp();
        // a.txt hidden as H1 with its record; H2 holds what someone left in the hiding place.
        Store(HostC("recycled/H1"), "a");
        Store(HostC("recycled/H2"), "left by hand");
        Store(HostC("Docs/H3"), "beside the hiding place");
        StoreRecords({kA});
    }

    const HiddenItemRecord kA = HiddenItemRecord::Make("H1", "C:\\Docs\\a.txt", "a.txt");
};

std::vector<JournalNotice> Damaged(const std::vector<JournalNotice>& notices) {
    std::vector<JournalNotice> damaged;
    for (const JournalNotice& notice : notices) {
        if (notice.kind == JournalNotice::Kind::kDamaged) damaged.push_back(notice);
    }
    return damaged;
}

Intent HideOf(const std::string& from, const std::string& to, const HiddenItemRecord& record) {
    return {Intent::Operation::kHide, 2, record, from, to};
}

TEST_F(DamagedJournalTest, AJournalThatDoesNotHoldTogetherIsSetAsideAndTheRegisterOpens) {
    const HiddenItemRecord forged_h1 =
        HiddenItemRecord::Make("H1", "C:\\Docs\\forged.txt", "forged.txt");
    const HiddenItemRecord forged_h2 =
        HiddenItemRecord::Make("H2", "C:\\Docs\\forged.txt", "forged.txt");
    const HiddenItemRecord outside =
        HiddenItemRecord::Make("..\\Docs\\H3", "C:\\Docs\\forged.txt", "forged.txt");
    const struct Case {
        const char* what;
        Intent intent;
        const char* why;
    } cases[] = {
        {"a record naming another item's place, which two records would then name",
         HideOf("C:\\Docs\\forged.txt", "c:\\recycled\\H2", forged_h1),
         "its record names the hidden place C:\\recycled\\H1, not c:\\recycled\\H2"},
        {"a record naming another item",
         HideOf("C:\\Docs\\other.txt", "c:\\recycled\\H2", forged_h2),
         "its record names the item C:\\Docs\\forged.txt, not C:\\Docs\\other.txt"},
        {"an empty hidden place, which no opening could settle",
         HideOf("C:\\Docs\\forged.txt", "", forged_h2), "is no place in a hiding place"},
        {"a hidden place outside any hiding place, which would wait for ever",
         HideOf("C:\\Docs\\forged.txt", "C:\\nowhere\\deep\\H2", forged_h2),
         "is no place in a hiding place"},
        {"a hidden place that climbs out of the hiding place",
         HideOf("C:\\Docs\\forged.txt", "C:\\recycled\\..\\Docs\\H3", outside),
         "is no place in a hiding place"},
        {"a name a Hide never gives",
         HideOf("C:\\Docs\\forged.txt", "c:\\recycled\\H02", forged_h2),
         "is no place in a hiding place"},
        {"a hidden place on another drive than the item",
         {Intent::Operation::kUnhide, 0, kA, "D:\\recycled\\H1", "C:\\Docs\\a.txt"},
         "is on another drive than its item"},
        {"an item path on no drive",
         {Intent::Operation::kUnhide, 0, HiddenItemRecord::Make("H1", "Docs\\a.txt", "a.txt"),
          "D:\\recycled\\H1", "Docs\\a.txt"},
         "does not begin with a drive letter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(System32() / "tessarn-damaged-1.jnl");
        // The notices below come with a look for stranded items, which gives H2 its record.
        StoreRecords({kA});
        WriteIntent(kJournalPath, c.intent);
        const std::string journal = Bytes(Journal());

        EXPECT_EQ(ListHiddenItems(), std::vector{kA});
        EXPECT_FALSE(fs::exists(Journal()));
        EXPECT_FALSE(fs::exists(System32() / "tessarn-c.jnl")) << "left waiting";
        EXPECT_EQ(Bytes(System32() / "tessarn-damaged-1.jnl"), journal);
        EXPECT_EQ(Bytes(HostC("recycled/H1")), "a");
        EXPECT_EQ(Bytes(HostC("recycled/H2")), "left by hand");
        EXPECT_EQ(Bytes(HostC("Docs/H3")), "beside the hiding place");

        const std::vector<JournalNotice> notices = Damaged(JournalNotices());
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].kind, JournalNotice::Kind::kDamaged);
        EXPECT_NE(notices[0].sentence.find(c.why), std::string::npos) << notices[0].sentence;
        EXPECT_NE(notices[0].sentence.find("tessarn-damaged-1.jnl"), std::string::npos);
    }
}

TEST_F(DamagedJournalTest, JournalsSetAsideKeepTheirOwnNamesAndHideGoesOn) {
    const HiddenItemRecord forged = HiddenItemRecord::Make("H2", "C:\\Docs\\x", "x");
    WriteIntent(kJournalPath, HideOf("C:\\Docs\\x", "", forged));
    ListHiddenItems();
    WriteIntent(kJournalPath, HideOf("C:\\Docs\\x", "", forged));
    WriteIntent(ParkedJournalPath('d'), HideOf("C:\\Docs\\x", "", forged));

    ASSERT_EQ(Hide("C:\\Docs\\report.txt", "c:").result, HideOutcome::Result::kHidden);
    EXPECT_EQ(ListHiddenItems().size(), 2u);
    for (const char* name :
         {"tessarn-damaged-1.jnl", "tessarn-damaged-2.jnl", "tessarn-damaged-3.jnl"}) {
        EXPECT_TRUE(fs::exists(System32() / name)) << name;
    }
    EXPECT_EQ(Damaged(JournalNotices()).size(), 3u);
    // Hide keeps them where they are, as it keeps the journal.
    EXPECT_EQ(Hide("C:\\windows\\system32\\TESSARN-DAMAGED-1.JNL", "c:").result,
              HideOutcome::Result::kRefused);
}

}  // namespace
}  // namespace hiding
