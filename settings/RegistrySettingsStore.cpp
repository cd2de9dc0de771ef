// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/RegistrySettingsStore.h"

#include "sysinfo/WindowsApi.h"

#include <memory>
#include <string>
#include <type_traits>

namespace quartet {

namespace {

// The registry speaks UTF-16, as QString holds it.
const wchar_t* wide(const QString& text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyPtr = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

[[noreturn]] void fail(const char* what, const QString& path, LSTATUS status)
{
    throw SettingsError(std::string(what) + " HKEY_CURRENT_USER\\" + path.toStdString() + " (Windows error "
                        + std::to_string(status) + ")");
}

}  // namespace

QString RegistrySettingsStore::keyPath(const QString& application, const QString& section)
{
    return QStringLiteral("Software\\%1\\%2").arg(application, section);
}

QString RegistrySettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                          const QString& defaultText)
{
    const QString path = keyPath(application, section);
    // Text only, with its terminating zero, added where the stored data lack
    // one; expandable text (REG_EXPAND_SZ) is another type too, which
    // RegGetValueW would otherwise read with the environment put in.
    constexpr DWORD kTextOnly = RRF_RT_REG_SZ | RRF_NOEXPAND;
    DWORD bytes = 0;
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, wide(path), wide(key), kTextOnly, nullptr, nullptr, &bytes);
    std::wstring data;
    // The value may grow between asking its size and reading it.
    while (status == ERROR_SUCCESS && bytes <= kMaxValueBytes) {
        data.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD read = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, wide(path), wide(key), kTextOnly, nullptr, data.data(), &read);
        if (status == ERROR_SUCCESS) {
            data.resize(read / sizeof(wchar_t));
            if (!data.empty() && data.back() == L'\0')
                data.pop_back();
            return QString::fromWCharArray(data.data(), static_cast<qsizetype>(data.size()));
        }
        if (status == ERROR_MORE_DATA) {
            bytes = read;
            status = ERROR_SUCCESS;
        }
    }
    return defaultText;
}

void RegistrySettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
                                        const QString& text)
{
    const QString path = keyPath(application, section);
    HKEY opened = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, wide(path), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                     nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS)
        fail("Could not create the settings key", path, status);
    const KeyPtr sectionKey(opened);
    // The text with its terminating zero, as REG_SZ is stored.
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
    status = RegSetValueExW(sectionKey.get(), wide(key), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.utf16()), bytes);
    if (status != ERROR_SUCCESS)
        fail("Could not write the setting", path + QLatin1Char('\\') + key, status);
}

}  // namespace quartet
