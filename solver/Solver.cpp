#include "solver/Solver.h"

#include "solver/Kernel.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <stdexcept>

namespace quartet {

namespace {

constexpr double kTarget = 24.0;
constexpr double kTolerance = 1e-10;

// Operator indices outside 0 to 3 share one instantiation that yields 0.
constexpr int kOtherOperator = 4;
constexpr int kOperatorKinds = 5;

constexpr int operatorKind(std::int16_t op)
{
    return op >= Add && op <= Divide ? op : kOtherOperator;
}

bool reaches24(double r)
{
    return std::fabs(r - kTarget) < kTolerance;
}

// A card value as a solution line writes it: one space before a value of
// zero or more, a minus sign before a negative one.
std::string numberText(std::int16_t value)
{
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text = value < 0 ? "" : " ";
    text.append(digits, end);
    return text;
}

std::string concat(std::initializer_list<std::string_view> pieces)
{
    std::string text;
    for (const auto piece : pieces)
        text += piece;
    return text;
}

}  // namespace

// The five shapes in the order they are tested. a op1 b and b op2 c are each
// used by two shapes; every value is the double that the written bracketing
// gives, computed left operand first.
//
// The floating-point flags are not read after every operation: they are
// sticky, so reading them before every hit and once after the search reports
// any error before it could change what the search writes, at a fraction of
// the cost.
template <int Op1, int Op2, int Op3>
void Solver::verifyShapes(ResultList& list)
{
    const double a = Order[0];
    const double b = Order[1];
    const double c = Order[2];
    const double d = Order[3];

    const double ab = apply<Op1>(a, b);
    if (reaches24(apply<Op3>(apply<Op2>(ab, c), d)) && onHit(1, list))
        return;
    if (reaches24(apply<Op2>(ab, apply<Op3>(c, d))) && onHit(2, list))
        return;
    const double bc = apply<Op2>(b, c);
    if (reaches24(apply<Op3>(apply<Op1>(a, bc), d)) && onHit(3, list))
        return;
    if (reaches24(apply<Op1>(a, apply<Op3>(bc, d))) && onHit(4, list))
        return;
    if (reaches24(apply<Op1>(a, apply<Op2>(b, apply<Op3>(c, d)))) && onHit(5, list))
        return;
}

// One shape verifier per operator triple, indexed op1, op2, op3 in base 5.
template <std::size_t... I>
constexpr auto Solver::makeVerifierTable(std::index_sequence<I...>)
{
    using ShapeVerifier = void (Solver::*)(ResultList&);
    constexpr int n = kOperatorKinds;
    return std::array<ShapeVerifier, sizeof...(I)>{
        &Solver::verifyShapes<I / (n * n), I / n % n, I % n>...};
}

void Solver::verify(ResultList& list)
{
    static constexpr auto table = makeVerifierTable(
        std::make_index_sequence<kOperatorKinds * kOperatorKinds * kOperatorKinds>());
    const int index = (operatorKind(OpIdx[0]) * kOperatorKinds + operatorKind(OpIdx[1]))
            * kOperatorKinds + operatorKind(OpIdx[2]);
    (this->*table[index])(list);
}

void Solver::MyVerify(ResultList& list)
{
    clearArithmeticFlags();
    verify(list);
    throwOnArithmeticFlags();
}

// Returns true when the verifier is to stop: on the first hit in check-only mode.
bool Solver::onHit(int shape, ResultList& list)
{
    throwOnArithmeticFlags();
    if (CheckOnly) {
        Found = true;
        return true;
    }
    list.append(solutionLine(shape));
    return false;
}

std::string Solver::solutionLine(int shape) const
{
    const std::string A = numberText(Order[0]), B = numberText(Order[1]),
                      C = numberText(Order[2]), D = numberText(Order[3]);
    const std::string &s1 = symbol(OpIdx[0]), &s2 = symbol(OpIdx[1]), &s3 = symbol(OpIdx[2]);
    switch (shape) {
    case 1: return concat({"((", A, s1, B, ")", s2, C, ")", s3, D, "=24"});
    case 2: return concat({"(", A, s1, B, ")", s2, "(", C, s3, D, ")=24"});
    case 3: return concat({"(", A, s1, "(", B, s2, C, "))", s3, D, "=24"});
    case 4: return concat({A, s1, "((", B, s2, C, ")", s3, D, ")=24"});
    default: return concat({A, s1, "(", B, s2, "(", C, s3, D, "))=24"});
    }
}

const std::string& Solver::symbol(int operand) const
{
    if (operand < 0 || operand >= static_cast<int>(OpSym.size()))
        throw std::out_of_range("operator index out of range");
    return OpSym[static_cast<std::size_t>(operand)];
}

void Solver::Enumerate(ResultList& list)
{
    OpSym = {"+", "-", "x", "/"};
    list.clear();
    clearArithmeticFlags();

    // Each level picks one of the remaining cards and fills its place with
    // the last remaining one; equal values give repeated orderings.
    for (int i = 0; i < 4; ++i) {
        Hand Pool1 = Card;
        Order[0] = Pool1[i];
        Pool1[i] = Pool1[3];
        for (int j = 0; j < 3; ++j) {
            Hand Pool2 = Pool1;
            Order[1] = Pool2[j];
            Pool2[j] = Pool2[2];
            for (int k = 0; k < 2; ++k) {
                Hand Pool3 = Pool2;
                Order[2] = Pool3[k];
                Pool3[k] = Pool3[1];
                Order[3] = Pool3[0];
                for (std::int16_t op1 = 0; op1 < 4; ++op1)
                    for (std::int16_t op2 = 0; op2 < 4; ++op2)
                        for (std::int16_t op3 = 0; op3 < 4; ++op3) {
                            OpIdx = {op1, op2, op3};
                            verify(list);
                        }
            }
        }
    }

    throwOnArithmeticFlags();
    if (list.count() == 0 && !CheckOnly)
        list.append(kNoSolutionLine);
}

}  // namespace quartet
