#include "platform/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <optional>

#include "platform/posix/host_error.h"
#include "platform/utf16.h"
#include "platform/windows_error.h"

namespace platform {
namespace {

constexpr const char* kAnsi = "WINDOWS-1252";

// One iconv descriptor per direction and thread, opened once: opening one loads the converter
// module, far dearer than a conversion of a 100-character field.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw WindowsError(WindowsErrorFromErrno(errno),
                               std::string("Cannot load the code page ") + kAnsi);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; wherever iconv stops at a sequence it cannot convert, on_stuck(rest, out)
    // appends a replacement and returns how many bytes of rest it stands for (at least one).
    template <typename OnStuck>
    std::string Convert(std::string_view in, OnStuck on_stuck) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        char* in_ptr = const_cast<char*>(in.data());
        std::size_t in_left = in.size();
        while (in_left > 0) {
            char buffer[256];
            char* out_ptr = buffer;
            std::size_t out_left = sizeof buffer;
            const std::size_t result = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
            out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                const std::size_t used = on_stuck(std::string_view(in_ptr, in_left), out);
                in_ptr += used;
                in_left -= used;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

  private:
    iconv_t cd_;
};

// The code page leaves these five bytes undefined; Windows maps each to the C1 control character
// of the same value and back, so they survive a round trip.
bool IsUndefinedInAnsi(char32_t code) {
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

// The converter drops the Unicode tag characters (U+E0000 to U+E007F) without a word, as Unicode
// allows where language tags do not matter; in a name that would lose a character and so name
// another item. The length of the tag character at the start of text, or nothing.
std::optional<std::size_t> TagCharacterAt(std::string_view text) {
    const std::optional<Utf8Character> character = DecodeUtf8(text);
    if (!character || character->code >> 7 != 0xE0000 >> 7) return std::nullopt;
    return character->length;
}

std::string ToAnsiNoting(std::string_view utf8, bool& all_represented) {
    thread_local Converter converter(kAnsi, "UTF-8");
    all_represented = true;
    const auto on_stuck = [&](std::string_view rest, std::string& out) -> std::size_t {
        const std::optional<Utf8Character> character = DecodeUtf8(rest);
        if (character && IsUndefinedInAnsi(character->code)) {
            out += static_cast<char>(character->code);
            return character->length;
        }
        all_represented = false;
        out += '?';
        return character ? character->length : 1;
    };
    // Every tag character is taken out before the converter sees it and becomes '?' like any
    // other character the code page lacks. Its lead byte F3 is never part of another character.
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = utf8.find('\xF3'); at != std::string_view::npos;
         at = utf8.find('\xF3', at + 1)) {
        const std::optional<std::size_t> tag = TagCharacterAt(utf8.substr(at));
        if (!tag) continue;
        out += converter.Convert(utf8.substr(from, at - from), on_stuck);
        out += '?';
        all_represented = false;
        from = at + *tag;
    }
    return out + converter.Convert(utf8.substr(from), on_stuck);
}

// Paths and names are nearly always plain ASCII, which both encodings spell alike; the register's
// readers convert tens of thousands of fields at a time, so those skip the converter.
bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    bool all_represented;
    return ToAnsiNoting(utf8, all_represented);
}

std::string FromAnsi(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi);
    thread_local Converter converter("UTF-8", kAnsi);
    // Only the undefined bytes stop the converter; each becomes the C1 character of its value.
    return converter.Convert(ansi, [](std::string_view rest, std::string& out) -> std::size_t {
        const auto byte = static_cast<unsigned char>(rest.front());
        out += static_cast<char>(0xC0 | (byte >> 6));
        out += static_cast<char>(0x80 | (byte & 0x3F));
        return 1;
    });
}

bool RepresentableInAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return true;
    bool all_represented;
    ToAnsiNoting(utf8, all_represented);
    return all_represented;
}

}  // namespace platform
