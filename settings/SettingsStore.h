// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

namespace quartet {

// Raised when a setting could not be written to disk. A save that throws it
// has not stored the value.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A per-user persistent store of text values, addressed by application,
// section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The text stored under the key, or defaultText when none is stored.
    virtual QString GetSetting(const QString& application, const QString& section, const QString& key,
                               const QString& defaultText) = 0;

    // Stores text under the key, creating what is needed and replacing any
    // earlier value. Throws SettingsError when the value could not be written.
    virtual void SaveSetting(const QString& application, const QString& section, const QString& key,
                             const QString& text) = 0;
};

}  // namespace quartet
