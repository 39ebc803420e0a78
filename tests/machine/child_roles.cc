#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "machine/child_process.h"

namespace test_machine {
namespace {

std::map<std::string, ChildRole, std::less<>>& Roles() {
    static std::map<std::string, ChildRole, std::less<>> roles;
    return roles;
}

}  // namespace

RegisteredRole::RegisteredRole(const char* name, ChildRole role) {
    Roles().emplace(name, role);
}

int RunTestsOrChildRole(int argc, char** argv) {
    if (argc >= 3 && std::string_view(argv[1]) == kChildFlag) {
        const auto role = Roles().find(std::string_view(argv[2]));
        if (role == Roles().end()) {
            std::fprintf(stderr, "no child role %s\n", argv[2]);
            return 2;
        }
        return role->second(std::vector<std::string>(argv + 3, argv + argc));
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace test_machine
