// The Windows registry calls the program makes, with their Win32 signatures and result codes. On
// Windows they are the system's own, with one addition: a key that the native view of
// HKEY_LOCAL_MACHINE lacks is looked up in the 32-bit view (Software\WOW6432Node), where 64-bit
// Windows put the keys of a 32-bit program. On Linux they work over a text hive
// <prefix>/system.reg in the REGEDIT4 format that regedit imports and exports:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Tessarn]
//   @="16"
//
// Key names match ignoring letter case, and a run of backslashes between or after them counts
// as one. Every call reads the hive anew; a write replaces the file atomically (temporary file
// in the same folder, flush, rename, flush the folder) under a lock on the sibling file
// ".system.reg.lock", so neither two running copies nor a crash mid-write leave a torn hive.
#pragma once

#include <cstdint>

#include "platform/windows_error.h"

namespace platform {

// A key type of the platform's own, declared here: "struct HKEY__*" alone would name the system's
// HKEY__ in a file that has seen <windows.h> first, and the calls below would then be declared
// with another type there than where they are defined.
struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using LPCSTR = const char*;
using LPSTR = char*;
using PLONG = LONG*;

inline const HKEY HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002));
inline constexpr DWORD REG_SZ = 1;

// Opens an existing key. An empty or null sub-key gives hKey itself. ERROR_FILE_NOT_FOUND when
// the key does not exist. A failure leaves *phkResult null, or untouched for a null hKey.
// HKEY_LOCAL_MACHINE\Software exists on every machine, as on Windows.
LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
// Opens a key, creating it and its missing parents, always as a handle of its own (also for an
// empty sub-key). Failures leave *phkResult as RegOpenKeyA does.
LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
// Reads the default value of hKey\lpSubKey as text with its terminating NUL. With lpData null,
// or *lpcbData smaller than needed, stores the needed size in *lpcbData (terminator included)
// and copies nothing (ERROR_MORE_DATA when lpData was given). A key without a default value
// reads as the empty text. ERROR_FILE_NOT_FOUND when the key does not exist.
LONG RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData);
// Sets the default value of hKey\lpSubKey, creating the key when it is missing. dwType must be
// REG_SZ; lpData is single-byte text (cbData is ignored, as Windows ignores it for REG_SZ).
LONG RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD cbData);
LONG RegCloseKey(HKEY hKey);

}  // namespace platform
