// Where a Windows path lies on the Linux host, and the Windows path of a host path.
#include "platform/posix/host_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/prefix_fixture.h"
#include "platform/windows_path.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

using ResolveTest = platform_test::PrefixTest;

TEST_F(ResolveTest, NamesMatchIgnoringCaseAndTakeTheHostSpelling) {
    MakeFile("Docs/Café Ÿ.txt");
    const HostLocation location = ResolveWindowsPath("c:\\DOCS\\CAFÉ ÿ.TXT. ");
    EXPECT_TRUE(location.exists);
    EXPECT_EQ(location.host, DriveC() / "Docs/Café Ÿ.txt");
    EXPECT_EQ(FormatWindowsPath(location.windows), "C:\\Docs\\Café Ÿ.txt");
}

TEST_F(ResolveTest, ExactNameWinsOverACaseVariant) {
    MakeFile("a.txt");
    MakeFile("A.txt");
    EXPECT_EQ(ResolveWindowsPath("C:\\a.txt").host, DriveC() / "a.txt");
    // Without an exact match the choice must not depend on the host's listing order.
    EXPECT_EQ(ResolveWindowsPath("C:\\A.TXT").host, DriveC() / "A.txt");
}

TEST_F(ResolveTest, AFolderKeepsItsTrailingSpaces) {
    MakeFile("Docs /a.txt");
    MakeFile("Docs/b.txt");
    EXPECT_TRUE(ResolveWindowsPath("C:\\Docs \\a.txt").exists);
    EXPECT_FALSE(ResolveWindowsPath("C:\\Docs \\b.txt").exists);
}

TEST_F(ResolveTest, APathEndingInABackslashNamesNoFile) {
    MakeFile("Docs/a.txt");
    EXPECT_EQ(ErrorOf([] { ResolveWindowsPath("C:\\Docs\\a.txt\\"); }).code(), ERROR_INVALID_NAME);
    EXPECT_TRUE(ResolveWindowsPath("C:\\Docs\\").exists);
    EXPECT_FALSE(ResolveWindowsPath("C:\\Docs\\b.txt\\").exists);
}

TEST_F(ResolveTest, MissingComponentsAreKeptAsTyped) {
    MakeFolder("Docs");
    const HostLocation location = ResolveWindowsPath("C:\\DOCS\\New Folder\\Sub");
    EXPECT_FALSE(location.exists);
    EXPECT_EQ(location.host, DriveC() / "Docs/New Folder/Sub");
}

TEST_F(ResolveTest, ManyDotDotsNeverLeaveTheDrivesHostRoot) {
    std::ofstream(Outside("secret") / "key.txt") << "x";
    const HostLocation location =
        ResolveWindowsPath("C:\\..\\..\\..\\..\\..\\..\\..\\outside\\secret\\key.txt");
    EXPECT_FALSE(location.exists);
    EXPECT_EQ(location.host, DriveC() / "outside/secret/key.txt");
}

TEST_F(ResolveTest, UnmappedOrDanglingDriveIsNotReadyAndNoDriveIsAnInvalidName) {
    AddDrive('e', scratch_ / "no-medium");
    EXPECT_EQ(ErrorOf([] { ResolveWindowsPath("Q:\\x"); }).code(), ERROR_NOT_READY);
    EXPECT_EQ(ErrorOf([] { ResolveWindowsPath("e:"); }).code(), ERROR_NOT_READY);
    EXPECT_EQ(ErrorOf([] { ResolveWindowsPath(""); }).code(), ERROR_PATH_NOT_FOUND);
    EXPECT_STREQ(ErrorOf([] { ResolveWindowsPath("Docs\\a"); }).what(),
                 "Cannot reach Docs\\a: The filename, directory name, or volume label syntax is "
                 "incorrect.");
}

class HostToWindowsTest : public platform_test::PrefixTest {
  protected:
    static std::string OnDriveZ(const fs::path& host) {
        std::string text = "Z:" + host.string();
        std::replace(text.begin(), text.end(), '/', '\\');
        return text;
    }
};

TEST_F(HostToWindowsTest, TheDriveWithTheLongestRootWins) {
    EXPECT_EQ(WindowsPathOfHost(MakeFolder("Docs/Old")), "C:\\Docs\\Old");
    EXPECT_EQ(WindowsPathOfHost(DriveC()), "C:\\");
    EXPECT_EQ(WindowsPathOfHost(Outside("elsewhere")), OnDriveZ(Outside("elsewhere")));
}

TEST_F(HostToWindowsTest, RootsCompareByComponentsAndCanonically) {
    AddDrive('d', Outside("data"));
    EXPECT_EQ(WindowsPathOfHost(Outside("data2")), OnDriveZ(Outside("data2")));
    fs::create_directory_symlink(prefix_, scratch_ / "alias");
    EXPECT_EQ(WindowsPathOfHost(scratch_ / "alias/drive_c/windows"), "C:\\windows");
}

TEST_F(HostToWindowsTest, CurrentFolderFallsBackToTheFirstReadyDrive) {
    const fs::path saved = fs::current_path();
    fs::current_path(MakeFolder("Work"));
    EXPECT_EQ(CurrentFolder(), "C:\\Work");
    fs::remove(prefix_ / "dosdevices/z:");
    AddDrive('a', scratch_ / "no-medium");
    fs::current_path(Outside("elsewhere"));
    EXPECT_EQ(WindowsPathOfHost(Outside("elsewhere")), std::nullopt);
    EXPECT_EQ(CurrentFolder(), "C:\\");
    fs::current_path(saved);
}

}  // namespace
}  // namespace platform
