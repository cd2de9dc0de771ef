// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/SettingsLoadCheck.h"

#include "fuzz/NumberTextCheck.h"

#include "numbers/NumberText.h"
#include "settings/CardRangeOption.h"
#include "settings/KeyFileSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace quartet::fuzz {

namespace {

// Settings by section and key.
using PlainSettings = std::map<std::pair<std::string, std::string>, std::string>;

bool isAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool allOf(std::string_view text, bool (*allowed)(char))
{
    for (char c : text) {
        if (!allowed(c))
            return false;
    }
    return true;
}

bool isValueChar(char c)
{
    return isAlnum(c) || c == ' ' || c == '+' || c == '-' || c == '.';
}

bool isPrintable(char c)
{
    return c >= 0x20 && c < 0x7f;
}

// The settings of a plain file, or nothing when the file is not plain.
std::optional<PlainSettings> plainSettings(std::string_view text)
{
    PlainSettings settings;
    std::optional<std::string> section;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (end != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.front() == '#' || line.front() == ';') {
            if (!allOf(line, isPrintable))
                return std::nullopt;
        } else if (line.front() == '[') {
            if (line.size() < 3 || line.back() != ']')
                return std::nullopt;
            const std::string_view name = line.substr(1, line.size() - 2);
            if (!allOf(name, isAlnum))
                return std::nullopt;
            section = std::string(name);
        } else {
            const std::size_t equals = line.find('=');
            if (equals == 0 || equals == std::string_view::npos || !allOf(line.substr(0, equals), isAlnum)
                || !allOf(line.substr(equals + 1), isValueChar))
                return std::nullopt;
            std::string_view value = line.substr(equals + 1);
            value.remove_prefix(std::min(value.find_first_not_of(' '), value.size()));
            if (section)
                settings[{*section, std::string(line.substr(0, equals))}] = value;
        }
    }
    return settings;
}

std::string shown(const QString& text)
{
    return printable(text.toStdString(), 60);
}

// What a load makes of a stored text, read apart from the program's reader,
// which the load must agree with: the start-up default when there is none,
// or when it is no 16-bit number.
std::int16_t fromStored(const std::optional<std::string>& text)
{
    const std::optional<std::int16_t> value = text ? strictReading(*text) : std::nullopt;
    return value.value_or(CardRange::startupDefault);
}

std::optional<QByteArray> fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QStringList entriesBeside(const QString& path)
{
    return QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A value to save that the input chooses, so that saves cover the range.
std::int16_t valueToSave(std::string_view input)
{
    std::uint16_t value = 0x2b1d;
    for (char c : input)
        value = static_cast<std::uint16_t>(value * 31 + static_cast<unsigned char>(c));
    return static_cast<std::int16_t>(value);
}

void checkSave(Violations& broken, const QString& directory, const QString& path, std::string_view input,
               const std::optional<PlainSettings>& plain)
{
    const std::int16_t value = valueToSave(input);
    try {
        KeyFileSettingsStore(directory).SaveSetting(CardRange::application, CardRange::section, CardRange::key,
                                                    QString::fromStdString(numberText(value)));
    } catch (const std::exception& error) {
        broken.push_back(std::string("a save over the file failed: ") + error.what());
        return;
    }
    KeyFileSettingsStore next(directory);
    const std::int16_t loaded = loadMaxVal(next);
    if (loaded != value)
        broken.push_back("after saving " + std::to_string(value) + " the next load gave " + std::to_string(loaded));
    if (entriesBeside(path) != QStringList{QStringLiteral("Quartet.ini")})
        broken.push_back("the save left files beside the settings file");
    // Where the file would outgrow the store's limit, the save keeps the key alone.
    if (!plain || input.size() > KeyFileSettingsStore::kMaxFileSize / 2)
        return;
    for (const auto& [address, text] : *plain) {
        if (address == std::pair<std::string, std::string>("General", "MaxVal"))
            continue;
        const QString kept = next.GetSetting(CardRange::application, QString::fromStdString(address.first),
                                             QString::fromStdString(address.second), QStringLiteral("<none>"));
        if (kept != QString::fromStdString(text))
            broken.push_back("the save changed " + address.first + "/" + address.second + " to " + shown(kept));
    }
}

}  // namespace

Violations checkSettingsLoad(std::string_view input)
{
    Violations broken;
    const QTemporaryDir root;
    if (!root.isValid() || !QDir().mkpath(root.filePath(CardRange::application))) {
        broken.push_back("no temporary folder for the settings");
        return broken;
    }
    const QString path = root.filePath(QStringLiteral("Quartet/Quartet.ini"));
    const QByteArray bytes(input.data(), static_cast<qsizetype>(input.size()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            broken.push_back("the settings file could not be written");
            return broken;
        }
    }

    KeyFileSettingsStore store(root.path());
    std::int16_t maxVal = 0;
    try {
        maxVal = loadMaxVal(store);
    } catch (const std::exception& error) {
        broken.push_back(std::string("the load raised ") + error.what());
        return broken;
    }
    if (fileBytes(path) != bytes || entriesBeside(path) != QStringList{QStringLiteral("Quartet.ini")})
        broken.push_back("the load changed the settings folder");

    // What the store hands out, the marker standing for "no value".
    const QString marker = QStringLiteral("\u2400none");
    const QString handedOut = store.GetSetting(CardRange::application, CardRange::section, CardRange::key, marker);
    std::optional<std::string> storedText;
    if (handedOut != marker)
        storedText = handedOut.toStdString();

    const std::optional<PlainSettings> plain = plainSettings(input);
    if (plain) {
        const auto found = plain->find({"General", "MaxVal"});
        const std::optional<std::string> fileText =
            found == plain->end() ? std::nullopt : std::optional<std::string>(found->second);
        if (fileText != storedText)
            broken.push_back("the store handed out " + shown(handedOut)
                             + " for MaxVal=" + printable(fileText.value_or("<none>"), 60));
        storedText = fileText;
    }
    const std::int16_t expected = fromStored(storedText);
    if (maxVal != expected)
        broken.push_back("the load gave " + std::to_string(maxVal) + ", expected " + std::to_string(expected));

    checkSave(broken, root.path(), path, input, plain);
    return broken;
}

}  // namespace quartet::fuzz
