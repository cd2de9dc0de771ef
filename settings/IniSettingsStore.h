// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsStore.h"

#include <cstddef>

namespace quartet {

// Settings kept in INI files, one per application: <directory>/<application>/
// <application>.ini, one INI section per settings section. Every save
// replaces the file atomically, so it is never left half-written; a file that
// exists but cannot be read or written is left alone, and the save throws.
// A file that cannot be read holds no values. Only a regular file is read: a
// pipe or a device in its place is left alone in the same way. A file above
// kMaxFileSize holds no values either, and a save replaces it.
class IniSettingsStore : public SettingsStore {
public:
    // The store that this program writes takes a few bytes.
    static constexpr std::size_t kMaxFileSize = 1024 * 1024;

    explicit IniSettingsStore(const QString& directory);

    // Where the platform keeps per-user configuration (on Linux the XDG config
    // directory, normally ~/.config; a relative XDG_CONFIG_HOME is ignored).
    static QString standardDirectory();

    QString filePath(const QString& application) const;

    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultText) override;
    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& text) override;

private:
    QString m_directory;
};

}  // namespace quartet
