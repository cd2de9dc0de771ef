#include "solver/Solver.h"

#include "solver/Kernel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace quartet {

namespace {

constexpr double kTarget = 24.0;
constexpr double kTolerance = 1e-10;

// Operator indices outside 0 to 3 share one instantiation that yields 0.
constexpr int kOtherOperator = 4;

constexpr int operatorKind(std::int16_t op)
{
    return op >= Add && op <= Divide ? op : kOtherOperator;
}

// Hits are rare, a few hundred of the 7680 expressions at most: keeping
// their handling off the straight path keeps the search loop compact.
bool reaches24(double r)
{
    if (std::fabs(r - kTarget) < kTolerance) [[unlikely]]
        return true;
    return false;
}

// Composes one solution line on the stack, so that a hit costs no
// allocation beyond the list's own. The buffer holds any line the search
// writes (at most 34 characters: four card values, three one-character
// operators); operator texts too long for it are refused.
class LineWriter {
public:
    LineWriter& operator<<(std::string_view piece)
    {
        makeRoom(piece.size());
        std::copy(piece.begin(), piece.end(), m_buffer.data() + m_size);
        m_size += piece.size();
        return *this;
    }

    // A card value: one space before a value of zero or more, a minus sign
    // before a negative one.
    LineWriter& operator<<(std::int16_t card)
    {
        makeRoom(sizeof "-32768" - 1);
        if (card >= 0)
            m_buffer[m_size++] = ' ';
        char* const begin = m_buffer.data();
        const char* end = std::to_chars(begin + m_size, begin + m_buffer.size(), card).ptr;
        m_size = static_cast<std::size_t>(end - begin);
        return *this;
    }

    std::string_view text() const { return {m_buffer.data(), m_size}; }

private:
    void makeRoom(std::size_t size) const
    {
        if (size > m_buffer.size() - m_size)
            throw std::length_error("solution line too long");
    }

    std::array<char, 128> m_buffer;
    std::size_t m_size = 0;
};

}  // namespace

namespace {

// One operator chosen at run time; any index other than 0 to 3 yields 0.
double applyAny(int kind, double left, double right)
{
    switch (kind) {
    case Add: return apply<Add>(left, right);
    case Subtract: return apply<Subtract>(left, right);
    case Multiply: return apply<Multiply>(left, right);
    case Divide: return apply<Divide>(left, right);
    default: return apply<kOtherOperator>(left, right);
    }
}

}  // namespace

// The steps of the five shapes that do not depend on all three operators are
// computed once per ordering rather than once per operator triple. Each is
// the same operation on the same operands, so every value is the double that
// the written bracketing gives.
void Solver::shareValuesOfOrder()
{
    SharedValues& v = m_shared;
    v.a = Order[0];
    v.b = Order[1];
    v.c = Order[2];
    v.d = Order[3];
    for (int x = 0; x < kOperatorKinds; ++x) {
        v.ab[x] = applyAny(x, v.a, v.b);
        v.bc[x] = applyAny(x, v.b, v.c);
        v.cd[x] = applyAny(x, v.c, v.d);
    }
    for (int x = 0; x < kOperatorKinds; ++x)
        for (int y = 0; y < kOperatorKinds; ++y) {
            v.abThenC[x][y] = applyAny(y, v.ab[x], v.c);
            v.aThenBc[x][y] = applyAny(x, v.a, v.bc[y]);
            v.bcThenD[x][y] = applyAny(y, v.bc[x], v.d);
            v.bThenCd[x][y] = applyAny(x, v.b, v.cd[y]);
        }
}

// The five shapes in the order they are tested, each finished by its last
// operation on the shared values of the ordering.
//
// The floating-point flags are not read after every operation: they are
// sticky, so reading them before every hit and once after the search reports
// any error before it could change what the search writes, at a fraction of
// the cost.
template <int Op1, int Op2, int Op3>
void Solver::verifyShapes(ResultList& list)
{
    const SharedValues& v = m_shared;
    if (reaches24(apply<Op3>(v.abThenC[Op1][Op2], v.d)) && onHit(1, list))
        return;
    if (reaches24(apply<Op2>(v.ab[Op1], v.cd[Op3])) && onHit(2, list))
        return;
    if (reaches24(apply<Op3>(v.aThenBc[Op1][Op2], v.d)) && onHit(3, list))
        return;
    if (reaches24(apply<Op1>(v.a, v.bcThenD[Op2][Op3])) && onHit(4, list))
        return;
    if (reaches24(apply<Op1>(v.a, v.bThenCd[Op2][Op3])) && onHit(5, list))
        return;
}

// One shape verifier per operator triple, indexed op1, op2, op3 in base 5.
template <std::size_t... I>
constexpr auto Solver::makeVerifierTable(std::index_sequence<I...>)
{
    using ShapeVerifier = void (Solver::*)(ResultList&);
    constexpr int n = kOperatorKinds;
    return std::array<ShapeVerifier, sizeof...(I)>{&Solver::verifyShapes<I / (n * n), I / n % n, I % n>...};
}

void Solver::verify(ResultList& list)
{
    static constexpr auto table =
        makeVerifierTable(std::make_index_sequence<kOperatorKinds * kOperatorKinds * kOperatorKinds>());
    const int index =
        (operatorKind(OpIdx[0]) * kOperatorKinds + operatorKind(OpIdx[1])) * kOperatorKinds + operatorKind(OpIdx[2]);
    (this->*table[index])(list);
}

void Solver::MyVerify(ResultList& list)
{
    clearArithmeticFlags();
    shareValuesOfOrder();
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
    appendSolutionLine(shape, list);
    clearArithmeticFlags();  // whatever the list did is none of the search's errors
    return false;
}

void Solver::appendSolutionLine(int shape, ResultList& list) const
{
    const std::int16_t A = Order[0], B = Order[1], C = Order[2], D = Order[3];
    const std::string &s1 = symbol(OpIdx[0]), &s2 = symbol(OpIdx[1]), &s3 = symbol(OpIdx[2]);
    LineWriter line;
    switch (shape) {
    case 1: line << "((" << A << s1 << B << ")" << s2 << C << ")" << s3 << D << "=24"; break;
    case 2: line << "(" << A << s1 << B << ")" << s2 << "(" << C << s3 << D << ")=24"; break;
    case 3: line << "(" << A << s1 << "(" << B << s2 << C << "))" << s3 << D << "=24"; break;
    case 4: line << A << s1 << "((" << B << s2 << C << ")" << s3 << D << ")=24"; break;
    default: line << A << s1 << "(" << B << s2 << "(" << C << s3 << D << "))=24"; break;
    }
    list.append(line.text());
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
                shareValuesOfOrder();
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
