// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzz/Violations.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quartet::fuzz {

// Checks both readers of number texts on any bytes, against a reading written
// here apart from the program's own:
// - readStoredNumber gives exactly what the strict form allows: blanks, a
//   sign, digits with an optional fraction, blanks, and nothing else; the
//   value exact, rounded half to even, within -32768..32767;
// - readEnteredNumber gives the leading number of the text with blanks, tabs
//   and line feeds removed, 0 when there is none;
// - short numbers agree with the C++ library's own decimal reading and
//   rounding;
// - a text that the strict reader takes reads the same leniently;
// - the text numberText writes for a value (taken from the input's first two
//   bytes) reads back as that value both ways, also between blanks.
Violations checkNumberText(std::string_view input);

// The strict reading of a stored text as written here, apart from the
// program's own: the value readStoredNumber must give.
std::optional<std::int16_t> strictReading(std::string_view text);

}  // namespace quartet::fuzz
