#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(CodePage, Windows1252TextRoundTripsOneBytePerCharacter) {
    const std::string text = "Résumé € „Grüße“ Œuvre Šárka — ÿ";
    EXPECT_EQ(ToAnsi("é€Ÿ"), "\xE9\x80\x9F");
    EXPECT_EQ(ToAnsi(text).size(), 32u);
    EXPECT_EQ(FromAnsi(ToAnsi(text)), text);
}

TEST(CodePage, EveryByteRoundTripsTheUndefinedOnesAsC1Controls) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
    EXPECT_EQ(FromAnsi("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(CodePage, UnrepresentableCharactersAndBadBytesBecomeOneQuestionMarkEach) {
    EXPECT_EQ(ToAnsi("a\u4E2Db\U0001F600c\u0101"), "a?b?c?");
    EXPECT_EQ(ToAnsi("a\xFF"
                     "b\xC3"),
              "a?b?");
    EXPECT_EQ(ToAnsi(std::string(1000, 'x') + "\u65E5"), std::string(1000, 'x') + "?");
    // Tag characters, which the converter would drop without a word.
    EXPECT_EQ(ToAnsi("a\U000E0000b\U000E007Fc\U000E0080"), "a?b?c?");
}

TEST(CodePage, RepresentableInAnsi) {
    EXPECT_TRUE(RepresentableInAnsi("C:\\Docs\\Café?.txt\u0081"));
    EXPECT_FALSE(RepresentableInAnsi("C:\\Docs\\\u65E5\u672C.txt"));
    EXPECT_FALSE(RepresentableInAnsi("\xFF"));
    EXPECT_FALSE(RepresentableInAnsi("report\U000E0041.txt"));
}

}  // namespace
}  // namespace platform
