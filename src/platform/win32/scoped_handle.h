// A Windows handle owned by one object: closed when the object goes and handed on when it moves,
// so that no handle leaks past a throw and none is closed twice. INVALID_HANDLE_VALUE, which no
// open file has, stands for none, as CreateFileW answers it.
#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

class ScopedHandle {
  public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.Release();
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    // Quietly: a destructor cannot report a failed close.
    ~ScopedHandle() { Close(); }

    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

    // Closes now, for the caller to learn whether it closed. The handle is gone whatever the
    // answer, so that no second close can reach a handle the system has given out again.
    bool Close() { return !IsValid() || CloseHandle(Release()); }

  private:
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace platform::win32
