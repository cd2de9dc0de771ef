// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Contrast.h"

#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quartet {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor& colour)
{
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

}  // namespace

double contrastRatio(const QColor& first, const QColor& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

void drawTextInBlack(QWidget& label)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
}

QColor readableAgainst(const QColor& colour, const QColor& other)
{
    constexpr float kStep = 0.01f;
    const float direction = other.lightnessF() > 0.5f ? -kStep : kStep;
    float hue = 0, saturation = 0, lightness = 0, alpha = 0;
    colour.getHslF(&hue, &saturation, &lightness, &alpha);
    QColor moved = colour;
    while (contrastRatio(moved, other) < kReadableContrast && lightness > 0.0f && lightness < 1.0f) {
        lightness = std::clamp(lightness + direction, 0.0f, 1.0f);
        moved.setHslF(hue, saturation, lightness, alpha);
    }
    return moved;
}

}  // namespace quartet
