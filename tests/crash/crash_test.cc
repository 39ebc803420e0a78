// A child process runs one Hide or Unhide and is killed just before its Nth file operation, for
// N = 1, 2, ... until the operation completes. After every kill the register is opened as the
// next Hide or hidden-items window would, and no item may be lost. The child is a new process of
// this test program, on both systems.
#include <functional>
#include <map>
#include <string>

#include "hiding/hide.h"
#include "hiding/journal_notices.h"
#include "hiding/unhide.h"
#include "machine/child_process.h"
#include "machine_check.h"
#include "platform/fault_injection.h"

namespace crash_test {
namespace {

using test_machine::ChildEnd;
using test_machine::ChildProcess;

const std::vector<Item> kItems = {
    {"Docs/a.txt", false}, {"Docs/b.txt", false}, {"Docs/Old", true}, {"Docs/c.txt", false}};

void HideDoc(const char* below_docs) {
    hiding::Hide(std::string("C:\\Docs\\") + below_docs, "c:");
}

void UnhideFirst() {
    const hiding::HiddenItemRecord first = hiding::ListHiddenItems().at(0);
    hiding::Unhide(0, first.item_name(), first.item_path());
}

void UnhideLast() {
    const std::vector<hiding::HiddenItemRecord> records = hiding::ListHiddenItems();
    hiding::Unhide(static_cast<int>(records.size()) - 1, records.back().item_name(),
                   records.back().item_path());
}

// Opening the hidden-items window, which gives every item found without a record its record.
void ListWithNotices() {
    hiding::ListHiddenItemsWithNotices();
}

// The operations a child may be killed in, by name.
const std::map<std::string, std::function<void()>, std::less<>> kOperations = {
    {"hide a.txt", [] { HideDoc("a.txt"); }}, {"hide c.txt", [] { HideDoc("c.txt"); }},
    {"hide Old", [] { HideDoc("Old"); }},     {"unhide the first", UnhideFirst},
    {"unhide the last", UnhideLast},          {"open the hidden items", ListWithNotices},
};

// The child: arms the fault injector to end it before its nth file operation, then runs the
// operation. Exits with 0 when the operation finished first.
const test_machine::RegisteredRole kKilledMidOperation(
    "killed-mid-operation", [](const std::vector<std::string>& arguments) {
        platform::fault_injection::KillBeforeOperation(std::stoi(arguments.at(1)));
        kOperations.find(arguments.at(0))->second();
        return 0;
    });

// A running copy of the program doing random hides and unhides, seeded, on its parent's items.
// Exits with 0 unless one of its steps was refused for another reason than the other copy
// reaching for the same item at once, and unless most of its steps went through.
const test_machine::RegisteredRole kRunningCopy(
    "running-copy", [](const std::vector<std::string>& arguments) {
        const Machine machine(Machine::OfParent{}, kItems);
        std::mt19937 random(std::stoul(arguments.at(0)));
        int done = 0;
        for (int step = 0; step < 500; ++step) {
            switch (machine.RandomStep(random)) {
                case Machine::Step::kRefused:
                    return 1;
                case Machine::Step::kRaced:
                    break;
                default:
                    ++done;
            }
        }
        return done >= 250 ? 0 : 2;
    });

// For every N: a fresh machine, `before` run here, `operation` run in a child killed before its
// Nth file operation, then `after` and the check. Stops when the operation runs to its end.
void KillAtEveryStep(
    const std::function<void()>& before, const std::string& operation,
    const std::function<void()>& after = [] {}) {
    for (int nth = 1; nth < 200; ++nth) {
        SCOPED_TRACE("killed before file operation " + std::to_string(nth));
        const Machine machine(kItems);
        before();
        ChildProcess child("killed-mid-operation", {operation, std::to_string(nth)});
        const ChildProcess::End end = child.Wait();
        EXPECT_TRUE(end.how == ChildEnd::kKilled || end.ExitedWith(0)) << end.exit_code;
        after();
        machine.ExpectEveryItemWhole();
        if (end.how == ChildEnd::kExited || testing::Test::HasFailure()) return;
    }
    FAIL() << "the operation never completed";
}

TEST(CrashTest, HideOfAFile) {
    KillAtEveryStep([] { HideDoc("b.txt"); }, "hide a.txt");
}

TEST(CrashTest, HideOfAFolder) {
    KillAtEveryStep([] { HideDoc("b.txt"); }, "hide Old");
}

// Hide A, Hide B, Unhide A leaves count + 1 naming B's place: the killed Hide takes a free name.
TEST(CrashTest, HideAfterAnUnhideOutOfOrder) {
    KillAtEveryStep(
        [] {
            HideDoc("a.txt");
            HideDoc("b.txt");
            UnhideFirst();
        },
        "hide c.txt");
}

TEST(CrashTest, UnhideOfAFile) {
    KillAtEveryStep(
        [] {
            HideDoc("a.txt");
            HideDoc("b.txt");
        },
        "unhide the first");
}

// The last record is cut off the register in place, where the others are rewritten.
TEST(CrashTest, UnhideOfTheLastRecord) {
    KillAtEveryStep(
        [] {
            HideDoc("a.txt");
            HideDoc("b.txt");
        },
        "unhide the last");
}

TEST(CrashTest, UnhideOfAFolder) {
    KillAtEveryStep(
        [] {
            HideDoc("Old");
            HideDoc("b.txt");
        },
        "unhide the first");
}

// The register is lost with two items hidden: the window that finds them again is killed at every
// step, and the next opening still gives each its record with the path it came from.
TEST(CrashTest, FindingItemsWithoutARecord) {
    KillAtEveryStep(
        [] {
            HideDoc("a.txt");
            HideDoc("Old");
            fs::remove(test_machine::DriveCOfThisMachine() / "windows/system32/tessarn.dat");
        },
        "open the hidden items", ListWithNotices);
}

// Two running copies take turns at the register's lock: a thousand hides and unhides between them,
// on the same items, leave every item whole and Hide working throughout.
TEST(CrashTest, TwoRunningCopiesInterleaveAThousandHidesAndUnhides) {
    const Machine machine(kItems);
    ChildProcess first("running-copy", {"1"});
    ChildProcess second("running-copy", {"2"});
    EXPECT_TRUE(first.Wait().ExitedWith(0));
    EXPECT_TRUE(second.Wait().ExitedWith(0));
    machine.ExpectEveryItemWhole();
}

}  // namespace
}  // namespace crash_test
