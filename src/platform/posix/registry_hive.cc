#include "platform/posix/registry_hive.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "platform/code_page.h"
#include "platform/text_case.h"

namespace platform {

namespace {

constexpr std::string_view kFormatLine = "REGEDIT4";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool AllHexDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), IsHexDigit);
}

// Reads a quoted string starting at s[*pos] == '"' and moves *pos past its closing quote.
// REGEDIT4 escapes only the backslash and the double quote; any other escape is unreadable.
std::optional<std::string> ReadQuoted(std::string_view s, std::size_t* pos) {
    std::string text;
    for (std::size_t i = *pos + 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            *pos = i + 1;
            return text;
        }
        if (s[i] == '\\') {
            if (i + 1 == s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) return std::nullopt;
            ++i;
        }
        text += s[i];
    }
    return std::nullopt;
}

// "01,02,ff" or nothing at all.
bool IsHexByteList(std::string_view list) {
    list = Trim(list);
    if (list.empty()) return true;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view byte = Trim(list.substr(0, comma));
        if (byte.empty() || byte.size() > 2 || !AllHexDigits(byte)) return false;
        if (comma == std::string_view::npos) return true;
        list.remove_prefix(comma + 1);
    }
}

// The data after "name=": a quoted string, dword:xxxxxxxx, hex:.. or hex(n):.. with any
// continuation lines already joined (backslashes and line breaks removed).
bool IsValueData(std::string_view data) {
    if (data.starts_with('"')) {
        std::size_t pos = 0;
        return ReadQuoted(data, &pos) && Trim(data.substr(pos)).empty();
    }
    if (data.starts_with("dword:")) {
        const std::string_view digits = TrimRight(data.substr(6));
        return !digits.empty() && digits.size() <= 8 && AllHexDigits(digits);
    }
    if (data.starts_with("hex:")) return IsHexByteList(data.substr(4));
    if (data.starts_with("hex(")) {
        const std::size_t close = data.find("):");
        if (close == std::string_view::npos) return false;
        const std::string_view type = data.substr(4, close - 4);
        return !type.empty() && type.size() <= 8 && AllHexDigits(type) &&
               IsHexByteList(data.substr(close + 2));
    }
    return false;
}

// Splits a value line into its name part ("@" or the quoted name) and its data; nothing when
// the name is malformed or the '=' is missing.
std::optional<std::string_view> DataOfValueLine(std::string_view line, bool* is_default) {
    line = TrimLeft(line);
    std::size_t pos = 0;
    if (line.starts_with('@')) {
        *is_default = true;
        pos = 1;
    } else if (line.starts_with('"')) {
        *is_default = false;
        if (!ReadQuoted(line, &pos)) return std::nullopt;
    } else {
        return std::nullopt;
    }
    const std::string_view rest = TrimLeft(line.substr(pos));
    if (!rest.starts_with('=')) return std::nullopt;
    return TrimLeft(rest.substr(1));
}

std::optional<RegistryKeyPath> ParseSectionHeader(std::string_view line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    std::string_view inner = line.substr(1, line.size() - 2);
    // "[-Key]" deletes a key in an import file; a hive never holds one.
    if (inner.empty() || inner.front() == '-') return std::nullopt;
    RegistryKeyPath path;
    while (true) {
        const std::size_t slash = inner.find('\\');
        const std::string_view name = inner.substr(0, slash);
        if (name.empty()) return std::nullopt;
        path.emplace_back(name);
        if (slash == std::string_view::npos) return path;
        inner.remove_prefix(slash + 1);
    }
}

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

bool SameKeyName(std::string_view a, std::string_view b) {
    if (a == b) return true;
    return EqualIgnoringCase(FromAnsi(a), FromAnsi(b));
}

bool StartsWithPath(const RegistryKeyPath& path, const RegistryKeyPath& prefix) {
    if (path.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), path.begin(), SameKeyName);
}

}  // namespace

bool SameKeyPath(const RegistryKeyPath& a, const RegistryKeyPath& b) {
    return a.size() == b.size() && StartsWithPath(a, b);
}

bool RegistryHive::Storable(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

RegistryHive RegistryHive::Parse(std::string_view text) {
    RegistryHive hive;
    if (text.empty()) return hive;

    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);  // written on Windows
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    if (TrimRight(lines.front()) != kFormatLine) {
        hive.intact_ = false;
        return hive;
    }

    // Index into sections_ of the section being read; none before the first header.
    constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
    std::size_t current = kNoSection;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty()) continue;
        if (!Storable(line)) {
            hive.intact_ = false;
            continue;
        }
        if (trimmed.starts_with(';')) {
            (current != kNoSection ? hive.sections_[current].lines : hive.preamble_)
                .push_back(Line{false, std::string(line)});
            continue;
        }
        if (trimmed.starts_with('[')) {
            const std::optional<RegistryKeyPath> path = ParseSectionHeader(trimmed);
            current = kNoSection;
            if (!path) {
                hive.intact_ = false;
                continue;
            }
            for (std::size_t s = 0; s < hive.sections_.size() && current == kNoSection; ++s) {
                if (SameKeyPath(hive.sections_[s].path, *path)) current = s;
            }
            if (current == kNoSection) {
                current = hive.sections_.size();
                hive.sections_.push_back(Section{*path, {}});
            }
            continue;
        }

        bool is_default = false;
        const std::optional<std::string_view> first_data = DataOfValueLine(trimmed, &is_default);
        if (!first_data || current == kNoSection) {
            hive.intact_ = false;
            continue;
        }
        // A hex value may run on over lines that end with a backslash.
        std::string data(TrimRight(*first_data));
        std::string verbatim(line);
        bool complete = true;
        while (data.starts_with("hex") && data.ends_with('\\')) {
            if (i + 1 == lines.size() || !Storable(lines[i + 1])) {
                complete = false;
                break;
            }
            ++i;
            data.pop_back();
            data += Trim(lines[i]);
            verbatim += '\n';
            verbatim += lines[i];
        }
        if (!complete || !IsValueData(data)) {
            hive.intact_ = false;
            continue;
        }
        std::vector<Line>& section_lines = hive.sections_[current].lines;
        // A later default line replaces an earlier one, as an import would.
        const auto earlier = std::find_if(section_lines.begin(), section_lines.end(),
                                          [&](const Line& l) { return l.is_default; });
        if (is_default && earlier != section_lines.end()) {
            earlier->text = std::move(verbatim);
        } else {
            section_lines.push_back(Line{is_default, std::move(verbatim)});
        }
    }
    return hive;
}

std::string RegistryHive::Serialize() const {
    std::string text(kFormatLine);
    text += "\n\n";
    for (const Line& line : preamble_) text += line.text + "\n";
    if (!preamble_.empty()) text += "\n";
    for (const Section& section : sections_) {
        text += '[';
        for (std::size_t i = 0; i < section.path.size(); ++i) {
            if (i > 0) text += '\\';
            text += section.path[i];
        }
        text += "]\n";
        for (const Line& line : section.lines) text += line.text + "\n";
        text += '\n';
    }
    return text;
}

RegistryHive::Section* RegistryHive::FindSection(const RegistryKeyPath& path) {
    const auto found = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const Section& s) { return SameKeyPath(s.path, path); });
    return found == sections_.end() ? nullptr : &*found;
}

const RegistryHive::Section* RegistryHive::FindSection(const RegistryKeyPath& path) const {
    return const_cast<RegistryHive*>(this)->FindSection(path);
}

bool RegistryHive::HasKey(const RegistryKeyPath& path) const {
    // The predefined roots exist on every machine, with or without a section.
    if (path.size() == 1) return true;
    return std::any_of(sections_.begin(), sections_.end(),
                       [&](const Section& s) { return StartsWithPath(s.path, path); });
}

RegistryHive::DefaultValue RegistryHive::ReadDefault(const RegistryKeyPath& path) const {
    const Section* section = FindSection(path);
    if (!section) return {};
    for (const Line& line : section->lines) {
        if (!line.is_default) continue;
        bool is_default = true;
        const std::string_view data = *DataOfValueLine(line.text, &is_default);
        if (!data.starts_with('"')) return {DefaultKind::kOtherType, {}};
        std::size_t pos = 0;
        return {DefaultKind::kText, *ReadQuoted(data, &pos)};
    }
    return {};
}

void RegistryHive::CreateKey(const RegistryKeyPath& path) {
    if (!FindSection(path)) sections_.push_back(Section{path, {}});
}

void RegistryHive::SetDefault(const RegistryKeyPath& path, std::string_view text) {
    CreateKey(path);
    std::vector<Line>& lines = FindSection(path)->lines;
    std::string line = "@=" + Quote(text);
    const auto found =
        std::find_if(lines.begin(), lines.end(), [](const Line& l) { return l.is_default; });
    if (found != lines.end()) {
        found->text = std::move(line);
    } else {
        lines.push_back(Line{true, std::move(line)});
    }
}

}  // namespace platform
