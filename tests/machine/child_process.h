// Another process of the test program itself, for what only another process can show: a lock
// held by another copy, a copy killed mid-operation. The child runs one of the program's child
// roles, registered by name, on its parent's machine, and its exit code is the role's result.
//
// On Linux the child is a new process of the same program file, as on Windows, where there is no
// fork: both systems take one road, and a child starts with none of its parent's state.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace test_machine {

// The first argument that makes a test program a child: --child-role <name> <arguments>...
inline constexpr const char* kChildFlag = "--child-role";

using ChildRole = int (*)(const std::vector<std::string>& arguments);

// Registers a role at start-up: `static const RegisteredRole kRole("name", Function);`.
class RegisteredRole {
  public:
    RegisteredRole(const char* name, ChildRole role);
};

enum class ChildEnd { kExited, kKilled };

class ChildProcess {
  public:
    // Starts the role in a new process of this program.
    ChildProcess(const std::string& role, const std::vector<std::string>& arguments = {});
    // Waits for the child, if no one has.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    struct End {
        ChildEnd how;
        int exit_code;  // when it exited
        bool ExitedWith(int code) const { return how == ChildEnd::kExited && exit_code == code; }
    };
    End Wait();

  private:
    struct Process;
    Process* process_;
    std::optional<End> end_;
};

// The test program's main: runs the role named on its command line when it was started as a
// child, and the tests otherwise.
int RunTestsOrChildRole(int argc, char** argv);

}  // namespace test_machine
