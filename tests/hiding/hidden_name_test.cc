#include "hiding/hidden_name.h"

#include <gtest/gtest.h>

#include <string>

namespace hiding {
namespace {

TEST(HiddenNameTest, OnlyOnePlainNameIsTrusted) {
    for (const std::string& name :
         std::initializer_list<std::string>{"H1", "H32767", "H3   ", "report.txt", "H 2"}) {
        EXPECT_TRUE(IsPlainHiddenName(name)) << name;
    }
    for (const std::string& name : std::initializer_list<std::string>{
             "", "   ", ".", "..", ".. ", "...", ". .", "H1.", "H1. ", "..\\Docs\\report.txt",
             "a/b", "C:x", "H1\\..", "..\\..", std::string("H1\0x", 4)}) {
        EXPECT_FALSE(IsPlainHiddenName(name)) << name;
    }
}

}  // namespace
}  // namespace hiding
