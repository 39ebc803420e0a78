// Where the README lies for a program file at a given place: the rule behind ReadmeFolder(), apart
// from where the running program finds itself.
#pragma once

#include <filesystem>

namespace platform {

// The documentation folder of the installation that holds `program` in its bin folder, or the
// source tree for a program in the build folder of this build.
std::filesystem::path ReadmeFolderOf(const std::filesystem::path& program);

}  // namespace platform
