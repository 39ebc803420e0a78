// A hiding place's list of its items: the names it may hold, what a damaged one keeps, and the
// steps of Hide and Unhide on it, on the test machine's own hiding place.
#include "register/item_list.h"

#include "register/register_test.h"

namespace hiding {
namespace {

using ItemListTest = RegisterTest;
using Entries = std::vector<HiddenItemRecord>;

HiddenItemRecord Entry(const std::string& hidden_name, const std::string& path) {
    return HiddenItemRecord::Make(hidden_name, path, path.substr(path.rfind('\\') + 1));
}

TEST(HiddenNumberTest, OnlyTheNamesHideGivesHaveANumber) {
    EXPECT_EQ(HiddenNumberOf("H1"), 1);
    EXPECT_EQ(HiddenNumberOf("H32767"), 32767);
    for (const char* name : {"H0", "H32768", "H01", "h5", "H5 ", " H5", "H+5", "H-5", "H", "",
                             "H5.", "HH5", "H99999999999"}) {
        EXPECT_EQ(HiddenNumberOf(name), std::nullopt) << '"' << name << '"';
    }
    // The file system finds H5 by any letter case, and nothing else by another spelling.
    EXPECT_EQ(HiddenNumberInAnyCase("h5"), 5);
    EXPECT_EQ(HiddenNumberInAnyCase("h05"), std::nullopt);
}

TEST(ItemListEntriesTest, ADamagedListKeepsItsWholeEntriesAndDropsTheRest) {
    const HiddenItemRecord a = Entry("H1", "C:\\Docs\\a.txt");
    const HiddenItemRecord b = Entry("H32767", "D:\\Old");
    Entries dropped = {
        Entry("..\\..\\Docs", "C:\\Docs\\x"),  // a name that leads out of the hiding place
        Entry("H01", "C:\\Docs\\x"),
        Entry("h5", "C:\\Docs\\x"),
        Entry("H2", "Docs\\x"),                            // a path on no drive
        Entry("H2", "C:\\"),                               // a drive's root
        Entry("H2", "C:\\Docs\\.."),                       // a name that names the folder above
        Entry("H2", "C:\\Docs\\a\tb"),                     // a control character
        HiddenItemRecord::Make("H2", "C:\\Docs\\x", "y"),  // a name that is not the path's
    };
    std::string bytes = RegisterTest::BytesOf({a});
    for (const HiddenItemRecord& bad : dropped) bytes += RegisterTest::BytesOf({bad});
    bytes += std::string(400, '\0') + RegisterTest::BytesOf({b}) +
             RegisterTest::BytesOf({a}).substr(0, 150);
    EXPECT_EQ(EntriesOfItemList(bytes), (Entries{a, b}));
}

TEST_F(ItemListTest, HideAndUnhideAddAndRemoveEntriesWithoutRewritingTheList) {
    const std::string hiding_place = "C:\\recycled";
    const std::filesystem::path list = DriveC() / "recycled" / kItemListName;
    const Entries items = Items(3);
    EXPECT_EQ(ReadItemList(hiding_place), "");
    RemoveFromItemList(hiding_place, items, 0);
    EXPECT_FALSE(std::filesystem::exists(list));

    // An entry cut short by a crash is written over.
    Store(list, BytesOf({items[0]}) + "H2   cut short");
    AppendToItemList(hiding_place, items[1]);
    AppendToItemList(hiding_place, items[2]);
    EXPECT_EQ(Bytes(list), BytesOf(items));
    RemoveFromItemList(hiding_place, items, 0);
    EXPECT_EQ(Bytes(list), BytesOf({items[2], items[1]}));
    RemoveFromItemList(hiding_place, {items[2], items[1]}, 1);
    EXPECT_EQ(Bytes(list), BytesOf({items[2]}));

    // A list that no longer holds what the opening found is left for the next opening to mend.
    Store(list, BytesOf(items) + "torn");
    RemoveFromItemList(hiding_place, items, 0);
    EXPECT_EQ(Bytes(list), BytesOf(items) + "torn");
    WriteItemList(hiding_place, {items[1]});
    EXPECT_EQ(ReadItemList(hiding_place), BytesOf({items[1]}));
    EXPECT_FALSE(std::filesystem::exists(DriveC() / "recycled" / "tessarn-items.tmp"));
}

}  // namespace
}  // namespace hiding
