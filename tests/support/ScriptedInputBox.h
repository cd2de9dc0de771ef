// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/CardRangeOption.h"

#include <QStringList>

namespace quartet::test {

// An input box that answers from a script and remembers what it was asked.
class ScriptedInputBox final : public InputBox {
public:
    explicit ScriptedInputBox(QStringList answers = {}) : answers(std::move(answers)) {}

    QString ask(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        prompts.append(prompt);
        titles.append(title);
        defaults.append(defaultText);
        return answers.isEmpty() ? QString() : answers.takeFirst();  // Cancel when out of answers
    }

    QStringList answers;
    QStringList prompts;
    QStringList titles;
    QStringList defaults;
};

}  // namespace quartet::test
