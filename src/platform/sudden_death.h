// The end the fault injector gives a process, as a power cut or a kill would give it: no
// destructor, no exit handler and no buffered write runs. On Linux the process kills itself with
// SIGKILL; on Windows, where a parent tells an end by its exit code alone, it terminates with
// kKilledExitCode.
#pragma once

namespace platform {

inline constexpr unsigned kKilledExitCode = 0xDEAD;

[[noreturn]] void DieAtOnce();

}  // namespace platform
