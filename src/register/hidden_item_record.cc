#include "register/hidden_item_record.h"

#include <algorithm>

#include "platform/code_page.h"

namespace hiding {
namespace {

// Windows-1252 has one byte per character, so cutting the converted bytes cuts whole characters.
template <std::size_t Width>
void Fill(std::array<char, Width>& field, std::string_view utf8) {
    const std::string ansi = platform::ToAnsi(utf8);
    const std::size_t kept = std::min(ansi.size(), Width);
    std::copy_n(ansi.begin(), kept, field.begin());
    std::fill(field.begin() + kept, field.end(), ' ');
}

template <std::size_t Width>
std::string TextOf(const std::array<char, Width>& field) {
    std::string_view ansi(field.data(), Width);
    const std::size_t last = ansi.find_last_not_of(' ');
    return platform::FromAnsi(ansi.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

}  // namespace

HiddenItemRecord HiddenItemRecord::Make(std::string_view hidden_name, std::string_view item_path,
                                        std::string_view item_name) {
    HiddenItemRecord record;
    Fill(record.HiddenName, hidden_name);
    Fill(record.ItemPath, item_path);
    Fill(record.ItemName, item_name);
    return record;
}

std::string HiddenItemRecord::hidden_name() const {
    return TextOf(HiddenName);
}
std::string HiddenItemRecord::item_path() const {
    return TextOf(ItemPath);
}
std::string HiddenItemRecord::item_name() const {
    return TextOf(ItemName);
}

}  // namespace hiding
