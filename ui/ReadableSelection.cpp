// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReadableSelection.h"

#include "ui/Contrast.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QTimer>

namespace quartet {

void ReadableSelection::watch()
{
    if (qApp->findChild<ReadableSelection*>())
        return;
    qApp->installEventFilter(new ReadableSelection(qApp));
    // After the theme has applied its palette, which it does once the event loop runs.
    QTimer::singleShot(0, qApp, &ReadableSelection::mend);
}

bool ReadableSelection::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        mend();
    return false;
}

void ReadableSelection::mend()
{
    QPalette palette = QApplication::palette();
    // Disabled text may read less well; the two other groups must read.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Highlight,
                         readableAgainst(palette.color(group, QPalette::Highlight),
                                         palette.color(group, QPalette::HighlightedText)));
    if (palette != QApplication::palette())
        QApplication::setPalette(palette);
}

}  // namespace quartet
