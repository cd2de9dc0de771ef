// SPDX-License-Identifier: GPL-3.0-or-later
// The lookups of the system information tool against the real registry and
// file system of Windows. The tests write the keys they read under
// HKEY_LOCAL_MACHINE and remove them again; they belong in a throwaway Wine
// prefix (make test-windows), not on a machine that someone uses.
#include "sysinfo/WindowsRegistry.h"
#include "sysinfo/LocalFileSystem.h"
#include "sysinfo/SystemInfo.h"
#include "sysinfo/SystemRegistry.h"

#include "tests/support/SystemInfoTestSupport.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include "sysinfo/WindowsApi.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quartet {
namespace {

using test::expectBalanced;
using test::RecordingLauncher;
using test::RecordingRegistry;

const std::string kTestKey = "SOFTWARE\\Quartet Test";

struct ValueToWrite {
    std::string keyPath;  // below HKEY_LOCAL_MACHINE
    std::string name;
    DWORD type;
    std::string bytes;  // as RegSetValueExA takes them: text in the ANSI code page
};

// Writes values under HKEY_LOCAL_MACHINE and takes them out again when it
// goes, with the keys it had to make. A value that is there already is left
// alone and the write fails: these tests never overwrite what they did not
// write.
class ScratchRegistry {
public:
    ScratchRegistry() = default;
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    ~ScratchRegistry()
    {
        for (auto written = m_written.rbegin(); written != m_written.rend(); ++written) {
            if (written->valueWritten)
                ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, written->keyPath.c_str(), written->name.c_str());
            if (written->keyCreated)
                ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, written->keyPath.c_str());
        }
    }

    // Whether the value was written; a failure is reported to the test.
    bool write(const ValueToWrite& value)
    {
        HKEY key = nullptr;
        DWORD disposition = 0;
        const LSTATUS created = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, value.keyPath.c_str(), 0, nullptr, 0,
                                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, &disposition);
        if (created != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot create " << value.keyPath << ": error " << created;
            return false;
        }
        Written written{value.keyPath, value.name, disposition == REG_CREATED_NEW_KEY, false};
        if (::RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            ADD_FAILURE() << value.keyPath << "\\" << value.name << " is there already";
        } else {
            const LSTATUS result = ::RegSetValueExA(key, value.name.c_str(), 0, value.type,
                                                    reinterpret_cast<const BYTE*>(value.bytes.data()),
                                                    static_cast<DWORD>(value.bytes.size()));
            written.valueWritten = result == ERROR_SUCCESS;
            if (!written.valueWritten)
                ADD_FAILURE() << "cannot write " << value.keyPath << "\\" << value.name << ": error " << result;
        }
        ::RegCloseKey(key);
        if (written.keyCreated || written.valueWritten)
            m_written.push_back(written);
        return written.valueWritten;
    }

private:
    struct Written {
        std::string keyPath;
        std::string name;
        bool keyCreated;
        bool valueWritten;
    };
    std::vector<Written> m_written;
};

std::string withZero(const std::string& text)
{
    return text + '\0';
}

struct KeyValueCase {
    const char* name;
    DWORD type;
    std::string bytes;  // of the value "V" under the test key
    bool found;
    std::string expected;  // KeyVal afterwards; it was "prior" before
};

TEST(WindowsRegistryTest, GetKeyValueReadsTheSystemRegistry)
{
    const std::string fits(1023, 'a');
    const std::vector<KeyValueCase> cases = {
        {"text with its zero", REG_SZ, withZero("C:\\Program Files\\Tools\\a.exe"), true,
         "C:\\Program Files\\Tools\\a.exe"},
        {"text without a zero", REG_SZ, "abc", true, "abc"},
        {"1023 characters and a zero fit", REG_SZ, withZero(fits), true, fits},
        {"1024 characters and a zero do not", REG_SZ, withZero(fits + 'b'), false, ""},
        {"dword", REG_DWORD, std::string("\x04\x03\x02\x01", 4), true, "&h01020304"},
        {"dword with zero top byte", REG_DWORD, std::string("\xC0\xB0\xA0\x00", 4), true, "&hA0B0C0"},
        {"expandable text kept", REG_EXPAND_SZ, withZero("%SystemRoot%\\x.exe"), true, "prior"},
        {"binary kept", REG_BINARY, "\x01\x02", true, "prior"},
    };
    for (const KeyValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchRegistry scratch;
        ASSERT_TRUE(scratch.write({kTestKey, "V", c.type, c.bytes}));
        WindowsRegistry system;
        RecordingRegistry registry(system);
        std::string value = "prior";
        EXPECT_EQ(GetKeyValue(registry, registry::kHKeyLocalMachine, kTestKey, "V", value), c.found);
        EXPECT_EQ(value, c.expected);
        EXPECT_EQ(registry.opened.size(), 1u);
        expectBalanced(registry);
    }
}

TEST(WindowsRegistryTest, MissingKeyOrValueClearsTheText)
{
    ScratchRegistry scratch;
    ASSERT_TRUE(scratch.write({kTestKey, "Other", REG_SZ, withZero("x")}));
    WindowsRegistry registry;
    for (const std::string& keyPath : {kTestKey, kTestKey + "\\Missing"}) {
        SCOPED_TRACE(keyPath);
        std::string value = "prior";
        EXPECT_FALSE(GetKeyValue(registry, registry::kHKeyLocalMachine, keyPath, "V", value));
        EXPECT_EQ(value, "");
    }
}

// A folder name outside ASCII that the ANSI code page can write: the narrow
// texts of the registry and of the file test are in that code page.
std::string ansiFolderName()
{
    for (const wchar_t* name : {L"caf\u00E9 \u00E0 la carte", L"\u7CFB\u7EDF\u4FE1\u606F"}) {
        char buffer[64];
        BOOL lossy = FALSE;
        const int length =
            ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, buffer, sizeof buffer, nullptr, &lossy);
        if (length > 1 && !lossy)
            return std::string(buffer, static_cast<std::size_t>(length - 1));
    }
    return {};
}

// A folder for the tool, made with the system's own ANSI functions.
bool makeToolFolder(const std::string& folder, bool withTool)
{
    if (!::CreateDirectoryA(folder.c_str(), nullptr))
        return false;
    if (!withTool)
        return true;
    const HANDLE tool = ::CreateFileA((folder + "\\MSINFO32.EXE").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    return tool != INVALID_HANDLE_VALUE && ::CloseHandle(tool);
}

struct LaunchCase {
    const char* name;
    std::vector<ValueToWrite> values;
    std::optional<std::string> launched;
    bool message;
};

// The whole flow: the system's registry and file test, a launcher that
// records.
TEST(WindowsRegistryTest, StartSysInfoFindsTheToolThroughTheSystem)
{
    const test::TemporaryDirectory dir;  // its name has a blank
    const std::string withTool = dir.filePath("System Tools");
    const std::string withoutTool = dir.filePath("No Tools");
    const std::string ansiName = ansiFolderName();
    ASSERT_FALSE(ansiName.empty()) << "the ANSI code page " << ::GetACP() << " writes none of the test names";
    const std::string ansiFolder = dir.path() + "\\" + ansiName;
    ASSERT_TRUE(makeToolFolder(withTool, true));
    ASSERT_TRUE(makeToolFolder(withoutTool, false));
    ASSERT_TRUE(makeToolFolder(ansiFolder, true));

    auto path = [](DWORD type, const std::string& text) {
        return ValueToWrite{std::string(kMsInfoKey), std::string(kMsInfoPathValue), type, withZero(text)};
    };
    auto folder = [](const std::string& text) {
        return ValueToWrite{std::string(kSharedToolsLocationKey), std::string(kMsInfoFolderValue), REG_SZ,
                            withZero(text)};
    };
    const std::string missingTool = "C:\\Program Files\\No Such Tool\\msinfo32.exe";
    const std::vector<LaunchCase> cases = {
        {"registered path, started unchecked", {path(REG_SZ, missingTool)}, missingTool, false},
        {"folder holding the tool", {folder(withTool)}, withTool + "\\MSINFO32.EXE", false},
        {"folder with a trailing backslash", {folder(withTool + "\\")}, withTool + "\\\\MSINFO32.EXE", false},
        {"folder named in the ANSI code page", {folder(ansiFolder)}, ansiFolder + "\\MSINFO32.EXE", false},
        {"folder without the tool", {folder(withoutTool)}, std::nullopt, true},
        {"path wins over folder", {path(REG_SZ, missingTool), folder(withTool)}, missingTool, false},
        {"path over 1024 bytes counts as absent",
         {path(REG_SZ, std::string(1100, 'p')), folder(withTool)},
         withTool + "\\MSINFO32.EXE",
         false},
        {"path of another type", {path(REG_EXPAND_SZ, missingTool)}, "", true},
        {"path without data",
         {{std::string(kMsInfoKey), std::string(kMsInfoPathValue), REG_SZ, ""}, folder(withTool)},
         std::nullopt,
         true},
        {"neither value", {}, std::nullopt, true},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchRegistry scratch;
        for (const ValueToWrite& value : c.values)
            ASSERT_TRUE(scratch.write(value));
        const std::unique_ptr<Registry> system = systemRegistry();
        RecordingRegistry registry(*system);
        LocalFileSystem files;
        RecordingLauncher launcher(true);
        std::vector<std::string> messages;

        startSystemInformationTool(registry, files, launcher,
                                   [&messages](const std::string& text) { messages.push_back(text); });

        if (c.launched) {
            ASSERT_EQ(launcher.launches.size(), 1u);
            EXPECT_EQ(launcher.launches[0].first, *c.launched);
            EXPECT_EQ(launcher.launches[0].second, kWindowStyleNormalFocus);
        } else {
            EXPECT_TRUE(launcher.launches.empty());
        }
        EXPECT_EQ(messages, c.message ? std::vector<std::string>{"此时系统信息无效"} : std::vector<std::string>{});
        expectBalanced(registry);
    }
}

}  // namespace
}  // namespace quartet
