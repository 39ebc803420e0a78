// The registry hive as text, in the REGEDIT4 format that regedit imports and exports:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Tessarn]
//   @="16"
//   "Counter"=dword:00000001
//   "Blob"=hex:01,02,03
//
// The first line is "REGEDIT4". A key is a section whose header names its full path; a key
// without a section of its own exists when a section below it does, as regedit imports it.
// String data is quoted with \\ and \" escaped, in the ANSI code page. Only the default string
// value (@) is interpreted; every other value line (named values, dword:, hex:, hex(n):, whose
// byte lists run on over lines that end in a backslash) and every ; comment is kept verbatim, so a
// hand-edited hive loses nothing when the program writes its own value. A line that fits none of
// these forms is unreadable: it reads as absent, and the hive is then no longer intact and must not
// be written back, for writing it would drop that line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A key's full path, one name per element, starting with the root ("HKEY_LOCAL_MACHINE").
using RegistryKeyPath = std::vector<std::string>;

// Key names compare ignoring letter case, as Windows compares them (ANSI bytes).
bool SameKeyPath(const RegistryKeyPath& a, const RegistryKeyPath& b);

class RegistryHive {
  public:
    enum class DefaultKind {
        kAbsent,     // the key has no default value
        kText,       // a string, in text
        kOtherType,  // dword:, hex: or another type that is no text
    };
    struct DefaultValue {
        DefaultKind kind = DefaultKind::kAbsent;
        std::string text;
    };

    // Never fails: what cannot be read is left out and clears intact(). A text that does not
    // start with the format line is unreadable as a whole; an empty text is an empty hive.
    static RegistryHive Parse(std::string_view text);

    // Whether every line of the parsed text was understood, so that Serialize() keeps it all.
    bool intact() const { return intact_; }

    std::string Serialize() const;

    bool HasKey(const RegistryKeyPath& path) const;
    // The default value of a key; kAbsent also for a key that has no section of its own.
    DefaultValue ReadDefault(const RegistryKeyPath& path) const;

    // Adds a section for the key when it has none (its parents need none).
    void CreateKey(const RegistryKeyPath& path);
    // Sets the key's default value to a string, creating the key when it is missing. The text
    // must hold no line break, which a REGEDIT4 string cannot carry.
    void SetDefault(const RegistryKeyPath& path, std::string_view text);

    // Whether a text can be stored as a string value or key name of this format.
    static bool Storable(std::string_view text);

  private:
    struct Line {
        bool is_default;   // an @= value line
        std::string text;  // verbatim, continuation lines joined with '\n'
    };
    struct Section {
        RegistryKeyPath path;
        std::vector<Line> lines;
    };

    Section* FindSection(const RegistryKeyPath& path);
    const Section* FindSection(const RegistryKeyPath& path) const;

    bool intact_ = true;
    std::vector<Line> preamble_;  // comments before the first section
    std::vector<Section> sections_;
};

}  // namespace platform
