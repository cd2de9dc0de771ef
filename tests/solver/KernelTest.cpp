// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/Kernel.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <limits>

namespace quartet {
namespace {

constexpr std::uint64_t kDivisionByZeroBits = 0x465F8DEF8808B024;

struct KernelCase {
    double num1;
    std::int16_t oper;
    double num2;
    std::uint64_t expectedBits;
};

class KernelTable : public testing::TestWithParam<KernelCase> {};

TEST_P(KernelTable, GivesTheExactDouble)
{
    const KernelCase& c = GetParam();
    EXPECT_EQ(std::bit_cast<std::uint64_t>(V(c.num1, c.oper, c.num2)), c.expectedBits)
        << c.num1 << " op " << c.oper << " " << c.num2;
}

INSTANTIATE_TEST_SUITE_P(Operators, KernelTable,
                         testing::Values(KernelCase{3, 0, 4, std::bit_cast<std::uint64_t>(7.0)},
                                         KernelCase{2, 1, 5, std::bit_cast<std::uint64_t>(-3.0)},  // left minus right
                                         KernelCase{6, 2, -4, std::bit_cast<std::uint64_t>(-24.0)},
                                         KernelCase{8, 3, 3, std::bit_cast<std::uint64_t>(2.6666666666666665)},
                                         KernelCase{1, 3, 1e-300, std::bit_cast<std::uint64_t>(9.999999999999999e299)},
                                         KernelCase{7, 3, 0.0, kDivisionByZeroBits},
                                         KernelCase{0, 3, 0.0, kDivisionByZeroBits},
                                         KernelCase{-7, 3, -0.0, kDivisionByZeroBits},  // positive whatever the signs
                                         KernelCase{5, 4, 6, std::bit_cast<std::uint64_t>(0.0)},
                                         KernelCase{5, -1, 6, std::bit_cast<std::uint64_t>(0.0)},
                                         KernelCase{5, 1000, 6, std::bit_cast<std::uint64_t>(0.0)}));

struct ErrorCase {
    const char* what;
    double num1;
    std::int16_t oper;
    double num2;
};

class KernelError : public testing::TestWithParam<ErrorCase> {};

TEST_P(KernelError, IsRaisedOnOverflowAndInvalidOperation)
{
    // volatile keeps the compiler from folding the operation into a constant.
    volatile double num1 = GetParam().num1;
    volatile double num2 = GetParam().num2;
    EXPECT_THROW(V(num1, GetParam().oper, num2), ArithmeticError) << GetParam().what;
    std::feclearexcept(FE_ALL_EXCEPT);
}

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Failures, KernelError,
    testing::Values(ErrorCase{"sum overflows", kMax, 0, kMax}, ErrorCase{"difference overflows", -kMax, 1, kMax},
                    ErrorCase{"product overflows", kMax, 2, 2.0},
                    ErrorCase{"quotient overflows", 1.0, 3, std::numeric_limits<double>::denorm_min()},
                    ErrorCase{"infinity minus infinity", kInfinity, 1, kInfinity},
                    ErrorCase{"zero times infinity", 0.0, 2, kInfinity},
                    ErrorCase{"infinity over infinity", kInfinity, 3, kInfinity}));

TEST(Kernel, UnderflowAndInexactResultsAreNotErrors)
{
    volatile double tiny = 1e-300;
    volatile double three = 3.0;
    EXPECT_NO_THROW(V(tiny, 2, tiny));
    EXPECT_NO_THROW(V(1.0, 3, three));
}

TEST(Kernel, FlagsRaisedBeforeTheCallAreNotItsError)
{
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    EXPECT_EQ(V(2, 0, 3), 5.0);
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace quartet
