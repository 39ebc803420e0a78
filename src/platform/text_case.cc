#include "platform/text_case.h"

#include <algorithm>
#include <numeric>

namespace platform {

// Works on the UTF-8 bytes directly: every letter folded here is one byte (ASCII) or two bytes
// whose lead byte is C3 or C5 and never appears inside another character, and its lower-case
// form has the same length. Bytes that are not well-formed UTF-8 pass through unchanged, so a
// host name in another encoding still compares equal to itself.
std::string FoldCase(std::string_view utf8) {
    std::string folded(utf8);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (byte >= 'A' && byte <= 'Z') {
            folded[i] = static_cast<char>(byte + ('a' - 'A'));
            continue;
        }
        if (i + 1 == folded.size()) break;
        const auto next = static_cast<unsigned char>(folded[i + 1]);
        if (byte == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {
            // À..Þ to à..þ, leaving × (U+00D7) alone.
            folded[i + 1] = static_cast<char>(next + 0x20);
        } else if (byte == 0xC5 && (next == 0xA0 || next == 0x92 || next == 0xBD)) {
            // Š, Œ, Ž: the lower case follows the upper case directly.
            folded[i + 1] = static_cast<char>(next + 1);
        } else if (byte == 0xC5 && next == 0xB8) {
            // Ÿ (U+0178) to ÿ (U+00FF).
            folded[i] = static_cast<char>(0xC3);
            folded[i + 1] = static_cast<char>(0xBF);
        }
    }
    return folded;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

bool MatchesIgnoringCase(std::string_view name, std::string_view pattern) {
    const std::string text = FoldCase(name);
    const std::string wanted = FoldCase(pattern);
    // The last '*' met, and where in the text its run would end were it one character longer:
    // on a mismatch the run grows by one and matching goes on from there. Folding keeps every
    // '*' in place and turns no other byte into one.
    std::size_t star = std::string::npos;
    std::size_t resume = 0;
    std::size_t at = 0;
    std::size_t in = 0;
    while (at < text.size()) {
        if (in < wanted.size() && wanted[in] == '*') {
            star = in++;
            resume = at;
        } else if (in < wanted.size() && wanted[in] == text[at]) {
            ++in;
            ++at;
        } else if (star != std::string::npos) {
            in = star + 1;
            at = ++resume;
        } else {
            return false;
        }
    }
    while (in < wanted.size() && wanted[in] == '*') ++in;
    return in == wanted.size();
}

// A folder may hold 100,000 names: they are sorted through their positions, and each is moved
// once.
void SortIgnoringCase(std::vector<std::string>& names) {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names) keys.push_back(FoldCase(name));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int by_key = keys[a].compare(keys[b]);
        return by_key != 0 ? by_key < 0 : names[a] < names[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::size_t position : order) sorted.push_back(std::move(names[position]));
    names = std::move(sorted);
}

}  // namespace platform
