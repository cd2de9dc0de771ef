// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace quartet {

// A card value drawn straight onto its card picture. A value that fits the
// part of the label that lies over the picture, at the label's font, is
// drawn as any label draws it; a wider one, such as a card of 162 or 32767,
// is drawn in the same face at the largest size that fits there, centred,
// so that every digit shows on the card. The label's text and font stay
// what they were set to.
class CardLabel : public QLabel {
public:
    // cardPicture: where the picture stands in the parent.
    CardLabel(QWidget* parent, const QRect& cardPicture) : QLabel(parent), m_cardPicture(cardPicture) {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect m_cardPicture;
};

}  // namespace quartet
