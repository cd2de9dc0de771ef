// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's icons, installed into the hicolor theme from
// assets/quartet-<size>.png, must show the same picture as the window icon
// (assets/quartet.ico): its pixel art at the sizes it was drawn for, and
// elsewhere the icon drawn in shapes on the art's grid. That they are the artwork generator's own output is
// checked with the rest of the artwork in tests/assets.

#include <QDir>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cmath>
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

// The share of the pixel art's pixels that the icon, averaged down to the
// art's size, shows alike: as opaque or as clear, and, where opaque, in about
// the same colour.
double shareLikeThePixelArt(const QImage& icon, const QImage& art)
{
    const int block = icon.width() / art.width();
    int alike = 0;
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int dy = 0; dy < block; ++dy) {
                for (int dx = 0; dx < block; ++dx) {
                    const QRgb pixel = icon.pixel(x * block + dx, y * block + dy);
                    a += qAlpha(pixel);
                    r += qRed(pixel) * qAlpha(pixel);
                    g += qGreen(pixel) * qAlpha(pixel);
                    b += qBlue(pixel) * qAlpha(pixel);
                }
            }
            const QRgb expected = art.pixel(x, y);
            const bool opaque = a / (block * block) >= 128;
            if (opaque != (qAlpha(expected) == 255))
                continue;
            const double distance = a == 0 ? 0
                                           : std::abs(r / a - qRed(expected)) + std::abs(g / a - qGreen(expected))
                    + std::abs(b / a - qBlue(expected));
            alike += !opaque || distance < 60 ? 1 : 0;
        }
    }
    return static_cast<double>(alike) / (art.width() * art.height());
}

struct IconCase {
    int size;
    int pixelArt;  // the window icon image drawn for this size, or 0 for the icon drawn in shapes
};

void PrintTo(const IconCase& icon, std::ostream* out)
{
    *out << icon.size << " px" << (icon.pixelArt != 0 ? ", pixel art" : ", drawn in shapes");
}

class DesktopIcon : public testing::TestWithParam<IconCase> {};

TEST_P(DesktopIcon, ShowsTheWindowIconsArt)
{
    const auto [size, pixelArt] = GetParam();
    const QImage icon = png(size);
    ASSERT_EQ(icon.size(), QSize(size, size)) << pngName(size).toStdString();
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the surround is transparent";
    EXPECT_EQ(qAlpha(icon.pixel(size / 4, size * 3 / 4)), 255) << "the front card is opaque";

    if (pixelArt != 0) {
        const QImage source = windowIcon(pixelArt);
        ASSERT_EQ(source.size(), QSize(pixelArt, pixelArt));
        EXPECT_EQ(differingPixels(icon, source, size / pixelArt), 0);
    } else if (size % 32 == 0) {
        EXPECT_GE(shareLikeThePixelArt(icon, windowIcon(32)), 0.9);
    }
}

// The sizes of the hicolor icon theme that desktops ask for.
INSTANTIATE_TEST_SUITE_P(Sizes, DesktopIcon,
                         testing::Values(IconCase{16, 16}, IconCase{22, 0}, IconCase{24, 0}, IconCase{32, 32},
                                         IconCase{48, 0}, IconCase{64, 0}, IconCase{128, 0}, IconCase{256, 0}),
                         [](const auto& info) { return std::to_string(info.param.size); });

}  // namespace
