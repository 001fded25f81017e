#include "platform/fault_injection.h"

#include <array>
#include <cstddef>

namespace tollamar::faults {
namespace {

struct Plan {
    int countdown = 0;  // calls to let through before failing; 0 = no plan
    int times = 0;
    int errnoValue = 0;
};

std::array<Plan, static_cast<size_t>(Op::Count)> g_plans;
std::function<void()> g_beforeReplace;

}  // namespace

void FailNth(Op op, int nth, int errnoValue, int times) {
    g_plans[static_cast<size_t>(op)] = Plan{nth, times, errnoValue};
}

void Reset() {
    g_plans = {};
    g_beforeReplace = nullptr;
}

void BeforeReplace(std::function<void()> hook) { g_beforeReplace = std::move(hook); }

void RunBeforeReplace() {
    if (!g_beforeReplace) return;
    const std::function<void()> hook = std::move(g_beforeReplace);
    g_beforeReplace = nullptr;
    hook();
}

int Take(Op op) {
    Plan& plan = g_plans[static_cast<size_t>(op)];
    if (plan.countdown == 0) return 0;
    if (plan.countdown > 1) {
        --plan.countdown;
        return 0;
    }
    if (--plan.times <= 0) plan.countdown = 0;
    return plan.errnoValue;
}

}  // namespace tollamar::faults
