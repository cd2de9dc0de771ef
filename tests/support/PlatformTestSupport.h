// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ExportFileRegistry.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "platform/Registry.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
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
