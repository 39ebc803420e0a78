// The list a hiding place keeps, beside its items, of the records of the items it holds: what
// lets an item be found again with its path when the register that names it is lost or replaced,
// or on another machine the drive is carried to. The register stays the one truth: every opening
// of the register makes each list agree with it and with what the hiding place holds
// (hiding/item_lists.h), and a list never steers a move by itself.
//
// On disk the list is <drive>:\recycled\tessarn-items.dat, a plain sequence of 400-byte records
// in the register's own format (hidden_item_record.h), in no particular order, with no header,
// so that a person or another program reads it as it reads the register. The name holds a dot
// and does not begin with H, so no hidden name (H1 to H32767) can ever be it, in any letter case,
// and a search of the hiding place for hidden names never finds it. Nothing of it is flushed:
// the register is, and a list that a crash left behind is mended at the next opening.
//
// Every function that touches the file throws platform::WindowsError.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "register/hidden_item_record.h"

namespace hiding {

inline constexpr const char* kItemListName = "tessarn-items.dat";

// Where a hiding place (C:\recycled) keeps its list.
std::string ItemListPathIn(std::string_view hiding_place);

// Whether a record can stand in a list, as Hide writes one: its hidden name is exactly a name
// Hide gives (H1 to H32767), which names a place in the list's own hiding place and nowhere else;
// its item path begins with a drive letter, a colon and a backslash and names something below
// that root, without control characters; and its item name is the last name of that path.
// Checked on the bytes, with no conversion: a full list is read at every opening.
bool IsListEntry(const HiddenItemRecord& record);

// The number of the place in its hiding place that a record names, its hidden name read as the
// file system finds a name: in any letter case, so that h5 and H5 name one item. Nothing for a
// hidden name that is no name Hide gives in any case. Read from the bytes, as IsListEntry.
std::optional<int> PlaceNumberOf(const HiddenItemRecord& record);

// The entries of a list's bytes, in order: every whole record that is a list entry. Bytes that
// are not whole records and records that are no list entry are left out; the rest is kept.
std::vector<HiddenItemRecord> EntriesOfItemList(std::string_view bytes);

// The list's bytes as they lie, empty when the hiding place has no list.
std::string ReadItemList(std::string_view hiding_place);

// The list's entries, read straight into place as EntriesOfItemList would give them from its
// bytes, without a second copy of a list that may run to 13 MB; and whether those entries are
// the list's bytes exactly, as when nothing was left out.
struct ItemListEntries {
    std::vector<HiddenItemRecord> entries;
    bool as_it_lies = true;
};
ItemListEntries ReadItemListEntries(std::string_view hiding_place);

// Replaces the whole list by these entries: written to tessarn-items.tmp beside it and renamed
// over it in one step, so that a crash leaves the old list or the new one whole.
void WriteItemList(std::string_view hiding_place, const std::vector<HiddenItemRecord>& entries);

// Adds an entry at the end of the list, over a record that a crash left cut short there.
void AppendToItemList(std::string_view hiding_place, const HiddenItemRecord& entry);

// Removes entry `slot` of the list, which holds `entries` as an opening of the register found or
// made them, without reading or rewriting it: the last entry moves into the slot and the list is
// cut by one record. A crash between the two leaves that entry twice, which the next opening
// mends. A list that holds another number of records now is left for that opening to mend.
void RemoveFromItemList(std::string_view hiding_place, const std::vector<HiddenItemRecord>& entries,
                        std::size_t slot);

}  // namespace hiding
