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

TEST(MatchesIgnoringCase, AStarStandsForAnyRunOfCharactersAndTheRestForItself) {
    EXPECT_TRUE(MatchesIgnoringCase("TESSARN.JNL", "tessarn*.jnl"));
    EXPECT_TRUE(MatchesIgnoringCase("tessarn-d.jnl", "tessarn*.jnl"));
    EXPECT_TRUE(MatchesIgnoringCase("tessarn-damaged-12.jnl", "tessarn-damaged-*.jnl"));
    EXPECT_TRUE(MatchesIgnoringCase("a.jnl.jnl", "*.jnl"));
    EXPECT_TRUE(MatchesIgnoringCase("Œuvre", "œ*"));
    EXPECT_TRUE(MatchesIgnoringCase("", "*"));
    EXPECT_FALSE(MatchesIgnoringCase("tessarn.jnl.old", "tessarn*.jnl"));
    EXPECT_FALSE(MatchesIgnoringCase("xtessarn.jnl", "tessarn*.jnl"));
    EXPECT_FALSE(MatchesIgnoringCase("tessar.jnl", "tessarn*.jnl"));
    EXPECT_FALSE(MatchesIgnoringCase("TESSAR~1.JNL", "tessarn*.jnl")) << "a short name";
    EXPECT_FALSE(MatchesIgnoringCase("tessarn-d.jnl", "tessarn?d.jnl")) << "no '?' wildcard";
}

}  // namespace
}  // namespace platform
