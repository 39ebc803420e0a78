// Where the About box finds the README of an installed program: beside its bin folder. (A program
// run from its build folder, as the window tests are, names the source tree's.)
#include "platform/posix/installation.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(InstallationTest, TheReadmeLiesInTheDocFolderBesideTheBinFolder) {
    EXPECT_EQ(ReadmeFolderOf("/usr/bin/tessarn"), "/usr/share/doc/tessarn");
    EXPECT_EQ(ReadmeFolderOf("/home/ann/.local/bin/tessarn"), "/home/ann/.local/share/doc/tessarn");
}

}  // namespace
}  // namespace platform
