// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace quartet {

// Layouts are drawn in twips: 1440 to the inch, 15 to the pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;  // rounded to nearest
}

// A control's place in its parent, in twips.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    QRect toPixels() const
    {
        return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
    }
};

}  // namespace quartet
