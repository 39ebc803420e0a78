#include "register/item_list.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "platform/random_access_file.h"
#include "platform/windows_error.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

using platform::RandomAccessFile;
using platform::WindowsError;

constexpr std::size_t kRecordSize = HiddenItemRecord::kSize;

// A field's bytes without their pad spaces. Eight pad spaces are passed over at a time: an
// opening reads every record of a full register and list, and their fields are mostly pad.
template <std::size_t Width>
std::string_view Trimmed(const std::array<char, Width>& field) {
    constexpr char kPad[] = "        ";
    std::size_t end = Width;
    while (end >= 8 && std::memcmp(field.data() + end - 8, kPad, 8) == 0) end -= 8;
    while (end > 0 && field[end - 1] == ' ') --end;
    return {field.data(), end};
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A name that a path's last name would lose whole (dots and spaces alone) names the folder above.
bool NamesSomething(std::string_view name) {
    return name.find_first_not_of(". ") != std::string_view::npos;
}

std::string PathIn(std::string_view hiding_place, std::string_view name) {
    std::string path(hiding_place);
    path += '\\';
    path += name;
    return path;
}

// The list file opened as it is; nothing when the hiding place has none.
std::optional<RandomAccessFile> OpenExisting(const std::string& path) {
    try {
        return RandomAccessFile(path, RandomAccessFile::IfMissing::kFail);
    } catch (const WindowsError& error) {
        if (error.code() == platform::ERROR_FILE_NOT_FOUND) return std::nullopt;
        throw;
    }
}

std::string ReadWhole(const RandomAccessFile& file) {
    std::string bytes(static_cast<std::size_t>(file.Length()), '\0');
    bytes.resize(file.ReadAt(0, bytes.data(), bytes.size()));
    return bytes;
}

// Leaves the list entries of `records` in their order; whether none was left out.
bool KeepListEntries(std::vector<HiddenItemRecord>& records) {
    const auto left_out = std::remove_if(records.begin(), records.end(),
                                         [](const auto& record) { return !IsListEntry(record); });
    const bool all_kept = left_out == records.end();
    records.erase(left_out, records.end());
    return all_kept;
}

}  // namespace

std::string ItemListPathIn(std::string_view hiding_place) {
    return PathIn(hiding_place, kItemListName);
}

bool IsListEntry(const HiddenItemRecord& record) {
    if (!HiddenNumberOf(Trimmed(record.HiddenName))) return false;
    const std::string_view path = Trimmed(record.ItemPath);
    if (path.size() < 4 || !IsAsciiLetter(path[0]) || path.substr(1, 2) != ":\\") return false;
    const bool control = std::any_of(path.begin(), path.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    const std::string_view name = path.substr(path.rfind('\\') + 1);
    if (control || !NamesSomething(name)) return false;
    // Hide writes the text after the path's last backslash, cut to the field's width.
    const std::string_view kept = name.substr(0, HiddenItemRecord::kItemNameWidth);
    return Trimmed(record.ItemName) == kept.substr(0, kept.find_last_not_of(' ') + 1);
}

std::optional<int> PlaceNumberOf(const HiddenItemRecord& record) {
    return HiddenNumberInAnyCase(Trimmed(record.HiddenName));
}

std::vector<HiddenItemRecord> EntriesOfItemList(std::string_view bytes) {
    std::vector<HiddenItemRecord> entries(bytes.size() / kRecordSize);
    if (!entries.empty()) std::memcpy(entries.data(), bytes.data(), entries.size() * kRecordSize);
    KeepListEntries(entries);
    return entries;
}

std::string ReadItemList(std::string_view hiding_place) {
    const std::optional<RandomAccessFile> list = OpenExisting(ItemListPathIn(hiding_place));
    return list ? ReadWhole(*list) : std::string();
}

ItemListEntries ReadItemListEntries(std::string_view hiding_place) {
    ItemListEntries read;
    const std::optional<RandomAccessFile> list = OpenExisting(ItemListPathIn(hiding_place));
    if (!list) return read;
    const std::uint64_t length = list->Length();
    // Records are left unfilled (hidden_item_record.h): the read fills each whole one, and the
    // one a crash cut short is never kept.
    read.entries.resize(static_cast<std::size_t>(length / kRecordSize));
    const std::size_t got = read.entries.empty() ? 0
                                                 : list->ReadAt(0, read.entries.data(),
                                                                read.entries.size() * kRecordSize);
    read.as_it_lies = got == length;
    read.entries.resize(got / kRecordSize);
    read.as_it_lies = KeepListEntries(read.entries) && read.as_it_lies;
    return read;
}

void WriteItemList(std::string_view hiding_place, const std::vector<HiddenItemRecord>& entries) {
    const std::string temporary = PathIn(hiding_place, "tessarn-items.tmp");
    RandomAccessFile file(temporary, RandomAccessFile::IfMissing::kCreateEmpty);
    file.Truncate(0);
    if (!entries.empty()) file.WriteAt(0, entries.data(), entries.size() * kRecordSize);
    file.Close();
    platform::ReplaceFile(temporary, ItemListPathIn(hiding_place));
}

void AppendToItemList(std::string_view hiding_place, const HiddenItemRecord& entry) {
    RandomAccessFile list(ItemListPathIn(hiding_place), RandomAccessFile::IfMissing::kCreateEmpty);
    const std::uint64_t length = list.Length();
    list.WriteAt(length - length % kRecordSize, &entry, kRecordSize);
    list.Close();
}

void RemoveFromItemList(std::string_view hiding_place, const std::vector<HiddenItemRecord>& entries,
                        std::size_t slot) {
    std::optional<RandomAccessFile> list = OpenExisting(ItemListPathIn(hiding_place));
    if (!list || slot >= entries.size() || list->Length() != entries.size() * kRecordSize) return;
    const std::size_t last = entries.size() - 1;
    if (slot < last) list->WriteAt(slot * kRecordSize, &entries[last], kRecordSize);
    list->Truncate(last * kRecordSize);
    list->Close();
}

}  // namespace hiding
