// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/WindowsRegistry.h"

#ifdef _WIN32

#include "sysinfo/WindowsApi.h"

namespace quartet {

namespace {

// The predefined keys are small negative numbers, sign-extended to the
// width of a handle (HKEY_LOCAL_MACHINE is (HKEY)(ULONG_PTR)(LONG)0x80000002).
HKEY rootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY openedKey(RegistryHandle key)
{
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

std::int32_t WindowsRegistry::regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                                           std::uint32_t access, RegistryHandle& key)
{
    HKEY opened = nullptr;
    const LSTATUS result = ::RegOpenKeyExA(rootKey(root), keyPath.c_str(), options, access, &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<RegistryHandle>(opened) : 0;
    return result;
}

std::int32_t WindowsRegistry::regQueryValueEx(RegistryHandle key, const std::string& valueName,
                                              std::uint32_t /*reserved: must reach the system as null*/,
                                              std::uint32_t& type, unsigned char* data, std::uint32_t& size)
{
    DWORD valueType = 0;
    DWORD length = size;
    const LSTATUS result = ::RegQueryValueExA(openedKey(key), valueName.c_str(), nullptr, &valueType, data, &length);
    type = valueType;
    size = length;
    return result;
}

void WindowsRegistry::regCloseKey(RegistryHandle key)
{
    if (key != 0)
        ::RegCloseKey(openedKey(key));
}

}  // namespace quartet

#endif  // _WIN32
