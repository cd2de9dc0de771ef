// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <map>
#include <optional>
#include <string>

namespace quartet::test {

// Sets environment variables for the length of a test, then puts back what
// was there before.
class EnvironmentOverride {
public:
    EnvironmentOverride() = default;
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

    ~EnvironmentOverride()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }

    void set(const char* name, const QByteArray& value)
    {
        if (!m_saved.contains(name))
            m_saved[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        qputenv(name, value);
    }

private:
    std::map<std::string, std::optional<QByteArray>> m_saved;
};

}  // namespace quartet::test
