// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/Kernel.h"

#include <cfenv>

namespace quartet {

namespace {

constexpr int kErrorFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

}  // namespace

double V(double Num1, std::int16_t Oper, double Num2)
{
    clearArithmeticFlags();
    // The volatile store keeps the arithmetic from moving past the flag test.
    volatile double result = applyOperator(Num1, Oper, Num2);
    throwOnArithmeticFlags();
    return result;
}

void clearArithmeticFlags() noexcept
{
    // Reading the flags is cheap; clearing them reloads the whole
    // floating-point environment, so do it only when one is raised.
    if (std::fetestexcept(kErrorFlags) != 0)
        std::feclearexcept(kErrorFlags);
}

void throwOnArithmeticFlags()
{
    if (std::fetestexcept(kErrorFlags) != 0)
        throw ArithmeticError("arithmetic error in the solver");
}

}  // namespace quartet
