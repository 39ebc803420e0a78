#include "register/hidden_item_record.h"

#include <gtest/gtest.h>

#include <string>

#include "register/hiding_place.h"

namespace hiding {
namespace {

std::string Padded(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

TEST(HiddenItemRecordTest, FieldsAreSpacePaddedAnsiTextsCutToTheirWidths) {
    const std::string long_path = "C:\\" + std::string(247, 'a');
    const HiddenItemRecord record = HiddenItemRecord::Make("H3", long_path, "r\xc3\xa9sum\xc3\xa9");

    const std::string bytes(reinterpret_cast<const char*>(&record), HiddenItemRecord::kSize);
    EXPECT_EQ(bytes, Padded("H3", 100) + long_path.substr(0, 200) + Padded("r\xe9sum\xe9", 100));
    EXPECT_EQ(record.hidden_name(), "H3");
    EXPECT_EQ(record.item_path(), long_path.substr(0, 200));
    EXPECT_EQ(record.item_name(), "r\xc3\xa9sum\xc3\xa9");
}

TEST(HiddenItemRecordTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const HiddenItemRecord record = HiddenItemRecord::Make("H1", "C:\\\xe6\x97\xa5.txt", "x");
    EXPECT_EQ(record.item_path(), "C:\\?.txt");
}

TEST(HidingPlaceTest, HideAndUnhideComposeTheSamePlaceFromDifferentSources) {
    EXPECT_EQ(HiddenNameFor(3), "H3");
    EXPECT_EQ(HidePathFor("c:", "H3"), "c:\\recycled\\H3");
    EXPECT_EQ(UnhidePathFor(HiddenItemRecord::Make("H3", "C:\\Docs\\report.txt", "report.txt")),
              "C:\\recycled\\H3");
}

TEST(HidingPlaceTest, BlankItemPathGivesNoDriveLetter) {
    EXPECT_EQ(UnhidePathFor(HiddenItemRecord::Make("H7", "", "")), ":\\recycled\\H7");
}

}  // namespace
}  // namespace hiding
