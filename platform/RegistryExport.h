// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RegistryKey.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quartet {

// The contents of a registry export file (.reg) in the text format that the
// Windows registry editor writes:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Vendor\Tool]
//   "Text"="C:\\Tools\\tool.exe"        ; REG_SZ; \\ and \" are the escapes
//   "Number"=dword:0000002a             ; REG_DWORD, 1 to 8 hex digits
//   "Raw"=hex:01,02,03                  ; REG_BINARY
//   "Typed"=hex(2):25,00                ; raw bytes of type 2 (type in hex)
//   @="default value"                   ; the key's unnamed value
//   "Gone"=-                            ; removes an earlier value
//
// The file is UTF-8, with or without a byte-order mark, or UTF-16LE with its
// mark (the editor's own default), which is read as UTF-8. A text value is
// stored as its UTF-8 bytes plus a terminating zero byte, as the registry
// stores REG_SZ; hex(1): gives a text with exactly the bytes listed, so also
// one without its terminator. A hex list may go on over further lines, each
// but the last ending in a backslash.
//
// The reader takes any bytes: a file without the header line has no keys,
// and a line it cannot read (or a value before any key) is skipped, so a
// damaged file reads as one with fewer values. Time and memory stay linear in
// the length of the input.
class RegistryExport {
public:
    static constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

    static RegistryExport parse(std::string_view bytes);

    // Whether the input began with the header line (in a known encoding).
    bool isValid() const { return m_valid; }

    // A key exists when the file names it or any key below it; a root key
    // always exists in a valid file. Unknown roots have no keys.
    bool hasKey(std::uint32_t root, std::string_view keyPath) const;

    // The values of an existing key (none for a key only implied by a subkey).
    std::optional<RegistryKey> key(std::uint32_t root, std::string_view keyPath) const;

    // The full name of a key, "HKEY_LOCAL_MACHINE\..." folded, as the keys are
    // stored; empty for an unknown root.
    static std::string keyName(std::uint32_t root, std::string_view keyPath);

private:
    friend class RegistryExportParser;

    bool m_valid = false;
    std::map<std::string, RegistryKey> m_keys;  // by folded full name
};

}  // namespace quartet
