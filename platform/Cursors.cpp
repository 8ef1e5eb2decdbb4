#include "platform/Cursors.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <map>

namespace platform {

namespace {
std::map<int, QCursor>& Registry() {
    static std::map<int, QCursor> registry;
    return registry;
}
int g_screenCursor = crDefault;

// Reads the hot spot from the XPM header: "w h ncolors cpp x_hot y_hot".
bool XpmHotSpot(const QByteArray& xpm, int* hx, int* hy) {
    const int start = xpm.indexOf('"');
    if (start < 0) return false;
    const int end = xpm.indexOf('"', start + 1);
    if (end < 0) return false;
    const QList<QByteArray> fields = xpm.mid(start + 1, end - start - 1).simplified().split(' ');
    if (fields.size() < 6) return false;
    bool okx = false, oky = false;
    *hx = fields[4].toInt(&okx);
    *hy = fields[5].toInt(&oky);
    return okx && oky;
}
}  // namespace

void Screen::RegisterCursor(int code, const QCursor& cursor) { Registry()[code] = cursor; }

bool Screen::HasCursor(int code) { return Registry().count(code) != 0; }

QCursor Screen::CursorFor(int code) {
    if (code == crIBeam) return QCursor(Qt::IBeamCursor);
    if (code == crDefault || code == crArrow) return QCursor(Qt::ArrowCursor);
    auto it = Registry().find(code);
    return it == Registry().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

void Screen::SetCursor(int code) {
    if (code == g_screenCursor) return;
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    g_screenCursor = code;
    if (code != crDefault) QApplication::setOverrideCursor(CursorFor(code));
}

int Screen::Cursor() { return g_screenCursor; }

bool LoadCursorResource(const QString& name, QCursor* out) {
    QFile f(QStringLiteral(":/cursors/%1.xpm").arg(name.toLower()));
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = f.readAll();
    QPixmap pm;
    if (!pm.loadFromData(data, "XPM") || pm.isNull()) return false;
    int hx = 0, hy = 0;
    if (!XpmHotSpot(data, &hx, &hy)) return false;
    *out = QCursor(pm, hx, hy);
    return true;
}

}  // namespace platform
