// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/assets/ArtworkBytes.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSet>

#include <gtest/gtest.h>

namespace quartet::test {
namespace {

const QString iconPath = QStringLiteral(":/quartet.ico");

// Size in bytes of one 16-colour icon image: header, palette, the 4-bit
// colour rows and the 1-bit mask rows, each row padded to 4 bytes.
qsizetype iconImageBytes(int side)
{
    const int colourStride = (side * 4 + 31) / 32 * 4;
    const int maskStride = (side + 31) / 32 * 4;
    return 40 + 16 * 4 + side * (colourStride + maskStride);
}

TEST(IconFile, HoldsA32And16PixelImageOf16ColoursEach)
{
    const QByteArray bytes = resourceBytes(iconPath);
    ASSERT_GE(bytes.size(), 6 + 2 * 16);
    EXPECT_EQ(readU16(bytes, 0), 0u) << "reserved";
    EXPECT_EQ(readU16(bytes, 2), 1u) << "type: icon";
    ASSERT_EQ(readU16(bytes, 4), 2u) << "image count";

    const int sides[] = {32, 16};
    qsizetype end = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(sides[i]);
        const qsizetype entry = 6 + i * 16;
        const auto side = static_cast<std::uint8_t>(sides[i]);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry]), side) << "width";
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry + 1]), side) << "height";
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry + 2]), 16) << "colours";
        EXPECT_EQ(readU16(bytes, entry + 4), 1u) << "planes";
        EXPECT_EQ(readU16(bytes, entry + 6), 4u) << "bits per pixel";

        const qsizetype size = readU32(bytes, entry + 8);
        const qsizetype offset = readU32(bytes, entry + 12);
        EXPECT_EQ(size, iconImageBytes(sides[i]));
        EXPECT_EQ(offset, end) << "images follow each other without gaps";
        ASSERT_LE(offset + size, bytes.size());
        end = offset + size;

        // The image's own header: twice the height, for the colour rows and the mask.
        EXPECT_EQ(readU32(bytes, offset), 40u);
        EXPECT_EQ(readI32(bytes, offset + 4), sides[i]);
        EXPECT_EQ(readI32(bytes, offset + 8), 2 * sides[i]);
        EXPECT_EQ(readU16(bytes, offset + 14), 4u);
        EXPECT_EQ(readU32(bytes, offset + 16), 0u) << "compression";
    }
    EXPECT_EQ(end, bytes.size());
}

TEST(IconFile, LoadsBothImagesWithATransparentSurround)
{
    initAssets();
    QImageReader reader(iconPath);
    ASSERT_EQ(reader.imageCount(), 2) << reader.errorString().toStdString();

    QSet<int> sides;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        ASSERT_EQ(image.width(), image.height());
        const int side = image.width();
        sides.insert(side);
        SCOPED_TRACE(side);

        // The corners are masked out, the middle is the opaque front card.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(side - 1, side - 1)), 0);
        EXPECT_EQ(qAlpha(image.pixel(side / 3, side * 2 / 3)), 255);

        // Artwork, not a blank square: several colours among the opaque pixels.
        QSet<QRgb> colours;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                if (qAlpha(image.pixel(x, y)) == 255)
                    colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_GE(colours.size(), 5);
    }
    EXPECT_EQ(sides, (QSet<int>{32, 16}));
}

TEST(IconFile, GivesAnIconInBothSizes)
{
    initAssets();
    const QIcon icon(iconPath);
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_EQ(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
}

}  // namespace
}  // namespace quartet::test
