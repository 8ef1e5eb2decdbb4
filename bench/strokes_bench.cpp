// One pointer move of a rig stroke on the real surface (event, handler,
// repaint of what changed), on the 500 x 500 start picture and on an
// imported 4000 x 3000 picture. Nothing a move does should grow with the
// picture: each large run reports vs_500 = its time per move / the time per
// move of the same stroke on 500 x 500, run first in the same process.
#include "qt_bench_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "editor/Main.h"
#include "editor/window/Controls.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"

namespace {

constexpr int kRecordedCode = 15;  // thin line: recorded stroke with marks
constexpr int kFreeCode = 21;      // thin free line

std::map<int, double> g_smallSecondsPerMove;  // by tool code

class Surface {
public:
    Surface(int w, int h) : form_(std::make_unique<TForm_Main>()) {
        form_->show();
        QApplication::processEvents();
        QImage picture(w, h, QImage::Format_RGB32);
        picture.fill(Qt::white);
        // As an import does: the surface takes the picture's size.
        form_->Image1->SetPicture(picture);
        form_->Image1->SetAutoSize(true);
        QApplication::processEvents();
    }
    TForm_Main& Form() { return *form_; }

    void Press(int x, int y) { Send(QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton); }
    void Move(int x, int y) { Send(QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton); }
    void Release(int x, int y) { Send(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton); }

private:
    void Send(QEvent::Type type, int x, int y, Qt::MouseButton b, Qt::MouseButtons held) {
        TImage* s = form_->Image1;
        const QPointF local(x, y);
        const QPointF global = s->mapToGlobal(local);
        if (type == QEvent::MouseButtonPress) QCursor::setPos(global.toPoint());
        QMouseEvent e(type, local, local, global, b, held, Qt::NoModifier);
        QApplication::sendEvent(s, &e);
    }
    std::unique_ptr<TForm_Main> form_;
};

// The pointer wanders over a 200 x 200 square near the top-left corner,
// visible on both pictures, one pixel per move along alternate rows.
QPoint PathPoint(int64_t i) {
    const int k = static_cast<int>(i % 40000);
    const int row = k / 200, col = k % 200;
    return {100 + ((row & 1) ? 199 - col : col), 100 + row};
}

void BM_StrokeMove(benchmark::State& state) {
    const int code = static_cast<int>(state.range(0));
    const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
    Surface surface(w, h);
    surface.Form().FRigTool = code;
    surface.Press(100, 100);
    int64_t i = 0;
    int recorded = 0;
    double seconds = 0;
    for (auto _ : state) {
        if (code == kRecordedCode && ++recorded == TForm_Main::kStrokeCapacity - 1) {
            // The buffer is nearly full: finish the stroke and start another
            // one outside the timing, so every timed move is recorded.
            state.PauseTiming();
            const QPoint p = PathPoint(i);
            surface.Release(p.x(), p.y());
            surface.Press(p.x(), p.y());
            recorded = 0;
            state.ResumeTiming();
        }
        const QPoint p = PathPoint(++i);
        const auto t0 = std::chrono::steady_clock::now();
        surface.Move(p.x(), p.y());
        QApplication::processEvents();  // the repaint of what changed
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    const QPoint p = PathPoint(i);
    surface.Release(p.x(), p.y());

    const double perMove = seconds / static_cast<double>(state.iterations());
    if (w == 500 && h == 500)
        g_smallSecondsPerMove[code] = perMove;
    else if (g_smallSecondsPerMove.count(code))
        state.counters["vs_500"] = perMove / g_smallSecondsPerMove[code];
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
