#include "platform/fault_injection.h"

#include <atomic>

namespace platform::fault_injection {
namespace {

std::atomic<int> operations_seen{0};
std::atomic<int> fail_from{0};  // 0: disarmed

}  // namespace

void FailFromOperation(int nth) {
    operations_seen = 0;
    fail_from = nth;
}

void Disarm() {
    fail_from = 0;
    operations_seen = 0;
}

int OperationsSeen() {
    return operations_seen;
}

bool ShouldFail() {
    const int seen = ++operations_seen;
    const int from = fail_from;
    return from > 0 && seen >= from;
}

}  // namespace platform::fault_injection
