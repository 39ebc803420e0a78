// The runner under test: the scenario list on our platform layer, in the machine prefix named
// by TESSARN_PREFIX. Its arguments add drives, each as "<letter>:=<host folder>", the way a user
// adds one (a link in dosdevices/), so that the moves find the same drives as under Wine.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drives.h"
#include "platform/posix/prefix.h"
#include "platform/windows_error.h"
#include "platform_calls.h"
#include "scenarios.h"

namespace conformance {
namespace {
namespace fs = std::filesystem;

[[noreturn]] void SetupFailed(const std::string& what) {
    std::fprintf(stderr, "conformance: cannot lay out the case: %s\n", what.c_str());
    std::exit(2);
}

// The host path of a Windows path, name for name as written, without the path rules.
fs::path Host(const std::string& path) {
    const std::optional<platform::Drive> drive = platform::FindDrive(path.at(0));
    if (!drive) SetupFailed("no drive for " + path);
    fs::path host = drive->host_root;
    std::string_view rest = std::string_view(path).substr(3);
    while (!rest.empty()) {
        const std::size_t slash = rest.find('\\');
        host /= std::string(rest.substr(0, slash));
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    return host;
}

class PlatformMachine : public PlatformCalls {
  public:
    void MakeFolder(const std::string& path) override {
        std::error_code error;
        fs::create_directories(Host(path), error);
        if (error) SetupFailed("folder " + path + ": " + error.message());
    }

    void MakeFile(const std::string& path, const std::string& content) override {
        MakeFolder(path.substr(0, path.rfind('\\')));
        std::ofstream file(Host(path), std::ios::binary);
        if (!(file << content)) SetupFailed("file " + path);
    }

    std::vector<std::string> ListTree(const std::string& folder) override {
        std::vector<std::string> names;
        const fs::path root = Host(folder);
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(root, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            std::string relative;
            for (const fs::path& part : it->path().lexically_relative(root)) {
                if (!relative.empty()) relative += '\\';
                relative += part.string();
            }
            if (it->is_directory()) {
                names.push_back(relative + "\\");
            } else {
                std::ifstream file(it->path(), std::ios::binary);
                names.push_back(relative + "=" +
                                std::string(std::istreambuf_iterator<char>(file), {}));
            }
        }
        return names;
    }
};

}  // namespace
}  // namespace conformance

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    try {
        platform::PrepareMachine();
    } catch (const platform::WindowsError& error) {
        std::fprintf(stderr, "conformance: %s\n", error.what());
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view drive = argv[i];
        if (drive.size() < 4 || drive.substr(1, 2) != ":=") {
            std::fprintf(stderr, "usage: %s [<letter>:=<host folder>]...\n", argv[0]);
            return 2;
        }
        std::error_code error;
        fs::create_directory_symlink(
            drive.substr(3),
            platform::PrefixFolder() / "dosdevices" / std::string(drive.substr(0, 2)), error);
        if (error) {
            std::fprintf(stderr, "conformance: cannot add drive %s: %s\n", argv[i],
                         error.message().c_str());
            return 2;
        }
    }
    conformance::PlatformMachine machine;
    conformance::Session session(machine);
    conformance::RunScenarios(session);
    for (const std::string& line : session.lines()) std::printf("%s\n", line.c_str());
    return 0;
}
