// Each hiding place's list kept in step with the register: by Hide and Unhide, and by every
// opening of the register, which mends what a crash or anything else left; and the items found
// without a record, which only the hidden-items window's opening records.
#include "hiding/item_lists.h"

#include "hiding/hide.h"
#include "hiding/journal_notices.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "hiding_test.h"
#include "register/item_list.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<HiddenItemRecord>;

class ItemListsTest : public HidingTest {
  protected:
    fs::path ListOf(const fs::path& root) const { return root / "recycled" / kItemListName; }
    Entries ListedOn(const fs::path& root) const { return EntriesOfItemList(Bytes(ListOf(root))); }

    // Whether the opening wrote the list: it is written anew, never in place.
    bool OpeningWritesTheList() const {
        const auto long_ago = fs::last_write_time(ListOf(DriveC())) - std::chrono::hours(1);
        fs::last_write_time(ListOf(DriveC()), long_ago);
        ListHiddenItems();
        return fs::last_write_time(ListOf(DriveC())) != long_ago;
    }

    static HiddenItemRecord Of(const std::string& hidden_name, const std::string& path) {
        return HiddenItemRecord::Make(hidden_name, path, path.substr(path.rfind('\\') + 1));
    }
    std::vector<JournalNotice> FoundNotices() const {
        std::vector<JournalNotice> found;
        for (const JournalNotice& notice : JournalNotices()) {
            if (notice.kind == JournalNotice::Kind::kFound) found.push_back(notice);
        }
        return found;
    }
};

TEST_F(ItemListsTest, HideAddsUnhideRemovesAndAnOpeningInStepWritesNothing) {
    Store(HostC("Docs/notes.txt"), "notes");
    ASSERT_EQ(Hide("C:\\Docs\\report.txt", "c:").result, HideOutcome::Result::kHidden);
    ASSERT_EQ(Hide("C:\\Docs\\notes.txt", "c:").result, HideOutcome::Result::kHidden);
    const Entries listed = ListedOn(DriveC());  // before an opening could mend it
    EXPECT_EQ(listed, ListHiddenItems());
    EXPECT_FALSE(OpeningWritesTheList());

    ASSERT_EQ(Unhide(0, "report.txt", "C:\\Docs\\report.txt").result,
              UnhideOutcome::Result::kUnhidden);
    EXPECT_EQ(ListedOn(DriveC()), (Entries{Of("H2", "C:\\Docs\\notes.txt")}));
    EXPECT_FALSE(OpeningWritesTheList());
}

TEST_F(ItemListsTest, AnOpeningMendsEveryListAgainstTheRegisterAndWhatItsHidingPlaceHolds) {
    const fs::path d = AddDriveD();
    for (const char* name : {"H1", "H2", "H3", "h4"}) Store(HostC("recycled") / name, name);
    Store(d / "recycled/H1", "song");
    const HiddenItemRecord a = Of("H1", "C:\\Docs\\a.txt");
    const HiddenItemRecord b = Of("H2", "C:\\Docs\\b.txt");
    // Drive F is a second letter for drive C's folder: its records belong to the same list.
    const HiddenItemRecord f = Of("H4", "F:\\Docs\\f.txt");
    const HiddenItemRecord song = Of("H1", "D:\\song.mp3");
    StoreRecords({a, b, f, song});
    const HiddenItemRecord from_elsewhere = Of("H3", "E:\\Work\\plan.txt");
    Store(ListOf(DriveC()), BytesOf({Of("H2", "C:\\Docs\\old b.txt"), Of("H3", "C:\\older"),
                                     Of("H9", "C:\\Docs\\gone.txt"), from_elsewhere}) +
                                "torn");

    ListHiddenItems();
    // The register's record wins; an entry whose item is gone goes; an entry of an item that no
    // record names stays, its later entry standing for it.
    EXPECT_EQ(ListedOn(DriveC()), (Entries{b, from_elsewhere, a, f}));
    EXPECT_EQ(Bytes(ListOf(DriveC())).size(), 4u * HiddenItemRecord::kSize);
    EXPECT_EQ(ListedOn(d), (Entries{song}));
    EXPECT_FALSE(OpeningWritesTheList());

    // A list in step but for one record that is no entry loses that record.
    Store(ListOf(d), BytesOf({song, Of("H0", "D:\\never.txt")}));
    ListHiddenItems();
    EXPECT_EQ(Bytes(ListOf(d)), BytesOf({song}));
}

TEST_F(ItemListsTest, OnlyTheWindowsOpeningRecordsFoundItemsAndOnlyThoseNothingNames) {
    const fs::path d = AddDriveD();
    Store(HostC("recycled/H1"), "a");
    Store(HostC("recycled/H2"), "stranded");
    StoreRecords({Of("H1", "C:\\Docs\\a.txt")});
    ListHiddenItems();
    EXPECT_EQ(ListHiddenItems().size(), 1u) << "Hide and Unhide's openings record nothing found";

    // An item of another medium of drive D under the name that a Hide cut short on the first
    // medium waits for: only that medium can tell whether it is the waiting item.
    WriteIntent(ParkedJournalPath('d'),
                {Intent::Operation::kHide, 1, Of("H1", "D:\\song.mp3"), "D:\\song.mp3",
                 "D:\\recycled\\H1", platform::MediumOf("D:\\recycled")});
    machine().PutInAnotherMediumOfD();
    Store(d / "recycled/H1", "the other medium's own");

    const std::vector<JournalNotice> found = FoundNotices();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].sentence.find("found 1 hidden item"), std::string::npos);
    EXPECT_NE(found[0].sentence.find("C:\\recycled\\H2 to C:\\Tessarn found H2"), std::string::npos)
        << found[0].sentence;
    EXPECT_EQ(ListHiddenItems().size(), 2u);
    EXPECT_TRUE(FoundNotices().empty()) << "found twice";
}

TEST_F(ItemListsTest, ItemsFoundBeyondTheRegistersLastNumberAreToldAndLeftAlone) {
    Store(RegisterFile(), "");
    fs::resize_file(RegisterFile(), 32767 * 400);
    Store(HostC("recycled/H2"), "stranded");
    const std::vector<JournalNotice> found = FoundNotices();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].sentence.find("1 more item lies in a hiding place without a record"),
              std::string::npos)
        << found[0].sentence;
    EXPECT_EQ(fs::file_size(RegisterFile()), 32767u * 400);
}

}  // namespace
}  // namespace hiding
