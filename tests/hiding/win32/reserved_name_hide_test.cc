// An item whose name Windows reserves can still be on a Windows disk, made through a "\\?\" path
// by some tool, or on Linux on a stick. Hide leaves it where it is, for Unhide, which never makes
// such a name, could not bring it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "hiding/hide.h"
#include "hiding/hiding_test.h"
#include "hiding/recovery.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;
using ReservedNameHideTest = HidingTest;

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ReservedNameHideTest, HideRefusesAnItemThatUnhideCouldNotBringBack) {
    // Only a "\\?\" path reaches the file itself rather than the console; the test machine's
    // clean-up would not, so the test removes it itself.
    struct RemovedAtEnd {
        fs::path file;
        ~RemovedAtEnd() {
            std::error_code ignored;
            fs::remove(file, ignored);
        }
    } con{L"\\\\?\\" + HostC("Docs/con.txt").make_preferred().wstring()};
    Store(con.file, "console notes");
    ASSERT_EQ(NamesIn(HostC("Docs")), (std::vector<std::string>{"con.txt", "report.txt"}));

    const HideOutcome outcome = Hide("C:\\Docs\\con.txt", "c:");
    EXPECT_EQ(outcome.result, HideOutcome::Result::kRefused);
    EXPECT_NE(outcome.message.find("device CON"), std::string::npos) << outcome.message;
    EXPECT_EQ(NamesIn(HostC("Docs")), (std::vector<std::string>{"con.txt", "report.txt"}));
    EXPECT_TRUE(fs::is_empty(HostC("recycled")));
    EXPECT_TRUE(ListHiddenItems().empty());

    // A reserved name that names nothing fails as any move of nothing does.
    EXPECT_EQ(Hide("C:\\Docs\\nul.txt", "c:").result, HideOutcome::Result::kMoveFailed);
}

}  // namespace
}  // namespace hiding
