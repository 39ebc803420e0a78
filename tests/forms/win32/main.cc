// The window tests on Windows run on the Wine machine of `make windows-test`, whose null graphics
// driver shows no window anywhere while every window, input and message is real.
#include <gtest/gtest.h>

#include "forms/win32/widgets.h"

int main(int argc, char** argv) {
    forms::win32::StartToolkit();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
