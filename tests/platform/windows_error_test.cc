#include "platform/windows_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace platform {
namespace {

TEST(WindowsErrorFromErrno, MapsTheHostReasonsTheFileOperationsMeet) {
    EXPECT_EQ(WindowsErrorFromErrno(0), ERROR_SUCCESS);
    EXPECT_EQ(WindowsErrorFromErrno(ENOENT), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(WindowsErrorFromErrno(ENOTDIR), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(WindowsErrorFromErrno(EACCES), ERROR_ACCESS_DENIED);
    EXPECT_EQ(WindowsErrorFromErrno(EROFS), ERROR_ACCESS_DENIED);
    EXPECT_EQ(WindowsErrorFromErrno(EEXIST), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(WindowsErrorFromErrno(ENOTEMPTY), ERROR_DIR_NOT_EMPTY);
    EXPECT_EQ(WindowsErrorFromErrno(EXDEV), ERROR_NOT_SAME_DEVICE);
    EXPECT_EQ(WindowsErrorFromErrno(ENOSPC), ERROR_DISK_FULL);
    EXPECT_EQ(WindowsErrorFromErrno(EIO), ERROR_IO_DEVICE);
}

TEST(WindowsErrorFromErrno, UnknownHostReasonIsADeviceError) {
    EXPECT_EQ(WindowsErrorFromErrno(EPROTO), ERROR_IO_DEVICE);
}

TEST(DescribeWindowsError, GivesTheSystemsOwnSentences) {
    EXPECT_EQ(DescribeWindowsError(ERROR_FILE_NOT_FOUND),
              "The system cannot find the file specified.");
    EXPECT_EQ(DescribeWindowsError(ERROR_ACCESS_DENIED), "Access is denied.");
    EXPECT_EQ(DescribeWindowsError(ERROR_NOT_READY), "The device is not ready.");
    EXPECT_EQ(DescribeWindowsError(ERROR_ALREADY_EXISTS),
              "Cannot create a file when that file already exists.");
    EXPECT_EQ(DescribeWindowsError(ERROR_NOT_SAME_DEVICE),
              "The system cannot move the file to a different disk drive.");
}

TEST(DescribeWindowsError, UnknownCodeStillGivesASentence) {
    EXPECT_EQ(DescribeWindowsError(4242), "Windows error 4242.");
}

TEST(WindowsError, WhatJoinsTheFailedActionAndTheReason) {
    const WindowsError error(ERROR_ACCESS_DENIED, "Cannot open the register c:\\x.dat");
    EXPECT_STREQ(error.what(), "Cannot open the register c:\\x.dat: Access is denied.");
    EXPECT_EQ(error.code(), ERROR_ACCESS_DENIED);
}

}  // namespace
}  // namespace platform
