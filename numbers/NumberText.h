// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quartet {

// Conversions between numbers and the texts the program reads and writes.
// Texts are UTF-8; bytes outside ASCII are never digits. Only plain decimal
// notation is understood: no exponent, no hexadecimal or octal prefix.
// Both readers round a fraction to the nearest integer, halves to the even
// neighbour, exactly from the digits (any number of them), and give nullopt
// when the rounded value lies outside -32768..32767.

// Reads a stored text strictly: optional blanks (space, tab), an optional
// sign, digits with an optional fraction after a period ("5." and ".5" are
// numbers), optional blanks, and nothing else. Anything else, the empty text
// included, gives nullopt.
std::optional<std::int16_t> readStoredNumber(std::string_view text);

// Reads text the player typed leniently: blanks, tabs and line feeds
// anywhere are skipped, then the leading number (optional sign, digits, a
// period as decimal point) is taken and the rest ignored, from any other
// character on, a carriage return included. A text without a leading number
// reads as 0.
std::optional<std::int16_t> readEnteredNumber(std::string_view text);

// The decimal digits of value, with "-" in front when negative, no blank.
// Both readers turn the result back into value.
std::string numberText(std::int16_t value);

}  // namespace quartet
