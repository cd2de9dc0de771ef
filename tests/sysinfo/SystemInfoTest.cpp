// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/SystemInfo.h"

#include "tests/support/SystemInfoTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace quartet {
namespace {

using test::expectBalanced;
using test::MemoryRegistry;
using test::rawValue;
using test::RecordingLauncher;
using test::RecordingRegistry;
using test::ScriptedFileSystem;
using test::textValue;

const std::string kTestKey = "SOFTWARE\\Quartet Test";

struct KeyValueCase {
    const char* name;
    const char* valueName;  // where the value is stored under the test key; read as "V"
    RegistryValue value;
    bool found;
    std::string expected;  // KeyVal afterwards; it was "prior" before
};

TEST(GetKeyValueTest, ReadsEachKindOfValueAsText)
{
    using namespace registry;
    const std::string longText(1024, 'a');
    const std::vector<KeyValueCase> cases = {
        {"text with its zero", "V", textValue("C:\\Tools\\a.exe"), true, "C:\\Tools\\a.exe"},
        {"text without a zero", "V", rawValue(kRegSz, "abc"), true, "abc"},
        {"only one zero dropped", "V", rawValue(kRegSz, std::string("a\0\0", 3)), true, std::string("a\0", 2)},
        {"empty text", "V", textValue(""), true, ""},
        {"1024 bytes fit", "V", rawValue(kRegSz, longText), true, longText},
        {"1025 bytes do not", "V", rawValue(kRegSz, longText + 'b'), false, ""},
        {"1024 characters and a zero do not", "V", textValue(longText), false, ""},
        {"dword", "V", rawValue(kRegDword, "\x04\x03\x02\x01"), true, "&h01020304"},
        {"dword with zero top byte", "V", rawValue(kRegDword, std::string("\xC0\xB0\xA0\0", 4)), true, "&hA0B0C0"},
        {"dword zero", "V", rawValue(kRegDword, std::string(4, '\0')), true, "&h000000"},
        {"expandable text kept", "V", rawValue(kRegExpandSz, std::string("x\0", 2)), true, "prior"},
        {"binary kept", "V", rawValue(kRegBinary, "\x01\x02"), true, "prior"},
        {"missing value", "Other", textValue("x"), false, ""},
    };
    for (const KeyValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry memory;
        memory.set(kTestKey, c.valueName, c.value);
        RecordingRegistry registry(memory);
        std::string value = "prior";
        EXPECT_EQ(GetKeyValue(registry, kHKeyLocalMachine, kTestKey, "V", value), c.found);
        EXPECT_EQ(value, c.expected);
        expectBalanced(registry);
    }
}

TEST(GetKeyValueTest, MissingKeyClearsTheText)
{
    MemoryRegistry registry;
    registry.set(kTestKey, "V", textValue("x"));
    std::string value = "prior";
    EXPECT_FALSE(GetKeyValue(registry, registry::kHKeyLocalMachine, "SOFTWARE\\Elsewhere", "V", value));
    EXPECT_EQ(value, "");
}

TEST(GetKeyValueTest, ValueWithoutDataThrowsAfterClosingTheKey)
{
    MemoryRegistry memory;
    memory.set(kTestKey, "V", rawValue(registry::kRegSz, ""));
    RecordingRegistry registry(memory);
    std::string value;
    EXPECT_THROW(GetKeyValue(registry, registry::kHKeyLocalMachine, kTestKey, "V", value), RegistryValueError);
    ASSERT_EQ(registry.opened.size(), 1u);
    expectBalanced(registry);
}

// A value stored under the key that the lookup reads.
struct StoredValue {
    std::string_view keyPath;
    std::string_view name;
    RegistryValue value;
};

StoredValue toolPathValue(RegistryValue value)
{
    return {kMsInfoKey, kMsInfoPathValue, std::move(value)};
}

StoredValue toolFolderValue(RegistryValue value)
{
    return {kSharedToolsLocationKey, kMsInfoFolderValue, std::move(value)};
}

struct LaunchCase {
    const char* name;
    std::vector<StoredValue> values;
    std::set<std::string> files;  // what the file test finds
    bool launchesSucceed;
    std::vector<std::string> asked;  // the file tests made
    std::optional<std::string> launched;
    bool message;
};

TEST(StartSystemInformationToolTest, FindsAndStartsTheToolOrSaysItCannot)
{
    using namespace registry;
    const std::string folderWithTool = "C:\\Tools\\MSINFO32.EXE";
    const StoredValue folder = toolFolderValue(textValue("C:\\Tools"));
    const StoredValue path = toolPathValue(textValue("C:\\Info\\msinfo32.exe"));
    const std::string pathText = "C:\\Info\\msinfo32.exe";
    const std::vector<LaunchCase> cases = {
        {"path of an existing tool", {path}, {pathText}, true, {}, pathText, false},
        {"path started unchecked", {path}, {}, true, {}, pathText, false},
        {"path whose launch fails", {path}, {}, false, {}, pathText, true},
        {"path wins over folder", {path, folder}, {folderWithTool}, true, {}, pathText, false},
        {"path without its zero", {toolPathValue(rawValue(kRegSz, "C:\\P.exe"))}, {}, true, {}, "C:\\P.exe", false},
        {"folder holding the tool", {folder}, {folderWithTool}, true, {folderWithTool}, folderWithTool, false},
        {"folder with trailing backslash",
         {toolFolderValue(textValue("C:\\Tools\\"))},
         {"C:\\Tools\\\\MSINFO32.EXE"},
         true,
         {"C:\\Tools\\\\MSINFO32.EXE"},
         "C:\\Tools\\\\MSINFO32.EXE",
         false},
        {"folder without the tool", {folder}, {}, true, {folderWithTool}, std::nullopt, true},
        {"neither value",
         {{kMsInfoKey, "Other", textValue("x")}, {kSharedToolsLocationKey, "Other", textValue("y")}},
         {folderWithTool},
         true,
         {},
         std::nullopt,
         true},
        {"empty registry", {}, {folderWithTool}, true, {}, std::nullopt, true},
        {"path over 1024 bytes is absent",
         {toolPathValue(rawValue(kRegSz, std::string(1025, 'p'))), folder},
         {folderWithTool},
         true,
         {folderWithTool},
         folderWithTool,
         false},
        {"path without data",
         {toolPathValue(rawValue(kRegSz, "")), folder},
         {folderWithTool},
         true,
         {},
         std::nullopt,
         true},
        {"folder without data",
         {toolFolderValue(rawValue(kRegSz, ""))},
         {folderWithTool},
         true,
         {},
         std::nullopt,
         true},
        {"path of another type",
         {toolPathValue(rawValue(kRegExpandSz, std::string("C:\\P.exe\0", 9)))},
         {},
         true,
         {},
         "",
         true},
        {"folder of another type",
         {toolFolderValue(rawValue(kRegExpandSz, std::string("C:\\T\0", 5)))},
         {"\\MSINFO32.EXE"},
         true,
         {"\\MSINFO32.EXE"},
         "\\MSINFO32.EXE",
         false},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry memory;
        for (const StoredValue& stored : c.values)
            memory.set(stored.keyPath, stored.name, stored.value);
        RecordingRegistry registry(memory);
        ScriptedFileSystem files(c.files);
        RecordingLauncher launcher(c.launchesSucceed);
        std::vector<std::string> messages;

        startSystemInformationTool(registry, files, launcher,
                                   [&messages](const std::string& text) { messages.push_back(text); });

        EXPECT_EQ(files.asked, c.asked);
        if (c.launched) {
            ASSERT_EQ(launcher.launches.size(), 1u);
            EXPECT_EQ(launcher.launches[0].first, *c.launched);
            EXPECT_EQ(launcher.launches[0].second, 1);
        } else {
            EXPECT_TRUE(launcher.launches.empty());
        }
        EXPECT_EQ(messages, c.message ? std::vector<std::string>{"此时系统信息无效"} : std::vector<std::string>{});
        // Read access only: under HKEY_LOCAL_MACHINE an ordinary user may
        // not write, and a registry refuses write rights to such a user.
        EXPECT_TRUE(std::all_of(registry.accessMasks.begin(), registry.accessMasks.end(),
                                [](std::uint32_t mask) { return mask == 0x20019; }));
        expectBalanced(registry);
    }
}

// A launcher that throws instead of reporting false still ends in the message.
TEST(StartSystemInformationToolTest, ThrowingLauncherShowsTheMessage)
{
    class ThrowingLauncher final : public Launcher {
    public:
        bool startDetached(const std::string&, int) override { throw std::runtime_error("no process"); }
    };
    MemoryRegistry registry;
    registry.set(kMsInfoKey, kMsInfoPathValue, textValue("C:\\P.exe"));
    ScriptedFileSystem files({});
    ThrowingLauncher launcher;
    int messages = 0;
    EXPECT_NO_THROW(
        startSystemInformationTool(registry, files, launcher, [&messages](const std::string&) { ++messages; }));
    EXPECT_EQ(messages, 1);
}

}  // namespace
}  // namespace quartet
