// The reference runner: the scenario list on the Win32 API itself (RegOpenKeyA and the other
// registry calls, MoveFileA), built with MinGW-w64 and run under Wine.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scenarios.h"
#include "win32_layout.h"

namespace conformance {
namespace {

HKEY KeyOf(Handle handle) {
    return reinterpret_cast<HKEY>(handle);
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
        if (MoveFileA(win32_layout::ToAnsi(from).c_str(), win32_layout::ToAnsi(to).c_str())) {
            return 0;
        }
        return static_cast<std::int32_t>(GetLastError());
    }

    void MakeFolder(const std::string& path) override { win32_layout::MakeFolder(path); }
    void MakeFile(const std::string& path, const std::string& content) override {
        win32_layout::MakeFile(path, content);
    }
    std::vector<std::string> ListTree(const std::string& folder) override {
        return win32_layout::ListTree(folder);
    }
};

}  // namespace
}  // namespace conformance

int main() {
    conformance::win32_layout::PrepareProcess();
    conformance::Win32Machine machine;
    conformance::Session session(machine);
    conformance::RunScenarios(session);
    for (const std::string& line : session.lines()) std::printf("%s\n", line.c_str());
    return 0;
}
