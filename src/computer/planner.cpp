#include "computer/planner.h"

// Placeholder until the search over the flight is written: aims a middling
// shot at the first living opponent. Replaced, not shipped.
namespace computer {

Planner::Planner(Level level)
    : level_(level)
{
}

Plan Planner::planTurn(const Situation& situation)
{
    Plan plan;
    plan.far = 25;
    plan.high = 25;
    for (int k = 0; k < 4; ++k)
        if (k != situation.slot && situation.vehicles[static_cast<std::size_t>(k)].alive) {
            plan.target = k;
            break;
        }
    return plan;
}

} // namespace computer
