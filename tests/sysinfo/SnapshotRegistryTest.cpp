// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/SnapshotRegistry.h"

#include "tests/support/SystemInfoTestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace quartet {
namespace {

using test::MemoryRegistry;
using test::textValue;

constexpr std::uint32_t kMachine = registry::kHKeyLocalMachine;

TEST(SnapshotRegistryTest, OpensReadableKeysForReadingOnly)
{
    struct Case {
        const char* name;
        std::string keyPath;
        std::uint32_t access;
        std::int32_t result;
    };
    const std::vector<Case> cases = {
        {"readable key", "K", registry::kKeyRead, registry::kErrorSuccess},
        {"write access", "K", 0x2003F, registry::kErrorAccessDenied},
        {"missing key", "K\\Sub", registry::kKeyRead, registry::kErrorFileNotFound},
    };
    MemoryRegistry registry;
    registry.set("K", "Text", textValue("abc"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryHandle key = 12345;
        EXPECT_EQ(registry.regOpenKeyEx(kMachine, c.keyPath, 0, c.access, key), c.result);
        EXPECT_EQ(key != 0, c.result == registry::kErrorSuccess);
    }
}

// A handle reads the key as it was when it was opened; the next open reads it afresh.
TEST(SnapshotRegistryTest, QueryCopiesOnlyWhatFitsFromTheKeyAsOpened)
{
    MemoryRegistry registry;
    registry.set("K", "Text", textValue("abc"));
    RegistryHandle key = 0;
    ASSERT_EQ(registry.regOpenKeyEx(kMachine, "K", 0, registry::kKeyRead, key), registry::kErrorSuccess);
    registry.set("K", "Text", textValue("changed"));
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

    ASSERT_EQ(registry.regOpenKeyEx(kMachine, "K", 0, registry::kKeyRead, key), registry::kErrorSuccess);
    size = 8;
    EXPECT_EQ(registry.regQueryValueEx(key, "Text", 0, type, buffer.data(), size), registry::kErrorSuccess);
    EXPECT_EQ(size, 8u);
    registry.regCloseKey(key);
}

}  // namespace
}  // namespace quartet
