#include "session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace conformance {

namespace {

constexpr std::int32_t kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

// A byte as it shows in a line: printable ASCII as itself, the rest escaped, so that a line
// never holds a separator or a byte a terminal would eat.
std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) return "\\0";
    if (byte == '\\') return "\\\\";
    if (byte >= 0x20 && byte < 0x7F && byte != '{') return std::string(1, c);
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    return hex;
}

// The whole buffer, so that a byte written past the answer shows too; runs are shortened.
std::string Shown(const char* data, std::size_t size) {
    std::string shown;
    for (std::size_t i = 0; i < size;) {
        std::size_t run = 1;
        while (i + run < size && data[i + run] == data[i]) ++run;
        if (run >= 4) {
            shown += Shown(data[i]) + "{" + std::to_string(run) + "}";
        } else {
            for (std::size_t k = 0; k < run; ++k) shown += Shown(data[i]);
        }
        i += run;
    }
    return shown;
}

// The case's folder on a drive: "C:\t7".
std::string CaseFolder(char drive, int number) {
    return std::string{drive, ':', '\\', 't'} + std::to_string(number);
}

// The drive of a path written with the case tokens ("@D\a.txt" is on D, "@\a.txt" on C), or
// nothing for a path written out in full.
std::optional<char> TokenDrive(std::string_view path) {
    if (!path.starts_with('@')) return std::nullopt;
    if (path.size() > 1 && (path[1] == 'D' || path[1] == 'E')) return path[1];
    return 'C';
}

std::string Expand(std::string_view path, int number) {
    std::string expanded;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '@') {
            const char drive = (i + 1 < path.size() && (path[i + 1] == 'D' || path[i + 1] == 'E'))
                                   ? path[++i]
                                   : 'C';
            expanded += CaseFolder(drive, number);
        } else if (path.substr(i).starts_with("{n}")) {
            expanded += std::to_string(number);
            i += 2;
        } else {
            expanded += path[i];
        }
    }
    return expanded;
}

}  // namespace

Handle Session::HandleOf(Key key) const {
    switch (key.kind) {
        case Key::Kind::kRoot:
            return machine_.LocalMachine();
        case Key::Kind::kSlot:
            return slots_.at(static_cast<std::size_t>(key.slot)).value;
        case Key::Kind::kRaw:
            break;
    }
    return key.raw;
}

std::string Session::Label(Handle handle, int into) const {
    if (handle == 0) return "null";
    if (handle == kSentinel) return "sentinel";
    if (handle == machine_.LocalMachine()) return "HKLM";
    if (handle == kBadHandle) return "bad";
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (static_cast<int>(i) != into && slots_[i].open && slots_[i].value == handle) {
            return "=k" + std::to_string(i);
        }
    }
    return "new";
}

void Session::Opened(std::string_view id, Key key, const char* sub_key, int into, bool create) {
    Handle result = kSentinel;
    Handle* out = into == kNoResult ? nullptr : &result;
    const Handle base = HandleOf(key);
    const std::int32_t rc =
        create ? machine_.CreateKey(base, sub_key, out) : machine_.OpenKey(base, sub_key, out);
    std::string line = "rc=" + std::to_string(rc);
    if (out) {
        line += " key=" + Label(result, into);
        slots_.at(static_cast<std::size_t>(into)) =
            SlotState{result, rc == 0 && result != 0 && result != kSentinel};
    }
    Print(id, line);
}

void Session::Open(std::string_view id, Key key, const char* sub_key, int into) {
    Opened(id, key, sub_key, into, false);
}

void Session::Create(std::string_view id, Key key, const char* sub_key, int into) {
    Opened(id, key, sub_key, into, true);
}

void Session::Query(std::string_view id, Key key, const char* sub_key,
                    std::optional<std::int32_t> declared, bool with_buffer) {
    std::array<char, kBufferSize> buffer;
    buffer.fill('#');
    std::int32_t size = declared.value_or(0);
    const std::int32_t rc = machine_.QueryValue(
        HandleOf(key), sub_key, with_buffer ? buffer.data() : nullptr, declared ? &size : nullptr);
    std::string line = "rc=" + std::to_string(rc);
    line += " size=" + (declared ? std::to_string(size) : std::string("-"));
    line += " buf=" + (with_buffer ? Shown(buffer.data(), buffer.size()) : std::string("-"));
    Print(id, line);
}

void Session::Set(std::string_view id, Key key, const char* sub_key, std::uint32_t type,
                  const char* data, std::uint32_t size) {
    const std::int32_t rc = machine_.SetValue(HandleOf(key), sub_key, type, data, size);
    Print(id, "rc=" + std::to_string(rc));
}

void Session::Close(std::string_view id, Key key) {
    const Handle handle = HandleOf(key);
    const std::int32_t rc = machine_.CloseKey(handle);
    // Closed, or found to be no handle: either way no slot holds an open key by that value any
    // more, and a later key may be handed the same value.
    if (rc == 0 || rc == kInvalidHandle) {
        for (SlotState& slot : slots_) {
            if (slot.value == handle) slot.open = false;
        }
    }
    Print(id, "rc=" + std::to_string(rc));
}

void Session::Move(const MoveCase& move_case) {
    const int number = ++cases_;
    std::string drives = "C";
    for (std::string_view entry : move_case.layout) {
        const std::optional<char> drive = TokenDrive(entry);
        if (drive && drives.find(*drive) == std::string::npos) drives += *drive;
    }
    for (char drive : drives) machine_.MakeFolder(CaseFolder(drive, number));
    int files = 0;
    for (std::string_view entry : move_case.layout) {
        const std::string path = Expand(entry, number);
        if (path.ends_with('\\')) {
            machine_.MakeFolder(path.substr(0, path.size() - 1));
        } else {
            machine_.MakeFile(path, std::to_string(++files));
        }
    }

    const std::int32_t rc =
        machine_.Move(Expand(move_case.from, number).c_str(), Expand(move_case.to, number).c_str());
    std::string line = "rc=" + std::to_string(rc);
    for (char drive : drives) {
        std::vector<std::string> names = machine_.ListTree(CaseFolder(drive, number));
        std::sort(names.begin(), names.end());
        line += std::string(" ") + drive + ":[";
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i > 0) line += '|';
            for (char c : names[i]) line += c == '|' || c == '\\' ? std::string(1, c) : Shown(c);
        }
        line += ']';
    }
    Print(move_case.id, line);
}

void Session::Print(std::string_view id, const std::string& result) {
    // The comparison pairs the two runs' lines by id, so an id used twice would pair wrongly.
    if (!ids_.emplace(id).second) {
        std::fprintf(stderr, "conformance: the id %.*s is used twice\n",
                     static_cast<int>(id.size()), id.data());
        std::exit(2);
    }
    lines_.push_back(std::string(id) + " " + result);
}

}  // namespace conformance
