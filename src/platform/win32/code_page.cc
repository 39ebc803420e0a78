#include "platform/code_page.h"

#include <algorithm>

#include "platform/utf16.h"
#include "platform/win32/system_path.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

constexpr UINT kAnsi = 1252;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// UTF-8 to UTF-16, one unit per character. The conversion makes U+FFFD of every byte sequence
// that is not UTF-8, which the code page lacks; a character beyond U+FFFF, which the code page
// lacks too, is two UTF-16 units and would give two '?', so each pair is made one U+FFFD first.
std::wstring OneUnitPerCharacter(std::string_view utf8) {
    std::wstring wide = Wide(utf8);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
            wide[kept++] = 0xFFFD;
            ++i;
        } else {
            wide[kept++] = wide[i];
        }
    }
    wide.resize(kept);
    return wide;
}

// Without WC_NO_BEST_FIT_CHARS Windows writes a look-alike for many characters (A for Ā), which
// in a name would name another item; with it, every character the code page lacks becomes '?'.
std::string ToAnsiNoting(std::string_view utf8, bool& all_represented) {
    const std::wstring wide = OneUnitPerCharacter(utf8);
    if (wide.empty()) {
        all_represented = true;
        return {};
    }
    const int length = static_cast<int>(wide.size());
    BOOL used_default = FALSE;
    const int size = WideCharToMultiByte(kAnsi, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr,
                                         0, "?", &used_default);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kAnsi, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(), size, "?",
                        &used_default);
    all_represented = used_default == FALSE;
    return ansi;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    bool all_represented;
    return ToAnsiNoting(utf8, all_represented);
}

// The five bytes the code page leaves undefined come back as the C1 control characters of the
// same value, which Windows maps them to.
std::string FromAnsi(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi);
    const int length = static_cast<int>(ansi.size());
    const int size = MultiByteToWideChar(kAnsi, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(kAnsi, 0, ansi.data(), length, wide.data(), size);
    return Utf8(wide);
}

bool RepresentableInAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return true;
    bool all_represented;
    ToAnsiNoting(utf8, all_represented);
    return all_represented;
}

}  // namespace platform
