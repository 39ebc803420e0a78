// The Linux machine's own data, which Hide must never move: the registry hive and the drive
// table with the prefix that holds them, reached through drive Z, through the home drive or
// through a link inside a drive.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "hiding/program_data.h"
#include "platform/posix/prefix.h"
#include "register/register_test.h"

namespace {

namespace fs = std::filesystem;
using hiding::CarriesProgramData;
using platform::PrefixFolder;

class CarriesMachineDataTest : public RegisterTest {
  protected:
    // The Windows path of a host path through drive Z, the whole host tree.
    static std::string ThroughZ(const fs::path& host) {
        std::string path = "Z:" + host.string();
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
};

TEST_F(CarriesMachineDataTest, TheHiveTheDriveTableAndEveryFolderHoldingThemAreCarriedAway) {
    Store(RegisterFile(), "");
    Store(PrefixFolder() / "system.reg", "REGEDIT4\n");
    for (const std::string& path : std::vector<std::string>{
             ThroughZ(PrefixFolder().parent_path()), ThroughZ(PrefixFolder() / "system.reg"),
             ThroughZ(PrefixFolder() / "drive_c/windows")}) {
        EXPECT_TRUE(CarriesProgramData(path)) << path;
    }
}

TEST_F(CarriesMachineDataTest, ALinkInsideADriveLeadingToTheDataDoesNotHideIt) {
    // Drive D holds a link out of itself to the machine: what lies behind the link is the same
    // folder however it is reached, while the link itself moves on its own.
    fs::create_directory_symlink(PrefixFolder(), machine().DriveD() / "machine");
    EXPECT_TRUE(CarriesProgramData("D:\\machine\\drive_c"));
    EXPECT_TRUE(CarriesProgramData("D:\\machine\\drive_c\\windows\\system32"));
    EXPECT_TRUE(CarriesProgramData("D:\\machine\\dosdevices"));
    EXPECT_FALSE(CarriesProgramData("D:\\machine"));
}

TEST_F(CarriesMachineDataTest, EveryEntryOfTheDriveTableIsCarriedAwayAsTheLinkItself) {
    // A home that holds the prefix, as the default layout has it, reaches the drive table
    // through drive H: too.
    const fs::path machine = PrefixFolder();
    fs::create_directory_symlink(machine, platform::HomeFolder() / "machine");
    for (const std::string& path : std::vector<std::string>{
             ThroughZ(machine / "dosdevices/c:"), ThroughZ(machine / "dosdevices/z:"),
             ThroughZ(machine / "dosdevices/h:recycled"), ThroughZ(machine / "dosdevices"),
             ThroughZ(machine), "H:\\machine\\dosdevices\\c:", "H:\\machine\\DOSDEVICES\\H:",
             "h:\\machine\\dosdevices\\h:recycled", "H:\\machine\\dosdevices\\Z:. "}) {
        EXPECT_TRUE(CarriesProgramData(path)) << path;
    }
}

}  // namespace
