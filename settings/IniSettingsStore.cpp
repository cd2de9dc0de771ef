// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniSettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>

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

// The file's bytes, empty when there is no file; nothing when it exists but
// cannot be read (no permission, a directory in its place).
std::optional<QByteArray> currentBytes(const QString& path)
{
    if (!QFileInfo::exists(path))
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// The file as it reads with the key set to text, written by QSettings into a
// draft of its own.
//
// QSettings keeps one parsed copy of every file per process and leaves a
// change that it failed to write in that copy; the next QSettings on the same
// file, even one that only reads, finds the change there and writes it out,
// over whatever another writer stored in between. So no QSettings ever writes
// the real file: the draft lives under a fresh name that nothing else opens.
std::optional<QByteArray> draftBytes(const QByteArray& current, const QString& name, const QString& text)
{
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return std::nullopt;
    const QString draft = scratch.filePath(QStringLiteral("draft.ini"));
    if (!current.isEmpty()) {
        QFile file(draft);
        if (!file.open(QIODevice::WriteOnly) || file.write(current) != current.size() || !file.flush())
            return std::nullopt;
    }
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
    QFile written(draft);
    if (!written.open(QIODevice::ReadOnly))
        return std::nullopt;
    return written.readAll();
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
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString IniSettingsStore::filePath(const QString& application) const
{
    return QDir(m_directory).filePath(application + u'/' + application + QStringLiteral(".ini"));
}

QString IniSettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                     const QString& defaultText)
{
    // Reading never creates the file or its directory. A file that cannot be
    // read holds no value.
    const QSettings settings(filePath(application), QSettings::IniFormat);
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
    const std::optional<QByteArray> updated = draftBytes(*current, settingsKey(section, key), text);
    if (!updated)
        fail("could not prepare", path);

    const QFileInfo info(path);
    const QDateTime previous = info.exists() ? info.lastModified() : QDateTime();
    if (!QDir().mkpath(info.absolutePath()))
        fail("could not make the folder of", path);
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
