// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/CardRangeOption.h"

class QWidget;

namespace quartet {

// The settings command's input box: a modal single-line text dialog.
class DialogInputBox final : public InputBox {
public:
    explicit DialogInputBox(QWidget* parent) : m_parent(parent) {}
    QString ask(const QString& prompt, const QString& title, const QString& defaultText) override;

private:
    QWidget* m_parent;
};

}  // namespace quartet
