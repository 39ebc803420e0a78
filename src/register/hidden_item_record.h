// One record of the hidden-items register.
//
// On disk a record is 400 single-byte (Windows-1252) characters, three fixed-width fields with no
// terminator or length byte, each left-aligned and padded with spaces (0x20); a longer text is
// cut to the field's width and nothing marks the cut:
//
//   bytes   0- 99  HiddenName  the item's name in the hiding place, "H" and its number (H3)
//   bytes 100-299  ItemPath    the item's full path before it was hidden (C:\Docs\report.txt)
//   bytes 300-399  ItemName    the text after the path's last backslash (report.txt)
//
// In memory the record holds the same 400 bytes, so a register is read and written without
// converting each record.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace hiding {

struct HiddenItemRecord {
    static constexpr std::size_t kHiddenNameWidth = 100;
    static constexpr std::size_t kItemPathWidth = 200;
    static constexpr std::size_t kItemNameWidth = 100;
    static constexpr std::size_t kSize = 400;

    // Left unfilled on purpose: a register is read by the tens of thousands of records straight
    // from the file into place, and filling them first would double the cost of the read.
    HiddenItemRecord() {}

    std::array<char, kHiddenNameWidth> HiddenName;
    std::array<char, kItemPathWidth> ItemPath;
    std::array<char, kItemNameWidth> ItemName;

    // A record of the three texts (UTF-8), converted to the ANSI code page, padded and cut.
    static HiddenItemRecord Make(std::string_view hidden_name, std::string_view item_path,
                                 std::string_view item_name);

    // Each field as UTF-8 text without its trailing pad spaces.
    std::string hidden_name() const;
    std::string item_path() const;
    std::string item_name() const;

    bool operator==(const HiddenItemRecord&) const = default;
};

static_assert(sizeof(HiddenItemRecord) == HiddenItemRecord::kSize);

}  // namespace hiding
