// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/assets/ArtworkBytes.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSet>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace quartet::test {
namespace {

const QString cardPath = QStringLiteral(":/card.bmp");
constexpr int width = 75;
constexpr int height = 102;

TEST(CardPictureFile, HasTheBitmapLayoutOfA256ColourPicture)
{
    const QByteArray bytes = resourceBytes(cardPath);
    ASSERT_EQ(bytes.size(), 8830);

    struct Field {
        const char* name;
        qsizetype offset;
        std::uint32_t expected;
        bool wide;
    };
    const Field fields[] = {
        {"signature", 0, 'B' | 'M' << 8, false},
        {"file size", 2, 8830, true},
        {"reserved", 6, 0, true},
        {"pixel data offset", 10, 1078, true},
        {"info header size", 14, 40, true},
        {"width", 18, width, true},
        {"height (positive: bottom-up rows)", 22, height, true},
        {"planes", 26, 1, false},
        {"bits per pixel", 28, 8, false},
        {"compression", 30, 0, true},
        {"pixel data size", 34, 7752, true},
        {"palette colours", 46, 256, true},
    };
    for (const Field& field : fields) {
        const std::uint32_t actual = field.wide ? readU32(bytes, field.offset) : readU16(bytes, field.offset);
        EXPECT_EQ(actual, field.expected) << field.name;
    }

    // 14 + 40 bytes of headers, 256 four-byte palette entries, then 102 rows
    // of 75 index bytes each padded to 76.
    constexpr int stride = 76;
    EXPECT_EQ(14 + 40 + 256 * 4, 1078);
    EXPECT_EQ(1078 + stride * height, bytes.size());
    for (int row = 0; row < height; ++row)
        EXPECT_EQ(bytes[1078 + row * stride + width], '\0') << "padding of row " << row;
}

TEST(CardPictureFile, LoadsAsAn8BitIndexedImage)
{
    initAssets();
    const QImage image(cardPath);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(width, height));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.colorCount(), 256);
}

// The picture for screens scaled by 2 shows the same sky in finer pixels:
// each block of four pixels averages out to the ordinary picture's pixel,
// and the blocks are not all plain copies of it.
TEST(CardPictureFile, HasTheSameSkyAtTwiceTheResolution)
{
    initAssets();
    const QImage single = QImage(cardPath).convertToFormat(QImage::Format_RGB32);
    const QImage twice(QStringLiteral(":/card@2x.bmp"));
    ASSERT_EQ(twice.size(), QSize(2 * width, 2 * height));
    EXPECT_EQ(twice.format(), QImage::Format_Indexed8);

    double difference = 0;
    int plainBlocks = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0;
            QSet<QRgb> colours;
            for (const QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb pixel = twice.pixel(2 * x + corner.x(), 2 * y + corner.y());
                r += qRed(pixel) / 4.0;
                g += qGreen(pixel) / 4.0;
                b += qBlue(pixel) / 4.0;
                colours.insert(pixel);
            }
            const QRgb expected = single.pixel(x, y);
            difference += std::abs(r - qRed(expected)) + std::abs(g - qGreen(expected)) + std::abs(b - qBlue(expected));
            plainBlocks += colours.size() == 1 ? 1 : 0;
        }
    }
    EXPECT_LT(difference / (3 * width * height), 3.0) << "mean difference per channel";
    EXPECT_LT(plainBlocks, width * height / 2);
}

// Checks of the picture itself: a bright sky of light blue with white clouds
// that black digits stand out on.
class CardPicture : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        initAssets();
        s_image = QImage(cardPath).convertToFormat(QImage::Format_RGB32);
    }
    static void TearDownTestSuite() { s_image = {}; }

    static QColor at(int x, int y) { return s_image.pixelColor(x, y); }

    static double meanLightness(int firstRow, int lastRow)
    {
        double sum = 0;
        for (int y = firstRow; y <= lastRow; ++y) {
            for (int x = 0; x < width; ++x)
                sum += at(x, y).lightnessF();
        }
        return sum / ((lastRow - firstRow + 1) * width);
    }

    template <typename Predicate>
    static double shareOfPixels(Predicate predicate)
    {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                count += predicate(at(x, y)) ? 1 : 0;
        }
        return static_cast<double>(count) / (width * height);
    }

    static double luma(const QColor& c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue(); }

    static inline QImage s_image;
};

TEST_F(CardPicture, BrightensTowardsTheBottom)
{
    ASSERT_EQ(s_image.size(), QSize(width, height));
    EXPECT_GT(meanLightness(height - 12, height - 1), meanLightness(0, 11) + 0.05);
    EXPECT_GT(meanLightness(height / 2, height - 1), meanLightness(0, height / 2 - 1));
}

TEST_F(CardPicture, IsMostlyLightBlueSky)
{
    double red = 0;
    double blue = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            red += at(x, y).red();
            blue += at(x, y).blue();
        }
    }
    EXPECT_GE(blue, red);
    EXPECT_GT(meanLightness(0, height - 1), 0.72);
    const double skyBlue =
        shareOfPixels([](const QColor& c) { return c.blue() >= c.red() + 30 && c.blue() >= c.green(); });
    EXPECT_GT(skyBlue, 0.4);
}

TEST_F(CardPicture, HasWhiteClouds)
{
    const double whitish =
        shareOfPixels([](const QColor& c) { return c.red() >= 235 && c.green() >= 240 && c.blue() >= 245; });
    EXPECT_GT(whitish, 0.05);
}

// Digits are painted in black over the card: no pixel may be dark enough to
// swallow them.
TEST_F(CardPicture, IsLightEnoughEverywhereForBlackDigits)
{
    double darkest = 255;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            darkest = std::min(darkest, luma(at(x, y)));
    }
    EXPECT_GT(darkest, 150);
}

// A frame stands out from the picture just inside it; the sky runs on to
// the edges instead.
TEST_F(CardPicture, HasNoBorder)
{
    struct Edge {
        const char* name;
        QPoint start;
        QPoint along;
        QPoint inwards;
        int length;
    };
    const Edge edges[] = {
        {"top", {0, 0}, {1, 0}, {0, 1}, width},
        {"bottom", {0, height - 1}, {1, 0}, {0, -1}, width},
        {"left", {0, 0}, {0, 1}, {1, 0}, height},
        {"right", {width - 1, 0}, {0, 1}, {-1, 0}, height},
    };
    for (const Edge& edge : edges) {
        double edgeLuma = 0;
        double stepToInside = 0;
        for (int i = 0; i < edge.length; ++i) {
            const QPoint p = edge.start + edge.along * i;
            const QPoint q = p + edge.inwards;
            edgeLuma += luma(at(p.x(), p.y()));
            stepToInside += std::abs(luma(at(p.x(), p.y())) - luma(at(q.x(), q.y())));
        }
        EXPECT_GT(edgeLuma / edge.length, 170) << edge.name;
        EXPECT_LT(stepToInside / edge.length, 8) << edge.name;
    }
}

}  // namespace
}  // namespace quartet::test
