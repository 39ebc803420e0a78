// The ANSI code page on any bytes, read both as ANSI text and as UTF-8 text. The promises:
// every ANSI byte comes back from UTF-8 as itself; converting to ANSI gives one byte per
// character, '?' where the code page has none, and a character that has one comes back whole;
// a byte that is no part of a well-formed UTF-8 character becomes one '?'.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_machine.h"
#include "platform/code_page.h"

namespace {

using platform::FromAnsi;
using platform::RepresentableInAnsi;
using platform::ToAnsi;

// A piece of UTF-8 text: one well-formed character, or one byte that belongs to none.
struct Piece {
    std::string_view bytes;
    bool well_formed;
};

// Splits UTF-8 text by the Unicode standard's rules (no overlong forms, no surrogates, nothing
// above U+10FFFF), written apart from the code under test so that the two can disagree.
std::vector<Piece> SplitUtf8(std::string_view text) {
    std::vector<Piece> pieces;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;  // the range of the second byte
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        bool well_formed = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; well_formed && k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            well_formed = k == 1 ? byte >= low && byte <= high : byte >= 0x80 && byte <= 0xBF;
        }
        if (!well_formed) length = 1;
        pieces.push_back(Piece{text.substr(i, length), well_formed});
        i += length;
    }
    return pieces;
}

void CheckFromAnsi(std::string_view ansi) {
    const std::string utf8 = FromAnsi(ansi);
    const std::vector<Piece> pieces = SplitUtf8(utf8);
    fuzz::Require(pieces.size() == ansi.size(), "every ANSI byte becomes one character");
    for (const Piece& piece : pieces) {
        fuzz::Require(piece.well_formed, "ANSI text becomes well-formed UTF-8");
    }
    fuzz::Require(RepresentableInAnsi(utf8), "a character from the code page is in the code page");
    fuzz::Require(ToAnsi(utf8) == ansi, "ANSI text comes back from UTF-8 unchanged");
}

void CheckToAnsi(std::string_view utf8) {
    const std::string ansi = ToAnsi(utf8);
    const std::vector<Piece> pieces = SplitUtf8(utf8);
    fuzz::Require(ansi.size() == pieces.size(), "one ANSI byte for each character");
    bool all_represented = true;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        fuzz::Require(ToAnsi(piece.bytes) == std::string(1, ansi[i]),
                      "a character converts alike alone and within a text");
        const bool represented = piece.well_formed && (ansi[i] != '?' || piece.bytes == "?");
        fuzz::Require(RepresentableInAnsi(piece.bytes) == represented,
                      "only '?' marks a character the code page has no code for");
        if (represented) {
            fuzz::Require(FromAnsi(std::string_view(&ansi[i], 1)) == piece.bytes,
                          "a character the code page has comes back whole");
        }
        all_represented = all_represented && represented;
    }
    fuzz::Require(RepresentableInAnsi(utf8) == all_represented,
                  "a text is representable exactly when each of its characters is");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckFromAnsi(bytes);
    CheckToAnsi(bytes);
    return 0;
}
