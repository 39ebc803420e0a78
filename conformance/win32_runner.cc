// The reference runner: the scenario list on the Win32 API itself (RegOpenKeyA and the other
// registry calls, MoveFileA), built with MinGW-w64 and run under Wine.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "scenarios.h"

namespace conformance {
namespace {

HKEY KeyOf(Handle handle) {
    return reinterpret_cast<HKEY>(handle);
}

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

// The scenarios spell paths in UTF-8, as our platform takes them; the A calls take the ANSI
// code page.
std::string ToAnsi(const std::string& utf8) {
    return Convert(utf8, CP_UTF8, CP_ACP);
}

std::string ToUtf8(const std::string& ansi) {
    return Convert(ansi, CP_ACP, CP_UTF8);
}

// A path that the setup calls take literally: the "\\?\" prefix turns the path rules off.
std::string Literal(const std::string& path) {
    return "\\\\?\\" + ToAnsi(path);
}

// RegOpenKeyA or RegCreateKeyA, with the result slot passed through as a number.
template <typename Call>
std::int32_t Opened(Call call, Handle key, const char* sub_key, Handle* result) {
    HKEY opened = result ? KeyOf(*result) : nullptr;
    const auto rc = call(KeyOf(key), sub_key, result ? &opened : nullptr);
    if (result) *result = reinterpret_cast<Handle>(opened);
    return rc;
}

class Win32Machine : public Machine {
  public:
    Handle LocalMachine() const override { return reinterpret_cast<Handle>(HKEY_LOCAL_MACHINE); }

    std::int32_t OpenKey(Handle key, const char* sub_key, Handle* result) override {
        return Opened(RegOpenKeyA, key, sub_key, result);
    }

    std::int32_t CreateKey(Handle key, const char* sub_key, Handle* result) override {
        return Opened(RegCreateKeyA, key, sub_key, result);
    }

    std::int32_t QueryValue(Handle key, const char* sub_key, char* data,
                            std::int32_t* size) override {
        LONG declared = size ? *size : 0;
        const LONG rc = RegQueryValueA(KeyOf(key), sub_key, data, size ? &declared : nullptr);
        if (size) *size = declared;
        return rc;
    }

    std::int32_t SetValue(Handle key, const char* sub_key, std::uint32_t type, const char* data,
                          std::uint32_t size) override {
        return RegSetValueA(KeyOf(key), sub_key, type, data, size);
    }

    std::int32_t CloseKey(Handle key) override { return RegCloseKey(KeyOf(key)); }

    std::int32_t Move(const char* from, const char* to) override {
        if (MoveFileA(ToAnsi(from).c_str(), ToAnsi(to).c_str())) return 0;
        return static_cast<std::int32_t>(GetLastError());
    }

    void MakeFolder(const std::string& path) override {
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

    void MakeFile(const std::string& path, const std::string& content) override {
        MakeFolder(path.substr(0, path.rfind('\\')));
        const HANDLE file = CreateFileA(Literal(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) SetupFailed("file " + path);
        DWORD written = 0;
        const BOOL wrote =
            WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        if (!wrote || written != content.size()) SetupFailed("file " + path);
    }

    std::vector<std::string> ListTree(const std::string& folder) override {
        std::vector<std::string> names;
        ListInto(folder, "", names);
        return names;
    }

  private:
    static void ListInto(const std::string& folder, const std::string& prefix,
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

    static std::string Content(const std::string& path) {
        const HANDLE file = CreateFileA(Literal(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "?";
        char buffer[64];
        DWORD got = 0;
        const BOOL read = ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
        return read ? std::string(buffer, got) : "?";
    }
};

}  // namespace
}  // namespace conformance

int main() {
    // The lines are compared byte for byte with the other runner's, which ends them in "\n".
    _setmode(_fileno(stdout), _O_BINARY);
    // A drive that is not ready must answer with an error, not a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    conformance::Win32Machine machine;
    conformance::Session session(machine);
    conformance::RunScenarios(session);
    for (const std::string& line : session.lines()) std::printf("%s\n", line.c_str());
    return 0;
}
