// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/FileSystem.h"
#include "sysinfo/Launcher.h"
#include "sysinfo/Registry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quartet {

// Where the system information tool is registered, under HKEY_LOCAL_MACHINE:
// the full path of the tool, or else the folder that holds it.
inline constexpr std::string_view kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kMsInfoPathValue = "PATH";
inline constexpr std::string_view kSharedToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kMsInfoFolderValue = "MSINFO";
inline constexpr std::string_view kMsInfoFileName = "\\MSINFO32.EXE";

// The one message for every way the launch can fail.
inline constexpr std::string_view kSysInfoUnavailableMessage = "此时系统信息无效";

// The largest value GetKeyValue reads; longer data count as absent.
inline constexpr std::size_t kKeyValueBufferSize = 1024;

// Raised by GetKeyValue for a value without any data.
class RegistryValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Shows a message (UTF-8) to the user and returns when it has been read.
using ShowMessage = std::function<void(const std::string& message)>;

// Reads one registry value as text. Opens KeyName below KeyRoot for reading,
// reads SubKeyRef into a buffer of kKeyValueBufferSize bytes and drops one
// trailing zero byte. A text value (REG_SZ) gives its bytes; a 32-bit value
// (REG_DWORD) gives "&h" and two upper-case hex digits per byte, most
// significant first; any other type leaves KeyVal as it was. Returns false
// with KeyVal empty when the key or value is missing or the data do not fit.
// Throws RegistryValueError for a value without data. The key is closed on
// every road.
bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

// Finds the system information tool in the registry and starts it; on any
// failure shows kSysInfoUnavailableMessage instead. The tool's full path is
// started as it stands; a folder is used only when the tool is in it.
void startSystemInformationTool(Registry& registry, FileSystem& files, Launcher& launcher,
                                const ShowMessage& showMessage);

}  // namespace quartet
