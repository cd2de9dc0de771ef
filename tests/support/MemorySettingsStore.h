// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsStore.h"

#include <QMap>

#include <optional>

namespace quartet::test {

// A settings store held in memory; saves can be made to fail.
class MemorySettingsStore final : public SettingsStore {
public:
    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultText) override
    {
        return values.value(path(application, section, key), defaultText);
    }

    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& text) override
    {
        ++saves;
        if (failingSaves > 0) {
            --failingSaves;
            throw SettingsError("the settings could not be written");
        }
        values.insert(path(application, section, key), text);
    }

    static QString path(const QString& application, const QString& section, const QString& key)
    {
        return application + '/' + section + '/' + key;
    }
    static QString maxValPath() { return path("Quartet", "General", "MaxVal"); }

    void setMaxVal(const QString& text) { values.insert(maxValPath(), text); }
    std::optional<QString> maxVal() const
    {
        return values.contains(maxValPath()) ? std::optional(values.value(maxValPath())) : std::nullopt;
    }

    QMap<QString, QString> values;
    int failingSaves = 0;
    int saves = 0;
};

}  // namespace quartet::test
