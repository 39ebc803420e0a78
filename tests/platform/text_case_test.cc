#include "platform/text_case.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(FoldCase, FoldsAsciiAndWindows1252LettersOnly) {
    EXPECT_EQ(FoldCase("C:\\DOCS\\Report.TXT"), "c:\\docs\\report.txt");
    EXPECT_EQ(FoldCase("ÀÉÎÕÜÝÞ ŠŒŽŸ"), "àéîõüýþ šœžÿ");
    EXPECT_EQ(FoldCase("×ß@[`{àÿ€"), "×ß@[`{àÿ€");
}

TEST(EqualIgnoringCase, InvalidUtf8BytesCompareAsThemselves) {
    EXPECT_TRUE(EqualIgnoringCase("Œuvre Ÿ", "œUVRE ÿ"));
    EXPECT_FALSE(EqualIgnoringCase("e", "é"));
    EXPECT_TRUE(EqualIgnoringCase("A\xE9\xC3", "a\xE9\xC3"));
    EXPECT_FALSE(EqualIgnoringCase("\xE9", "\xC9"));
}

}  // namespace
}  // namespace platform
