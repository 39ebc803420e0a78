// The one translation of a host errno into a Windows result code, for the Linux stand-ins.
#pragma once

#include "platform/windows_error.h"

namespace platform {

LONG WindowsErrorFromErrno(int host_errno);

}  // namespace platform
