// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace quartet {

// An open registry key as the registry functions hand it out; 0 is no key.
using RegistryHandle = std::uintptr_t;

// The numbers of the Windows registry functions, under names that do not
// collide with the macros of <windows.h>.
namespace registry {

// The predefined root key the program reads, as the 32-bit value that
// callers pass around.
inline constexpr std::uint32_t kHKeyLocalMachine = 0x80000002;

// Access masks. KEY_READ is READ_CONTROL with query, enumerate and notify:
// everything an ordinary user is granted under HKEY_LOCAL_MACHINE.
inline constexpr std::uint32_t kKeyRead = 0x20019;
// Every right that changes a key or its security: set value, create subkey,
// create link, DELETE, WRITE_DAC and WRITE_OWNER.
inline constexpr std::uint32_t kKeyWriteRights = 0x0002 | 0x0004 | 0x0020 | 0x10000 | 0x40000 | 0x80000;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Results.
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;

}  // namespace registry

// The three registry operations the program needs, with the contracts of
// RegOpenKeyExA, RegQueryValueExA and RegCloseKey: results are 0 on success
// or a system error code. Texts are in the system's narrow encoding (the
// ANSI code page on Windows, UTF-8 elsewhere).
class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA: opens keyPath below the root key. On success the handle
    // is set; on failure it is 0.
    virtual std::int32_t regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                                      std::uint32_t access, RegistryHandle& key) = 0;

    // RegQueryValueExA: copies the value's data into data, which holds size
    // bytes. On success type is the value's type and size the number of bytes
    // written. Data longer than size give kErrorMoreData with size set to the
    // length needed; nothing is copied then.
    virtual std::int32_t regQueryValueEx(RegistryHandle key, const std::string& valueName, std::uint32_t reserved,
                                         std::uint32_t& type, unsigned char* data, std::uint32_t& size) = 0;

    // RegCloseKey. Closing 0 or an unknown handle does nothing.
    virtual void regCloseKey(RegistryHandle key) = 0;
};

}  // namespace quartet
