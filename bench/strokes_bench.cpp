// One pointer move of a rig stroke on the real surface (event, handler,
// repaint of what changed), on the 500 x 500 start picture and on an
// imported 4000 x 3000 picture. Nothing a move does should grow with the
// picture: each large run reports vs_500 = its time per move / the time per
// move of the same stroke on 500 x 500, run first in the same process.
#include "qt_bench_main.h"
#include "surface_bench.h"

namespace {

constexpr int kRecordedCode = 15;  // thin line: recorded stroke with marks
constexpr int kFreeCode = 21;      // thin free line

void BM_StrokeMove(benchmark::State& state) {
    const int code = static_cast<int>(state.range(0));
    const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
    BenchSurface surface;
    surface.UsePicture(w, h);
    surface.Form().FRigTool = code;
    const QPoint origin(100, 100);
    surface.Press(origin);
    int64_t i = 0;
    int recorded = 0;
    double seconds = 0;
    for (auto _ : state) {
        if (code == kRecordedCode && ++recorded == TForm_Main::kStrokeCapacity - 1) {
            // The buffer is nearly full: finish the stroke and start another
            // one outside the timing, so every timed move is recorded.
            state.PauseTiming();
            surface.Release(SquarePath(i, origin));
            surface.Press(SquarePath(i, origin));
            recorded = 0;
            state.ResumeTiming();
        }
        seconds += surface.TimedMove(SquarePath(++i, origin));
    }
    surface.Release(SquarePath(i, origin));
    ReportVs500(state, code, w, h, seconds / static_cast<double>(state.iterations()));
}

}  // namespace
// Recorded stroke and free line, each on 500 x 500 (the reference) and then
// on 4000 x 3000.
BENCHMARK(BM_StrokeMove)
    ->ArgNames({"code", "w", "h"})
    ->Args({kRecordedCode, 500, 500})
    ->Args({kRecordedCode, 4000, 3000})
    ->Args({kFreeCode, 500, 500})
    ->Args({kFreeCode, 4000, 3000})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
