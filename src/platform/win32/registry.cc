// <windows.h> first, on purpose: the platform's key type is the same whatever a file includes
// before registry.h, and every caller of these calls, which sees no <windows.h>, links with them
// only while that holds.
// clang-format off
#include "platform/win32/windows_api.h"
#include "platform/registry.h"
// clang-format on

#include <cstring>
#include <string>
#include <vector>

namespace platform {
namespace {

::HKEY System(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE) return win32::LocalMachineKey();
    return reinterpret_cast<::HKEY>(key);
}

HKEY Ours(::HKEY key) {
    if (key == win32::LocalMachineKey()) return HKEY_LOCAL_MACHINE;
    return reinterpret_cast<HKEY>(key);
}

// The legacy calls open keys with whatever access the caller has, so that a user who may only
// read HKEY_LOCAL_MACHINE can still tell that a password is set.
constexpr REGSAM kWhateverAllowed = MAXIMUM_ALLOWED;

// A 32-bit program on 64-bit Windows that wrote HKEY_LOCAL_MACHINE\Software\X had it redirected
// to Software\WOW6432Node\X, the registry's 32-bit view. A key is looked up in the native view
// first and in the 32-bit view after, so that a password set by such a program is found; where
// both views hold the key, the native one wins. A key in neither is created in the native view.
LONG OpenInEitherView(::HKEY key, LPCSTR sub_key, REGSAM access, ::HKEY* result) {
    LONG status = RegOpenKeyExA(key, sub_key, 0, access, result);
    if (status == ERROR_FILE_NOT_FOUND) {
        status = RegOpenKeyExA(key, sub_key, 0, access | KEY_WOW64_32KEY, result);
        // The native view's answer stands: the key is missing.
        if (status != ERROR_SUCCESS) status = ERROR_FILE_NOT_FOUND;
    }
    return status;
}

LONG OpenOrCreate(::HKEY key, LPCSTR sub_key, REGSAM access, ::HKEY* result) {
    const LONG status = OpenInEitherView(key, sub_key, access, result);
    if (status != ERROR_FILE_NOT_FOUND) return status;
    return RegCreateKeyExA(key, sub_key, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           result, nullptr);
}

// Closes a key opened here, but never the caller's own.
class OpenedKey {
  public:
    explicit OpenedKey(::HKEY key, bool own) : key_(key), own_(own) {}
    ~OpenedKey() {
        if (own_) ::RegCloseKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ::HKEY get() const { return key_; }

  private:
    ::HKEY key_;
    bool own_;
};

bool Empty(LPCSTR sub_key) {
    return sub_key == nullptr || *sub_key == '\0';
}

// The default value's text, read whole; nothing copied on the way out is trusted to end in a NUL,
// which a value written by another program may lack.
LONG ReadDefaultText(::HKEY key, std::string* text) {
    ::DWORD type = 0;
    ::DWORD size = 0;
    LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
    // A key without a default value reads as the empty text, as RegQueryValueA reads it.
    if (status == ERROR_FILE_NOT_FOUND) {
        text->clear();
        return ERROR_SUCCESS;
    }
    if (status != ERROR_SUCCESS) return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
    std::vector<char> bytes(size + 1, '\0');
    status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                              &size);
    if (status != ERROR_SUCCESS) return status;
    bytes[size] = '\0';
    *text = bytes.data();
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    // An empty sub-key hands back hKey itself, unchecked, as RegOpenKeyA does.
    if (Empty(lpSubKey)) {
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    if (!hKey) return ERROR_INVALID_HANDLE;
    *phkResult = nullptr;
    ::HKEY opened = nullptr;
    const LONG status = OpenInEitherView(System(hKey), lpSubKey, kWhateverAllowed, &opened);
    if (status == ERROR_SUCCESS) *phkResult = Ours(opened);
    return status;
}

LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    if (!hKey) return ERROR_INVALID_HANDLE;
    *phkResult = nullptr;
    ::HKEY opened = nullptr;
    // Always a handle of its own, even for an empty sub-key: closing it must not close the
    // caller's. RegOpenKeyEx would hand back a predefined key itself for one.
    const LONG status = Empty(lpSubKey)
                            ? RegCreateKeyExA(System(hKey), "", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                              kWhateverAllowed, nullptr, &opened, nullptr)
                            : OpenOrCreate(System(hKey), lpSubKey, kWhateverAllowed, &opened);
    if (status == ERROR_SUCCESS) *phkResult = Ours(opened);
    return status;
}

LONG RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData) {
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    if (!hKey) return ERROR_INVALID_HANDLE;
    ::HKEY key = System(hKey);
    const bool own = !Empty(lpSubKey);
    if (own) {
        const LONG status = OpenInEitherView(key, lpSubKey, KEY_QUERY_VALUE, &key);
        if (status != ERROR_SUCCESS) return status;
    }
    const OpenedKey opened(key, own);
    std::string text;
    const LONG status = ReadDefaultText(opened.get(), &text);
    if (status != ERROR_SUCCESS) return status;
    if (!lpcbData) return ERROR_SUCCESS;
    const LONG needed = static_cast<LONG>(text.size() + 1);
    // The size is a byte count, unsigned to Windows: a negative one reads as a large one.
    const auto declared = static_cast<DWORD>(*lpcbData);
    *lpcbData = needed;
    if (!lpData) return ERROR_SUCCESS;
    // Too small a buffer gets nothing, not the part that fits.
    if (declared < static_cast<DWORD>(needed)) return ERROR_MORE_DATA;
    std::memcpy(lpData, text.c_str(), text.size() + 1);
    return ERROR_SUCCESS;
}

LONG RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD /*cbData*/) {
    if (dwType != REG_SZ || !lpData) return ERROR_INVALID_PARAMETER;
    if (!hKey) return ERROR_INVALID_HANDLE;
    ::HKEY key = System(hKey);
    const bool own = !Empty(lpSubKey);
    if (own) {
        const LONG status = OpenOrCreate(key, lpSubKey, KEY_SET_VALUE, &key);
        if (status != ERROR_SUCCESS) return status;
    }
    const OpenedKey opened(key, own);
    // The text and its terminating NUL, whatever size the caller gave, as RegSetValueA does.
    return RegSetValueExA(opened.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpData),
                          static_cast<::DWORD>(std::strlen(lpData) + 1));
}

LONG RegCloseKey(HKEY hKey) {
    if (hKey == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
    return ::RegCloseKey(System(hKey));
}

}  // namespace platform
