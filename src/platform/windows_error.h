// Windows result codes, and the failure that carries one with a sentence for the user.
//
// Everything above the platform speaks Windows: a failure carries a Windows result code and a
// sentence a user can act on (what failed, the Windows path, the system's reason).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

using LONG = std::int32_t;
using DWORD = std::uint32_t;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_PATH_NOT_FOUND = 3;
inline constexpr LONG ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_INVALID_DATA = 13;
inline constexpr LONG ERROR_NOT_SAME_DEVICE = 17;
inline constexpr LONG ERROR_NOT_READY = 21;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_READ_FAULT = 30;
inline constexpr LONG ERROR_SHARING_VIOLATION = 32;
inline constexpr LONG ERROR_LOCK_VIOLATION = 33;
inline constexpr LONG ERROR_HANDLE_EOF = 38;
inline constexpr LONG ERROR_NOT_SUPPORTED = 50;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_DISK_FULL = 112;
inline constexpr LONG ERROR_INVALID_NAME = 123;
inline constexpr LONG ERROR_DIR_NOT_EMPTY = 145;
inline constexpr LONG ERROR_BAD_PATHNAME = 161;
inline constexpr LONG ERROR_ALREADY_EXISTS = 183;
inline constexpr LONG ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_DIRECTORY = 267;
inline constexpr LONG ERROR_ARITHMETIC_OVERFLOW = 534;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_BADKEY = 1010;
inline constexpr LONG ERROR_CANTOPEN = 1011;
inline constexpr LONG ERROR_CANTREAD = 1012;
inline constexpr LONG ERROR_CANTWRITE = 1013;
inline constexpr LONG ERROR_IO_DEVICE = 1117;

// The system's reason for a result code, as one sentence ("Access is denied.").
std::string DescribeWindowsError(LONG code);

// A failed platform or register operation. what() is a whole sentence for the user:
// "<what failed>: <the system's reason>"
class WindowsError : public std::runtime_error {
  public:
    // what_failed names the action and the Windows path, e.g.
    // "Cannot open the register c:\windows\system32\tessarn.dat".
    WindowsError(LONG code, const std::string& what_failed);
    LONG code() const noexcept { return code_; }

  private:
    LONG code_;
};

}  // namespace platform
