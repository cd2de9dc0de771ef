// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemInfo.h"

#include "tests/support/PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace quartet {
namespace {

using test::expectBalanced;
using test::ExportFile;
using test::hexValueLine;
using test::RecordingLauncher;
using test::RecordingRegistry;
using test::ScriptedFileSystem;

const std::string kMsInfoSection = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]";
const std::string kLocationSection = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]";
const std::string kTestSection = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quartet Test]";

struct KeyValueCase {
    const char* name;
    std::string valueLine;  // the value "V" under the test key
    bool found;
    std::string expected;  // KeyVal afterwards; it was "prior" before
};

TEST(GetKeyValueTest, ReadsEachKindOfValueAsText)
{
    const std::string longText(1024, 'a');
    const std::vector<KeyValueCase> cases = {
        {"text with its zero", "\"V\"=\"C:\\\\Tools\\\\a.exe\"", true, "C:\\Tools\\a.exe"},
        {"text without a zero", hexValueLine("V", 1, "abc"), true, "abc"},
        {"only one zero dropped", hexValueLine("V", 1, std::string("a\0\0", 3)), true, std::string("a\0", 2)},
        {"empty text", "\"V\"=\"\"", true, ""},
        {"1024 bytes fit", hexValueLine("V", 1, longText), true, longText},
        {"1025 bytes do not", hexValueLine("V", 1, longText + 'b'), false, ""},
        {"1024 characters and a zero do not", hexValueLine("V", 1, longText + '\0'), false, ""},
        {"dword", "\"V\"=dword:01020304", true, "&h01020304"},
        {"dword with zero top byte", "\"V\"=dword:00a0b0c0", true, "&hA0B0C0"},
        {"dword zero", "\"V\"=dword:00000000", true, "&h000000"},
        {"expandable text kept", hexValueLine("V", 2, std::string("x\0", 2)), true, "prior"},
        {"binary kept", "\"V\"=hex:01,02", true, "prior"},
        {"missing value", "\"Other\"=\"x\"", false, ""},
    };
    ExportFile file;
    for (const KeyValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        file.writeLines({kTestSection, c.valueLine});
        ExportFileRegistry standIn(file.path());
        RecordingRegistry registry(standIn);
        std::string value = "prior";
        EXPECT_EQ(GetKeyValue(registry, registry::kHKeyLocalMachine, "SOFTWARE\\Quartet Test", "V", value), c.found);
        EXPECT_EQ(value, c.expected);
        expectBalanced(registry);
    }
}

TEST(GetKeyValueTest, MissingKeyClearsTheText)
{
    ExportFile file;
    file.writeLines({kTestSection, "\"V\"=\"x\""});
    ExportFileRegistry registry(file.path());
    std::string value = "prior";
    EXPECT_FALSE(GetKeyValue(registry, registry::kHKeyLocalMachine, "SOFTWARE\\Elsewhere", "V", value));
    EXPECT_EQ(value, "");
}

TEST(GetKeyValueTest, ValueWithoutDataThrowsAfterClosingTheKey)
{
    ExportFile file;
    file.writeLines({kTestSection, "\"V\"=hex(1):"});
    ExportFileRegistry standIn(file.path());
    RecordingRegistry registry(standIn);
    std::string value;
    EXPECT_THROW(GetKeyValue(registry, registry::kHKeyLocalMachine, "SOFTWARE\\Quartet Test", "V", value),
                 RegistryValueError);
    ASSERT_EQ(registry.opened.size(), 1u);
    expectBalanced(registry);
}

// Under HKEY_LOCAL_MACHINE an ordinary user may read but not write; the
// stand-in refuses write rights the same way, so a lookup asking for them
// would find nothing.
TEST(GetKeyValueTest, OpensForReadingOnly)
{
    ExportFile file;
    file.writeLines({kTestSection, "\"V\"=\"x\""});
    ExportFileRegistry standIn(file.path());
    RecordingRegistry registry(standIn);
    std::string value;
    EXPECT_TRUE(GetKeyValue(registry, registry::kHKeyLocalMachine, "SOFTWARE\\Quartet Test", "V", value));
    EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>{0x20019});

    RegistryHandle key = 0;
    EXPECT_EQ(standIn.regOpenKeyEx(registry::kHKeyLocalMachine, "SOFTWARE\\Quartet Test", 0, 0x2003F, key),
              registry::kErrorAccessDenied);
}

struct LaunchCase {
    const char* name;
    std::vector<std::string> registryLines;
    std::set<std::string> files;  // what the file test finds
    bool launchesSucceed;
    std::vector<std::string> asked;  // the file tests made
    std::optional<std::string> launched;
    bool message;
};

TEST(StartSystemInformationToolTest, FindsAndStartsTheToolOrSaysItCannot)
{
    const std::string folderWithTool = "C:\\Tools\\MSINFO32.EXE";
    const std::string tooLong(1025, 'p');
    const std::vector<std::string> folderLines = {kLocationSection, "\"MSINFO\"=\"C:\\\\Tools\""};
    auto with = [](std::vector<std::string> lines, const std::vector<std::string>& more) {
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    };
    const std::vector<LaunchCase> cases = {
        {"path of an existing tool",
         {kMsInfoSection, "\"PATH\"=\"C:\\\\Info\\\\msinfo32.exe\""},
         {"C:\\Info\\msinfo32.exe"},
         true,
         {},
         "C:\\Info\\msinfo32.exe",
         false},
        {"path started unchecked",
         {kMsInfoSection, "\"PATH\"=\"C:\\\\Info\\\\msinfo32.exe\""},
         {},
         true,
         {},
         "C:\\Info\\msinfo32.exe",
         false},
        {"path whose launch fails",
         {kMsInfoSection, "\"PATH\"=\"C:\\\\Info\\\\msinfo32.exe\""},
         {},
         false,
         {},
         "C:\\Info\\msinfo32.exe",
         true},
        {"path wins over folder",
         with({kMsInfoSection, "\"PATH\"=\"C:\\\\P.exe\""}, folderLines),
         {folderWithTool},
         true,
         {},
         "C:\\P.exe",
         false},
        {"path without its zero",
         {kMsInfoSection, hexValueLine("PATH", 1, "C:\\P.exe")},
         {},
         true,
         {},
         "C:\\P.exe",
         false},
        {"key and value names in other case",
         {"[hkey_local_machine\\software\\MICROSOFT\\shared tools\\msinfo]", "\"path\"=\"C:\\\\P.exe\""},
         {},
         true,
         {},
         "C:\\P.exe",
         false},
        {"folder holding the tool", folderLines, {folderWithTool}, true, {folderWithTool}, folderWithTool, false},
        {"folder with trailing backslash",
         {kLocationSection, "\"MSINFO\"=\"C:\\\\Tools\\\\\""},
         {"C:\\Tools\\\\MSINFO32.EXE"},
         true,
         {"C:\\Tools\\\\MSINFO32.EXE"},
         "C:\\Tools\\\\MSINFO32.EXE",
         false},
        {"folder without the tool", folderLines, {}, true, {folderWithTool}, std::nullopt, true},
        {"neither value",
         {kMsInfoSection, "\"Other\"=\"x\"", kLocationSection, "\"Other\"=\"y\""},
         {folderWithTool},
         true,
         {},
         std::nullopt,
         true},
        {"empty registry", {}, {folderWithTool}, true, {}, std::nullopt, true},
        {"path over 1024 bytes is absent",
         with({kMsInfoSection, hexValueLine("PATH", 1, tooLong)}, folderLines),
         {folderWithTool},
         true,
         {folderWithTool},
         folderWithTool,
         false},
        {"path without data",
         with({kMsInfoSection, "\"PATH\"=hex(1):"}, folderLines),
         {folderWithTool},
         true,
         {},
         std::nullopt,
         true},
        {"folder without data",
         {kLocationSection, "\"MSINFO\"=hex(1):"},
         {folderWithTool},
         true,
         {},
         std::nullopt,
         true},
        {"path of another type",
         {kMsInfoSection, hexValueLine("PATH", 2, std::string("C:\\P.exe\0", 9))},
         {},
         true,
         {},
         "",
         true},
        {"folder of another type",
         {kLocationSection, hexValueLine("MSINFO", 2, std::string("C:\\T\0", 5))},
         {"\\MSINFO32.EXE"},
         true,
         {"\\MSINFO32.EXE"},
         "\\MSINFO32.EXE",
         false},
    };
    ExportFile file;
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.name);
        file.writeLines(c.registryLines);
        ExportFileRegistry standIn(file.path());
        RecordingRegistry registry(standIn);
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
        EXPECT_TRUE(std::all_of(registry.accessMasks.begin(), registry.accessMasks.end(),
                                [](std::uint32_t mask) { return mask == 0x20019; }));
        expectBalanced(registry);
    }
}

TEST(StartSystemInformationToolTest, MissingExportFileShowsTheMessage)
{
    ExportFile file;  // never written
    ExportFileRegistry registry(file.path());
    ScriptedFileSystem files({});
    RecordingLauncher launcher(true);
    int messages = 0;
    startSystemInformationTool(registry, files, launcher, [&messages](const std::string&) { ++messages; });
    EXPECT_EQ(messages, 1);
    EXPECT_TRUE(launcher.launches.empty());
}

// A launcher that throws instead of reporting false still ends in the message.
TEST(StartSystemInformationToolTest, ThrowingLauncherShowsTheMessage)
{
    class ThrowingLauncher final : public Launcher {
    public:
        bool startDetached(const std::string&, int) override { throw std::runtime_error("no process"); }
    };
    ExportFile file;
    file.writeLines({kMsInfoSection, "\"PATH\"=\"C:\\\\P.exe\""});
    ExportFileRegistry registry(file.path());
    ScriptedFileSystem files({});
    ThrowingLauncher launcher;
    int messages = 0;
    EXPECT_NO_THROW(
        startSystemInformationTool(registry, files, launcher, [&messages](const std::string&) { ++messages; }));
    EXPECT_EQ(messages, 1);
}

}  // namespace
}  // namespace quartet
