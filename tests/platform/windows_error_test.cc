#include "platform/windows_error.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(WindowsError, WhatIsTheFailedActionAndTheSystemsSentence) {
    EXPECT_STREQ(WindowsError(ERROR_NOT_READY, "Cannot reach E:\\x").what(),
                 "Cannot reach E:\\x: The device is not ready.");
    EXPECT_STREQ(WindowsError(ERROR_FILE_NOT_FOUND, "Cannot open C:\\a").what(),
                 "Cannot open C:\\a: The system cannot find the file specified.");
    EXPECT_STREQ(WindowsError(4242, "Cannot open C:\\a").what(),
                 "Cannot open C:\\a: Windows error 4242.");
}

}  // namespace
}  // namespace platform
