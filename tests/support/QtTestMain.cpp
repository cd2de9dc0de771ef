// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <gtest/gtest.h>

// Widget tests need a QApplication; they run on the offscreen platform
// unless the caller chose another one. Where that platform finds no fonts
// (on Windows), QUARTET_TEST_FONTS names a folder of fonts to use.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    if (const QString fonts = qEnvironmentVariable("QUARTET_TEST_FONTS"); !fonts.isEmpty()) {
        for (const QString& font : QDir(fonts).entryList(QDir::Files))
            QFontDatabase::addApplicationFont(QDir(fonts).filePath(font));
        // The desktop font of the runs on Linux (fontconfig's Sans Serif).
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    }
    return RUN_ALL_TESTS();
}
