#include "forms/send_keys.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

#include "forms/toolkit.h"

namespace forms {
namespace {

std::optional<Key> KeyOfName(std::string_view name) {
    static constexpr std::pair<std::string_view, Key> kKeys[] = {
        {"HOME", Key::kHome},     {"END", Key::kEnd},
        {"LEFT", Key::kLeft},     {"RIGHT", Key::kRight},
        {"UP", Key::kUp},         {"DOWN", Key::kDown},
        {"DELETE", Key::kDelete}, {"BACKSPACE", Key::kBackspace},
        {"ENTER", Key::kEnter},   {"ESC", Key::kEsc},
        {"TAB", Key::kTab},
    };
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const auto& [known, key] : kKeys) {
        if (known == upper) return key;
    }
    return std::nullopt;
}

// The character that starts at `at` in UTF-8 text, and moves `at` past it. A byte that starts no
// well-formed character stands for itself.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    const int length = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = length == 0 ? lead : lead & (0x3F >> length);
    for (int i = 0; i < length && at < text.size(); ++i) {
        code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    return code;
}

}  // namespace

std::vector<Keystroke> ParseKeys(std::string_view keys) {
    std::vector<Keystroke> strokes;
    bool shift = false;
    for (std::size_t i = 0; i < keys.size();) {
        if (keys[i] == '+') {
            shift = true;
            ++i;
            continue;
        }
        if (keys[i] == '{') {
            const std::size_t close = keys.find('}', i + 1);
            if (close != std::string_view::npos) {
                if (const std::optional<Key> key = KeyOfName(keys.substr(i + 1, close - i - 1))) {
                    strokes.push_back({*key, 0, shift});
                }
                i = close + 1;
                shift = false;
                continue;
            }
        }
        strokes.push_back({Key::kCharacter, NextCharacter(keys, i), shift});
        shift = false;
    }
    return strokes;
}

void SendKeys(std::string_view keys) {
    toolkit::PostKeystrokes(ParseKeys(keys));
}

}  // namespace forms
