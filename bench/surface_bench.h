#pragma once
// The pieces shared by the benchmarks that time one pointer move on the real
// drawing surface: an offscreen editor window, pointer events on its surface,
// a path that wanders over a square, and the vs_500 ratio against the same
// tool on the 500 x 500 picture, run first in the same process.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>

#include "editor/Main.h"
#include "editor/window/Controls.h"

class BenchSurface {
public:
    BenchSurface() : form_(std::make_unique<TForm_Main>()) {
        form_->show();
        QApplication::processEvents();
    }
    TForm_Main& Form() { return *form_; }

    // A white w x h picture, as an import gives it: the surface takes its size.
    void UsePicture(int w, int h) {
        if (w == 500 && h == 500) return;
        QImage picture(w, h, QImage::Format_RGB32);
        picture.fill(Qt::white);
        form_->Image1->SetPicture(picture);
        form_->Image1->SetAutoSize(true);
        QApplication::processEvents();
    }

    void Press(QPoint p) { Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void Move(QPoint p) { Send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint p) { Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }

    // One move with the repaint of what it changed, in seconds.
    double TimedMove(QPoint p) {
        const auto t0 = std::chrono::steady_clock::now();
        Move(p);
        QApplication::processEvents();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }

private:
    void Send(QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
        TImage* s = form_->Image1;
        const QPointF local(p);
        const QPointF global = s->mapToGlobal(local);
        if (type == QEvent::MouseButtonPress) QCursor::setPos(global.toPoint());
        QMouseEvent e(type, local, local, global, b, held, Qt::NoModifier);
        QApplication::sendEvent(s, &e);
    }
    std::unique_ptr<TForm_Main> form_;
};

// The i-th point of a walk over a 200 x 200 square from `origin`, one pixel
// per move along alternate rows; visible on both picture sizes.
inline QPoint SquarePath(int64_t i, QPoint origin) {
    const int k = static_cast<int>(i % 40000);
    const int row = k / 200, col = k % 200;
    return origin + QPoint((row & 1) ? 199 - col : col, row);
}

// Remembers the time per move of `tool` on 500 x 500 and reports a larger
// picture's time per move as vs_500 against it.
inline void ReportVs500(benchmark::State& state, int tool, int w, int h, double perMove) {
    static std::map<int, double> small;
    if (w == 500 && h == 500)
        small[tool] = perMove;
    else if (small.count(tool))
        state.counters["vs_500"] = perMove / small[tool];
}
