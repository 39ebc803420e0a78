#include "platform/installation.h"

#include <algorithm>
#include <system_error>

#include "platform/posix/installation.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool Within(const fs::path& inner, const fs::path& outer) {
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first ==
           outer.end();
}

}  // namespace

fs::path ReadmeFolderOf(const fs::path& program) {
    std::error_code ignored;
    const fs::path build = fs::weakly_canonical(TESSARN_BUILD_DIR, ignored);
    if (!build.empty() && Within(program, build)) return TESSARN_SOURCE_DIR;
    // <prefix>/bin/tessarn, from make install and the package alike: the README went to
    // <prefix>/share/doc/tessarn.
    return program.parent_path().parent_path() / "share" / "doc" / "tessarn";
}

std::string ReadmeFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    // Without /proc the program cannot find itself; the package is where most users have it.
    if (error) return "/usr/share/doc/tessarn";
    return ReadmeFolderOf(program).string();
}

}  // namespace platform
