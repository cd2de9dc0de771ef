// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniSettingsStore.h"

#include "platform/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QVariant>

#include <filesystem>
#include <optional>
#include <string>

namespace quartet {

namespace {

// QSettings writes keys outside any group under [General] and escapes a group
// named General as [%General]. Keys of the section General therefore go to
// the top level, which is what a reader of the file sees as [General].
QString settingsKey(const QString& section, const QString& key)
{
    if (section == u"General")
        return key;
    return section + u'/' + key;
}

QString storedText(const QVariant& value)
{
    // An unquoted comma makes QSettings read a list; give back the text.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

[[noreturn]] void fail(const char* what, const QString& path)
{
    throw SettingsError(std::string(what) + " the settings file " + QDir::toNativeSeparators(path).toStdString());
}

// A draft of the store is named after it: Quartet.ini.draft-<six characters>.
const QString kDraftInfix = QStringLiteral(".draft-");

std::filesystem::path nativePath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// The file's bytes. Empty when there is no file, or only one too large to
// be a store this program wrote, which therefore holds no value; nothing
// when it exists but cannot be read (no permission, a folder, a pipe or a
// device in its place).
std::optional<QByteArray> currentBytes(const QString& path)
{
    const RegularFile file = RegularFile::read(nativePath(path), IniSettingsStore::kMaxFileSize);
    switch (file.status) {
    case RegularFile::Status::Read: return QByteArray::fromStdString(file.bytes);
    case RegularFile::Status::Missing:
    case RegularFile::Status::TooLarge: return QByteArray();
    case RegularFile::Status::Unreadable: break;
    }
    return std::nullopt;
}

// The file as it reads with the key set to text, written by QSettings into a
// draft of its own beside the file, so that a save needs no room but the
// settings folder's.
//
// QSettings keeps one parsed copy of every file per process and leaves a
// change that it failed to write in that copy; the next QSettings on the same
// file, even one that only reads, finds the change there and writes it out,
// over whatever another writer stored in between. So no QSettings ever writes
// the real file: the draft has a fresh name that nothing else opens, and it
// is removed when done.
std::optional<QByteArray> draftBytes(const QString& path, const QByteArray& current, const QString& name,
                                     const QString& text)
{
    QTemporaryFile file(path + kDraftInfix + QStringLiteral("XXXXXX"));
    if (!file.open() || file.write(current) != current.size() || !file.flush())
        return std::nullopt;
    // Closed, so that QSettings may replace it on any system; it is still
    // removed when file goes.
    const QString draft = file.fileName();
    file.close();
    {
        // A QSettings object's status keeps its first error. The reader parses
        // the whole draft, so a format error in a damaged file lands on the
        // reader, and the writer, which shares the parsed file while both
        // live, reports on the write alone.
        const QSettings reader(draft, QSettings::IniFormat);
        reader.allKeys();
        QSettings writer(draft, QSettings::IniFormat);
        writer.setValue(name, text);
        writer.sync();
        if (writer.status() != QSettings::NoError)
            return std::nullopt;
    }
    // QSettings replaced the draft by a new file under the same name.
    QFile written(draft);
    if (!written.open(QIODevice::ReadOnly))
        return std::nullopt;
    return written.readAll();
}

// A save that was killed midway leaves its draft behind; the next save
// removes the drafts that are older than any save takes.
void removeStaleDrafts(const QString& path)
{
    const QFileInfo store(path);
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QStringList pattern{store.fileName() + kDraftInfix + u'*'};
    for (const QFileInfo& draft : store.dir().entryInfoList(pattern, QDir::Files | QDir::Hidden | QDir::System)) {
        if (draft.lastModified() < stale)
            QFile::remove(draft.filePath());
    }
}

// QSettings reads a file again only when its size or its modification time,
// in milliseconds, has changed. Two saves within one tick of the file
// system's clock would give the same time, and a reader would keep the
// earlier text; so the new file is always dated after the one it replaces.
void dateAfter(QFileDevice& file, const QDateTime& previous)
{
    if (!previous.isValid())
        return;
    const QDateTime written = file.fileTime(QFileDevice::FileModificationTime);
    if (written.isValid() && written > previous)
        return;
    file.setFileTime(previous.addMSecs(1), QFileDevice::FileModificationTime);
}

}  // namespace

IniSettingsStore::IniSettingsStore(const QString& directory) : m_directory(directory) {}

QString IniSettingsStore::standardDirectory()
{
    // A relative XDG_CONFIG_HOME is not to be used, the XDG base-directory
    // rules say; Qt 6.4 would take it against the working folder.
    const QString location = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (QDir::isAbsolutePath(location))
        return location;
    return QDir::homePath() + QStringLiteral("/.config");
}

QString IniSettingsStore::filePath(const QString& application) const
{
    return QDir(m_directory).filePath(application + u'/' + application + QStringLiteral(".ini"));
}

QString IniSettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                     const QString& defaultText)
{
    // Reading never creates the file or its directory. A file that cannot be
    // read holds no value, and so does anything but a small regular file:
    // QSettings would wait for ever on a pipe and read a huge file whole.
    const QString path = filePath(application);
    if (RegularFile::inspect(nativePath(path), kMaxFileSize) != RegularFile::Status::Read)
        return defaultText;
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant value = settings.value(settingsKey(section, key));
    return value.isValid() ? storedText(value) : defaultText;
}

void IniSettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
                                   const QString& text)
{
    const QString path = filePath(application);

    // A file that cannot be read is never replaced: what it holds is unknown.
    const std::optional<QByteArray> current = currentBytes(path);
    if (!current)
        fail("could not read", path);
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        fail("could not make the folder of", path);
    removeStaleDrafts(path);
    const std::optional<QByteArray> updated = draftBytes(path, *current, settingsKey(section, key), text);
    if (!updated)
        fail("could not prepare", path);

    const QDateTime previous = info.exists() ? info.lastModified() : QDateTime();
    // A new file renamed over the old one: never left half-written. QSaveFile
    // refuses a file without write permission, as a direct write would.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*updated) != updated->size() || !file.flush())
        fail("could not write", path);
    dateAfter(file, previous);
    if (!file.commit())
        fail("could not write", path);
}

}  // namespace quartet
