// The user's home folder for one test: a folder of the test's own, so that a first start maps it
// as drive H: and never the home of whoever runs the tests. HOME is put back afterwards.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform_test {

class TestHome {
  public:
    explicit TestHome(const std::filesystem::path& folder) {
        if (const char* home = std::getenv("HOME")) saved_ = home;
        std::filesystem::create_directories(folder);
        setenv("HOME", folder.c_str(), 1);
    }
    ~TestHome() {
        if (saved_) {
            setenv("HOME", saved_->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
    }
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

  private:
    std::optional<std::string> saved_;
};

// The names `ls` shows in a folder, sorted: those without a leading dot.
inline std::vector<std::string> VisibleNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const std::filesystem::directory_entry& entry :
         std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.front() != '.') names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace platform_test
