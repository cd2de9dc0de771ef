// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace quartet {

// The hand: four card values, position 0 to 3. An ordering of it under test
// has the same form.
using Hand = std::array<std::int16_t, 4>;

}  // namespace quartet
