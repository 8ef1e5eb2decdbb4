#pragma once
// A Tacklepad window made and shown offscreen, with message boxes answered
// and recorded, and helpers that press, drag and release on the real surface.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <vector>

#include "editor/Main.h"
#include "editor/window/Controls.h"
#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"
#include "platform/Dialogs.h"

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Application::SetTitle(QStringLiteral("仕掛けエディター"));
        platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& r) {
            boxes.push_back(r);
            return 0;
        });
        form = std::make_unique<TForm_Main>();
        form->show();
        QApplication::processEvents();
    }

    void TearDown() override {
        form.reset();
        platform::SetMessageBoxHook({});
        platform::Screen::SetCursor(platform::crDefault);
    }

    TImage* Surface() const { return form->Image1; }
    platform::Canvas& Canvas() const { return form->SurfaceCanvas(); }

    // Mouse events on the surface at surface (= bitmap) coordinates. The
    // screen cursor is put there first, as the press handler reads it.
    void Press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QCursor::setPos(Surface()->mapToGlobal(QPoint(x, y)));
        SendMouse(QEvent::MouseButtonPress, x, y, b, b);
    }
    void Move(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
        QCursor::setPos(Surface()->mapToGlobal(QPoint(x, y)));
        SendMouse(QEvent::MouseMove, x, y, Qt::NoButton, held);
    }
    void Release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QCursor::setPos(Surface()->mapToGlobal(QPoint(x, y)));
        SendMouse(QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
    }
    void Drag(std::initializer_list<QPoint> path) {
        auto it = path.begin();
        Press(it->x(), it->y());
        QPoint last = *it;
        for (++it; it != path.end(); ++it) {
            Move(it->x(), it->y());
            last = *it;
        }
        Release(last.x(), last.y());
    }

    // The colour of a surface pixel (0xRRGGBB), or -1 outside the bitmap.
    long PixelAt(int x, int y) const {
        const auto c = Canvas().Pixel(x, y);
        if (!c) return -1;
        return (long(c->r) << 16) | (long(c->g) << 8) | long(c->b);
    }

    void Click(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }

    std::vector<platform::MessageBoxRequest> boxes;
    std::unique_ptr<TForm_Main> form;

private:
    void SendMouse(QEvent::Type type, int x, int y, Qt::MouseButton b, Qt::MouseButtons held) {
        const QPointF local(x, y);
        const QPointF global = Surface()->mapToGlobal(local);
        QMouseEvent e(type, local, local, global, b, held, Qt::NoModifier);
        QApplication::sendEvent(Surface(), &e);
    }
};
