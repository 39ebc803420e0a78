#include "platform/windows_names.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

using ::testing::HasSubstr;

std::string Why(std::string_view path) {
    return WhyWindowsCannotHold(path).value_or("<holdable>");
}

TEST(WhyWindowsCannotHold, DeviceNamesInAnyCaseWithAnyExtensionAsAnyName) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"C:\\Docs\\con", "CON"},
        {"C:\\Docs\\NUL.txt", "NUL"},
        {"C:\\Docs\\Aux.tar.gz", "AUX"},
        {"C:\\prn\\report.txt", "PRN"},
        {"C:\\Docs\\nul .txt", "NUL"},
        {"C:\\Docs\\com1", "COM1"},
        {"C:\\Docs\\Com9.log", "COM9"},
        {"C:\\Docs\\lpt1", "LPT1"},
        {"C:\\LPT9\\x", "LPT9"},
        {"C:\\Docs\\com\u00B9.txt", "COM\u00B9"},
        {"C:\\Docs\\lpt\u00B3", "LPT\u00B3"},
        // The last name loses its trailing dots as Windows reads the path, and is still CON.
        {"C:\\Docs\\con.", "CON"},
    };
    for (const auto& [path, device] : cases) {
        EXPECT_THAT(Why(path), HasSubstr("stands for the device " + std::string(device))) << path;
    }
    for (const std::string_view path :
         {"C:\\Docs\\com0", "C:\\Docs\\com10", "C:\\Docs\\lpt", "C:\\Docs\\console.txt",
          "C:\\Docs\\nulled", "C:\\Docs\\my con.txt", "C:\\Docs\\.con", "C:\\Docs\\auxiliary\\a",
          "C:\\Docs\\com\u00B4", "C:\\con1\\x"}) {
        EXPECT_EQ(Why(path), "<holdable>") << path;
    }
}

TEST(WhyWindowsCannotHold, NamesEndingInADotOrASpaceAndCharactersNoNameMayHold) {
    EXPECT_THAT(Why("C:\\Docs \\report.txt"), HasSubstr("\"Docs \" ends in a space"));
    EXPECT_THAT(Why("C:\\Docs \\"), HasSubstr("\"Docs \" ends in a space"));
    // A folder on the way loses one trailing dot, as Windows reads it; a second one stays.
    EXPECT_THAT(Why("C:\\Docs..\\report.txt"), HasSubstr("\"Docs.\" ends in a dot"));
    EXPECT_EQ(Why("C:\\Docs.\\report.txt"), "<holdable>");
    // The last name's trailing dots and spaces are no part of it.
    EXPECT_EQ(Why("C:\\Docs\\report.txt. . "), "<holdable>");

    for (const char c : std::string_view("<>:\"|?*")) {
        const std::string path = std::string("C:\\Docs\\a") + c + "b.txt";
        EXPECT_THAT(Why(path), HasSubstr(std::string("holds the character ") + c)) << path;
    }
    EXPECT_THAT(Why("C:\\Docs\\tab\there"), HasSubstr("control character (code 9)"));
    EXPECT_EQ(Why("C:\\Docs\\caf\u00E9 & co, 'draft' #2 [v1] {old} 100%.txt"), "<holdable>");
}

TEST(WhyWindowsCannotHold, PathsThatDoNotFitMaxPath) {
    // C:\ and a name: 259 characters fit beside MAX_PATH's terminating NUL, 260 do not.
    EXPECT_EQ(Why("C:\\" + std::string(256, 'a')), "<holdable>");
    EXPECT_THAT(Why("C:\\" + std::string(257, 'a')), HasSubstr("260 characters long"));
    // Counted as Windows counts, in UTF-16 units: é is one, and a character beyond U+FFFF two.
    std::string accented;
    for (int i = 0; i < 256; ++i) accented += "\u00E9";
    EXPECT_EQ(Why("C:\\" + accented), "<holdable>");
    EXPECT_THAT(Why("C:\\" + std::string(255, 'a') + "\U0001F600"), HasSubstr("260 characters"));
    // A path Windows reads shorter than its text is counted as read.
    EXPECT_EQ(Why("C:\\Docs\\..\\" + std::string(256, 'a')), "<holdable>");
}

TEST(WhyWindowsCannotHold, TextsThatAreNoDrivePathAreLeftToTheMove) {
    for (const std::string_view text : {"", "con", "\\\\server\\share\\con", "C:con"}) {
        EXPECT_EQ(Why(text), "<holdable>") << text;
    }
}

}  // namespace
}  // namespace platform
