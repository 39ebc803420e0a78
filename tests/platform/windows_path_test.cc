#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "machine/machine_test.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

// The path as Windows reads it, with a trailing backslash where it ends as a folder's path.
std::string Normalised(std::string_view text) {
    const std::optional<WindowsPath> path = ParseWindowsPath(text);
    if (!path) return "<none>";
    return FormatWindowsPath(*path) + (path->ends_in_separator ? "\\" : "");
}

TEST(ParseWindowsPath, NormalisesNamesAsWindowsDoes) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"c:\\Docs/report.txt", "C:\\Docs\\report.txt"},
        {"C:", "C:\\"},
        {"C:\\\\Docs\\\\report.txt", "C:\\Docs\\report.txt"},
        // The last name loses every trailing dot and space...
        {"C:\\Docs\\report.txt. . ", "C:\\Docs\\report.txt"},
        {"C:\\Docs\\...", "C:\\Docs\\"},
        {"C:\\ report.txt", "C:\\ report.txt"},
        // ...a folder on the way one trailing dot, and none of its spaces.
        {"C:\\Docs.\\report.txt", "C:\\Docs\\report.txt"},
        {"C:\\Docs..\\report.txt", "C:\\Docs.\\report.txt"},
        {"C:\\Docs  \\report.txt", "C:\\Docs  \\report.txt"},
        {"C:\\Docs \\", "C:\\Docs \\"},
        {"C:\\Docs\\.", "C:\\Docs"},
    };
    for (const auto& [text, normalised] : cases) EXPECT_EQ(Normalised(text), normalised) << text;
}

TEST(ParseWindowsPath, AppliesDotsToTheTextAndClampsAtTheRoot) {
    EXPECT_EQ(Normalised("C:\\a\\.\\b\\..\\c"), "C:\\a\\c");
    EXPECT_EQ(Normalised("C:\\..\\x"), "C:\\x");
    EXPECT_EQ(Normalised("C:\\a\\.. \\..\\..\\etc\\passwd"), "C:\\etc\\passwd");
}

TEST(ParseWindowsPath, RefusesWhatIsNoDrivePath) {
    for (std::string_view text : {"", "Docs\\a", "\\\\server\\share", "1:\\x", "C:relative",
                                  "C:\\...\\system.reg", "C:\\a\\...\\"}) {
        EXPECT_EQ(Normalised(text), "<none>") << text;
    }
    EXPECT_EQ(Normalised(std::string_view("C:\\a\0b", 6)), "<none>");
}

using CurrentFolderTest = test_machine::MachineTest;

TEST_F(CurrentFolderTest, IsTheProcessesFolderAsAWindowsPath) {
    const fs::path saved = fs::current_path();
    fs::current_path(MakeFolder("Work"));
    EXPECT_EQ(CurrentFolder(), "C:\\Work");
    fs::current_path(saved);
}

}  // namespace
}  // namespace platform
