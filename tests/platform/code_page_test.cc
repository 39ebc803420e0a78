#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(CodePage, Windows1252TextRoundTrips) {
    const std::string text = "Résumé € „Grüße“ Œuvre Šárka — ÿ";
    const std::string ansi = ToAnsi(text);
    EXPECT_EQ(ansi.size(), 32u);  // one byte per character
    EXPECT_EQ(FromAnsi(ansi), text);
}

TEST(CodePage, ToAnsiGivesTheCodePageBytes) {
    EXPECT_EQ(ToAnsi("é€Ÿ"), "\xE9\x80\x9F");
}

TEST(CodePage, EveryByteOfTheCodePageRoundTrips) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
}

TEST(CodePage, UndefinedBytesBecomeC1Controls) {
    EXPECT_EQ(FromAnsi("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(CodePage, UnrepresentableCharacterBecomesOneQuestionMark) {
    EXPECT_EQ(ToAnsi("a\u4E2Db\U0001F600c\u0101"), "a?b?c?");
}

TEST(CodePage, BytesThatAreNotUtf8BecomeQuestionMarks) {
    EXPECT_EQ(ToAnsi("a\xFF"
                     "b\xC3"),
              "a?b?");
}

TEST(CodePage, LongTextConvertsWhole) {
    const std::string text(1000, 'x');
    EXPECT_EQ(ToAnsi(text + "é"), text + "\xE9");
}

TEST(CodePage, RepresentableInAnsi) {
    EXPECT_TRUE(RepresentableInAnsi("C:\\Docs\\Café?.txt"));
    EXPECT_TRUE(RepresentableInAnsi("\u0081"));
    EXPECT_FALSE(RepresentableInAnsi("C:\\Docs\\\u65E5\u672C.txt"));
    EXPECT_FALSE(RepresentableInAnsi("\xFF"));
}

}  // namespace
}  // namespace platform
