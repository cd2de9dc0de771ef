// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyFileSettingsStore.h"

#include "files/GLibPtr.h"
#include "files/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

namespace quartet {

namespace {

using Path = std::filesystem::path;

[[noreturn]] void fail(const char* what, const Path& path, GError* error = nullptr)
{
    std::string message = std::string(what) + " the settings file " + path.string();
    if (error) {
        message += std::string(": ") + error->message;
        g_error_free(error);
    }
    throw SettingsError(message);
}

Path nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

bool load(GKeyFile* keys, std::string_view text)
{
    return g_key_file_load_from_data(keys, text.data(), text.size(),
                                     GKeyFileFlags(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS), nullptr);
}

// GLib refuses a file whole for one line that it cannot read, and reads a
// line only up to a NUL byte. Where it refuses the file, or the file holds a
// NUL, each group and key line is put to GLib on its own (a key inside a
// group of its own), and only those that it reads whole are kept: one bad
// line never costs the settings around it. A key counts only below a group
// that reads; comments are dropped, as they may be the damage itself.
std::string readableLines(std::string_view text)
{
    const GKeyFilePtr probe(g_key_file_new());
    std::string kept;
    bool inGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (end != std::string_view::npos && line.ends_with('\r'))  // CR LF, as GLib reads it
            line.remove_suffix(1);
        const std::size_t first = line.find_first_not_of(" \t\r\f\v");
        if (first == std::string_view::npos || line[first] == '#')
            continue;
        // Neither a group nor a key: GLib would refuse it, asked or not.
        const bool isGroup = line[first] == '[';
        const bool readable = (isGroup || line.find('=') != std::string_view::npos)
            && line.find('\0') == std::string_view::npos && load(probe.get(), std::string("[g]\n").append(line));
        if (isGroup)
            inGroup = readable;
        if (readable && inGroup)
            kept.append(line).append(1, '\n');
    }
    return kept;
}

GKeyFilePtr parse(std::string_view bytes)
{
    // A byte order mark, which some editors put first, is no part of the
    // first line; the next save writes the file without it.
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    GKeyFilePtr keys(g_key_file_new());
    if (bytes.find('\0') == std::string_view::npos && load(keys.get(), bytes))
        return keys;
    keys.reset(g_key_file_new());
    if (!load(keys.get(), readableLines(bytes)))
        keys.reset(g_key_file_new());
    return keys;
}

// The store's settings: none when there is no file, or one too large to be a
// store; nothing when it exists but cannot be read.
std::optional<GKeyFilePtr> readStore(const Path& file)
{
    const RegularFile read = RegularFile::read(file, KeyFileSettingsStore::kMaxFileSize);
    switch (read.status) {
    case RegularFile::Status::Read: return parse(read.bytes);
    case RegularFile::Status::Missing:
    case RegularFile::Status::TooLarge: return GKeyFilePtr(g_key_file_new());
    case RegularFile::Status::Unreadable: break;
    }
    return std::nullopt;
}

// The file that a save replaces: where the store's links lead, so that a
// user's link (into a folder of dotfiles) stays a link; a link that leads
// nowhere yet is followed too, and the save makes the file it names. A loop
// of links cannot be read, so a save never gets this far with one.
Path replacedFile(Path path)
{
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code notALink;
        const Path target = std::filesystem::read_symlink(path, notALink);
        if (notALink)
            break;
        path = path.parent_path() / target;  // an absolute target replaces the folder
    }
    return path;
}

std::string text(GKeyFile* keys)
{
    gsize length = 0;
    const GCharPtr data(g_key_file_to_data(keys, &length, nullptr));
    return std::string(data.get(), length);
}

// The store with the key set, as bytes that its reader takes whole.
std::string withSetting(GKeyFile* keys, const char* group, const char* key, const char* value)
{
    // Where a hand-edited group holds the key twice, GLib reads the last line
    // and sets that one: the saved file reads as it was meant.
    g_key_file_set_value(keys, group, key, value);
    std::string bytes = text(keys);
    if (bytes.size() <= KeyFileSettingsStore::kMaxFileSize)
        return bytes;
    const GKeyFilePtr alone(g_key_file_new());
    g_key_file_set_value(alone.get(), group, key, value);
    return text(alone.get());
}

// Written beside the file and renamed over it once it is on the disk; on a
// failure GLib removes what it wrote, and the file stays as it was.
void replace(const Path& file, const std::string& bytes)
{
    struct stat info = {};
    const bool existed = ::stat(file.c_str(), &info) == 0;
    const mode_t mode = existed ? info.st_mode & 0777 : 0666;
    GError* error = nullptr;
    if (!g_file_set_contents_full(file.c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                  GFileSetContentsFlags(G_FILE_SET_CONTENTS_CONSISTENT | G_FILE_SET_CONTENTS_DURABLE),
                                  static_cast<int>(mode), &error))
        fail("could not write", file, error);
    // The new file was made through the umask; the old one's bits come back.
    if (existed)
        ::chmod(file.c_str(), mode);
}

}  // namespace

KeyFileSettingsStore::KeyFileSettingsStore(const QString& directory) : m_directory(directory) {}

QString KeyFileSettingsStore::standardDirectory()
{
    // A relative XDG_CONFIG_HOME is not to be used, the XDG base-directory
    // rules say; Qt 6.4 would take it against the working folder.
    const QString location = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (QDir::isAbsolutePath(location))
        return location;
    return QDir::homePath() + QStringLiteral("/.config");
}

QString KeyFileSettingsStore::filePath(const QString& application) const
{
    return QDir(m_directory).filePath(application + u'/' + application + QStringLiteral(".ini"));
}

QString KeyFileSettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                         const QString& defaultText)
{
    // Reading never creates the file or its directory.
    const std::optional<GKeyFilePtr> keys = readStore(nativePath(filePath(application)));
    if (!keys)
        return defaultText;
    const GCharPtr value(
        g_key_file_get_value(keys->get(), section.toUtf8().constData(), key.toUtf8().constData(), nullptr));
    return value ? QString::fromUtf8(value.get()) : defaultText;
}

void KeyFileSettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
                                       const QString& text)
{
    const QString path = filePath(application);
    const Path file = replacedFile(nativePath(path));

    // A file that cannot be read is never replaced: what it holds is unknown.
    // Nor is one without write permission, which a write in place would meet.
    const std::optional<GKeyFilePtr> keys = readStore(file);
    if (!keys)
        fail("could not read", file);
    if (::access(file.c_str(), W_OK) != 0 && errno != ENOENT)
        fail("may not write", file);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        fail("could not make the folder of", file);
    replace(
        file,
        withSetting(keys->get(), section.toUtf8().constData(), key.toUtf8().constData(), text.toUtf8().constData()));
}

}  // namespace quartet
