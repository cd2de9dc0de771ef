// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace quartet {

// Some desktop themes mark selected text in colours that hardly read, among
// them Qt's own light and dark palettes, white on blue at 3.7:1 and 3.2:1.
// This keeps the application's selection colour just dark or light enough
// for selected text to read, whatever palette the theme sets, now or later.
// The theme's palette is never replaced at start-up: a theme such as qt6ct
// stops applying its palette to a program that set one of its own.
class ReadableSelection : public QObject {
    Q_OBJECT

public:
    // Watches the application palette from now on; calling it again does nothing.
    static void watch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static void mend();
};

}  // namespace quartet
