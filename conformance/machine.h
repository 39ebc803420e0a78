// What a conformance runner drives: the five registry calls and the move of a file or folder,
// as one implementation offers them (the Win32 API, or our platform layer), and the few host
// steps that lay out a case on disk and read it back.
//
// Handles travel as plain numbers, so that one scenario list serves both implementations,
// whose HKEY types differ; the list never looks at a handle's value, only at which key it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace conformance {

using Handle = std::uintptr_t;

class Machine {
  public:
    virtual ~Machine() = default;

    virtual Handle LocalMachine() const = 0;
    // The registry calls, with their Win32 arguments and results. A null result or size pointer
    // is passed on as null, so that the calls' own checks answer for it.
    virtual std::int32_t OpenKey(Handle key, const char* sub_key, Handle* result) = 0;
    virtual std::int32_t CreateKey(Handle key, const char* sub_key, Handle* result) = 0;
    virtual std::int32_t QueryValue(Handle key, const char* sub_key, char* data,
                                    std::int32_t* size) = 0;
    virtual std::int32_t SetValue(Handle key, const char* sub_key, std::uint32_t type,
                                  const char* data, std::uint32_t size) = 0;
    virtual std::int32_t CloseKey(Handle key) = 0;

    // Moves a file or folder as MoveFileA does: 0, or the error it reports.
    virtual std::int32_t Move(const char* from, const char* to) = 0;

    // Lays out a case. The path's names are taken as they are, without the path rules under
    // test (trailing dots and spaces stay), so that a case can start from any names on disk.
    virtual void MakeFolder(const std::string& path) = 0;
    virtual void MakeFile(const std::string& path, const std::string& content) = 0;
    // Everything below a folder, in any order: a folder as its name and a backslash ("sub\\"),
    // a file as its name, '=' and its content ("sub\\a.txt=1").
    virtual std::vector<std::string> ListTree(const std::string& folder) = 0;
};

}  // namespace conformance
