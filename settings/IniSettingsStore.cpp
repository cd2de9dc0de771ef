#include "settings/IniSettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

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

}  // namespace

IniSettingsStore::IniSettingsStore(const QString& directory)
    : m_directory(directory)
{
}

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
    // Reading never creates the file or its directory.
    const QSettings settings(filePath(application), QSettings::IniFormat);
    const QVariant value = settings.value(settingsKey(section, key));
    return value.isValid() ? storedText(value) : defaultText;
}

void IniSettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
                                   const QString& text)
{
    const QString path = filePath(application);
    const QString name = settingsKey(section, key);

    // A QSettings object's status keeps its first error. The reader parses the
    // whole file, so a format error in a damaged file lands on the reader, and
    // the writer, which shares the parsed file while both live, reports on the
    // write alone.
    const QSettings reader(path, QSettings::IniFormat);
    reader.allKeys();
    const QVariant previous = reader.value(name);

    QSettings writer(path, QSettings::IniFormat);
    writer.setAtomicSyncRequired(true);  // a new file renamed over the old one, never a direct write
    writer.setValue(name, text);
    writer.sync();
    if (writer.status() == QSettings::NoError)
        return;

    // QSettings keeps an unwritten change in its per-process copy of the file,
    // where later reads would find it as if it had been stored: take it back.
    if (previous.isValid())
        writer.setValue(name, previous);
    else
        writer.remove(name);
    throw SettingsError("could not write the settings file " + QDir::toNativeSeparators(path).toStdString());
}

}  // namespace quartet
