// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QWidget;

namespace quartet {

// The contrast ratio of two colours as the Web Content Accessibility
// Guidelines measure it, from 1 (the same) to 21 (black on white). Text
// reads well from 4.5 on.
double contrastRatio(const QColor& first, const QColor& second);

inline constexpr double kReadableContrast = 4.5;

// Draws a label's text in black, whatever the desktop's text colour.
void drawTextInBlack(QWidget& label);

// The colour made lighter or darker, away from `other`, just enough that
// the two reach kReadableContrast; unchanged when they already do.
QColor readableAgainst(const QColor& colour, const QColor& other);

}  // namespace quartet
