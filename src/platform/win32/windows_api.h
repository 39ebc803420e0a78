// <windows.h> for the Win32 implementation of the platform headers, and only for it.
//
// <windows.h> defines as macros names that the platform headers declare as C++ names of their
// own: the result codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ...), HKEY_LOCAL_MACHINE and REG_SZ
// (registry.h), and ReplaceFile (random_access_file.h), which it renames to ReplaceFileA. Such a
// macro would rewrite our declaration wherever it is seen after it. So this header takes what it
// needs from those macros under names of its own and undefines them: the platform's constants,
// equal in value, stand in for them, and either header order compiles. Nothing outside
// src/platform/win32/ includes it.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The system's own HKEY_LOCAL_MACHINE: on 64-bit Windows the value 0x80000002 sign-extended,
// unlike the platform's. Taken outside namespace platform, whose LONG and HKEY would otherwise
// stand for the system's in the macro's cast.
namespace windows_api {
inline ::HKEY LocalMachineKey() {
    return HKEY_LOCAL_MACHINE;
}
}  // namespace windows_api

namespace platform::win32 {
using windows_api::LocalMachineKey;
}  // namespace platform::win32

#undef HKEY_LOCAL_MACHINE
#undef REG_SZ
#undef ReplaceFile
#undef ERROR_SUCCESS
#undef ERROR_FILE_NOT_FOUND
#undef ERROR_PATH_NOT_FOUND
#undef ERROR_TOO_MANY_OPEN_FILES
#undef ERROR_ACCESS_DENIED
#undef ERROR_INVALID_HANDLE
#undef ERROR_NOT_ENOUGH_MEMORY
#undef ERROR_INVALID_DATA
#undef ERROR_NOT_SAME_DEVICE
#undef ERROR_NOT_READY
#undef ERROR_WRITE_FAULT
#undef ERROR_READ_FAULT
#undef ERROR_SHARING_VIOLATION
#undef ERROR_LOCK_VIOLATION
#undef ERROR_HANDLE_EOF
#undef ERROR_NOT_SUPPORTED
#undef ERROR_INVALID_PARAMETER
#undef ERROR_DISK_FULL
#undef ERROR_INVALID_NAME
#undef ERROR_DIR_NOT_EMPTY
#undef ERROR_BAD_PATHNAME
#undef ERROR_ALREADY_EXISTS
#undef ERROR_FILENAME_EXCED_RANGE
#undef ERROR_MORE_DATA
#undef ERROR_DIRECTORY
#undef ERROR_ARITHMETIC_OVERFLOW
#undef ERROR_BADDB
#undef ERROR_BADKEY
#undef ERROR_CANTOPEN
#undef ERROR_CANTREAD
#undef ERROR_CANTWRITE
#undef ERROR_IO_DEVICE

// The platform's result codes, now that no macro hides them.
#include "platform/windows_error.h"
