// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/ShapeVerifier.h"

#include "solver/Kernel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace quartet {

namespace {

constexpr double kTarget = 24.0;
constexpr double kTolerance = 1e-10;

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

ShapeVerifier::ShapeVerifier(const Hand& Order, const OperatorTexts& OpSym)
    : m_order(Order), m_opSym(OpSym), m_a(Order[0]), m_b(Order[1]), m_c(Order[2]), m_d(Order[3])
{
    for (std::int16_t x = 0; x < kOperatorKinds; ++x) {
        m_ab[x] = applyOperator(m_a, x, m_b);
        m_bc[x] = applyOperator(m_b, x, m_c);
        m_cd[x] = applyOperator(m_c, x, m_d);
    }
    for (std::int16_t x = 0; x < kOperatorKinds; ++x)
        for (std::int16_t y = 0; y < kOperatorKinds; ++y) {
            m_abThenC[x][y] = applyOperator(m_ab[x], y, m_c);
            m_aThenBc[x][y] = applyOperator(m_a, x, m_bc[y]);
            m_bcThenD[x][y] = applyOperator(m_bc[x], y, m_d);
            m_bThenCd[x][y] = applyOperator(m_b, x, m_cd[y]);
        }
}

// The five shapes in the order they are tested, each finished by its last
// kernel step on the values shared by the ordering.
//
// The floating-point flags are not read after every operation: they are
// sticky, so reading them before every hit, and once after the whole search,
// reports any error before it could change what the search writes, at a
// fraction of the cost.
template <int Op1, int Op2, int Op3>
void ShapeVerifier::verifyShapes(const ShapeVerifier& v, Call& call)
{
    if (reaches24(V<Op3>(v.m_abThenC[Op1][Op2], v.m_d)) && v.onHit(1, call))
        return;
    if (reaches24(V<Op2>(v.m_ab[Op1], v.m_cd[Op3])) && v.onHit(2, call))
        return;
    if (reaches24(V<Op3>(v.m_aThenBc[Op1][Op2], v.m_d)) && v.onHit(3, call))
        return;
    if (reaches24(V<Op1>(v.m_a, v.m_bcThenD[Op2][Op3])) && v.onHit(4, call))
        return;
    if (reaches24(V<Op1>(v.m_a, v.m_bThenCd[Op2][Op3])) && v.onHit(5, call))
        return;
}

template <std::size_t... I>
constexpr auto ShapeVerifier::makeVerifiers(std::index_sequence<I...>)
{
    constexpr int n = kOperatorKinds;
    return std::array<Verifier, sizeof...(I)>{&ShapeVerifier::verifyShapes<I / (n * n), I / n % n, I % n>...};
}

const std::array<ShapeVerifier::Verifier, ShapeVerifier::kOperatorTriples> ShapeVerifier::kVerifiers =
    makeVerifiers(std::make_index_sequence<kOperatorTriples>());

// Returns true when the verifier is to stop: on the first hit in check-only mode.
bool ShapeVerifier::onHit(int shape, Call& call) const
{
    throwOnArithmeticFlags();
    if (call.CheckOnly) {
        call.Found = true;
        return true;
    }
    appendSolutionLine(shape, call.OpIdx, call.list);
    clearArithmeticFlags();  // whatever the list did is none of the search's errors
    return false;
}

void ShapeVerifier::appendSolutionLine(int shape, const OperatorTriple& OpIdx, ResultList& list) const
{
    const std::int16_t A = m_order[0], B = m_order[1], C = m_order[2], D = m_order[3];
    const std::string_view s1 = symbol(OpIdx[0]), s2 = symbol(OpIdx[1]), s3 = symbol(OpIdx[2]);
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

std::string_view ShapeVerifier::symbol(std::int16_t operatorIndex) const
{
    if (operatorIndex < 0 || operatorIndex >= static_cast<int>(m_opSym.size()))
        throw std::out_of_range("operator index out of range");
    return m_opSym[static_cast<std::size_t>(operatorIndex)];
}

}  // namespace quartet
