// The cost of one clock tick's drawing: geometry, painting, and the window
// shape rebuilt from the painted image.
#include "ClockFace.h"
#include "FacePainter.h"
#include "WindowEffects.h"

#include <QBitmap>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace kiv;

namespace {

TClockFaceInput input(int size, int second)
{
    TClockFaceInput in;
    in.width = in.height = size;
    in.time = encodeTime(10, 8, second % 60);
    in.alarmActive = true;
    in.alarmTime = encodeTime(6, 30, 0);
    return in;
}

const QColor kKey(0xef, 0xef, 0xef);

void BM_FaceGeometry(benchmark::State &state)
{
    int s = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(clockFaceGeometry(input(88, s++)));
}
BENCHMARK(BM_FaceGeometry);

void BM_PaintFace(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    QImage img(size, size, QImage::Format_RGB32);
    int s = 0;
    for (auto _ : state)
        paintClockFace(img, clockFaceGeometry(input(size, s++)), kKey);
}
BENCHMARK(BM_PaintFace)->Arg(88)->Arg(400);

void BM_ShapeFromImage(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    QImage img(size, size, QImage::Format_RGB32);
    paintClockFace(img, clockFaceGeometry(input(size, 17)), kKey);
    const QRegion disc(0, 0, size, size, QRegion::Ellipse);
    for (auto _ : state)
        benchmark::DoNotOptimize(shapeFromImage(img, {kKey.rgb(), qRgb(255, 255, 255)}, disc));
}
BENCHMARK(BM_ShapeFromImage)->Arg(88)->Arg(400);

// The same shape through Qt's bitmap-to-region conversion, for comparison.
void BM_ShapeThroughBitmap(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    QImage img(size, size, QImage::Format_RGB32);
    paintClockFace(img, clockFaceGeometry(input(size, 17)), kKey);
    const QRegion disc(0, 0, size, size, QRegion::Ellipse);
    for (auto _ : state) {
        const QImage mask = img.createMaskFromColor(kKey.rgb(), Qt::MaskOutColor);
        benchmark::DoNotOptimize(QRegion(QBitmap::fromImage(mask)) & disc);
    }
}
BENCHMARK(BM_ShapeThroughBitmap)->Arg(88)->Arg(400);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
