// Which items Hide must never move: the program's own files, and every folder that holds one,
// however the path reaches them.
#include "hiding/program_data.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "register/register_test.h"

namespace {

namespace fs = std::filesystem;
using hiding::CarriesProgramData;

class CarriesProgramDataTest : public RegisterTest {
  protected:
    // The Windows path of a host path through drive Z, the whole host tree.
    static std::string ThroughZ(const fs::path& host) {
        std::string path = "Z:" + host.string();
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
};

TEST_F(CarriesProgramDataTest, TheRegisterTheHiveAndEveryFolderHoldingThemAreCarriedAway) {
    Store(RegisterFile(), "");
    Store(scratch_ / "prefix/system.reg", "REGEDIT4\n");
    for (const std::string& path :
         std::vector<std::string>{"C:\\windows\\system32\\tessarn.dat", "c:\\WINDOWS\\System32",
                                  "C:\\windows", "C:\\Docs\\..\\windows\\ ", ThroughZ(scratch_),
                                  ThroughZ(scratch_ / "prefix/system.reg"),
                                  ThroughZ(scratch_ / "prefix/drive_c/windows")}) {
        EXPECT_TRUE(CarriesProgramData(path)) << path;
    }
}

TEST_F(CarriesProgramDataTest, ALinkInsideADriveLeadingToTheDataDoesNotHideIt) {
    // Drive D holds a link out of itself to the machine: what lies behind the link is the same
    // folder however it is reached, while the link itself moves on its own.
    fs::create_directories(scratch_ / "d");
    fs::create_directory_symlink(scratch_ / "prefix", scratch_ / "d/machine");
    fs::create_directory_symlink(scratch_ / "d", scratch_ / "prefix/dosdevices/d:");
    EXPECT_TRUE(CarriesProgramData("D:\\machine\\drive_c"));
    EXPECT_TRUE(CarriesProgramData("D:\\machine\\drive_c\\windows\\system32"));
    EXPECT_TRUE(CarriesProgramData("D:\\machine\\dosdevices"));
    EXPECT_FALSE(CarriesProgramData("D:\\machine"));
}

TEST_F(CarriesProgramDataTest, EveryEntryOfTheDriveTableIsCarriedAwayAsTheLinkItself) {
    // A home that holds the prefix, as the default layout has it, reaches the drive table
    // through drive H: too.
    const fs::path machine = scratch_ / "prefix";
    fs::create_directory_symlink(machine, scratch_ / "home/machine");
    for (const std::string& path : std::vector<std::string>{
             ThroughZ(machine / "dosdevices/c:"), ThroughZ(machine / "dosdevices/z:"),
             ThroughZ(machine / "dosdevices/h:recycled"), ThroughZ(machine / "dosdevices"),
             ThroughZ(machine), "H:\\machine\\dosdevices\\c:", "H:\\machine\\DOSDEVICES\\H:",
             "h:\\machine\\dosdevices\\h:recycled", "H:\\machine\\dosdevices\\Z:. "}) {
        EXPECT_TRUE(CarriesProgramData(path)) << path;
    }
}

TEST_F(CarriesProgramDataTest, ItemsBesideTheDataAreNot) {
    Store(System32() / "notes.txt", "x");
    for (const std::string& path : std::vector<std::string>{
             "C:\\windows\\system32\\notes.txt", "C:\\windows\\system32\\tessarn.dat.old",
             "C:\\windowsold", "C:\\Docs\\report.txt", "Q:\\nowhere", "not a path"}) {
        EXPECT_FALSE(CarriesProgramData(path)) << path;
    }
}

}  // namespace
