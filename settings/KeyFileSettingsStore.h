// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsStore.h"

#include <cstddef>

namespace quartet {

// Settings kept in key files (the INI dialect of desktop entries, read and
// written by GLib), one per application: <directory>/<application>/
// <application>.ini, one group per settings section. Values are handed out
// as the file spells them, without unescaping, for the caller's own strict
// reading, and stored as given (the program stores one-line numbers).
//
// A line that GLib cannot read (none of a group, a key or a comment; a key
// before the first group or below a damaged group line; a NUL byte) holds
// nothing, and the lines around it keep their values. A file above
// kMaxFileSize holds no values. Only a regular file is read: a file that
// exists but cannot be read (no permission, a folder, a pipe or a device in
// its place) holds no values.
//
// Every save replaces the file whole, written beside it and renamed over it
// once on the disk, so that it is never left empty or half-written, even
// when several programs save at once. It keeps the other settings (and the
// comments of a file that GLib reads whole) where the result fits in
// kMaxFileSize, and the key alone where it would not, so that the next read
// takes it. A file that cannot be read, or may not be written, is left as it
// is and the save throws. A store that is a link stays one: the file it
// leads to is replaced, keeping its permissions. Nothing else is touched.
class KeyFileSettingsStore : public SettingsStore {
public:
    // The store that this program writes takes a few bytes.
    static constexpr std::size_t kMaxFileSize = 1024 * 1024;

    explicit KeyFileSettingsStore(const QString& directory);

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
