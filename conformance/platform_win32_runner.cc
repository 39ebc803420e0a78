// The runner of our platform layer built for Windows (src/platform/win32): the scenario list on
// its registry calls and moves, run under Wine beside the reference runner, on the same machine.
#include <cstdio>
#include <string>
#include <vector>

#include "platform_calls.h"
#include "scenarios.h"
#include "win32_layout.h"

namespace conformance {
namespace {

class PlatformWin32Machine : public PlatformCalls {
  public:
    void MakeFolder(const std::string& path) override { win32_layout::MakeFolder(path); }
    void MakeFile(const std::string& path, const std::string& content) override {
        win32_layout::MakeFile(path, content);
    }
    std::vector<std::string> ListTree(const std::string& folder) override {
        return win32_layout::ListTree(folder);
    }
};

}  // namespace
}  // namespace conformance

int main() {
    conformance::win32_layout::PrepareProcess();
    conformance::PlatformWin32Machine machine;
    conformance::Session session(machine);
    conformance::RunScenarios(session);
    for (const std::string& line : session.lines()) std::printf("%s\n", line.c_str());
    return 0;
}
