#include "fuzz_machine.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/posix/prefix.h"

namespace fuzz {
namespace fs = std::filesystem;

namespace {

fs::path scratch;

void RemoveScratch() {
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
}

// The registry and the register flush every write; in memory those flushes cost nothing, and
// the fuzzer runs many times as many inputs in the same time. TMPDIR, when set, wins: the runner
// sets it to a folder it removes afterwards, since a harness that stops on a finding leaves its
// machine behind.
fs::path ScratchParent() {
    if (std::getenv("TMPDIR") == nullptr && access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
    return fs::temp_directory_path();
}

}  // namespace

const fs::path& TemporaryMachine() {
    static const fs::path prefix = [] {
        std::string pattern = (ScratchParent() / "tessarn-fuzz-XXXXXX").string();
        Require(mkdtemp(pattern.data()) != nullptr, "a temporary folder can be made");
        scratch = pattern;
        std::atexit(RemoveScratch);
        const fs::path folder = scratch / "prefix";
        setenv("TESSARN_PREFIX", folder.c_str(), 1);
        platform::PrepareMachine();
        fs::remove(folder / "dosdevices" / "z:");
        return folder;
    }();
    return prefix;
}

void WriteHostFile(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(out.good(), "a harness file can be written");
}

void Require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

}  // namespace fuzz
