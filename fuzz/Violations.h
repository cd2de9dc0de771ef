// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quartet::fuzz {

// The properties that one input broke, one sentence each; empty when it broke
// none.
using Violations = std::vector<std::string>;

// Bytes as a readable C string literal body, for messages about an input.
inline std::string printable(std::string_view bytes, std::size_t limit = 200)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\\' || c == '"') {
            text += '\\';
            text += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            text += static_cast<char>(c);
        } else {
            text += "\\x";
            text += kHex[c >> 4];
            text += kHex[c & 0x0f];
        }
    }
    if (bytes.size() > limit)
        text += "...";
    return '"' + text + '"';
}

}  // namespace quartet::fuzz
