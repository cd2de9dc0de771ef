// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzz/Violations.h"

#include <string_view>

namespace quartet::fuzz {

// Checks the settings load path with any bytes as the settings file:
// - loadMaxVal never throws and writes nothing;
// - it gives the stored MaxVal when that converts, 9 otherwise. For a file
//   of plain lines (see below) the stored text is found by a reading written
//   here, and the store must hand out the same; for any other file it is the
//   text that the store hands out;
// - a save of a value over the file works, leaves nothing beside the file,
//   and the next load gives that value; the other settings of a plain file
//   (of up to half the store's size limit) keep their values.
//
// A plain file has only these lines, each ending in a line feed or a
// carriage return and line feed: empty ones, comments ("#" and printable
// ASCII), lines of ";" and printable ASCII (no comment to a key file, so a
// line that holds nothing), section names ("[" letters and digits "]") and
// settings (a key of letters and digits, "=", a value of letters, digits,
// blanks, "+", "-" and "."). The section named General, in that case, holds
// MaxVal; settings before the first section hold nothing; of two equal
// settings the later counts; values lose their leading blanks.
Violations checkSettingsLoad(std::string_view input);

}  // namespace quartet::fuzz
