// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace quartet {
namespace {

struct Reading {
    std::string text;
    std::optional<std::int16_t> expected;
};

// Readings that both conversions must agree on.
const std::vector<Reading> kCommonReadings = {
    {"13", 13},
    {"0", 0},
    {"-0", 0},
    {"+7", 7},
    {"-5", -5},
    {"007", 7},
    // fractions, halves to the even neighbour
    {"5.", 5},
    {".5", 0},
    {"-.5", 0},
    {"0.5", 0},
    {"1.5", 2},
    {"2.5", 2},
    {"3.5", 4},
    {"-2.5", -2},
    {"-3.5", -4},
    {"2.4999", 2},
    {"2.51", 3},
    {"2.6", 3},
    {"98.5", 98},
    {"98.6", 99},
    {"-1.4", -1},
    {"-1.6", -2},
    // exact from the digits: a double would turn these into ties or lose the tail
    {"2.50000000000000000001", 3},
    {"2.50000000000000000000", 2},
    {"0.49999999999999999999", 0},
    {"3.4999999999999999999999999999999", 3},
    {"-2.500000000000000000000000001", -3},
    // the 16-bit range
    {"32767", 32767},
    {"-32768", -32768},
    {"32768", std::nullopt},
    {"-32769", std::nullopt},
    {"32767.4999999999", 32767},
    {"32767.5", std::nullopt},
    {"32766.5", 32766},
    {"-32767.5", -32768},
    {"-32768.5", -32768},
    {"-32768.50001", std::nullopt},
    {"-32768.4", -32768},
    {"40000", std::nullopt},
    // any number of digits
    {"0000000000000000000000000000000000000012", 12},
    {"0.0000000000000000000000000000000", 0},
    {"99999999999999999999999999999999", std::nullopt},
    {"-99999999999999999999", std::nullopt},
    {"100000000000000000000.4", std::nullopt},
};

// Where the stored text must be exactly a number.
const std::vector<Reading> kStoredOnlyReadings = {
    {" 13", 13},
    {"13\t ", 13},
    {"\t-5 ", -5},
    {"  2.5  ", 2},
    {"", std::nullopt},
    {" ", std::nullopt},
    {"\t", std::nullopt},
    {"+", std::nullopt},
    {"-", std::nullopt},
    {".", std::nullopt},
    {"-.", std::nullopt},
    {"abc", std::nullopt},
    {"12abc", std::nullopt},
    {"1 2", std::nullopt},
    {"+ 5", std::nullopt},
    {"5 .5", std::nullopt},
    {"+-1", std::nullopt},
    {"--1", std::nullopt},
    {"1.2.3", std::nullopt},
    {"1e3", std::nullopt},
    {"0x10", std::nullopt},
    {"&H10", std::nullopt},
    {"1,5", std::nullopt},
    {"13\n", std::nullopt},
    {"\r13", std::nullopt},
    {"\xEF\xBC\x91\xEF\xBC\x93", std::nullopt},  // full-width 13
    {"99999999999999999999abc", std::nullopt},
    {std::string("1\0", 2), std::nullopt},
};

// Where the player's entry is read by its leading number.
const std::vector<Reading> kEnteredOnlyReadings = {
    {"12abc", 12},
    {" 1 2", 12},
    {"", 0},
    {"abc", 0},
    {"+", 0},
    {"-", 0},
    {".", 0},
    {"-.", 0},
    {"- 5", -5},
    {"1\n2", 12},
    {"\t3\t", 3},
    // a carriage return is no blank: it ends the number
    {"12\r\n", 12},
    {"1\r\n2", 1},
    {"\r12", 0},
    {"12 abc 5", 12},
    {"1.2.3", 1},
    {"3.5x", 4},
    {"--5", 0},
    {"+-1", 0},
    {"1e3", 1},
    {"0x10", 0},
    {"&H10", 0},
    {"1,5", 1},
    {"\xEF\xBC\x91\xEF\xBC\x92", 0},
    {"1\xEF\xBC\x92", 1},  // full-width digits are not digits
    {"99999999999999999999abc", std::nullopt},
    {"4 0 0 0 0", std::nullopt},
    {"32767.5abc", std::nullopt},
};

void expectReadings(const std::vector<Reading>& readings, std::optional<std::int16_t> (*read)(std::string_view),
                    const char* readerName)
{
    for (const Reading& reading : readings)
        EXPECT_EQ(read(reading.text), reading.expected) << readerName << "(\"" << reading.text << "\")";
}

TEST(NumberText, StoredTextIsReadStrictly)
{
    expectReadings(kCommonReadings, readStoredNumber, "readStoredNumber");
    expectReadings(kStoredOnlyReadings, readStoredNumber, "readStoredNumber");
}

TEST(NumberText, EnteredTextIsReadByItsLeadingNumber)
{
    expectReadings(kCommonReadings, readEnteredNumber, "readEnteredNumber");
    expectReadings(kEnteredOnlyReadings, readEnteredNumber, "readEnteredNumber");
}

// Every number with one decimal, against integer arithmetic on tenths.
TEST(NumberText, EveryTenthRoundsHalfToEven)
{
    for (std::int32_t tenths = -330000; tenths <= 330000; ++tenths) {
        const std::int32_t magnitude = std::abs(tenths);
        std::int32_t rounded = magnitude / 10;
        const std::int32_t dropped = magnitude % 10;
        if (dropped > 5 || (dropped == 5 && rounded % 2 != 0))
            ++rounded;
        const std::int32_t value = tenths < 0 ? -rounded : rounded;
        const std::optional<std::int16_t> expected = value >= -32768 && value <= 32767
            ? std::optional<std::int16_t>(static_cast<std::int16_t>(value))
            : std::nullopt;
        const std::string text =
            (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(dropped);
        ASSERT_EQ(readStoredNumber(text), expected) << text;
        ASSERT_EQ(readEnteredNumber(text), expected) << text;
    }
}

TEST(NumberText, WrittenTextHasDigitsAndMinusOnly)
{
    EXPECT_EQ(numberText(13), "13");
    EXPECT_EQ(numberText(0), "0");
    EXPECT_EQ(numberText(-5), "-5");
    EXPECT_EQ(numberText(32767), "32767");
    EXPECT_EQ(numberText(-32768), "-32768");
}

TEST(NumberText, EveryWrittenValueReadsBack)
{
    for (std::int32_t n = -32768; n <= 32767; ++n) {
        const auto value = static_cast<std::int16_t>(n);
        const std::string text = numberText(value);
        ASSERT_EQ(text.find_first_not_of("-0123456789"), std::string::npos) << text;
        ASSERT_EQ(text.front() == '-', value < 0) << text;
        ASSERT_EQ(readStoredNumber(text), value) << text;
        ASSERT_EQ(readEnteredNumber(text), value) << text;
    }
}

}  // namespace
}  // namespace quartet
