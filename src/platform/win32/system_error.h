// What a failed Win32 call on a path means to the program, and the fault injector's say before
// each file operation.
#pragma once

#include <string>

#include "platform/win32/windows_api.h"
#include "platform/windows_path.h"

namespace platform::win32 {

// The result code of a call on `path` that failed with the system's `error`. A drive without its
// medium, or a letter whose mapping is gone, answers for its paths that they are missing (and
// Wine answers so for a drive whose folder is gone); the program tells such a drive by
// ERROR_NOT_READY, so that Unhide keeps the record and asks for the medium rather than report
// the item lost. A target that exists is ERROR_ALREADY_EXISTS, as MoveFileEx says, also where
// CreateFile and CopyFile say ERROR_FILE_EXISTS.
LONG ResultOf(const WindowsPath& path, ::DWORD error);

[[noreturn]] void ThrowLastError(const WindowsPath& path, const std::string& what_failed);

// Before a file operation: when the fault injector says so, the operation fails as a failing
// disk would, with ERROR_IO_DEVICE.
void FailIfInjected(const std::string& what_failed);

}  // namespace platform::win32
