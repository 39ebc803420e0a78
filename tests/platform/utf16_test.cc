// The one conversion between the program's UTF-8 and the UTF-16 of the Win32 calls, which every
// name and caption crosses on Windows.
#include "platform/utf16.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Utf16Test, RoundTripsEveryPlaneAndReplacesWhatIsNoUnicode) {
    // ASCII, a Latin-1 letter, the euro sign and a character beyond U+FFFF, a surrogate pair.
    const std::string text = "a\xc3\xa9\xe2\x82\xac\xf0\x9d\x84\x9e";
    const std::wstring units = {L'a', 0xE9, 0x20AC, 0xD834, 0xDD1E};
    EXPECT_EQ(Wide(text), units);
    EXPECT_EQ(Utf8(units), text);
    // A stray continuation byte, a cut-off sequence and an encoded surrogate: one U+FFFD a byte
    // that starts no character; a surrogate without its pair the same on the way back.
    EXPECT_EQ(Wide("\x80x\xe2\x82"), (std::wstring{0xFFFD, L'x', 0xFFFD, 0xFFFD}));
    EXPECT_EQ(Wide("\xed\xa0\x80").front(), 0xFFFD);
    EXPECT_EQ(Utf8(std::wstring{0xD834, L'x', 0xDD1E}), "\xef\xbf\xbdx\xef\xbf\xbd");
}

}  // namespace
}  // namespace platform
