#include "solver/Kernel.h"

#include <cfenv>

namespace quartet {

namespace {

constexpr int kErrorFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Runs one operation between a clear and a test of the flags. The volatile
// store keeps the arithmetic from moving past the flag test.
template <int Oper>
double checked(double Num1, double Num2)
{
    if (Oper == Divide && Num2 == 0.0)
        return kDivisionByZeroResult;
    clearArithmeticFlags();
    volatile double result = apply<Oper>(Num1, Num2);
    throwOnArithmeticFlags();
    return result;
}

}  // namespace

double V(double Num1, std::int16_t Oper, double Num2)
{
    switch (Oper) {
    case Add: return checked<Add>(Num1, Num2);
    case Subtract: return checked<Subtract>(Num1, Num2);
    case Multiply: return checked<Multiply>(Num1, Num2);
    case Divide: return checked<Divide>(Num1, Num2);
    default: return 0.0;
    }
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
