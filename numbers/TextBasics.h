// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// Small pieces of reading and writing text that several readers share:
// blanks around a text, and hexadecimal digits.
namespace quartet {

// The text without the characters of `blanks` at either end: by default
// spaces and tabs.
constexpr std::string_view trimmed(std::string_view text, std::string_view blanks = " \t")
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The value of a hexadecimal digit of either case; nothing for any other character.
constexpr std::optional<unsigned> hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

// The upper-case hexadecimal digit of a value from 0 to 15.
constexpr char upperHexDigit(unsigned value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

}  // namespace quartet
