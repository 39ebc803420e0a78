#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/prefix_fixture.h"
#include "platform/windows_error.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

std::string Normalised(std::string_view text) {
    const std::optional<WindowsPath> path = ParseWindowsPath(text);
    return path ? FormatWindowsPath(*path) : "<none>";
}

TEST(ParseWindowsPath, AcceptsBothSeparatorsAndEitherLetterCase) {
    EXPECT_EQ(Normalised("c:\\Docs/report.txt"), "C:\\Docs\\report.txt");
    EXPECT_EQ(Normalised("C:"), "C:\\");
    EXPECT_EQ(Normalised("c:\\"), "C:\\");
    EXPECT_EQ(Normalised("C:\\Docs\\"), "C:\\Docs");
}

TEST(ParseWindowsPath, AppliesDotsToTheTextAndClampsAtTheRoot) {
    EXPECT_EQ(Normalised("C:\\a\\.\\b\\..\\c"), "C:\\a\\c");
    EXPECT_EQ(Normalised("C:\\..\\x"), "C:\\x");
    EXPECT_EQ(Normalised("C:\\a\\..\\..\\..\\..\\etc\\passwd"), "C:\\etc\\passwd");
}

TEST(ParseWindowsPath, DropsTrailingSpacesAndEmptyComponents) {
    EXPECT_EQ(Normalised("C:\\Docs  \\ report.txt "), "C:\\Docs\\ report.txt");
    EXPECT_EQ(Normalised("C:\\\\a\\   \\b"), "C:\\a\\b");
    EXPECT_EQ(Normalised("C:\\a\\.. \\b"), "C:\\b");
}

TEST(ParseWindowsPath, RefusesWhatIsNoDrivePath) {
    EXPECT_EQ(Normalised(""), "<none>");
    EXPECT_EQ(Normalised("Docs\\report.txt"), "<none>");
    EXPECT_EQ(Normalised("\\\\server\\share"), "<none>");
    EXPECT_EQ(Normalised("1:\\x"), "<none>");
    EXPECT_EQ(Normalised("C:relative"), "<none>");
    EXPECT_EQ(Normalised(std::string_view("C:\\a\0b", 6)), "<none>");
}

using ResolveTest = platform_test::PrefixTest;

TEST_F(ResolveTest, ExactNameIsFound) {
    MakeFile("Docs/report.txt");
    const HostLocation location = ResolveWindowsPath("C:\\Docs\\report.txt");
    EXPECT_TRUE(location.exists);
    EXPECT_EQ(location.host, DriveC() / "Docs" / "report.txt");
}

TEST_F(ResolveTest, NamesMatchIgnoringCaseAndTakeTheHostSpelling) {
    MakeFile("Docs/Café Ÿ.txt");
    const HostLocation location = ResolveWindowsPath("c:\\DOCS\\CAFÉ ÿ.TXT");
    EXPECT_TRUE(location.exists);
    EXPECT_EQ(location.host, DriveC() / "Docs" / "Café Ÿ.txt");
    EXPECT_EQ(FormatWindowsPath(location.windows), "C:\\Docs\\Café Ÿ.txt");
}

TEST_F(ResolveTest, ExactNameWinsOverACaseVariant) {
    MakeFile("a.txt", "lower");
    MakeFile("A.txt", "upper");
    EXPECT_EQ(ResolveWindowsPath("C:\\A.txt").host, DriveC() / "A.txt");
    EXPECT_EQ(ResolveWindowsPath("C:\\a.txt").host, DriveC() / "a.txt");
    // With no exact match the choice does not depend on the host's listing order.
    EXPECT_EQ(ResolveWindowsPath("C:\\A.TXT").host, DriveC() / "A.txt");
}

TEST_F(ResolveTest, TrailingSpacesFindTheItem) {
    MakeFile("Docs/report.txt");
    EXPECT_TRUE(ResolveWindowsPath("C:\\Docs \\report.txt  ").exists);
}

TEST_F(ResolveTest, MissingComponentsAreKeptAsTyped) {
    MakeFolder("Docs");
    const HostLocation location = ResolveWindowsPath("C:\\DOCS\\New Folder\\Sub");
    EXPECT_FALSE(location.exists);
    EXPECT_EQ(location.host, DriveC() / "Docs" / "New Folder" / "Sub");
    EXPECT_EQ(FormatWindowsPath(location.windows), "C:\\Docs\\New Folder\\Sub");
}

TEST_F(ResolveTest, AFileIsNoFolder) {
    MakeFile("report.txt");
    EXPECT_FALSE(ResolveWindowsPath("C:\\report.txt\\x").exists);
}

TEST_F(ResolveTest, DriveRootExists) {
    const HostLocation location = ResolveWindowsPath("c:");
    EXPECT_TRUE(location.exists);
    EXPECT_TRUE(location.windows.IsDriveRoot());
    EXPECT_EQ(location.host, DriveC());
}

TEST_F(ResolveTest, ManyDotDotsNeverLeaveTheDrivesHostRoot) {
    const fs::path secret = Outside("secret");
    std::ofstream(secret / "key.txt") << "x";
    const std::string escape = "C:\\..\\..\\..\\..\\..\\..\\..\\..\\outside\\secret\\key.txt";
    const HostLocation location = ResolveWindowsPath(escape);
    EXPECT_FALSE(location.exists);
    EXPECT_EQ(location.host, DriveC() / "outside" / "secret" / "key.txt");
}

TEST_F(ResolveTest, UnmappedOrDanglingDriveIsNotReady) {
    AddDrive('e', scratch_ / "no-medium");
    for (const char* path : {"Q:\\x", "E:\\x", "e:"}) {
        try {
            ResolveWindowsPath(path);
            ADD_FAILURE() << path << " resolved";
        } catch (const WindowsError& error) {
            EXPECT_EQ(error.code(), ERROR_NOT_READY) << path;
        }
    }
}

TEST_F(ResolveTest, TextWithoutADriveIsAnInvalidName) {
    try {
        ResolveWindowsPath("Docs\\report.txt");
        FAIL() << "resolved";
    } catch (const WindowsError& error) {
        EXPECT_EQ(error.code(), ERROR_INVALID_NAME);
        EXPECT_NE(std::string(error.what()).find("Docs\\report.txt"), std::string::npos);
    }
}

using WindowsPathOfHostTest = platform_test::PrefixTest;

std::string OnDriveZ(const fs::path& host) {
    std::string text = "Z:" + host.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

TEST_F(WindowsPathOfHostTest, DriveCWinsOverZ) {
    const fs::path folder = MakeFolder("Docs/Old");
    EXPECT_EQ(WindowsPathOfHost(folder), "C:\\Docs\\Old");
    EXPECT_EQ(WindowsPathOfHost(DriveC()), "C:\\");
}

TEST_F(WindowsPathOfHostTest, EveryHostFolderLiesOnZ) {
    const fs::path folder = Outside("elsewhere");
    EXPECT_EQ(WindowsPathOfHost(folder), OnDriveZ(folder));
}

TEST_F(WindowsPathOfHostTest, ASiblingWithACommonPrefixIsNotInsideTheDrive) {
    AddDrive('d', Outside("data"));
    const fs::path sibling = Outside("data2");
    EXPECT_EQ(WindowsPathOfHost(sibling), OnDriveZ(sibling));
}

TEST_F(WindowsPathOfHostTest, NothingWhenNoDriveHoldsThePath) {
    fs::remove(prefix_ / "dosdevices" / "z:");
    EXPECT_EQ(WindowsPathOfHost(Outside("elsewhere")), std::nullopt);
}

TEST_F(WindowsPathOfHostTest, SymlinkedPrefixStillMapsToC) {
    const fs::path alias = scratch_ / "alias";
    fs::create_directory_symlink(prefix_, alias);
    MakeFolder("Docs");
    EXPECT_EQ(WindowsPathOfHost(alias / "drive_c" / "Docs"), "C:\\Docs");
}

class CurrentFolderTest : public platform_test::PrefixTest {
  protected:
    void SetUp() override {
        PrefixTest::SetUp();
        saved_ = fs::current_path();
    }
    void TearDown() override {
        fs::current_path(saved_);
        PrefixTest::TearDown();
    }
    fs::path saved_;
};

TEST_F(CurrentFolderTest, IsTheWindowsPathOfTheProcessFolder) {
    fs::current_path(MakeFolder("Work"));
    EXPECT_EQ(CurrentFolder(), "C:\\Work");
}

TEST_F(CurrentFolderTest, FallsBackToTheFirstReadyDrive) {
    fs::remove(prefix_ / "dosdevices" / "z:");
    AddDrive('a', scratch_ / "no-medium");
    fs::current_path(Outside("elsewhere"));
    EXPECT_EQ(CurrentFolder(), "C:\\");
}

}  // namespace
}  // namespace platform
