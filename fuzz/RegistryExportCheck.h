// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzz/Violations.h"

#include <string_view>

namespace quartet::fuzz {

// Checks the registry export reader and GetKeyValue on top of it with any
// bytes as the export file. The sanitizers watch for crashes and reads out of
// bounds. For the lookups of the system information tool, and for the first
// values that the file sets, against the values the reader found:
// - GetKeyValue is false with an empty text when the key or the value is
//   missing or its data exceed 1024 bytes, and true otherwise;
// - data of no bytes raise RegistryValueError, and nothing else is thrown;
// - a text value gives its bytes less one trailing zero: never more bytes
//   than were stored;
// - a 32-bit value gives "&h" and two upper-case hexadecimal digits per byte,
//   the last byte first;
// - a value of any other type leaves the text as it was;
// - every key that was opened is closed, once.
// And startSystemInformationTool, over that registry, either starts the registered path or
// shows its one message, never both and never neither.
Violations checkRegistryExport(std::string_view input);

}  // namespace quartet::fuzz
