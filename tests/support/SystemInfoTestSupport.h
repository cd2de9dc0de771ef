// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/FileSystem.h"
#include "sysinfo/Launcher.h"
#include "sysinfo/Registry.h"
#include "sysinfo/SnapshotRegistry.h"
#include "tests/support/RecordingRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quartet::test {

// A registry in memory: the values a test sets under HKEY_LOCAL_MACHINE,
// read through SnapshotRegistry's functions. Key paths are matched exactly.
class MemoryRegistry final : public SnapshotRegistry {
public:
    void set(std::string_view keyPath, std::string_view name, RegistryValue value)
    {
        m_keys[std::string(keyPath)].setValue(name, std::move(value));
    }

    std::optional<RegistryKey> readKey(std::uint32_t root, const std::string& keyPath) override
    {
        const auto found = m_keys.find(keyPath);
        if (root != registry::kHKeyLocalMachine || found == m_keys.end())
            return std::nullopt;
        return found->second;
    }

private:
    std::map<std::string, RegistryKey> m_keys;
};

// A value of the type with exactly these bytes.
inline RegistryValue rawValue(std::uint32_t type, std::string_view bytes)
{
    return {type, {bytes.begin(), bytes.end()}};
}

// Text as the registry stores it: its bytes and a terminating zero.
inline RegistryValue textValue(std::string_view text)
{
    return rawValue(registry::kRegSz, std::string(text) + '\0');
}

// Every handle opened is closed exactly once, and nothing else is closed.
inline void expectBalanced(const RecordingRegistry& registry)
{
    EXPECT_TRUE(registry.closedEveryKeyOnce()) << "opened " << ::testing::PrintToString(registry.opened) << ", closed "
                                               << ::testing::PrintToString(registry.closed);
}

// Knows a fixed set of files and records what it was asked.
class ScriptedFileSystem final : public FileSystem {
public:
    explicit ScriptedFileSystem(std::set<std::string> files) : m_files(std::move(files)) {}

    std::string existingFileName(const std::string& path) override
    {
        asked.push_back(path);
        return m_files.contains(path) ? path.substr(path.find_last_of('\\') + 1) : std::string();
    }

    std::vector<std::string> asked;

private:
    std::set<std::string> m_files;
};

// Records launches; like a real launcher it cannot start an empty command.
class RecordingLauncher final : public Launcher {
public:
    explicit RecordingLauncher(bool launchesSucceed) : m_launchesSucceed(launchesSucceed) {}

    bool startDetached(const std::string& commandLine, int windowStyle) override
    {
        launches.emplace_back(commandLine, windowStyle);
        return m_launchesSucceed && !commandLine.empty();
    }

    std::vector<std::pair<std::string, int>> launches;

private:
    bool m_launchesSucceed;
};

}  // namespace quartet::test
