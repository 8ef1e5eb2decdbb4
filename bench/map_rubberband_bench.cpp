// One pointer move of a point-map drag on the real surface (event, handler,
// repaint of what changed), on the 500 x 500 map and on an imported
// 4000 x 3000 picture: the breakwater outline, the line set's rectangle and
// ellipse rubber bands and the eraser. The rubber band takes the previous
// figure away by drawing it again, so nothing a move does should grow with
// the picture: each large run reports vs_500 = its time per move / the time
// per move of the same tool on 500 x 500, run first in the same process.
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

// Tool as button set * 1000 + map code.
constexpr int kBreakwater = 0 * 1000 + 105;  // closed band with a divider
constexpr int kRectangle = 1 * 1000 + 107;
constexpr int kEllipse = 1 * 1000 + 109;
constexpr int kEraser = 2 * 1000 + 109;

std::map<int, double> g_smallSecondsPerMove;  // by tool

class MapSurface {
public:
    MapSurface(int w, int h, int tool) : form_(std::make_unique<TForm_Main>()) {
        form_->show();
        QApplication::processEvents();
        form_->Btn_Shikake_Or_PointClick();
        form_->R_Group1->setItemIndex(tool / 1000);
        form_->S2_Btn_Click(form_->MapButton(tool % 1000 - 100));
        form_->UpDown1->setPosition(60);
        if (w != 500 || h != 500) {
            QImage picture(w, h, QImage::Format_RGB32);
            picture.fill(Qt::white);
            // As an import does: the surface takes the picture's size.
            form_->Image1->SetPicture(picture);
            form_->Image1->SetAutoSize(true);
        }
        QApplication::processEvents();
    }

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

// The drag end wanders over a 200 x 200 square away from the press point,
// visible on both pictures, one pixel per move along alternate rows.
QPoint PathPoint(int64_t i) {
    const int k = static_cast<int>(i % 40000);
    const int row = k / 200, col = k % 200;
    return {200 + ((row & 1) ? 199 - col : col), 200 + row};
}

void BM_MapDragMove(benchmark::State& state) {
    const int tool = static_cast<int>(state.range(0));
    const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
    MapSurface surface(w, h, tool);
    surface.Press(100, 100);
    int64_t i = 0;
    double seconds = 0;
    for (auto _ : state) {
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
        g_smallSecondsPerMove[tool] = perMove;
    else if (g_smallSecondsPerMove.count(tool))
        state.counters["vs_500"] = perMove / g_smallSecondsPerMove[tool];
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
