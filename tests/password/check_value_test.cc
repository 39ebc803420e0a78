#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "platform/code_page.h"
#include "password/password_store.h"

namespace password {
namespace {

// The codes 0-255 whose residue is one less than c mod 30: the double steps round f * 30 just
// below the whole number.
constexpr std::array<int, 93> kOneBelowModulo = {
    32,  34,  36,  38,  40,  42,  44,  55,  57,  59,  61,  64,  65,  68,  69,  72,  73,  76,  80,
    84,  87,  88,  91,  94,  95,  98,  99,  102, 103, 106, 110, 114, 117, 118, 121, 122, 123, 128,
    129, 130, 131, 136, 137, 138, 144, 145, 146, 151, 152, 153, 158, 159, 160, 161, 166, 167, 168,
    174, 175, 176, 181, 182, 183, 188, 189, 190, 191, 196, 197, 198, 204, 205, 206, 211, 212, 213,
    218, 219, 220, 221, 226, 227, 228, 234, 235, 236, 241, 242, 243, 244, 245, 246, 247};

std::string UpperHex(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

TEST(ResidueTest, EveryAnsiCodeIsItsModuloOrOneLessAtTheListedCodes) {
    for (int code = 0; code <= 255; ++code) {
        const bool below = std::count(kOneBelowModulo.begin(), kOneBelowModulo.end(), code) == 1;
        const int expected = code % 30 - (below ? 1 : 0);
        EXPECT_EQ(Residue(static_cast<std::int16_t>(code)), expected) << "code " << code;
        // The same residue must come out of a one-character password typed as that character.
        const std::string password = platform::FromAnsi(std::string(1, static_cast<char>(code)));
        EXPECT_EQ(ComputeCheckValue(password), UpperHex(expected)) << "code " << code;
    }
}

TEST(ResidueTest, CodesBelowZeroKeepTheirSign) {
    EXPECT_EQ(Residue(-65), -5);
    EXPECT_EQ(Residue(-30), 0);
    EXPECT_EQ(Residue(-32768), -8);
}

TEST(ComputeCheckValueTest, WorkedValues) {
    EXPECT_EQ(ComputeCheckValue("abc"), "16");
    EXPECT_EQ(ComputeCheckValue(""), "0");
    EXPECT_EQ(ComputeCheckValue("\n"), "A");                           // 10
    EXPECT_EQ(ComputeCheckValue(std::string(10, 'Y') + "\n"), "12C");  // 10 x 29 + 10 = 300
}

TEST(ComputeCheckValueTest, CharactersOfResidueZeroAddNothing) {
    EXPECT_EQ(ComputeCheckValue("<=Z[xy"), "0");
    EXPECT_EQ(ComputeCheckValue("ab<=Z[xyc"), ComputeCheckValue("abc"));
}

TEST(ComputeCheckValueTest, RearrangingThePasswordKeepsTheValue) {
    std::string password = "Pa$ w0rd";
    std::sort(password.begin(), password.end());
    const auto expected = ComputeCheckValue(password);
    do {
        ASSERT_EQ(ComputeCheckValue(password), expected) << password;
    } while (std::next_permutation(password.begin(), password.end()));
}

TEST(ComputeCheckValueTest, CountsCharactersByTheirAnsiCode) {
    EXPECT_EQ(ComputeCheckValue("\u20ac"), "7");  // the euro sign is 128 in the code page
    EXPECT_EQ(ComputeCheckValue("\u00e9"), ComputeCheckValue(platform::FromAnsi("\xe9")));
    EXPECT_EQ(ComputeCheckValue("\u2603"), ComputeCheckValue("?"));  // not in the code page
}

TEST(ComputeCheckValueTest, RefusesPasswordsBeyondSixteenBits) {
    // 'Y' (89) has the largest residue, 29.
    EXPECT_EQ(ComputeCheckValue(std::string(1129, 'Y')), "7FE5");
    EXPECT_EQ(ComputeCheckValue(std::string(1130, 'Y')), std::nullopt);
    EXPECT_EQ(ComputeCheckValue(std::string(32767, '<')), "0");
    EXPECT_EQ(ComputeCheckValue(std::string(32768, '<')), std::nullopt);
}

}  // namespace
}  // namespace password
