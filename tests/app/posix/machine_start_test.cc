// A start whose machine folder cannot be made or read says so, in a message box as well as on
// stderr, and the program goes no further. Only the Linux machine has a folder to make; Windows is
// the machine itself.
#include "app/machine_start.h"

#include <filesystem>
#include <fstream>

#include "forms/window_test.h"

namespace {

using MachineStartTest = WindowTest;
using testing::HasSubstr;

TEST_F(MachineStartTest, AMachineFolderThatCannotBeMadeIsToldInAMessageBox) {
    const std::filesystem::path file = machine_->Scratch() / "a file";
    std::ofstream(file) << "not a folder";
    for (const std::filesystem::path& machine : {file, file / "machine"}) {
        SCOPED_TRACE(machine);
        messages_.clear();
        setenv("TESSARN_PREFIX", machine.c_str(), 1);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(app::PrepareMachineOrTell());
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_THAT(messages_[0].text, HasSubstr(file.string()));
        EXPECT_EQ(messages_[0].title, "Tessarn");
        EXPECT_THAT(said, HasSubstr(messages_[0].text));
    }
}

}  // namespace
