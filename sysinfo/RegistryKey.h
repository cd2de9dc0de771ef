// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/Registry.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quartet {

// Registry names compare without regard to case. Only ASCII letters are
// folded: the names the program looks up are ASCII.
inline std::string foldRegistryName(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

// One value as the registry stores it: a type and raw bytes.
struct RegistryValue {
    std::uint32_t type = registry::kRegNone;
    std::vector<unsigned char> data;
};

// The values of one key, found by name without regard to case. The empty
// name is the key's default value.
class RegistryKey {
public:
    const RegistryValue* value(std::string_view name) const
    {
        const auto found = m_values.find(foldRegistryName(name));
        return found == m_values.end() ? nullptr : &found->second;
    }

    void setValue(std::string_view name, RegistryValue value) { m_values[foldRegistryName(name)] = std::move(value); }

private:
    std::map<std::string, RegistryValue> m_values;
};

}  // namespace quartet
