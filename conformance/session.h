// One run of the scenario list on one machine: every operation prints one line, the same on
// every implementation that behaves alike:
//
//   reg.query.size-too-small rc=234 size=3 buf=#{256}
//   move.case-only-rename rc=0 C:[A.TXT=1]
//
// A line holds the operation's id, its result code and what the call handed back, normalised:
// a handle as which key it is (null, the untouched sentinel, HKLM, the bad handle passed in, the
// handle of another open slot "=k2", or "new"), a buffer in full with runs shortened ("x{199}",
// a NUL as "\0", other bytes outside printable ASCII as "\xE9"), and after a move the names on
// disk below the case's folders, sorted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "machine.h"

namespace conformance {

// A handle no key has: well-formed, but never handed out.
inline constexpr Handle kBadHandle = 0x5EB4;

// The handle a registry call is given: HKEY_LOCAL_MACHINE, the handle held in a slot (an
// earlier result), or a raw value.
struct Key {
    enum class Kind { kRoot, kSlot, kRaw };
    Kind kind;
    int slot;
    Handle raw;
};
inline Key Root() {
    return {Key::Kind::kRoot, 0, 0};
}
inline Key Slot(int slot) {
    return {Key::Kind::kSlot, slot, 0};
}
inline Key Raw(Handle raw) {
    return {Key::Kind::kRaw, 0, raw};
}

// A result slot of -1: the call gets no pointer for its result.
inline constexpr int kNoResult = -1;

// A move case, laid out in folders of its own on each drive it names. In paths, "{n}" stands
// for the case's number and "@" for its folder on drive C, "@D" and "@E" on drives D and E.
// A layout entry ending in a backslash is a folder; any other entry is a file whose content is
// its position among the case's files ("1", "2", ...).
struct MoveCase {
    std::string_view id;
    std::vector<std::string_view> layout;
    std::string_view from;
    std::string_view to;
};

class Session {
  public:
    explicit Session(Machine& machine) : machine_(machine) {}

    void Open(std::string_view id, Key key, const char* sub_key, int into);
    void Create(std::string_view id, Key key, const char* sub_key, int into);
    // declared: the size passed in, or nothing for a null size pointer; with_buffer false
    // passes a null data pointer.
    void Query(std::string_view id, Key key, const char* sub_key,
               std::optional<std::int32_t> declared, bool with_buffer = true);
    void Set(std::string_view id, Key key, const char* sub_key, std::uint32_t type,
             const char* data, std::uint32_t size);
    void Close(std::string_view id, Key key);
    void Move(const MoveCase& move_case);

    // The lines printed so far, one per operation.
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    static constexpr std::size_t kBufferSize = 256;
    static constexpr Handle kSentinel = 0x5E5E5E5C;

    struct SlotState {
        Handle value = kSentinel;
        bool open = false;
    };

    Handle HandleOf(Key key) const;
    std::string Label(Handle handle, int into) const;
    void Opened(std::string_view id, Key key, const char* sub_key, int into, bool create);
    void Print(std::string_view id, const std::string& result);

    Machine& machine_;
    std::array<SlotState, 10> slots_;
    int cases_ = 0;
    std::set<std::string, std::less<>> ids_;
    std::vector<std::string> lines_;
};

}  // namespace conformance
