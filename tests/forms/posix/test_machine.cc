// The window tests' machine on Linux: a machine prefix of the test's own in a temporary folder,
// prepared as on a first start, with a home folder of its own as drive H:.
#include "forms/test_machine.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <fstream>

#include "platform/machine.h"
#include "platform/posix/host_path.h"
#include "platform/test_home.h"

struct TestMachine::Parts {
    std::filesystem::path scratch;
    std::filesystem::path prefix;
    std::optional<platform_test::TestHome> home;
};

TestMachine::TestMachine() : parts_(std::make_unique<Parts>()) {
    char pattern[] = "/tmp/tessarn-window-XXXXXX";
    EXPECT_NE(mkdtemp(pattern), nullptr);
    parts_->scratch = pattern;
    parts_->prefix = parts_->scratch / "prefix";
    parts_->home.emplace(Home());
    setenv("TESSARN_PREFIX", parts_->prefix.c_str(), 1);
    platform::PrepareMachine();
}

TestMachine::~TestMachine() {
    std::error_code ignored;
    std::filesystem::current_path(parts_->scratch.parent_path(), ignored);
    std::filesystem::remove_all(parts_->scratch, ignored);
}

std::filesystem::path TestMachine::HostC(const std::string& relative) const {
    return parts_->prefix / "drive_c" / relative;
}

void TestMachine::StartIn(const std::filesystem::path& host_folder) const {
    std::filesystem::current_path(host_folder);
}

std::filesystem::path TestMachine::AddDrive(char letter, bool ready) const {
    const std::filesystem::path root = parts_->scratch / std::string(1, letter);
    if (ready) std::filesystem::create_directories(root / "recycled");
    std::filesystem::create_directory_symlink(
        root, parts_->prefix / "dosdevices" / (std::string(1, letter) + ":"));
    return root;
}

void TestMachine::TakeOutMedium(char letter) const {
    const std::filesystem::path root = parts_->scratch / std::string(1, letter);
    std::filesystem::rename(root, parts_->scratch / ("medium out of " + std::string(1, letter)));
}

void TestMachine::CarryMedium(char from, char to) const {
    const std::filesystem::path root = parts_->scratch / std::string(1, to);
    std::filesystem::rename(parts_->scratch / std::string(1, from), root);
    const std::filesystem::path link = parts_->prefix / "dosdevices" / (std::string(1, to) + ":");
    if (!std::filesystem::is_symlink(link)) std::filesystem::create_directory_symlink(root, link);
}

// The hive is written on the registry's first change.
bool TestMachine::RegistryWritten() const {
    return std::filesystem::exists(parts_->prefix / "system.reg");
}

// A hive holding what it can read and a line it cannot: it reads the rest but refuses to write
// the hive back, which would drop that line.
void TestMachine::RefuseRegistryChanges(const std::optional<std::string>& stored) const {
    std::string hive = "REGEDIT4\n\n";
    if (stored) hive += "[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"" + *stored + "\"\n";
    std::ofstream(parts_->prefix / "system.reg", std::ios::binary | std::ios::trunc)
        << hive + "a line that is no value\n";
}

bool TestMachine::HoldsReservedNames() {
    return true;
}

std::filesystem::path TestMachine::Home() const {
    return parts_->scratch / "home";
}

std::filesystem::path TestMachine::HostOf(const std::string& windows_path) const {
    return platform::ResolveWindowsPath(windows_path).host;
}

std::filesystem::path TestMachine::Scratch() const {
    return parts_->scratch;
}

// A file-size limit of zero fails every write that would grow a file, and nothing else.
void TestMachine::WithFullDisk(const std::function<void()>& action) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit none = saved;
    none.rlim_cur = 0;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &none);
    action();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);
}
