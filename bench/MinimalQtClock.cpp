// The yardstick for the clock's idle cost: the least a Qt 6 widget can do to
// show an 88 x 88 analog face that is repainted once a second.
#include <QApplication>
#include <QPainter>
#include <QTime>
#include <QTimer>
#include <QWidget>
#include <cmath>

namespace {

class MinimalClock : public QWidget
{
public:
    MinimalClock()
    {
        setWindowTitle(QStringLiteral("MinimalQtClock"));
        setFixedSize(88, 88);
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        timer->start(1000);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const QTime t = QTime::currentTime();
        const auto hand = [&](double turns, double length, int width, const QColor &c) {
            const double a = turns * 2 * M_PI - M_PI / 2;
            p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(44, 44), QPointF(44 + length * std::cos(a), 44 + length * std::sin(a)));
        };
        for (int k = 0; k < 12; ++k)
            hand(k / 12.0, 44, 1, Qt::black);
        p.fillRect(QRect(8, 8, 72, 72), Qt::white);
        hand((t.hour() % 12 + t.minute() / 60.0) / 12, 27, 6, Qt::black);
        hand(t.minute() / 60.0, 39, 4, Qt::black);
        hand(t.second() / 60.0, 37, 1, Qt::red);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MinimalClock w;
    w.move(100, 100);
    w.show();
    return app.exec();
}
