#include "machine/child_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace test_machine {

struct ChildProcess::Process {
    pid_t pid;
};

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& arguments)
    : process_(new Process{}) {
    std::vector<std::string> words = {"/proc/self/exe", kChildFlag, role};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    if (posix_spawn(&process_->pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) !=
        0) {
        delete process_;
        throw std::runtime_error("cannot start a child process");
    }
}

ChildProcess::~ChildProcess() {
    if (!end_) Wait();
    delete process_;
}

ChildProcess::End ChildProcess::Wait() {
    if (end_) return *end_;
    int status = 0;
    pid_t waited;
    do {
        waited = waitpid(process_->pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
        end_ = End{ChildEnd::kKilled, 0};
    } else {
        end_ = End{ChildEnd::kExited, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    }
    return *end_;
}

}  // namespace test_machine
