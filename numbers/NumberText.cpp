// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/NumberText.h"

#include "numbers/TextBasics.h"

#include <limits>

namespace quartet {

namespace {

// A decimal number as written: its sign, the digits before the period and
// the digits after it, and how many characters of the text it took.
struct DecimalText {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
    std::size_t length = 0;

    bool hasDigits() const { return !whole.empty() || !fraction.empty(); }
};

// Not std::isdigit: that depends on the locale and is undefined for the
// negative chars that UTF-8 bytes become.
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Blanks, tabs and line feeds anywhere in an entry are passed over. A
// carriage return is not: like any other character it ends the number, so
// "12" pasted with a Windows line end still reads 12.
bool isSkippedInEntry(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

std::string_view takeDigits(std::string_view text, std::size_t& pos)
{
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

// Reads [sign] digits [. digits] from the start of text and stops at the
// first character that does not belong to it.
DecimalText scanDecimal(std::string_view text)
{
    DecimalText number;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    number.whole = takeDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        std::size_t afterPeriod = pos + 1;
        number.fraction = takeDigits(text, afterPeriod);
        // A lone period is no number; "5." and ".5" are.
        if (number.hasDigits())
            pos = afterPeriod;
    }
    number.length = pos;
    return number;
}

// Whether the dropped fraction rounds the integer part up, halves going to
// the even neighbour. Decided on the digits, so no precision is ever lost.
bool roundsUp(std::string_view fraction, std::int32_t wholePart)
{
    if (fraction.empty() || fraction.front() < '5')
        return false;
    if (fraction.front() > '5')
        return true;
    for (char digit : fraction.substr(1)) {
        if (digit != '0')
            return true;
    }
    return wholePart % 2 != 0;
}

std::optional<std::int16_t> roundToInt16(const DecimalText& number)
{
    // The largest magnitude that can still be in range after rounding; past
    // it the digits are not looked at any more, so their count is unlimited.
    constexpr std::int32_t kLargestMagnitude = 32768;
    std::int32_t magnitude = 0;
    for (char digit : number.whole) {
        magnitude = magnitude * 10 + (digit - '0');
        if (magnitude > kLargestMagnitude)
            return std::nullopt;
    }
    if (roundsUp(number.fraction, magnitude))
        ++magnitude;
    const std::int32_t value = number.negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace

std::optional<std::int16_t> readStoredNumber(std::string_view text)
{
    text = trimmed(text);
    const DecimalText number = scanDecimal(text);
    if (!number.hasDigits() || number.length != text.size())
        return std::nullopt;
    return roundToInt16(number);
}

std::optional<std::int16_t> readEnteredNumber(std::string_view text)
{
    std::string packed;
    packed.reserve(text.size());
    for (char c : text) {
        if (!isSkippedInEntry(c))
            packed.push_back(c);
    }
    const DecimalText number = scanDecimal(packed);
    if (!number.hasDigits())
        return 0;
    return roundToInt16(number);
}

std::string numberText(std::int16_t value)
{
    return std::to_string(value);
}

}  // namespace quartet
