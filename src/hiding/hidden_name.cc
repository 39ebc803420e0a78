#include "hiding/hidden_name.h"

#include <unordered_set>

#include "platform/file_system.h"
#include "platform/text_case.h"
#include "register/hiding_place.h"

namespace hiding {

bool IsPlainHiddenName(std::string_view hidden_name) {
    // Trailing spaces are the field's padding.
    while (!hidden_name.empty() && hidden_name.back() == ' ') hidden_name.remove_suffix(1);
    // The last name of a path loses its trailing dots and spaces, so a name made of nothing else
    // ("", ".", "..", "...", ". .") would name the hiding place itself or the folder above it,
    // and "H1." would name the item of another record, H1.
    if (hidden_name.find_first_not_of(". ") == std::string_view::npos) return false;
    if (hidden_name.back() == '.') return false;
    return hidden_name.find_first_of(std::string_view("\\/:\0", 4)) == std::string_view::npos;
}

std::string HidingPlaceOf(std::string_view hidden_path) {
    return std::string(hidden_path.substr(0, hidden_path.rfind('\\')));
}

bool RecordNamesPlace(const HiddenItemRecord& record, std::string_view hidden_path) {
    return platform::EqualIgnoringCase(UnhidePathFor(record), hidden_path);
}

std::optional<int> FreeHiddenNumber(int first, std::string_view drive_text,
                                    const std::vector<HiddenItemRecord>& records,
                                    const std::vector<std::string>& waiting_places,
                                    const std::vector<std::string>* names_there) {
    const std::string hiding_place = platform::FoldCase(HidePathFor(drive_text, ""));
    std::unordered_set<std::string> recorded;
    for (const HiddenItemRecord& record : records) {
        std::string place = platform::FoldCase(UnhidePathFor(record));
        if (place.starts_with(hiding_place)) recorded.insert(std::move(place));
    }
    for (const std::string& place : waiting_places) recorded.insert(platform::FoldCase(place));
    std::unordered_set<std::string> there;
    if (names_there != nullptr) {
        for (const std::string& name : *names_there) there.insert(platform::FoldCase(name));
    }
    const auto lies_there = [&](int number, const std::string& place) {
        return names_there != nullptr ? there.contains(platform::FoldCase(HiddenNameFor(number)))
                                      : platform::ItemExists(place);
    };
    for (int number = first; number <= kLastHiddenNumber; ++number) {
        const std::string place = HidePathFor(drive_text, HiddenNameFor(number));
        if (!recorded.contains(platform::FoldCase(place)) && !lies_there(number, place)) {
            return number;
        }
    }
    return std::nullopt;
}

}  // namespace hiding
