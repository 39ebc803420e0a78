// A folder on another file system than a test's own scratch folder, at /dev/shm (a tmpfs), for
// what a rename cannot cross; removed again afterwards. None where the machine has no second file
// system there: the test then skips.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace platform_test {

class FolderOnAnotherFileSystem {
  public:
    explicit FolderOnAnotherFileSystem(const std::filesystem::path& scratch) {
        struct stat scratch_info;
        struct stat shm_info;
        std::string pattern = "/dev/shm/tessarn-test-XXXXXX";
        if (stat("/dev/shm", &shm_info) == 0 && stat(scratch.c_str(), &scratch_info) == 0 &&
            shm_info.st_dev != scratch_info.st_dev && mkdtemp(pattern.data()) != nullptr) {
            folder_ = pattern;
        }
    }
    ~FolderOnAnotherFileSystem() {
        std::error_code ignored;
        if (folder_) std::filesystem::remove_all(*folder_, ignored);
    }
    FolderOnAnotherFileSystem(const FolderOnAnotherFileSystem&) = delete;
    FolderOnAnotherFileSystem& operator=(const FolderOnAnotherFileSystem&) = delete;

    const std::optional<std::filesystem::path>& folder() const { return folder_; }

  private:
    std::optional<std::filesystem::path> folder_;
};

}  // namespace platform_test
