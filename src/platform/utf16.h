// Text as the program keeps it, UTF-8, and as the Win32 calls take it, UTF-16. Converted here in
// plain C++, once for every layer: the Windows platform and the Win32 windows share it without
// <windows.h>, and the Linux stand-ins read UTF-8 with the same decoder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Utf8Character {
    char32_t code;
    std::size_t length;  // in bytes
};

// The UTF-8 character at the start of text; nothing for an ill-formed or cut-off sequence
// (overlong forms, surrogates and codes above U+10FFFF included).
std::optional<Utf8Character> DecodeUtf8(std::string_view text);

// UTF-16 holds one code unit in each wchar_t: the 16 bits of Windows' wchar_t, and on Linux, whose
// wchar_t is wider, one unit all the same. A character beyond U+FFFF is two units, a surrogate
// pair.
void AppendUtf16(char32_t code, std::wstring& utf16);

// Each byte that starts no UTF-8 character, and each surrogate without its pair, becomes U+FFFD:
// text that is no Unicode is never dropped without a trace, nor passed on as another text.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

}  // namespace platform
