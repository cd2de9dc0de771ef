// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/Registry.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace quartet::test {

// Passes every call on and records the access masks and the handles opened
// and closed.
class RecordingRegistry final : public Registry {
public:
    explicit RecordingRegistry(Registry& inner) : m_inner(inner) {}

    std::int32_t regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                              std::uint32_t access, RegistryHandle& key) override
    {
        const std::int32_t result = m_inner.regOpenKeyEx(root, keyPath, options, access, key);
        accessMasks.push_back(access);
        if (result == registry::kErrorSuccess)
            opened.push_back(key);
        return result;
    }

    std::int32_t regQueryValueEx(RegistryHandle key, const std::string& valueName, std::uint32_t reserved,
                                 std::uint32_t& type, unsigned char* data, std::uint32_t& size) override
    {
        return m_inner.regQueryValueEx(key, valueName, reserved, type, data, size);
    }

    void regCloseKey(RegistryHandle key) override
    {
        closed.push_back(key);
        m_inner.regCloseKey(key);
    }

    // Whether every handle opened so far was closed exactly once, and nothing else.
    bool closedEveryKeyOnce() const
    {
        std::vector<RegistryHandle> openedSorted = opened;
        std::vector<RegistryHandle> closedSorted = closed;
        std::sort(openedSorted.begin(), openedSorted.end());
        std::sort(closedSorted.begin(), closedSorted.end());
        return openedSorted == closedSorted;
    }

    std::vector<std::uint32_t> accessMasks;
    std::vector<RegistryHandle> opened;
    std::vector<RegistryHandle> closed;

private:
    Registry& m_inner;
};

}  // namespace quartet::test
