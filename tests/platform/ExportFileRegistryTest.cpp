// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExportFileRegistry.h"
#include "platform/SystemRegistry.h"

#include "tests/support/PlatformTestSupport.h"
#ifndef _WIN32
#include "tests/support/UnusualFiles.h"
#endif

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace quartet {
namespace {

using test::ExportFile;

constexpr std::uint32_t kMachine = registry::kHKeyLocalMachine;

class ExportFileRegistryTest : public testing::Test {
protected:
    void SetUp() override { file.writeLines({"[HKEY_LOCAL_MACHINE\\K]", "\"Text\"=\"abc\""}); }

    RegistryHandle open(Registry& registry)
    {
        RegistryHandle key = 0;
        EXPECT_EQ(registry.regOpenKeyEx(kMachine, "K", 0, registry::kKeyRead, key), registry::kErrorSuccess);
        return key;
    }

    ExportFile file;
};

TEST_F(ExportFileRegistryTest, QueryCopiesOnlyWhatFits)
{
    ExportFileRegistry registry(file.path());
    const RegistryHandle key = open(registry);
    std::array<unsigned char, 8> buffer{};
    buffer.fill(0xEE);
    std::uint32_t type = 0;

    std::uint32_t size = 3;  // one byte short of "abc" and its zero
    EXPECT_EQ(registry.regQueryValueEx(key, "Text", 0, type, buffer.data(), size), registry::kErrorMoreData);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 0xEE);

    size = 4;
    EXPECT_EQ(registry.regQueryValueEx(key, "text", 0, type, buffer.data(), size), registry::kErrorSuccess);
    EXPECT_EQ(type, registry::kRegSz);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 5), std::string("abc\0\xEE", 5));

    size = 8;
    EXPECT_EQ(registry.regQueryValueEx(key, "Missing", 0, type, buffer.data(), size), registry::kErrorFileNotFound);

    registry.regCloseKey(key);
    EXPECT_EQ(registry.regQueryValueEx(key, "Text", 0, type, buffer.data(), size), registry::kErrorInvalidHandle);
}

TEST_F(ExportFileRegistryTest, OpenFailsWithoutAReadableKey)
{
    const std::filesystem::path folder = std::filesystem::path(file.path()).parent_path();
    struct Case {
        const char* name;
        std::filesystem::path path;
        std::string keyPath;
        std::uint32_t access;
        std::int32_t result;
    };
    const std::vector<Case> cases = {
        {"readable key", file.path(), "k", registry::kKeyRead, registry::kErrorSuccess},
        {"write access", file.path(), "K", 0x2003F, registry::kErrorAccessDenied},
        {"missing key", file.path(), "K\\Sub", registry::kKeyRead, registry::kErrorFileNotFound},
        {"missing file", folder / "none.reg", "K", registry::kKeyRead, registry::kErrorFileNotFound},
        {"folder as file", folder, "K", registry::kKeyRead, registry::kErrorFileNotFound},
    // Read without waiting: a pipe without a writer would block the reader.
#ifdef _WIN32
        {"a device", "NUL", "K", registry::kKeyRead, registry::kErrorFileNotFound},
#else
        {"a named pipe", test::namedPipe(folder / "pipe.reg"), "K", registry::kKeyRead, registry::kErrorFileNotFound},
        {"a link to an endless device", test::symlink("/dev/zero", folder / "zero.reg"), "K", registry::kKeyRead,
         registry::kErrorFileNotFound},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExportFileRegistry registry(c.path);
        RegistryHandle key = 12345;
        EXPECT_EQ(registry.regOpenKeyEx(kMachine, c.keyPath, 0, c.access, key), c.result);
        EXPECT_EQ(key != 0, c.result == registry::kErrorSuccess);
    }
}

TEST_F(ExportFileRegistryTest, AFileOfAtMost256KiBIsRead)
{
    for (const std::size_t size : {256 * 1024, 256 * 1024 + 1}) {
        std::string text = "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"Text\"=\"abc\"\r\n";
        text.resize(size, '\n');
        file.write(text);
        ExportFileRegistry registry(file.path());
        RegistryHandle key = 0;
        EXPECT_EQ(registry.regOpenKeyEx(kMachine, "K", 0, registry::kKeyRead, key),
                  size == 256 * 1024 ? registry::kErrorSuccess : registry::kErrorFileNotFound)
            << size << " bytes";
    }
}

TEST_F(ExportFileRegistryTest, EveryOpenReadsTheFileAfresh)
{
    ExportFileRegistry registry(file.path());
    registry.regCloseKey(open(registry));
    file.writeLines({"[HKEY_LOCAL_MACHINE\\Other]"});
    RegistryHandle key = 0;
    EXPECT_EQ(registry.regOpenKeyEx(kMachine, "K", 0, registry::kKeyRead, key), registry::kErrorFileNotFound);
}

#ifndef _WIN32
// Elsewhere than on Windows the system registry is the stand-in.
TEST_F(ExportFileRegistryTest, EnvironmentRedirectsTheSystemRegistry)
{
    ASSERT_EQ(::setenv(ExportFileRegistry::kFileVariable, file.path().c_str(), 1), 0);
    const std::unique_ptr<Registry> registry = systemRegistry();
    ::unsetenv(ExportFileRegistry::kFileVariable);

    const RegistryHandle key = open(*registry);
    std::array<unsigned char, 8> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = buffer.size();
    EXPECT_EQ(registry->regQueryValueEx(key, "Text", 0, type, buffer.data(), size), registry::kErrorSuccess);
    EXPECT_EQ(size, 4u);
}
#endif

}  // namespace
}  // namespace quartet
