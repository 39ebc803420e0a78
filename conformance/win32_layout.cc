#include "win32_layout.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace conformance::win32_layout {
namespace {

[[noreturn]] void SetupFailed(const std::string& what) {
    std::fprintf(stderr, "conformance: cannot lay out the case: %s (error %lu)\n", what.c_str(),
                 GetLastError());
    std::exit(2);
}

std::string Convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return text;
    const int wide_size =
        MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wide_size);
    const int size =
        WideCharToMultiByte(to, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wide_size, converted.data(), size, nullptr, nullptr);
    return converted;
}

std::string ToUtf8(const std::string& ansi) {
    return Convert(ansi, CP_ACP, CP_UTF8);
}

// A path that the setup calls take literally: the "\\?\" prefix turns the path rules off.
std::string Literal(const std::string& path) {
    return "\\\\?\\" + ToAnsi(path);
}

std::string Content(const std::string& path) {
    const HANDLE file = CreateFileA(Literal(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "?";
    char buffer[64];
    DWORD got = 0;
    const BOOL read = ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return read ? std::string(buffer, got) : "?";
}

void ListInto(const std::string& folder, const std::string& prefix,
              std::vector<std::string>& names) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(Literal(folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string relative = prefix + ToUtf8(name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            names.push_back(relative + "\\");
            ListInto(folder + "\\" + ToUtf8(name), relative + "\\", names);
        } else {
            names.push_back(relative + "=" + Content(folder + "\\" + ToUtf8(name)));
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

std::string ToAnsi(const std::string& utf8) {
    return Convert(utf8, CP_UTF8, CP_ACP);
}

void MakeFolder(const std::string& path) {
    // Each folder on the way, after the drive's root "X:\".
    for (std::size_t end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (!CreateDirectoryA(Literal(folder).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            SetupFailed("folder " + folder);
        }
        if (end == std::string::npos) return;
    }
}

void MakeFile(const std::string& path, const std::string& content) {
    MakeFolder(path.substr(0, path.rfind('\\')));
    const HANDLE file = CreateFileA(Literal(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) SetupFailed("file " + path);
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    if (!wrote || written != content.size()) SetupFailed("file " + path);
}

std::vector<std::string> ListTree(const std::string& folder) {
    std::vector<std::string> names;
    ListInto(folder, "", names);
    return names;
}

void PrepareProcess() {
    _setmode(_fileno(stdout), _O_BINARY);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

}  // namespace conformance::win32_layout
