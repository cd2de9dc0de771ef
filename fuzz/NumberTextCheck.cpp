// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/NumberTextCheck.h"

#include "numbers/NumberText.h"
#include "numbers/TextBasics.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace quartet::fuzz {

namespace {

// A decimal number as digits: no value is computed until it is rounded.
struct Digits {
    bool negative = false;
    std::string whole;
    std::string fraction;
};

using Reading = std::optional<std::int16_t>;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Takes [sign] (digits [. digits*] | . digits) from the front of text; the
// end of what it took goes to used. Nothing when there is no digit.
std::optional<Digits> leadingNumber(std::string_view text, std::size_t& used)
{
    Digits number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        number.negative = text[i++] == '-';
    while (i < text.size() && isDigit(text[i]))
        number.whole += text[i++];
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j]))
            number.fraction += text[j++];
        if (!number.whole.empty() || !number.fraction.empty())
            i = j;
    }
    if (number.whole.empty() && number.fraction.empty())
        return std::nullopt;
    used = i;
    return number;
}

// Rounds the exact value half to even and range-checks it. Compares the
// fraction with one half as text: once its trailing zeros are gone, "5" is
// exactly a half and text order is numeric order.
Reading rounded(const Digits& number)
{
    const std::size_t firstNonZero = number.whole.find_first_not_of('0');
    const std::string whole = firstNonZero == std::string::npos ? std::string() : number.whole.substr(firstNonZero);
    if (whole.size() > 5)
        return std::nullopt;  // 100000 or more
    long magnitude = whole.empty() ? 0 : std::stol(whole);
    std::string fraction = number.fraction;
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (fraction == "5")
        magnitude += magnitude % 2;
    else if (!fraction.empty() && fraction > "5")
        magnitude += 1;
    const long value = number.negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

Reading lenientModel(std::string_view text)
{
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            kept += c;
    }
    std::size_t used = 0;
    const std::optional<Digits> number = leadingNumber(kept, used);
    return number ? rounded(*number) : Reading(0);
}

// Whether the C++ library's reading below is exact for the number: up to six
// digits on either side of the period. A tie is then exactly representable
// as a double, and anything else lies at least 1e-6 away from one.
bool libraryIsExact(const Digits& number)
{
    return number.whole.size() <= 6 && number.fraction.size() <= 6;
}

// The number read by the C++ library as a double and rounded by the
// floating-point unit, half to even.
Reading libraryReading(const Digits& number)
{
    const std::string text = (number.whole.empty() ? "0" : number.whole) + '.' + number.fraction + '0';
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    const double integer = std::nearbyint(number.negative ? -value : value);
    if (integer < -32768 || integer > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(integer);
}

std::string shown(const Reading& reading)
{
    return reading ? std::to_string(*reading) : "an error";
}

void expectReading(Violations& broken, const char* reader, std::string_view text, const Reading& got,
                   const Reading& expected)
{
    if (got != expected)
        broken.push_back(std::string(reader) + " of " + printable(text) + " gave " + shown(got) + ", expected "
                         + shown(expected));
}

}  // namespace

std::optional<std::int16_t> strictReading(std::string_view text)
{
    text = trimmed(text);
    std::size_t used = 0;
    const std::optional<Digits> number = leadingNumber(text, used);
    if (!number || used != text.size())
        return std::nullopt;
    return rounded(*number);
}

Violations checkNumberText(std::string_view input)
{
    Violations broken;
    const Reading stored = readStoredNumber(input);
    const Reading entered = readEnteredNumber(input);
    expectReading(broken, "the strict reading", input, stored, strictReading(input));
    expectReading(broken, "the lenient reading", input, entered, lenientModel(input));
    if (stored)
        expectReading(broken, "the lenient reading of a strict number", input, entered, stored);

    std::size_t used = 0;
    const std::string_view unpadded = trimmed(input);
    if (const std::optional<Digits> number = leadingNumber(unpadded, used)) {
        const std::string_view plain = unpadded.substr(0, used);
        if (libraryIsExact(*number))
            expectReading(broken, "the strict reading, against the library's,", plain, readStoredNumber(plain),
                          libraryReading(*number));
    }

    if (input.size() >= 2) {
        const auto value =
            static_cast<std::int16_t>(static_cast<unsigned char>(input[0]) | static_cast<unsigned char>(input[1]) << 8);
        const std::string text = numberText(value);
        expectReading(broken, "the strict reading of a written number", text, readStoredNumber(text), value);
        expectReading(broken, "the lenient reading of a written number", text, readEnteredNumber(text), value);
        const std::string padded = " \t" + text + "\t ";
        expectReading(broken, "the strict reading of a written number between blanks", padded, readStoredNumber(padded),
                      value);
    }
    return broken;
}

}  // namespace quartet::fuzz
