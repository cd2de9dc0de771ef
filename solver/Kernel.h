// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>

namespace quartet {

// Raised when solver arithmetic sets the invalid-operation, division-by-zero
// or overflow flag. Card values never cause it; it guards against a hand or
// an operand that the game itself cannot produce.
class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Operator indices, in the order of the operator symbols "+", "-", "x", "/".
enum Operator : std::int16_t { Add = 0, Subtract = 1, Multiply = 2, Divide = 3 };

// A division by zero does not fail: it yields this value, positive whatever
// the sign of the dividend, so the exhaustive search simply goes on.
inline constexpr double kDivisionByZeroResult = 1e31;

// The operator kernel with the operator chosen at compile time, so that the
// search over all operator triples runs without a branch per operation:
// Num1 Oper Num2, the left operand first. Any index other than 0 to 3 yields
// 0 without arithmetic. The floating-point flags are left for the caller.
template <int Oper>
constexpr double V(double Num1, double Num2)
{
    if constexpr (Oper == Add)
        return Num1 + Num2;
    else if constexpr (Oper == Subtract)
        return Num1 - Num2;
    else if constexpr (Oper == Multiply)
        return Num1 * Num2;
    else if constexpr (Oper == Divide)
        return Num2 == 0.0 ? kDivisionByZeroResult : Num1 / Num2;
    else
        return 0.0;
}

// The kernel with the operator chosen at run time; flags are left for the caller.
constexpr double applyOperator(double Num1, std::int16_t Oper, double Num2)
{
    switch (Oper) {
    case Add: return V<Add>(Num1, Num2);
    case Subtract: return V<Subtract>(Num1, Num2);
    case Multiply: return V<Multiply>(Num1, Num2);
    case Divide: return V<Divide>(Num1, Num2);
    default: return V<-1>(Num1, Num2);
    }
}

// The kernel as one checked step: throws ArithmeticError if the operation
// raised one of the three flags.
double V(double Num1, std::int16_t Oper, double Num2);

// The floating-point flags that count as an arithmetic error.
void clearArithmeticFlags() noexcept;
void throwOnArithmeticFlags();

}  // namespace quartet
