// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CardLabel.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace quartet {

namespace {

// The steps in which a wide value's font is made smaller.
constexpr qreal kPointStep = 0.5;

qreal advanceOf(const QString& text, const QFont& font, const QPaintDevice* device)
{
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

// The font made smaller, in half points, until text is no wider than width:
// first in proportion, which lands on the largest such size where the width
// follows the size, then further where the face's hinting rounds its glyphs.
QFont fittedFont(QFont font, const QString& text, qreal width, const QPaintDevice* device)
{
    for (qreal advance = advanceOf(text, font, device); advance > width && font.pointSizeF() > kPointStep;
         advance = advanceOf(text, font, device)) {
        const qreal proportional = std::floor(font.pointSizeF() * width / advance / kPointStep) * kPointStep;
        font.setPointSizeF(std::max(kPointStep, std::min(proportional, font.pointSizeF() - kPointStep)));
    }
    return font;
}

}  // namespace

void CardLabel::paintEvent(QPaintEvent* event)
{
    // The last card's label reaches past the right edge of its picture.
    const QRect room = contentsRect() & m_cardPicture.translated(-pos());
    if (advanceOf(text(), font(), this) <= room.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(fittedFont(font(), text(), room.width(), this));
    style()->drawItemText(&painter, room, Qt::AlignCenter, palette(), isEnabled(), text(), foregroundRole());
}

}  // namespace quartet
