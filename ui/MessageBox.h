// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quartet {

// A modal message box with an OK button and no icon; returns when the
// player closes it, and gives the focus back to the parent's window.
void showMessageBox(QWidget* parent, const QString& title, const QString& text);

}  // namespace quartet
