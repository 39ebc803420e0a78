// Which items Hide must never move: the program's own files, and every folder that holds one,
// however the path reaches them.
#include "hiding/program_data.h"

#include <filesystem>
#include <vector>

#include "platform/drives.h"
#include "register/register_test.h"

namespace {

namespace fs = std::filesystem;
using hiding::CarriesProgramData;
using CarriesProgramDataTest = RegisterTest;

TEST_F(CarriesProgramDataTest, TheRegisterAndEveryFolderHoldingItAreCarriedAway) {
    Store(RegisterFile(), "");
    const std::vector<std::string> paths = {"C:\\windows\\system32\\tessarn.dat",
                                            "c:\\WINDOWS\\System32",
                                            "C:\\windows",
                                            "C:\\Docs\\..\\windows\\ ",
                                            "F:\\windows\\system32",
                                            "F:\\Windows\\System32\\TESSARN.DAT"};
    for (const std::string& path : paths) EXPECT_TRUE(CarriesProgramData(path)) << path;
    // As a Hide asks, within one operation, which keeps what it has learnt of each volume: the
    // folders reached through another letter are still the same folders.
    const platform::DriveTableSnapshot operation;
    for (const std::string& path : paths) {
        EXPECT_TRUE(CarriesProgramData(path)) << path << " within an operation";
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
