#include "platform/utf16.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(char32_t code, std::string& utf8) {
    const auto byte = [&utf8](char32_t value) { utf8 += static_cast<char>(value); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | (code >> 6));
        byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | (code >> 12));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | (code >> 18));
        byte(0x80 | ((code >> 12) & 0x3F));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::optional<Utf8Character> DecodeUtf8(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    char32_t code;
    char32_t minimum;
    if (lead < 0x80) return Utf8Character{lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(byte(i))) return std::nullopt;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) {
        return std::nullopt;
    }
    return Utf8Character{code, length};
}

void AppendUtf16(char32_t code, std::wstring& utf16) {
    if (code < 0x10000) {
        utf16 += static_cast<wchar_t>(code);
        return;
    }
    const char32_t beyond = code - 0x10000;
    utf16 += static_cast<wchar_t>(0xD800 + (beyond >> 10));
    utf16 += static_cast<wchar_t>(0xDC00 + (beyond & 0x3FF));
}

std::wstring Wide(std::string_view utf8) {
    std::wstring utf16;
    utf16.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::optional<Utf8Character> character = DecodeUtf8(utf8);
        AppendUtf16(character ? character->code : kReplacement, utf16);
        utf8.remove_prefix(character ? character->length : 1);
    }
    return utf16;
}

std::string Utf8(std::wstring_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    const auto unit = [&utf16](std::size_t i) { return static_cast<char32_t>(utf16[i]); };
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = unit(i);
        if (IsHighSurrogate(code) && i + 1 < utf16.size() && IsLowSurrogate(unit(i + 1))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
        } else if (code > 0xFFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) {
            // A lone surrogate, or on Linux a wchar_t that holds no UTF-16 unit at all.
            code = kReplacement;
        }
        AppendUtf8(code, utf8);
    }
    return utf8;
}

}  // namespace platform
