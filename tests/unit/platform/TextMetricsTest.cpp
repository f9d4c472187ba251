#include "TextMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace kiv;

TEST(TextMetrics, AverageCharSizeOfAMonospacedFontIsOneLetter)
{
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(20);
    const QFontMetrics fm(mono);
    if (!QFontInfo(mono).fixedPitch())
        GTEST_SKIP() << "no monospaced font installed";
    const QSize s = AverageCharSize(fm);
    EXPECT_EQ(s.width(), fm.horizontalAdvance(QLatin1Char('M')));
    EXPECT_EQ(s.height(), fm.height());
}

TEST(TextMetrics, AverageCharSizeUsesThePaintersFont)
{
    QImage img(10, 10, QImage::Format_RGB32);
    QPainter p(&img);
    QFont small = p.font();
    small.setPixelSize(8);
    p.setFont(small);
    const QSize a = AverageCharSize(p);
    QFont big = small;
    big.setPixelSize(32);
    p.setFont(big);
    const QSize b = AverageCharSize(p);
    EXPECT_GT(b.width(), 2 * a.width());
    EXPECT_GT(b.height(), 2 * a.height());
}
