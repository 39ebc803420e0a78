#include "register/hidden_item_record.h"

#include <gtest/gtest.h>

#include <string>

#include "register/hiding_place.h"

namespace hiding {
namespace {

TEST(HiddenItemRecordTest, FieldsAreSpacePaddedAnsiTextsCutToTheirWidths) {
    const std::string long_path = "C:\\" + std::string(247, 'a');
    const HiddenItemRecord record = HiddenItemRecord::Make("H3", long_path, "r\xc3\xa9sum\xc3\xa9");

    const std::string bytes(reinterpret_cast<const char*>(&record), HiddenItemRecord::kSize);
    EXPECT_EQ(bytes, "H3" + std::string(98, ' ') + long_path.substr(0, 200) + "r\xe9sum\xe9" +
                         std::string(94, ' '));
    EXPECT_EQ(record.hidden_name(), "H3");
    EXPECT_EQ(record.item_path(), long_path.substr(0, 200));
    EXPECT_EQ(record.item_name(), "r\xc3\xa9sum\xc3\xa9");
    EXPECT_EQ(HiddenItemRecord::Make("H1", "C:\\\xe6\x97\xa5.txt", "").item_path(), "C:\\?.txt");
}

TEST(HidingPlaceTest, HideAndUnhideComposeTheSamePlaceFromDifferentSources) {
    EXPECT_EQ(HidePathFor("c:", HiddenNameFor(3)), "c:\\recycled\\H3");
    EXPECT_EQ(UnhidePathFor(HiddenItemRecord::Make("H3", "C:\\Docs\\report.txt", "report.txt")),
              "C:\\recycled\\H3");
    // No drive letter: a path no drive resolves, so the move back fails and says so.
    EXPECT_EQ(UnhidePathFor(HiddenItemRecord::Make("H7", "", "")), ":\\recycled\\H7");
}

}  // namespace
}  // namespace hiding
