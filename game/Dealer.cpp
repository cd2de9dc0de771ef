#include "game/Dealer.h"

#include "game/RandomSource.h"

#include <cmath>

namespace quartet {

namespace {

// Clears both flags when a deal ends, also should a search fail, so that the
// next Answer lists solutions again.
class CheckOnlyScope {
public:
    explicit CheckOnlyScope(Solver& solver) : m_solver(solver)
    {
        m_solver.Found = false;
        m_solver.CheckOnly = true;
    }
    ~CheckOnlyScope()
    {
        m_solver.CheckOnly = false;
        m_solver.Found = false;
    }
    CheckOnlyScope(const CheckOnlyScope&) = delete;
    CheckOnlyScope& operator=(const CheckOnlyScope&) = delete;

private:
    Solver& m_solver;
};

}  // namespace

std::int16_t drawCard(float r, std::int16_t MaxVal)
{
    // MaxVal as a float times r, plus 1, all held exactly in double.
    const double value = static_cast<double>(static_cast<float>(MaxVal)) * r + 1.0;
    return static_cast<std::int16_t>(std::floor(value));
}

DealOutcome deal(Solver& solver, ResultList& list, RandomSource& random, std::int16_t MaxVal)
{
    if (MaxVal < kSmallestDealableMaxVal)
        return DealOutcome::MaxValTooSmall;

    random.reseed();
    const CheckOnlyScope checkOnly(solver);
    do {
        for (auto& card : solver.Card)
            card = drawCard(random.next(), MaxVal);
        solver.Enumerate(list);
    } while (!solver.Found);
    return DealOutcome::Dealt;
}

}  // namespace quartet
