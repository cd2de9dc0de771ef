// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsStore.h"

namespace quartet {

// Settings kept in INI files, one per application: <directory>/<application>/
// <application>.ini, one INI section per settings section. Every save
// replaces the file atomically, so it is never left half-written; a file that
// exists but cannot be read or written is left alone, and the save throws.
// A file that cannot be read holds no values.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const QString& directory);

    // Where the platform keeps per-user configuration (on Linux the XDG config
    // directory, normally ~/.config).
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
