#include "machine/child_process.h"

#include <windows.h>

#include <stdexcept>

#include "platform/sudden_death.h"
#include "platform/utf16.h"

namespace test_machine {
namespace {

// The arguments are role names and numbers; quoting each keeps a space from splitting one.
std::wstring CommandLine(const std::wstring& program, const std::vector<std::string>& words) {
    std::wstring line = L"\"" + program + L"\"";
    for (const std::string& word : words) line += L" \"" + platform::Wide(word) + L"\"";
    return line;
}

}  // namespace

struct ChildProcess::Process {
    PROCESS_INFORMATION info;
};

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& arguments)
    : process_(new Process{}) {
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    std::vector<std::string> words = {kChildFlag, role};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::wstring line = CommandLine(program, words);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_->info)) {
        delete process_;
        throw std::runtime_error("cannot start a child process");
    }
    CloseHandle(process_->info.hThread);
}

ChildProcess::~ChildProcess() {
    if (!end_) Wait();
    CloseHandle(process_->info.hProcess);
    delete process_;
}

// A process ended by the fault injector says so by its exit code: Windows has no signal that
// would tell a kill from an exit.
ChildProcess::End ChildProcess::Wait() {
    if (end_) return *end_;
    WaitForSingleObject(process_->info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process_->info.hProcess, &code);
    end_ = code == platform::kKilledExitCode ? End{ChildEnd::kKilled, 0}
                                             : End{ChildEnd::kExited, static_cast<int>(code)};
    return *end_;
}

}  // namespace test_machine
