// A child process runs one Hide or Unhide and is killed with SIGKILL just before its Nth file
// operation, for N = 1, 2, ... until the operation completes. After every kill the register is
// opened as the next Hide or hidden-items window would, and no item may be lost.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "hiding/hide.h"
#include "hiding/unhide.h"
#include "machine_check.h"
#include "platform/fault_injection.h"

namespace crash_test {
namespace {

// Runs `operation` in a child that dies before its nth file operation; true when the operation
// finished before that.
bool RunKilledBefore(int nth, const std::function<void()>& operation) {
    const pid_t child = fork();
    if (child == 0) {
        platform::fault_injection::KillBeforeOperation(nth);
        operation();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        EXPECT_EQ(WTERMSIG(status), SIGKILL);
    }
    return WIFEXITED(status);
}

const std::vector<Item> kItems = {
    {"Docs/a.txt", false}, {"Docs/b.txt", false}, {"Docs/Old", true}, {"Docs/c.txt", false}};

class CrashTest : public testing::Test {
  protected:
    void TearDown() override { fs::remove_all(Scratch()); }
    static fs::path Scratch() {
        return fs::temp_directory_path() / ("tessarn-crash-" + std::to_string(getpid()));
    }

    // For every N: a fresh machine, `before` run normally, `operation` killed before its Nth
    // file operation, then the check. Stops when the operation runs to its end.
    static void KillAtEveryStep(const std::function<void()>& before,
                                const std::function<void()>& operation) {
        for (int nth = 1; nth < 200; ++nth) {
            SCOPED_TRACE("killed before file operation " + std::to_string(nth));
            const Machine machine(Scratch(), kItems);
            before();
            const bool completed = RunKilledBefore(nth, operation);
            machine.ExpectEveryItemWhole();
            if (completed || testing::Test::HasFailure()) return;
        }
        FAIL() << "the operation never completed";
    }
};

void HideDoc(const char* below_docs) {
    hiding::Hide(std::string("C:\\Docs\\") + below_docs, "c:");
}

void UnhideFirst() {
    const hiding::HiddenItemRecord first = hiding::ListHiddenItems().at(0);
    hiding::Unhide(0, first.item_name(), first.item_path());
}

TEST_F(CrashTest, HideOfAFile) {
    KillAtEveryStep([] { HideDoc("b.txt"); }, [] { HideDoc("a.txt"); });
}

TEST_F(CrashTest, HideOfAFolder) {
    KillAtEveryStep([] { HideDoc("b.txt"); }, [] { HideDoc("Old"); });
}

// Hide A, Hide B, Unhide A leaves count + 1 naming B's place: the killed Hide takes a free name.
TEST_F(CrashTest, HideAfterAnUnhideOutOfOrder) {
    KillAtEveryStep(
        [] {
            HideDoc("a.txt");
            HideDoc("b.txt");
            UnhideFirst();
        },
        [] { HideDoc("c.txt"); });
}

TEST_F(CrashTest, UnhideOfAFile) {
    KillAtEveryStep(
        [] {
            HideDoc("a.txt");
            HideDoc("b.txt");
        },
        UnhideFirst);
}

TEST_F(CrashTest, UnhideOfAFolder) {
    KillAtEveryStep(
        [] {
            HideDoc("Old");
            HideDoc("b.txt");
        },
        UnhideFirst);
}

// Two running copies take turns at the register's lock: a thousand hides and unhides between them,
// on the same items, leave every item whole and Hide working throughout.
TEST_F(CrashTest, TwoRunningCopiesInterleaveAThousandHidesAndUnhides) {
    const Machine machine(Scratch(), kItems);
    pid_t copies[2];
    for (int copy = 0; copy < 2; ++copy) {
        copies[copy] = fork();
        if (copies[copy] != 0) continue;
        std::mt19937 random(copy + 1);
        int refused = 0;
        for (int step = 0; step < 500; ++step) {
            refused += machine.RandomStep(random) == Machine::Step::kRefused;
        }
        // Refusals come only from the two copies reaching for one item at once.
        _exit(refused < 100 ? 0 : 1);
    }
    for (const pid_t copy : copies) {
        int status = 0;
        waitpid(copy, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    machine.ExpectEveryItemWhole();
}

}  // namespace
}  // namespace crash_test
