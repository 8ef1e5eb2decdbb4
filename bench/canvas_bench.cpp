// Small canvas figures on the 500 x 500 start picture and on an imported
// 4000 x 3000 picture. No figure may cost in proportion to the picture: each
// large run reports vs_500 = its time per figure / the time per figure of the
// same figure on 500 x 500, run first in the same process. The far-off runs
// draw figures with coordinates around +-1,000,000 whose edges cross a
// corner of the picture, and report against the small ellipse on 500 x 500.
#include <benchmark/benchmark.h>

#include <QImage>
#include <array>
#include <cmath>
#include <chrono>
#include <map>

#include "platform/Application.h"
#include "platform/Bitmap.h"

namespace {

using platform::Bitmap;
using platform::BrushStyle;
using platform::Canvas;
using platform::PenMode;
using platform::TPoint;

enum Figure {
    kThinLine,
    kWideLine,
    kEllipse,
    kRubberBandEllipse,
    kRectangle,
    kPolygon,
    kPie,
    kCurve,
    kText,
    kFarEllipse,
    kFarLine,
    kFarPolygon,
};

constexpr int M = 1000000;

std::map<int, double> g_smallSecondsPerFigure;  // by figure

// One figure near (x, y); successive calls wander a little.
void Draw(Canvas& c, int figure, int x, int y) {
    static const std::array<TPoint, 6> star = {{{0, -12}, {9, 10}, {-12, -4}, {12, -4}, {-9, 10}, {0, -12}}};
    switch (figure) {
        case kThinLine:
            c.SetPenWidth(1);
            c.MoveTo(x, y);
            c.LineTo(x + 17, y + 9);
            break;
        case kWideLine:
            c.SetPenWidth(2);
            c.MoveTo(x, y);
            c.LineTo(x + 17, y + 9);
            break;
        case kEllipse:
            c.SetPenWidth(1);
            c.Ellipse(x - 10, y - 10, x + 10, y + 10);
            break;
        case kRubberBandEllipse:
            c.SetPenMode(PenMode::NotXor);
            c.SetBrushStyle(BrushStyle::Clear);
            c.SetPenWidth(2);
            c.Ellipse(x - 25, y - 15, x + 25, y + 15);
            c.SetPenMode(PenMode::Copy);
            c.SetBrushStyle(BrushStyle::Solid);
            break;
        case kRectangle:
            c.SetPenWidth(2);
            c.Rectangle(x - 12, y - 8, x + 12, y + 8);
            break;
        case kPolygon: {
            std::array<TPoint, 6> pts = star;
            for (TPoint& p : pts) p = {p.X + x, p.Y + y};
            c.SetPenWidth(2);
            c.Polygon(pts);
            break;
        }
        case kPie:
            c.SetPenWidth(2);
            c.Pie(x - 4, y + 12, x + 4, y + 20, x - 4, y + 16, x + 4, y + 16);
            break;
        case kCurve: {
            const TPoint pts[] = {{x, y}, {x + 5, y - 10}, {x + 25, y - 10}, {x + 30, y}};
            c.SetPenWidth(2);
            c.PolyBezier(pts);
            break;
        }
        case kText:
            c.TextOut(x, y, QString::fromUtf8("仕掛け図"));
            break;
        case kFarEllipse: {
            // A circle centred a million pixels up and left whose edge crosses
            // the top-left corner of the picture.
            const int r = int(std::ceil(std::hypot(double(M) + x, double(M) + y)));
            c.SetPenWidth(2);
            c.SetBrushStyle(BrushStyle::Clear);
            c.Ellipse(-M - r, -M - r, -M + r, -M + r);
            c.SetBrushStyle(BrushStyle::Solid);
            break;
        }
        case kFarLine:
            c.SetPenWidth(1);
            c.MoveTo(x + M, -M);
            c.LineTo(-M, y + M);
            break;
        case kFarPolygon: {
            const TPoint pts[] = {{-M, -M}, {x + M, -M}, {-M, y + M}};
            c.SetPenWidth(2);
            c.Polygon(pts);
            break;
        }
    }
}

void BM_Figure(benchmark::State& state) {
    const int figure = static_cast<int>(state.range(0));
    const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
    Bitmap bmp(w, h);
    Canvas& c = bmp.GetCanvas();
    int64_t i = 0;
    double seconds = 0;
    for (auto _ : state) {
        ++i;
        const int x = 100 + int(i % 200), y = 100 + int((i / 200) % 200);
        const auto t0 = std::chrono::steady_clock::now();
        Draw(c, figure, x, y);
        benchmark::DoNotOptimize(c.TakeDirtyRect());
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    const double perFigure = seconds / static_cast<double>(state.iterations());
    const bool small = w == 500 && h == 500;
    if (small) g_smallSecondsPerFigure[figure] = perFigure;
    const int reference = figure >= kFarEllipse ? kEllipse : figure;
    if ((!small || reference != figure) && g_smallSecondsPerFigure.count(reference))
        state.counters["vs_500"] = perFigure / g_smallSecondsPerFigure[reference];
}

}  // namespace

BENCHMARK(BM_Figure)
    ->ArgNames({"figure", "w", "h"})
    ->ArgsProduct({{kThinLine, kWideLine, kEllipse, kRubberBandEllipse, kRectangle, kPolygon, kPie, kCurve, kText},
                   {500},
                   {500}})
    ->ArgsProduct({{kThinLine, kWideLine, kEllipse, kRubberBandEllipse, kRectangle, kPolygon, kPie, kCurve, kText},
                   {4000},
                   {3000}})
    ->Args({kFarEllipse, 500, 500})
    ->Args({kFarLine, 500, 500})
    ->Args({kFarPolygon, 500, 500})
    ->Args({kFarEllipse, 4000, 3000})
    ->Args({kFarLine, 4000, 3000})
    ->Args({kFarPolygon, 4000, 3000})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
