#include "WindowEffects.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(WindowShape, OnlyPixelsOfOtherColoursInsideTheClipAreVisible)
{
    QImage img(8, 4, QImage::Format_RGB32);
    const QRgb key = qRgb(0xef, 0xef, 0xef);
    img.fill(key);
    img.setPixel(1, 0, qRgb(0, 0, 0));
    img.setPixel(2, 0, qRgb(0, 0, 0));
    img.setPixel(6, 0, qRgb(255, 255, 255)); // white is see-through too
    img.setPixel(3, 2, qRgb(255, 0, 0));
    img.setPixel(7, 3, qRgb(0, 0, 255));
    const QRegion r = shapeFromImage(img, {key, qRgb(255, 255, 255)}, QRegion(0, 0, 7, 4));
    EXPECT_TRUE(r.contains(QPoint(1, 0)));
    EXPECT_TRUE(r.contains(QPoint(2, 0)));
    EXPECT_TRUE(r.contains(QPoint(3, 2)));
    EXPECT_FALSE(r.contains(QPoint(6, 0)));
    EXPECT_FALSE(r.contains(QPoint(0, 0)));
    EXPECT_FALSE(r.contains(QPoint(7, 3))); // outside the clip
    EXPECT_EQ(r.rectCount(), 2);
    EXPECT_EQ(r.boundingRect(), QRect(1, 0, 3, 3));
}

TEST(WindowShape, AnAllKeyImageIsFullySeeThrough)
{
    QImage img(5, 5, QImage::Format_RGB32);
    img.fill(Qt::white);
    EXPECT_TRUE(shapeFromImage(img, {qRgb(255, 255, 255)}, QRegion(0, 0, 5, 5)).isEmpty());
}

TEST(WindowShape, MatchesAPixelByPixelCheckInsideADisc)
{
    // Random pixels of three colours, two of them see-through, clipped to a disc.
    QImage img(61, 47, QImage::Format_RGB32);
    const QRgb colors[] = {qRgb(0xef, 0xef, 0xef), qRgb(255, 255, 255), qRgb(10, 20, 30)};
    unsigned seed = 12345;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            img.setPixel(x, y, colors[(seed >> 16) % 3]);
        }
    const QRegion disc(0, 0, 61, 47, QRegion::Ellipse);
    const QRegion r = shapeFromImage(img, {colors[0], colors[1]}, disc);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const bool expected = disc.contains(QPoint(x, y)) && img.pixel(x, y) == colors[2];
            ASSERT_EQ(r.contains(QPoint(x, y)), expected) << x << "," << y;
        }
}
