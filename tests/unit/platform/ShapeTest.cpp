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
