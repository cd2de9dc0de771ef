// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's icons, installed into the hicolor theme from
// assets/quartet-<size>.png, must show the same picture as the window icon
// (assets/quartet.ico). That they are the artwork generator's own output is
// checked with the rest of the artwork in tests/assets.

#include <QDir>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QDir assets(QStringLiteral(QUARTET_ASSETS_DIR));

QString pngName(int size)
{
    return QStringLiteral("quartet-%1.png").arg(size);
}

QImage png(int size)
{
    return QImage(assets.filePath(pngName(size))).convertToFormat(QImage::Format_ARGB32);
}

QImage windowIcon(int size)
{
    QImageReader reader(assets.filePath(QStringLiteral("quartet.ico")));
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        const QImage image = reader.read();
        if (image.width() == size)
            return image.convertToFormat(QImage::Format_ARGB32);
    }
    return {};
}

// Same opacity everywhere, same colour wherever the pixel is seen.
int differingPixels(const QImage& image, const QImage& reference, int scale)
{
    int differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb shown = image.pixel(x, y);
            const QRgb expected = reference.pixel(x / scale, y / scale);
            const bool same = qAlpha(shown) == qAlpha(expected)
                && (qAlpha(shown) == 0 || (shown & 0xFFFFFFu) == (expected & 0xFFFFFFu));
            differing += same ? 0 : 1;
        }
    }
    return differing;
}

struct IconCase {
    int size;
    int sourceSize;  // the window icon image it is drawn from
};

void PrintTo(const IconCase& icon, std::ostream* out)
{
    *out << icon.size << " px from the " << icon.sourceSize << " px window icon";
}

class DesktopIcon : public testing::TestWithParam<IconCase> {};

TEST_P(DesktopIcon, ShowsTheWindowIconsPixelArt)
{
    const auto [size, sourceSize] = GetParam();
    const QImage icon = png(size);
    ASSERT_EQ(icon.size(), QSize(size, size)) << pngName(size).toStdString();
    const QImage source = windowIcon(sourceSize);
    ASSERT_EQ(source.size(), QSize(sourceSize, sourceSize));

    EXPECT_EQ(differingPixels(icon, source, size / sourceSize), 0);
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the surround is transparent";
}

INSTANTIATE_TEST_SUITE_P(Sizes, DesktopIcon, testing::Values(IconCase{16, 16}, IconCase{32, 32}, IconCase{64, 32}),
                         [](const auto& info) { return std::to_string(info.param.size); });

}  // namespace
