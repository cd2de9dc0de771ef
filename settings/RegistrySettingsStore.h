// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsStore.h"

#include <cstddef>

namespace quartet {

// Settings kept in the Windows registry of the current user, as Windows
// programs keep theirs: one text value (REG_SZ) per settings key, in the
// key HKEY_CURRENT_USER\Software\<application>\<section>. Windows only.
//
// Values are handed out as stored, for the caller's own strict reading. A
// value that is not text (another type, such as a number that someone put
// there by hand), one above kMaxValueBytes, and one that cannot be read are
// treated as the key-file store treats a line that it cannot read: the key
// holds nothing, and the default is returned. The next save replaces such a
// value with text.
//
// A save creates the keys it needs and throws SettingsError when the value
// could not be written; the registry writes a value whole or not at all.
class RegistrySettingsStore : public SettingsStore {
public:
    // The store that this program writes takes a few bytes.
    static constexpr std::size_t kMaxValueBytes = 1024 * 1024;

    // The key under HKEY_CURRENT_USER that holds a section's values.
    static QString keyPath(const QString& application, const QString& section);

    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultText) override;
    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& text) override;
};

}  // namespace quartet
