// Which items Hide must never move: the register, and every folder that holds it.
#include "register/hiding_place.h"

#include <algorithm>

#include "register_test.h"

namespace {

using hiding::CarriesTheRegister;

using CarriesTheRegisterTest = RegisterTest;

TEST_F(CarriesTheRegisterTest, TheRegisterAndTheFoldersHoldingItAreCarriedAway) {
    EXPECT_TRUE(CarriesTheRegister("C:\\windows\\system32\\tessarn.dat"));
    EXPECT_TRUE(CarriesTheRegister("c:\\WINDOWS\\System32"));
    EXPECT_TRUE(CarriesTheRegister("C:\\windows"));
    EXPECT_TRUE(CarriesTheRegister("C:\\Docs\\..\\windows\\ "));
}

TEST_F(CarriesTheRegisterTest, TheRegisterReachedThroughAnotherDriveLetterIsCarriedAwayToo) {
    // Drive Z is the whole host tree, so it reaches drive C's folder under the prefix.
    std::string outer = "Z:" + scratch_.string();
    std::replace(outer.begin(), outer.end(), '/', '\\');
    EXPECT_TRUE(CarriesTheRegister(outer));
    EXPECT_TRUE(CarriesTheRegister(outer + "\\prefix\\drive_c\\windows"));
}

TEST_F(CarriesTheRegisterTest, ItemsBesideTheRegisterAreNot) {
    Store(System32() / "notes.txt", "x");
    EXPECT_FALSE(CarriesTheRegister("C:\\windows\\system32\\notes.txt"));
    EXPECT_FALSE(CarriesTheRegister("C:\\windows\\system32\\tessarn.dat.old"));
    EXPECT_FALSE(CarriesTheRegister("C:\\windowsold"));
    EXPECT_FALSE(CarriesTheRegister("C:\\Docs\\report.txt"));
    EXPECT_FALSE(CarriesTheRegister("Q:\\nowhere"));
    EXPECT_FALSE(CarriesTheRegister("not a path"));
}

}  // namespace
