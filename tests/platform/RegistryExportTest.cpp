// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegistryExport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quartet {
namespace {

constexpr std::uint32_t kMachine = registry::kHKeyLocalMachine;
const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

std::optional<RegistryValue> valueIn(const RegistryExport& file, std::string_view keyPath, std::string_view name)
{
    const std::optional<RegistryKey> key = file.key(kMachine, keyPath);
    if (!key || key->value(name) == nullptr)
        return std::nullopt;
    return *key->value(name);
}

RegistryValue bytesOf(std::uint32_t type, std::vector<unsigned char> data)
{
    return RegistryValue{type, std::move(data)};
}

struct LineCase {
    const char* line;
    std::optional<RegistryValue> value;  // of "A" under the key; nothing when the line is skipped
};

// Each line stands between two good values, which must survive it.
TEST(RegistryExportTest, ReadsValueLinesAndSkipsBadOnes)
{
    const std::vector<LineCase> cases = {
        {R"("A"="x\\y\"z")", bytesOf(1, {'x', '\\', 'y', '"', 'z', 0})},
        {R"("A" = "spaced")", bytesOf(1, {'s', 'p', 'a', 'c', 'e', 'd', 0})},
        {"\"A\"=\"\xE7\xB3\xBB\"", bytesOf(1, {0xE7, 0xB3, 0xBB, 0})},
        {R"("A"=dword:0000002a)", bytesOf(4, {0x2a, 0, 0, 0})},
        {R"("A"=DWORD:FfEe)", bytesOf(4, {0xee, 0xff, 0, 0})},
        {R"("A"=hex:01,ff)", bytesOf(3, {0x01, 0xff})},
        {R"("A"=hex(7):61, 00 ,0)", bytesOf(7, {0x61, 0, 0})},
        {R"("A"=hex(b):01)", bytesOf(11, {0x01})},
        {R"("A"=hex(1):)", bytesOf(1, {})},
        {R"("A"="unterminated)", std::nullopt},
        {R"("A"="bad\escape")", std::nullopt},
        {R"("A"="x" trailing)", std::nullopt},
        {R"("A"=dword:123456789)", std::nullopt},
        {R"("A"=dword:)", std::nullopt},
        {R"("A"=dword:12 34)", std::nullopt},
        {R"("A"=hex:1,)", std::nullopt},
        {R"("A"=hex:100)", std::nullopt},
        {R"("A"=hex:,01)", std::nullopt},
        {R"("A"=hex(zz):01)", std::nullopt},
        {R"("A"=hex(1)01)", std::nullopt},
        {R"("A"=hex(123456789):01)", std::nullopt},
        {R"("A"=word:1)", std::nullopt},
        {R"("A")", std::nullopt},
        {R"("A="x")", std::nullopt},
        {R"(A="x")", std::nullopt},
        {"\"A\"=\"x\\", std::nullopt},
        {"\"A\x01\"=\xff\xfe\x00", std::nullopt},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.line);
        const RegistryExport file = RegistryExport::parse(kHeader + "[HKEY_LOCAL_MACHINE\\K]\r\n\"Before\"=\"1\"\r\n"
                                                          + c.line + "\r\n\"After\"=\"2\"\r\n");
        EXPECT_EQ(valueIn(file, "K", "A"), c.value);
        EXPECT_EQ(valueIn(file, "K", "Before"), bytesOf(1, {'1', 0}));
        EXPECT_EQ(valueIn(file, "K", "After"), bytesOf(1, {'2', 0}));
    }
}

TEST(RegistryExportTest, JoinsContinuedHexLists)
{
    const RegistryExport file =
        RegistryExport::parse(kHeader + "[HKEY_LOCAL_MACHINE\\K]\n\"A\"=hex(2):41,\\\n  42,\\\n  43\n\"B\"=\"b\"\n");
    EXPECT_EQ(valueIn(file, "K", "A"), bytesOf(2, {0x41, 0x42, 0x43}));
    EXPECT_EQ(valueIn(file, "K", "B"), bytesOf(1, {'b', 0}));
}

TEST(RegistryExportTest, KeysAndNamesIgnoreCase)
{
    const RegistryExport file =
        RegistryExport::parse(kHeader
                              + "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Tool]\n\"Path\"=\"p\"\n@=\"d\"\n"
                                "[hkey_local_machine\\SOFTWARE\\vendor\\tool]\n\"Extra\"=\"e\"\n");
    EXPECT_EQ(valueIn(file, "software\\VENDOR\\Tool", "PATH"), bytesOf(1, {'p', 0}));
    EXPECT_EQ(valueIn(file, "Software\\Vendor\\Tool", "extra"), bytesOf(1, {'e', 0}));
    EXPECT_EQ(valueIn(file, "Software\\Vendor\\Tool", ""), bytesOf(1, {'d', 0}));
}

TEST(RegistryExportTest, KeysBelowOthersAndOutsideAnyKey)
{
    const RegistryExport file =
        RegistryExport::parse(kHeader
                              + "\"Loose\"=\"x\"\n"
                                "[HKEY_LOCAL_MACHINE\\A\\B\\C]\n\"V\"=\"1\"\n\"Gone\"=\"g\"\n\"Gone\"=-\n\"V\"=\"2\"\n"
                                "[HKEY_NOWHERE\\A]\n\"Lost\"=\"x\"\n"
                                "[-HKEY_LOCAL_MACHINE\\A\\B\\C]\n\"Lost\"=\"x\"\n"
                                "[HKEY_LOCAL_MACHINE\\A\\B\\C] ; comment\n\"Lost\"=\"x\"\n");
    EXPECT_TRUE(file.hasKey(kMachine, "A\\B"));
    EXPECT_EQ(file.key(kMachine, "A\\B")->valueCount(), 0u);
    EXPECT_FALSE(file.hasKey(kMachine, "A\\B\\C\\D"));
    EXPECT_FALSE(file.hasKey(kMachine, "A\\BX"));
    EXPECT_FALSE(file.hasKey(registry::kHKeyCurrentUser, "A\\B\\C"));
    EXPECT_EQ(file.key(kMachine, "A\\B\\C")->valueCount(), 1u);
    EXPECT_EQ(valueIn(file, "A\\B\\C", "V"), bytesOf(1, {'2', 0}));
}

std::string utf16Le(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST(RegistryExportTest, AcceptsTheEncodingsTheEditorWrites)
{
    const std::string body = "[HKEY_LOCAL_MACHINE\\K]\r\n\"A\"=\"v\"\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"UTF-8", kHeader + body, true},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + kHeader + body, true},
        {"UTF-16LE with mark",
         utf16Le(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"A\"=\"v\"\r\n"), true},
        {"UTF-16BE", std::string("\xFE\xFF\0W", 4) + body, false},
        {"no header", body, false},
        {"old header", "REGEDIT4\r\n\r\n" + body, false},
        {"header not first", "\r\n" + kHeader + body, false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RegistryExport file = RegistryExport::parse(c.bytes);
        EXPECT_EQ(file.isValid(), c.valid);
        EXPECT_EQ(valueIn(file, "K", "A").has_value(), c.valid);
    }
}

TEST(RegistryExportTest, DecodesUtf16TextToUtf8)
{
    // 系 U+7CFB and the musical G clef U+1D11E (a surrogate pair); a lone
    // surrogate becomes U+FFFD.
    const RegistryExport file = RegistryExport::parse(
        utf16Le(u"Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"A\"=\"\u7CFB\U0001D11E\"\r\n"
                u"\"B\"=\""
                + std::u16string(1, char16_t(0xD800)) + u"\"\r\n"));
    EXPECT_EQ(valueIn(file, "K", "A"), bytesOf(1, {0xE7, 0xB3, 0xBB, 0xF0, 0x9D, 0x84, 0x9E, 0}));
    EXPECT_EQ(valueIn(file, "K", "B"), bytesOf(1, {0xEF, 0xBF, 0xBD, 0}));
}

}  // namespace
}  // namespace quartet
