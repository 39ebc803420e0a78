#include "platform/text_case.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(FoldCase, FoldsAsciiAndWindows1252Letters) {
    EXPECT_EQ(FoldCase("C:\\DOCS\\Report.TXT"), "c:\\docs\\report.txt");
    EXPECT_EQ(FoldCase("ÀÉÎÕÜÝÞ"), "àéîõüýþ");
    EXPECT_EQ(FoldCase("ŠŒŽŸ"), "šœžÿ");
}

TEST(FoldCase, LeavesOtherCharactersAlone) {
    EXPECT_EQ(FoldCase("×ß@[`{"), "×ß@[`{");
    EXPECT_EQ(FoldCase("àšÿ€"), "àšÿ€");
}

TEST(FoldCase, InvalidUtf8BytesStayAsTheyAre) {
    EXPECT_EQ(FoldCase("A\xFF\xC3"), "a\xFF\xC3");
}

TEST(EqualIgnoringCase, MatchesAcrossLetterCase) {
    EXPECT_TRUE(EqualIgnoringCase("Recycled", "RECYCLED"));
    EXPECT_TRUE(EqualIgnoringCase("Œuvre Ÿ", "œUVRE ÿ"));
    EXPECT_FALSE(EqualIgnoringCase("recycled", "recycle"));
    EXPECT_FALSE(EqualIgnoringCase("e", "é"));
}

TEST(EqualIgnoringCase, InvalidUtf8ComparesByteForByte) {
    EXPECT_TRUE(EqualIgnoringCase("A\xE9", "a\xE9"));
    EXPECT_FALSE(EqualIgnoringCase("\xE9", "\xC9"));
}

}  // namespace
}  // namespace platform
