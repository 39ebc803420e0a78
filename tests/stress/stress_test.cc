// The long run behind `make stress`: a child does hides and unhides without end and is killed
// with SIGKILL at a random moment, several hundred times over one machine; after every kill the
// register is opened as the next window would open it, and no item may be lost.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "crash/machine_check.h"

namespace crash_test {
namespace {

constexpr int kKills = 500;

const std::vector<Item> kItems = {{"Docs/a.txt", false}, {"Docs/b.txt", false},
                                  {"Docs/c.txt", false}, {"Docs/d.txt", false},
                                  {"Docs/Old", true},    {"Docs/Older/Oldest", true}};

TEST(StressTest, HundredsOfKillsAtRandomMomentsLoseNothing) {
    const Machine machine(kItems);
    std::mt19937 random(20261207);
    int steps_completed = 0;
    int kills_mid_operation = 0;
    for (int kill_number = 0; kill_number < kKills && !testing::Test::HasFailure(); ++kill_number) {
        int finished[2];
        ASSERT_EQ(pipe(finished), 0);
        const unsigned seed = random();
        const pid_t child = fork();
        if (child == 0) {
            close(finished[0]);
            std::mt19937 steps(seed);
            for (;;) {
                machine.RandomStep(steps);
                const char done = 1;
                if (write(finished[1], &done, 1) != 1) _exit(1);
            }
        }
        close(finished[1]);
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 60000)(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        char done[4096];
        for (ssize_t got; (got = read(finished[0], done, sizeof done)) > 0;) steps_completed += got;
        close(finished[0]);
        kills_mid_operation +=
            JournalHoldsAnOperation(machine.HostC("windows/system32/tessarn.jnl"));
        machine.ExpectEveryItemWhole();
    }
    std::printf(
        "%d kills; %d hides and unhides completed between them; %d kills left an "
        "operation in the journal, each settled at the next opening\n",
        kKills, steps_completed, kills_mid_operation);
}

}  // namespace
}  // namespace crash_test
