#pragma once

#include <QColor>

namespace quartet {

// The contrast ratio of two colours as the Web Content Accessibility
// Guidelines measure it, from 1 (the same) to 21 (black on white). Text
// reads well from 4.5 on.
double contrastRatio(const QColor& first, const QColor& second);

inline constexpr double kReadableContrast = 4.5;

}  // namespace quartet
