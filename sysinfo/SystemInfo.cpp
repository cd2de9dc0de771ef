// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/SystemInfo.h"

#include "numbers/TextBasics.h"

#include <array>
#include <optional>
#include <string_view>

namespace quartet {

namespace {

// Closes an open key when the lookup leaves, whichever way it leaves.
class KeyCloser {
public:
    KeyCloser(Registry& registry, RegistryHandle key) : m_registry(registry), m_key(key) {}
    ~KeyCloser() { m_registry.regCloseKey(m_key); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    Registry& m_registry;
    RegistryHandle m_key;
};

// "&h" and the bytes from the last to the first, two upper-case hex digits
// each. The text is kept as it is, not turned into a decimal number: both
// lookups that use GetKeyValue expect text values, and the hex form shows
// what was stored.
std::string dwordText(std::string_view bytes)
{
    std::string text = "&h";
    for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
        const auto value = static_cast<unsigned char>(*byte);
        text += upperHexDigit(value >> 4);
        text += upperHexDigit(value);
    }
    return text;
}

// The tool's command line: the registered full path as it stands, or the
// tool in the registered folder when it is there. Nothing when neither. A
// value of another type than text reads as an empty path: it is passed on
// like any other and fails to start.
std::optional<std::string> toolPath(Registry& registry, FileSystem& files)
{
    std::string path;
    if (GetKeyValue(registry, registry::kHKeyLocalMachine, std::string(kMsInfoKey), std::string(kMsInfoPathValue),
                    path))
        return path;
    if (!GetKeyValue(registry, registry::kHKeyLocalMachine, std::string(kSharedToolsLocationKey),
                     std::string(kMsInfoFolderValue), path))
        return std::nullopt;
    // The folder and the file name are joined as they are, trailing
    // backslash or not.
    std::string candidate = path + std::string(kMsInfoFileName);
    if (files.existingFileName(candidate).empty())
        return std::nullopt;
    return candidate;
}

// Every failure, thrown or reported, ends in false.
bool tryStartSystemInformationTool(Registry& registry, FileSystem& files, Launcher& launcher) noexcept
{
    try {
        const std::optional<std::string> path = toolPath(registry, files);
        return path && launcher.startDetached(*path, kWindowStyleNormalFocus);
    } catch (...) {
        return false;
    }
}

}  // namespace

bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal)
{
    // Read access only: under HKEY_LOCAL_MACHINE an ordinary user may not
    // write, and asking for write rights would make the tool look missing.
    RegistryHandle key = 0;
    if (registry.regOpenKeyEx(KeyRoot, KeyName, 0, registry::kKeyRead, key) != registry::kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    const KeyCloser closer(registry, key);

    std::array<unsigned char, kKeyValueBufferSize> buffer{};
    std::uint32_t type = registry::kRegNone;
    auto size = static_cast<std::uint32_t>(buffer.size());
    if (registry.regQueryValueEx(key, SubKeyRef, 0, type, buffer.data(), size) != registry::kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    if (size > buffer.size())
        throw RegistryValueError("registry reported more bytes than its buffer holds");
    if (size == 0)
        throw RegistryValueError("registry value has no data");

    // One terminating zero is dropped; a text stored without one is whole.
    if (buffer[size - 1] == 0)
        --size;
    const std::string_view bytes(reinterpret_cast<const char*>(buffer.data()), size);
    if (type == registry::kRegSz)
        KeyVal.assign(bytes);
    else if (type == registry::kRegDword)
        KeyVal = dwordText(bytes);
    return true;
}

void startSystemInformationTool(Registry& registry, FileSystem& files, Launcher& launcher,
                                const ShowMessage& showMessage)
{
    if (!tryStartSystemInformationTool(registry, files, launcher) && showMessage)
        showMessage(std::string(kSysInfoUnavailableMessage));
}

}  // namespace quartet
