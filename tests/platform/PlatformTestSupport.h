#pragma once

#include "platform/ExportFileRegistry.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "platform/Registry.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quartet::test {

inline constexpr const char* kExportHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

// A .reg value line of raw bytes: "name"=hex(type):..
inline std::string hexValueLine(const std::string& name, unsigned type, const std::string& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string line = "\"" + name + "\"=hex(" + std::string(1, digits[type & 0xF]) + "):";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (i > 0)
            line += ',';
        line += digits[byte >> 4];
        line += digits[byte & 0xF];
    }
    return line;
}

// An export file in a temporary folder; removed with the object.
class ExportFile {
public:
    std::string path() const { return m_dir.filePath("registry.reg"); }

    void write(const std::string& bytes) const { std::ofstream(path(), std::ios::binary | std::ios::trunc) << bytes; }

    // Header plus body, one .reg line per element.
    void writeLines(const std::vector<std::string>& lines) const
    {
        std::string text = kExportHeader;
        for (const std::string& line : lines)
            text += line + "\r\n";
        write(text);
    }

private:
    TemporaryDirectory m_dir;
};

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

    std::vector<std::uint32_t> accessMasks;
    std::vector<RegistryHandle> opened;
    std::vector<RegistryHandle> closed;

private:
    Registry& m_inner;
};

// Every handle opened is closed exactly once, and nothing else is closed.
inline void expectBalanced(const RecordingRegistry& registry)
{
    std::vector<RegistryHandle> opened = registry.opened;
    std::vector<RegistryHandle> closed = registry.closed;
    std::sort(opened.begin(), opened.end());
    std::sort(closed.begin(), closed.end());
    EXPECT_EQ(opened, closed);
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
