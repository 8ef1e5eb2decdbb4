// One pointer move of a point-map drag on the real surface (event, handler,
// repaint of what changed), on the 500 x 500 map and on an imported
// 4000 x 3000 picture: the breakwater outline, the line set's rectangle and
// ellipse rubber bands and the eraser. The rubber band takes the previous
// figure away by drawing it again, so nothing a move does should grow with
// the picture: each large run reports vs_500 = its time per move / the time
// per move of the same tool on 500 x 500, run first in the same process.
#include "qt_bench_main.h"
#include "surface_bench.h"

namespace {

// Tool as button set * 1000 + map code.
constexpr int kBreakwater = 0 * 1000 + 105;  // closed band with a divider
constexpr int kRectangle = 1 * 1000 + 107;
constexpr int kEllipse = 1 * 1000 + 109;
constexpr int kEraser = 2 * 1000 + 109;

void BM_MapDragMove(benchmark::State& state) {
    const int tool = static_cast<int>(state.range(0));
    const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
    BenchSurface surface;
    TForm_Main& form = surface.Form();
    form.Btn_Shikake_Or_PointClick();
    form.R_Group1->setItemIndex(tool / 1000);
    form.S2_Btn_Click(form.MapButton(tool % 1000 - 100));
    form.UpDown1->setPosition(60);
    surface.UsePicture(w, h);
    // The drag end wanders away from the press point.
    const QPoint origin(200, 200);
    surface.Press(QPoint(100, 100));
    int64_t i = 0;
    double seconds = 0;
    for (auto _ : state) seconds += surface.TimedMove(SquarePath(++i, origin));
    surface.Release(SquarePath(i, origin));
    ReportVs500(state, tool, w, h, seconds / static_cast<double>(state.iterations()));
}

}  // namespace
// Each tool on 500 x 500 (the reference) and then on 4000 x 3000.
BENCHMARK(BM_MapDragMove)
    ->ArgNames({"tool", "w", "h"})
    ->Args({kBreakwater, 500, 500})
    ->Args({kBreakwater, 4000, 3000})
    ->Args({kRectangle, 500, 500})
    ->Args({kRectangle, 4000, 3000})
    ->Args({kEllipse, 500, 500})
    ->Args({kEllipse, 4000, 3000})
    ->Args({kEraser, 500, 500})
    ->Args({kEraser, 4000, 3000})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
