// Test hook for proving that file operations never lose data: counts the host file operations
// made by RandomAccessFile, ReplaceFile, SyncFolderOf, DeleteFileAt and MoveItem and makes the
// Nth one fail with an I/O error, the way SQLite's tests fail the Nth I/O call, or kills the
// process just before it, as a power cut would. Off unless a test arms it.
#pragma once

namespace platform::fault_injection {

// Arms the injector: the nth operation from now (1 = the next) fails, and so do all after it
// until Disarm(), as after a crash nothing more reaches the disk.
void FailFromOperation(int nth);
// Only the nth operation from now fails, as a transient error (a flush refused once) would.
void FailOnlyOperation(int nth);
// The process ends at once just before the nth operation from now (sudden_death.h): nothing
// after that point runs, no destructor, no buffered write.
void KillBeforeOperation(int nth);
void Disarm();
// Operations counted since the last arm or disarm.
int OperationsSeen();

// Called by the platform before each host file operation; returns true when it must fail, and
// does not return when the process is to die there.
bool ShouldFail();

}  // namespace platform::fault_injection
