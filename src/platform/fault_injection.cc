#include "platform/fault_injection.h"

#include <atomic>

#include "platform/sudden_death.h"

namespace platform::fault_injection {
namespace {

std::atomic<int> operations_seen{0};
std::atomic<int> fail_from{0};  // 0: disarmed
std::atomic<bool> fail_once{false};
std::atomic<int> kill_before{0};  // 0: disarmed

}  // namespace

void FailFromOperation(int nth) {
    operations_seen = 0;
    fail_once = false;
    fail_from = nth;
}

void FailOnlyOperation(int nth) {
    FailFromOperation(nth);
    fail_once = true;
}

void KillBeforeOperation(int nth) {
    operations_seen = 0;
    kill_before = nth;
}

void Disarm() {
    fail_from = 0;
    kill_before = 0;
    operations_seen = 0;
}

int OperationsSeen() {
    return operations_seen;
}

bool ShouldFail() {
    const int seen = ++operations_seen;
    if (seen == kill_before) DieAtOnce();
    const int from = fail_from;
    return from > 0 && (fail_once ? seen == from : seen >= from);
}

}  // namespace platform::fault_injection
