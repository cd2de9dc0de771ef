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

#include <algorithm>
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

// QSettings reads a value that starts with "@" (but for "@@", a plain "@")
// as the type it names: "@Variant(...)" through QDataStream, which follows
// lists nested as deep as the bytes say, until the stack runs out. The one
// setting is a plain number, so a store that may hold such a value counts as
// damaged. The bytes are searched more widely than QSettings reads them: at
// every start of a line, a value or a list item (after "=" or ","), past
// blanks and quotes, for an "@" or a backslash escape, which can make one
// ("\x40", "\100").
bool mayHoldBinaryValues(const QByteArray& bytes)
{
    bool atStart = true;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n' || c == '\r' || c == '=' || c == ',') {
            atStart = true;
        } else if (atStart && static_cast<unsigned char>(c) > ' ' && c != '"') {
            if (c == '\\' || (c == '@' && bytes.mid(i, 2) != "@@"))
                return true;
            atStart = false;
        }
    }
    return false;
}

// The file's bytes. Empty when there is no file, or only one that this
// program cannot have written (too large, or with a value QSettings would
// decode), which therefore holds no value; nothing when it exists but cannot
// be read (no permission, a folder, a pipe or a device in its place).
std::optional<QByteArray> currentBytes(const QString& path)
{
    const RegularFile file = RegularFile::read(nativePath(path), IniSettingsStore::kMaxFileSize);
    switch (file.status) {
    case RegularFile::Status::Read: {
        const QByteArray bytes = QByteArray::fromStdString(file.bytes);
        return mayHoldBinaryValues(bytes) ? QByteArray() : bytes;
    }
    case RegularFile::Status::Missing:
    case RegularFile::Status::TooLarge: return QByteArray();
    case RegularFile::Status::Unreadable: break;
    }
    return std::nullopt;
}

// Every key with its value, as the settings object sees them.
QVariantMap contents(const QSettings& settings)
{
    QVariantMap all;
    for (const QString& key : settings.allKeys())
        all.insert(key, settings.value(key));
    return all;
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
//
// QSettings also reports success for a draft that a full disk cut short or
// left empty, and answers a later reader of that file from its copy. So the
// draft moves to another fresh name and is read back from the disk; only one
// that holds every key with the value meant is used.
std::optional<QByteArray> draftBytes(const QString& path, const QByteArray& current, const QString& name,
                                     const QString& text)
{
    const QString pattern = path + kDraftInfix + QStringLiteral("XXXXXX");
    QTemporaryFile file(pattern);
    if (!file.open() || file.write(current) != current.size() || !file.flush())
        return std::nullopt;
    // Closed, so that QSettings may replace it on any system; it is still
    // removed when file goes.
    const QString draft = file.fileName();
    file.close();
    QVariantMap meant;
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
        meant = contents(writer);
    }
    QTemporaryFile written(pattern);
    if (!written.open())
        return std::nullopt;
    written.close();
    std::error_code error;
    std::filesystem::rename(nativePath(draft), nativePath(written.fileName()), error);
    if (error)
        return std::nullopt;
    const QSettings readBack(written.fileName(), QSettings::IniFormat);
    if (readBack.status() != QSettings::NoError || contents(readBack) != meant)
        return std::nullopt;
    QFile result(written.fileName());
    if (!result.open(QIODevice::ReadOnly))
        return std::nullopt;
    return result.readAll();
}

// A save that was killed midway leaves its draft behind, or the new file
// that QSaveFile had not yet renamed over the file it replaces: beside that
// file, named after it, a dot and six letters or digits. The next save
// removes the ones that are older than any save takes.
bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

void removeStaleFiles(const QDir& folder, const QString& namePattern, bool lettersOrDigitsAfterLastDot)
{
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QFileInfo& file : folder.entryInfoList({namePattern}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString name = file.fileName();
        const bool leftover = !lettersOrDigitsAfterLastDot
            || std::all_of(name.begin() + name.lastIndexOf(u'.') + 1, name.end(), isAsciiLetterOrDigit);
        if (leftover && file.lastModified() < stale)
            QFile::remove(file.filePath());
    }
}

void removeStaleLeftovers(const QString& path)
{
    const QFileInfo store(path);
    removeStaleFiles(store.dir(), store.fileName() + kDraftInfix + u'*', false);
    // When the store is a link, QSaveFile replaces the file it leads to.
    const QString target = store.canonicalFilePath();
    const QFileInfo replaced(target.isEmpty() ? path : target);
    removeStaleFiles(replaced.dir(), replaced.fileName() + QStringLiteral(".??????"), true);
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
    // read holds no value, and so does anything but a small regular file
    // (QSettings would wait for ever on a pipe and read a huge file whole),
    // or one with a value that QSettings would decode.
    const QString path = filePath(application);
    const std::optional<QByteArray> bytes = currentBytes(path);
    if (!bytes || bytes->isEmpty())
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
    removeStaleLeftovers(path);
    std::optional<QByteArray> updated = draftBytes(path, *current, settingsKey(section, key), text);
    // The store must read back as it was written. QSettings writes some odd
    // names and texts of other keys so that they read back otherwise, or in
    // its "@" forms (a text with a zero byte as @String(...)); then only the
    // key saved is kept.
    if (!updated || mayHoldBinaryValues(*updated))
        updated = draftBytes(path, QByteArray(), settingsKey(section, key), text);
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
