#include "platform/Canvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

#include "platform/Application.h"

namespace platform {

namespace {

constexpr double kPi = std::numbers::pi;

// How pixels are chosen. A point (x, y) names pixel (x, y).
//  - Thin (1-pixel) lines are stepped along their major axis by our own
//    rasteriser: one pixel per column (or row), the nearest to the line,
//    halves going up / left. So a line covers the same pixels whichever way
//    it is drawn (apart from its excluded end) and each pixel once.
//  - Areas belong to the pixels whose point, nudged a hair right and down,
//    lies inside (the top-left rule). Wide lines and outlines are unions of
//    convex pieces (a band per segment, a join per corner) that we scan
//    ourselves. Figure insides (alternate filling) are filled by Qt, which
//    samples pixel centres: their geometry is shifted by half a pixel less
//    the hair. Qt rasterises in 1/64 pixel steps; the hair is four of them,
//    so Qt's own way of breaking ties never matters.
//  - A wide pen covers the band of width w centred on the path. A band of
//    even width has its edges on pixel points along level and upright paths;
//    the hair gives the upper / left one to the band, so it takes w/2 rows
//    above such a path and w/2 - 1 below. Being centred, a wider band always
//    covers a narrower one along the same path, and a band of width 2 or more
//    covers the thin line: a final figure covers its rubber band.
constexpr double kNudge = 1.0 / 16;
constexpr double kAreaShift = 0.5 - kNudge;
// Wide lines and curves start this much before their first point and end this
// much before their last one, so the start pixel is in and the end pixel out
// whatever the direction (it exceeds the hair's diagonal).
constexpr double kCapInset = 1.0 / 8;
// Largest distance between a flattened curve and the true one, in pixels.
constexpr double kFlatness = 0.05;
constexpr int kMaxPenWidth = 4096;

// Values in the coverage mask of a figure.
constexpr uchar kMaskInside = 128;
constexpr uchar kMaskOutline = 255;

QRgb ToRgb(Color c) { return qRgb(c.r, c.g, c.b); }

struct RectD {
    double left, top, right, bottom;
    bool Intersects(double l, double t, double r, double b) const {
        return l <= right && r >= left && t <= bottom && b >= top;
    }
    bool Contains(const QPointF& p) const {
        return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom;
    }
};

RectD Expanded(const QRect& r, double by) {
    return {r.left() - by, r.top() - by, r.right() + 1 + by, r.bottom() + 1 + by};
}

QRect ImageRect(const QImage* image) { return QRect(0, 0, image->width(), image->height()); }

// The pixel rectangle spanned by [l, r] x [t, b] widened by `by` pixels, cut
// to `limit`. Works on doubles so far-off coordinates cannot overflow.
QRect PixelSpan(double l, double t, double r, double b, double by, const QRect& limit) {
    if (limit.isEmpty()) return {};
    const double x1 = std::max(std::floor(l - by), double(limit.left()));
    const double y1 = std::max(std::floor(t - by), double(limit.top()));
    const double x2 = std::min(std::ceil(r + by), double(limit.right()));
    const double y2 = std::min(std::ceil(b + by), double(limit.bottom()));
    if (x1 > x2 || y1 > y2) return {};
    return QRect(QPoint(int(x1), int(y1)), QPoint(int(x2), int(y2)));
}

// ---------------------------------------------------------------- clipping

// Sutherland-Hodgman against one side of the rectangle. Inside the rectangle
// the winding number of every point stays what it was, so fills (alternate
// or winding) are unchanged there.
template <typename Inside, typename Cut>
std::vector<QPointF> ClipSide(const std::vector<QPointF>& in, Inside inside, Cut cut) {
    std::vector<QPointF> out;
    if (in.empty()) return out;
    out.reserve(in.size() + 4);
    QPointF prev = in.back();
    bool prevIn = inside(prev);
    for (const QPointF& cur : in) {
        const bool curIn = inside(cur);
        if (curIn != prevIn) out.push_back(cut(prev, cur));
        if (curIn) out.push_back(cur);
        prev = cur;
        prevIn = curIn;
    }
    return out;
}

QPointF CutAtX(const QPointF& a, const QPointF& b, double x) {
    const double t = (x - a.x()) / (b.x() - a.x());
    return {x, a.y() + (b.y() - a.y()) * t};
}

QPointF CutAtY(const QPointF& a, const QPointF& b, double y) {
    const double t = (y - a.y()) / (b.y() - a.y());
    return {a.x() + (b.x() - a.x()) * t, y};
}

std::vector<QPointF> ClipPolygon(std::vector<QPointF> poly, const RectD& m) {
    poly = ClipSide(
        poly, [&](const QPointF& p) { return p.x() >= m.left; },
        [&](const QPointF& a, const QPointF& b) { return CutAtX(a, b, m.left); });
    poly = ClipSide(
        poly, [&](const QPointF& p) { return p.x() <= m.right; },
        [&](const QPointF& a, const QPointF& b) { return CutAtX(a, b, m.right); });
    poly = ClipSide(
        poly, [&](const QPointF& p) { return p.y() >= m.top; },
        [&](const QPointF& a, const QPointF& b) { return CutAtY(a, b, m.top); });
    poly = ClipSide(
        poly, [&](const QPointF& p) { return p.y() <= m.bottom; },
        [&](const QPointF& a, const QPointF& b) { return CutAtY(a, b, m.bottom); });
    return poly;
}

// Liang-Barsky: the part of segment a-b inside `m`, if any. Points inside stay
// exactly as they are.
bool ClipSegment(QPointF& a, QPointF& b, const RectD& m) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - m.left, m.right - a.x(), a.y() - m.top, m.bottom - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
    }
    const QPointF a0 = a;
    if (t0 > 0) a = QPointF(a0.x() + t0 * dx, a0.y() + t0 * dy);
    if (t1 < 1) b = QPointF(a0.x() + t1 * dx, a0.y() + t1 * dy);
    return true;
}

// The parts of an open polyline inside `m`, as separate polylines.
void ClipPolyline(const std::vector<QPointF>& line, const RectD& m,
                  std::vector<std::vector<QPointF>>& pieces) {
    std::vector<QPointF> piece;
    for (size_t i = 1; i < line.size(); ++i) {
        QPointF a = line[i - 1], b = line[i];
        if (!ClipSegment(a, b, m)) continue;
        if (piece.empty() || piece.back() != a) {
            if (piece.size() >= 2) pieces.push_back(std::move(piece));
            piece.clear();
            piece.push_back(a);
        }
        piece.push_back(b);
    }
    if (piece.size() >= 2) pieces.push_back(std::move(piece));
}

// ---------------------------------------------------------------- thin lines

// Nearest integer, halves going down.
inline double RoundPixel(double v) { return std::ceil(v - 0.5); }

// The pixels of the thin line a -> b within `clip`, its end pixel left out:
// one per step along the major axis from the start's pixel up to (without)
// the end's. The minor coordinate comes from the full segment, so cutting
// a far-off line to the clip rectangle first does not move its pixels.
template <typename Visit>
void ThinSegment(const QPointF& a, const QPointF& b, const QRect& clip, Visit visit) {
    if (clip.isEmpty()) return;
    QPointF ca = a, cb = b;
    if (!ClipSegment(ca, cb, Expanded(clip, 2))) return;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const double am = xMajor ? a.x() : a.y(), an = xMajor ? a.y() : a.x();
    const double dm = xMajor ? dx : dy, dn = xMajor ? dy : dx;
    const double i0 = RoundPixel(am), i1 = RoundPixel(am + dm);
    if (i0 == i1) return;
    const int step = i1 > i0 ? 1 : -1;
    // Steps that can reach the clip rectangle.
    const double cm0 = RoundPixel(xMajor ? ca.x() : ca.y()) - step, cm1 = RoundPixel(xMajor ? cb.x() : cb.y()) + step;
    double from = step > 0 ? std::max(i0, cm0) : std::min(i0, cm0);
    double to = step > 0 ? std::min(i1 - 1, cm1) : std::max(i1 + 1, cm1);
    if (step > 0 ? from > to : from < to) return;
    const double lo = std::min(am, am + dm), hi = std::max(am, am + dm);
    for (double i = from;; i += step) {
        // The nearest point of the segment itself: a step half a pixel
        // before a fractional start does not follow the line beyond it.
        const double at = std::clamp(i, lo, hi);
        const double n = RoundPixel(an + ((at - am) * dn) / dm);
        const double x = xMajor ? i : n, y = xMajor ? n : i;
        if (x >= clip.left() && x <= clip.right() && y >= clip.top() && y <= clip.bottom()) visit(int(x), int(y));
        if (i == to) break;
    }
}

// The wide band along segment a -> b: flat ends set back by kCapInset, edges
// w/2 to either side.
std::vector<QPointF> WideBand(const QPointF& a, const QPointF& b, int w) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len = std::hypot(dx, dy);
    const double ux = dx / len, uy = dy / len;
    const double nx = -uy, ny = ux;
    const double lo = -w / 2.0, hi = w / 2.0;
    const QPointF s(a.x() - ux * kCapInset, a.y() - uy * kCapInset);
    const QPointF e(b.x() - ux * kCapInset, b.y() - uy * kCapInset);
    return {{s.x() + nx * lo, s.y() + ny * lo}, {e.x() + nx * lo, e.y() + ny * lo},
            {e.x() + nx * hi, e.y() + ny * hi}, {s.x() + nx * hi, s.y() + ny * hi}};
}

// The first pixel that ThinSegment(a, b) draws, as a point.
QPointF FirstThinPixel(const QPointF& a, const QPointF& b) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const double am = xMajor ? a.x() : a.y(), an = xMajor ? a.y() : a.x();
    const double dm = xMajor ? dx : dy, dn = xMajor ? dy : dx;
    const double i0 = RoundPixel(am);
    const double at = std::clamp(i0, std::min(am, am + dm), std::max(am, am + dm));
    const double n = RoundPixel(an + ((at - am) * dn) / dm);
    return xMajor ? QPointF(i0, n) : QPointF(n, i0);
}

// Sets the flat ends of an open polyline for a wide pen like a wide line's:
// the start a hair before the first point, the end a hair before the last.
// A start between pixels goes back further, to the pixel where the thin line
// starts, so that the wide pen covers the thin one.
void SetWideEnds(std::vector<QPointF>& line) {
    const auto unit = [](const QPointF& from, const QPointF& to) {
        const QPointF d = to - from;
        const double len = std::hypot(d.x(), d.y());
        return len > 0 ? d / len : QPointF(0, 0);
    };
    size_t i = 1;
    while (i + 1 < line.size() && line[i] == line[0]) ++i;
    size_t j = line.size() - 2;
    while (j > 0 && line[j] == line.back()) --j;
    const QPointF u0 = unit(line[0], line[i]), u1 = unit(line[j], line.back());
    double back = kCapInset;
    if (line[i] != line[0]) {
        const double ahead = QPointF::dotProduct(FirstThinPixel(line[0], line[i]) - line[0], u0);
        back += std::max(0.0, -ahead);
    }
    line.front() -= u0 * back;
    line.back() -= u1 * kCapInset;
}

// The pixels of a convex polygon within `clip`: those whose point, nudged a
// hair right and down, lies inside (edges included). One span per row, so
// each pixel is visited once.
template <typename Visit>
void ConvexSpans(const std::vector<QPointF>& pts, const QRect& clip, Visit visit) {
    if (pts.size() < 3 || clip.isEmpty()) return;
    double top = pts[0].y(), bottom = top;
    for (const QPointF& q : pts) {
        top = std::min(top, q.y());
        bottom = std::max(bottom, q.y());
    }
    const double j0 = std::max(std::ceil(top - kNudge), double(clip.top()));
    const double j1 = std::min(std::floor(bottom - kNudge), double(clip.bottom()));
    for (double j = j0; j <= j1; ++j) {
        const double y = j + kNudge;
        double left = std::numeric_limits<double>::max(), right = -left;
        for (size_t k = 0; k < pts.size(); ++k) {
            const QPointF& a = pts[k];
            const QPointF& b = pts[(k + 1) % pts.size()];
            if (std::min(a.y(), b.y()) > y || std::max(a.y(), b.y()) < y) continue;
            if (a.y() == b.y()) {
                left = std::min({left, a.x(), b.x()});
                right = std::max({right, a.x(), b.x()});
            } else {
                const double x = a.x() + (y - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (left > right) continue;
        const double i0 = std::max(std::ceil(left - kNudge), double(clip.left()));
        const double i1 = std::min(std::floor(right - kNudge), double(clip.right()));
        for (double i = i0; i <= i1; ++i) visit(int(i), int(j));
    }
}

// The area a wide pen covers along polylines, as a union of convex pieces:
// a band for each segment and a join at each corner (a disc, or for bevelled
// joins a triangle on either side). The pieces are rasterised one by one, so
// however sharply the path turns, no piece can cancel another.
class WideOutline {
public:
    WideOutline(int w, bool round) : half_(w / 2.0), round_(round) {
        if (round_) {
            // A polygon within kFlatness of the disc of radius w/2.
            const double step = 2 * std::acos(std::max(0.0, 1 - kFlatness / half_));
            const int n = std::clamp(int(std::ceil(2 * kPi / std::max(step, 1e-3))), 8, 1024);
            for (int i = 0; i < n; ++i)
                disc_.emplace_back(half_ * std::cos(2 * kPi * i / n), half_ * std::sin(2 * kPi * i / n));
        }
    }

    void Add(const std::vector<QPointF>& pts, bool closed) {
        // The corners that matter: repeated points dropped.
        std::vector<QPointF> p;
        for (const QPointF& q : pts)
            if (p.empty() || q != p.back()) p.push_back(q);
        if (closed && p.size() > 1 && p.front() == p.back()) p.pop_back();
        if (p.size() < 2) return;
        const size_t n = p.size(), segments = closed ? n : n - 1;
        for (size_t k = 0; k < segments; ++k) {
            const QPointF& a = p[k];
            const QPointF& b = p[(k + 1) % n];
            const QPointF nrm = Normal(a, b) * half_;
            pieces_.push_back({a + nrm, b + nrm, b - nrm, a - nrm});
        }
        for (size_t k = closed ? 0 : 1; k < (closed ? n : n - 1); ++k) {
            const QPointF& v = p[k];
            if (round_) {
                std::vector<QPointF> disc = disc_;
                for (QPointF& q : disc) q += v;
                pieces_.push_back(std::move(disc));
            } else {
                const QPointF before = Normal(p[(k + n - 1) % n], v) * half_, after = Normal(v, p[(k + 1) % n]) * half_;
                pieces_.push_back({v, v + before, v + after});
                pieces_.push_back({v, v - before, v - after});
            }
        }
    }

    template <typename Visit>
    void Rasterise(const QRect& clip, Visit visit) const {
        for (const auto& piece : pieces_) ConvexSpans(piece, clip, visit);
    }

private:
    static QPointF Normal(const QPointF& a, const QPointF& b) {
        const QPointF d = b - a;
        const double len = std::hypot(d.x(), d.y());
        return QPointF(-d.y() / len, d.x() / len);
    }

    double half_;
    bool round_;
    std::vector<QPointF> disc_;
    std::vector<std::vector<QPointF>> pieces_;
};

// ---------------------------------------------------------------- flattening

// Points of the ellipse arc from parameter t0 over `sweep`, the start point
// excluded. Parts of the arc that keep away from `cull` are replaced by their
// chord, which lies as far away; so far-off huge ellipses cost little.
class ArcFlattener {
public:
    ArcFlattener(double cx, double cy, double a, double b, const RectD& cull, std::vector<QPointF>& out)
        : cx_(cx), cy_(cy), a_(a), b_(b), r_(std::max(a, b)), cull_(cull), out_(out) {}

    // Exact at the quarter turns, so that level and upright radii and the
    // extreme points of an ellipse land exactly on their pixel rows/columns.
    QPointF At(double t) const {
        const double quarters = std::nearbyint(t / (kPi / 2));
        if (std::abs(t - quarters * (kPi / 2)) < 1e-12) {
            static constexpr double kCos[] = {1, 0, -1, 0}, kSin[] = {0, 1, 0, -1};
            const int q = int(std::fmod(std::fmod(quarters, 4) + 4, 4));
            return {cx_ + a_ * kCos[q], cy_ + b_ * kSin[q]};
        }
        return {cx_ + a_ * std::cos(t), cy_ + b_ * std::sin(t)};
    }

    void Add(double t0, double sweep) {
        const int pieces = std::max(1, int(std::ceil(std::abs(sweep) / (kPi / 4))));
        const double step = sweep / pieces;
        QPointF p = At(t0);
        for (int i = 0; i < pieces; ++i) {
            const double ta = t0 + step * i;
            const double tb = (i + 1 == pieces) ? t0 + sweep : t0 + step * (i + 1);
            const QPointF q = At(tb);
            Split(ta, tb, p, q, 0);
            p = q;
        }
    }

private:
    void Split(double ta, double tb, const QPointF& pa, const QPointF& pb, int depth) {
        const double s = std::sin((tb - ta) / 4);
        const double sagitta = 2 * r_ * s * s;  // farthest the arc strays from its chord
        const bool near = cull_.Intersects(std::min(pa.x(), pb.x()) - sagitta, std::min(pa.y(), pb.y()) - sagitta,
                                           std::max(pa.x(), pb.x()) + sagitta, std::max(pa.y(), pb.y()) + sagitta);
        if (!near || sagitta <= kFlatness || depth >= 48) {
            out_.push_back(pb);
            return;
        }
        const double tm = (ta + tb) / 2;
        const QPointF pm = At(tm);
        Split(ta, tm, pa, pm, depth + 1);
        Split(tm, tb, pm, pb, depth + 1);
    }

    double cx_, cy_, a_, b_, r_;
    RectD cull_;
    std::vector<QPointF>& out_;
};

// Distance from p to the segment a-b.
double DistanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x() - (a.x() + t * dx), p.y() - (a.y() + t * dy));
}

// Points of a cubic Bezier curve, the start point excluded; parts that keep
// away from `cull` (their control points do) become one chord.
void FlattenCubic(const QPointF& p0, const QPointF& p1, const QPointF& p2, const QPointF& p3, const RectD& cull,
                  std::vector<QPointF>& out, int depth = 0) {
    const double l = std::min({p0.x(), p1.x(), p2.x(), p3.x()}), r = std::max({p0.x(), p1.x(), p2.x(), p3.x()});
    const double t = std::min({p0.y(), p1.y(), p2.y(), p3.y()}), b = std::max({p0.y(), p1.y(), p2.y(), p3.y()});
    // The curve lies within the hull of its control points: when they keep
    // close to the chord (the segment, so that a curve running back beyond
    // its ends is not taken for flat), so does the curve.
    const bool flat = std::max(DistanceToSegment(p1, p0, p3), DistanceToSegment(p2, p0, p3)) <= kFlatness;
    if (!cull.Intersects(l, t, r, b) || flat || depth >= 32) {
        out.push_back(p3);
        return;
    }
    const QPointF p01 = (p0 + p1) / 2, p12 = (p1 + p2) / 2, p23 = (p2 + p3) / 2;
    const QPointF p012 = (p01 + p12) / 2, p123 = (p12 + p23) / 2;
    const QPointF mid = (p012 + p123) / 2;
    FlattenCubic(p0, p01, p012, mid, cull, out, depth + 1);
    FlattenCubic(mid, p123, p23, p3, cull, out, depth + 1);
}

// A box normalised, in doubles: columns x1 .. x2-1, rows y1 .. y2-1.
struct Box {
    double x1, y1, x2, y2;
    bool Empty() const { return x1 == x2 || y1 == y2; }
};

Box MakeBox(int x1, int y1, int x2, int y2) {
    return {double(std::min(x1, x2)), double(std::min(y1, y2)), double(std::max(x1, x2)), double(std::max(y1, y2))};
}

// The ellipse through the box's border pixels: centre and half axes in pixel
// points.
struct EllipseGeom {
    double cx, cy, a, b;
};

EllipseGeom EllipseOf(const Box& box) {
    return {(box.x1 + box.x2 - 1) / 2, (box.y1 + box.y2 - 1) / 2, (box.x2 - 1 - box.x1) / 2,
            (box.y2 - 1 - box.y1) / 2};
}

}  // namespace

// ---------------------------------------------------------------- figure

// A figure in pixel points: closed outlines (whose inside is the fill area)
// and open ones (never filled).
struct Canvas::Figure {
    std::vector<std::vector<QPointF>> closed;
    std::vector<std::vector<QPointF>> open;
    bool fillable = false;
    // Corners of wide outlines: round where the figure has corners (polygon,
    // pie); bevelled along flattened curves, whose tiny turns look the same
    // either way and bevel much faster.
    Qt::PenJoinStyle join = Qt::BevelJoin;
    // Set by the operation (SetArea) before it builds the geometry.
    QRect area;    // pixels the figure may touch
    RectD cull{};  // geometry outside it cannot show there
};

Canvas::Canvas(QImage* image) : image_(image) { ResetDefaults(); }

void Canvas::ResetDefaults() {
    penColor_ = colors::Black;
    penWidth_ = 1;
    penMode_ = PenMode::Copy;
    brushColor_ = colors::White;
    brushStyle_ = BrushStyle::Solid;
    font_ = DefaultFont();
    fontColor_ = DefaultFontColor();
    penPos_ = {};
}

QFont Canvas::DefaultFont() {
    InstallFontSubstitutions();
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSize(8);
    return f;
}

Color Canvas::DefaultFontColor() { return colors::Black; }

int Canvas::Width() const { return image_->width(); }
int Canvas::Height() const { return image_->height(); }

void Canvas::Invalidate(const QRect& r) {
    if (!r.isEmpty()) dirty_ = dirty_.united(r);
}

void Canvas::MarkDirty(const QRect& r) { Invalidate(r.intersected(ImageRect(image_))); }

QRect Canvas::TakeDirtyRect() {
    const QRect r = dirty_.intersected(ImageRect(image_));
    dirty_ = QRect();
    return r;
}

// ---------------------------------------------------------------- lines

void Canvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void Canvas::LineTo(int x, int y) {
    const TPoint from = penPos_;
    penPos_ = {x, y};
    if (from.X == x && from.Y == y) return;
    const QRect bounds = ImageRect(image_);
    if (bounds.isEmpty()) return;
    const int w = std::min(penWidth_, kMaxPenWidth);
    const QRgb color = ToRgb(penColor_);

    // Each pixel of the line changes once; the changed area grows with it.
    const bool notXor = penMode_ == PenMode::NotXor;
    int l = std::numeric_limits<int>::max(), t = l, r = std::numeric_limits<int>::min(), b = r;
    const auto plot = [&](int px, int py) {
        QRgb& d = reinterpret_cast<QRgb*>(image_->scanLine(py))[px];
        d = notXor ? ~(color ^ d) : color;
        l = std::min(l, px);
        r = std::max(r, px);
        t = std::min(t, py);
        b = std::max(b, py);
    };
    if (w == 1)
        ThinSegment(QPointF(from.X, from.Y), QPointF(x, y), bounds, plot);
    else  // a wide line is one convex band
        ConvexSpans(WideBand(QPointF(from.X, from.Y), QPointF(x, y), w), bounds, plot);
    if (l <= r) Invalidate(QRect(QPoint(l, t), QPoint(r, b)));
}

// ---------------------------------------------------------------- figures

void Canvas::DrawFigure(Figure& f) {
    const int w = std::min(penWidth_, kMaxPenWidth);
    const bool fill = f.fillable && brushStyle_ == BrushStyle::Solid;

    // Outline pieces inside the cull rectangle. A closed outline that lies
    // wholly inside stays closed; otherwise it is cut into open pieces whose
    // ends lie too far out to show.
    std::vector<std::vector<QPointF>> closedOut, openOut;
    for (const auto& poly : f.closed) {
        if (poly.empty()) continue;
        if (std::all_of(poly.begin(), poly.end(), [&](const QPointF& q) { return f.cull.Contains(q); })) {
            closedOut.push_back(poly);
        } else {
            std::vector<QPointF> ring = poly;
            ring.push_back(poly.front());
            std::vector<std::vector<QPointF>> pieces;
            ClipPolyline(ring, f.cull, pieces);
            // A piece that runs through the ring's first point is one piece,
            // so that its corner there gets its join.
            if (pieces.size() >= 2 && pieces.back().back() == pieces.front().front()) {
                pieces.back().insert(pieces.back().end(), pieces.front().begin() + 1, pieces.front().end());
                pieces.erase(pieces.begin());
            }
            for (auto& piece : pieces) openOut.push_back(std::move(piece));
        }
    }
    for (auto& line : f.open) {
        if (line.size() < 2) continue;
        if (w > 1) SetWideEnds(line);
        ClipPolyline(line, f.cull, openOut);
    }
    std::vector<std::vector<QPointF>> fills;
    if (fill)
        for (auto& poly : f.closed) {
            auto clipped = ClipPolygon(poly, f.cull);
            if (clipped.size() >= 3) fills.push_back(std::move(clipped));
        }

    // The pixels the remaining geometry can reach.
    double l = std::numeric_limits<double>::max(), t = l, r = -l, b = -l;
    bool any = false;
    const auto extend = [&](const std::vector<std::vector<QPointF>>& polys) {
        for (const auto& poly : polys)
            for (const QPointF& q : poly) {
                l = std::min(l, q.x());
                r = std::max(r, q.x());
                t = std::min(t, q.y());
                b = std::max(b, q.y());
                any = true;
            }
    };
    extend(closedOut);
    extend(openOut);
    extend(fills);
    if (!any) return;
    const QRect area = PixelSpan(l, t, r, b, w / 2.0 + 2, f.area);
    if (area.isEmpty()) return;

    // Coverage mask of the area: 0 untouched, inside, outline. Qt paints
    // fastest on 32-bit images; the mask keeps its value in the blue byte.
    QImage mask(area.size(), QImage::Format_RGB32);
    mask.fill(0);
    if (!fills.empty()) {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setTransform(QTransform::fromTranslate(kAreaShift - area.left(), kAreaShift - area.top()));
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const auto& poly : fills) path.addPolygon(QPolygonF(QList<QPointF>(poly.begin(), poly.end())));
        p.fillPath(path, QColor(kMaskInside, kMaskInside, kMaskInside));
    }
    const auto mark = [&](int x, int y) {
        reinterpret_cast<QRgb*>(mask.scanLine(y - area.top()))[x - area.left()] = kMaskOutline;
    };
    if (w > 1) {
        WideOutline band(w, f.join == Qt::RoundJoin);
        for (const auto& poly : closedOut) band.Add(poly, true);
        for (const auto& line : openOut) band.Add(line, false);
        band.Rasterise(area, mark);
    } else {
        for (const auto& poly : closedOut)
            for (size_t i = 0; i < poly.size(); ++i) ThinSegment(poly[i], poly[(i + 1) % poly.size()], area, mark);
        for (const auto& line : openOut)
            for (size_t i = 1; i < line.size(); ++i) ThinSegment(line[i - 1], line[i], area, mark);
    }

    // Each covered pixel changes once: the outline with the pen colour, the
    // rest of the inside with the brush colour.
    const QRgb pen = ToRgb(penColor_), brush = ToRgb(brushColor_);
    const bool notXor = penMode_ == PenMode::NotXor;
    int minX = area.width(), maxX = -1, minY = area.height(), maxY = -1;
    for (int y = 0; y < area.height(); ++y) {
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        QRgb* d = reinterpret_cast<QRgb*>(image_->scanLine(area.top() + y)) + area.left();
        int first = -1, last = -1;
        for (int x = 0; x < area.width(); ++x) {
            const uchar v = uchar(qBlue(m[x]));
            if (!v) continue;
            const QRgb c = v == kMaskOutline ? pen : brush;
            d[x] = notXor ? ~(c ^ d[x]) : c;
            if (first < 0) first = x;
            last = x;
        }
        if (first >= 0) {
            minX = std::min(minX, first);
            maxX = std::max(maxX, last);
            minY = std::min(minY, y);
            maxY = y;
        }
    }
    if (maxX >= 0) Invalidate(QRect(QPoint(minX, minY), QPoint(maxX, maxY)).translated(area.topLeft()));
}

namespace {

// Pixels a figure within [l, r] x [t, b] may touch, and the rectangle outside
// which its geometry cannot show, for pen width w.
void SetArea(QRect& area, RectD& cull, const QImage* image, int w, double l, double t, double r, double b) {
    area = PixelSpan(l, t, r, b, w / 2.0 + 2, ImageRect(image));
    cull = area.isEmpty() ? RectD{0, 0, -1, -1} : Expanded(area, w + 4);
}

}  // namespace

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    const Box box = MakeBox(x1, y1, x2, y2);
    if (box.Empty()) return;
    // The outline bands of the four border pixel lines form a frame: the
    // pixels of the box widened by the pen, less the pixels inside the bands.
    const double w = std::min(penWidth_, kMaxPenWidth);
    const double below = std::floor(w / 2), above = std::floor((w - 1) / 2);
    const QRect outer = PixelSpan(box.x1 - below, box.y1 - below, box.x2 - 1 + above, box.y2 - 1 + above, 0,
                                  ImageRect(image_));
    if (outer.isEmpty()) return;
    const double il = box.x1 + above + 1, it = box.y1 + above + 1, ir = box.x2 - 2 - below, ib = box.y2 - 2 - below;
    const bool fill = brushStyle_ == BrushStyle::Solid;
    const QRgb pen = ToRgb(penColor_), brush = ToRgb(brushColor_);
    const bool notXor = penMode_ == PenMode::NotXor;
    for (int y = outer.top(); y <= outer.bottom(); ++y) {
        QRgb* d = reinterpret_cast<QRgb*>(image_->scanLine(y));
        const bool insideRow = y >= it && y <= ib;
        for (int x = outer.left(); x <= outer.right(); ++x) {
            const bool inside = insideRow && x >= il && x <= ir;
            if (inside && !fill) {
                // Skip the inside of the frame in one step.
                x = int(std::min<double>(ir, outer.right()));
                continue;
            }
            const QRgb c = inside ? brush : pen;
            d[x] = notXor ? ~(c ^ d[x]) : c;
        }
    }
    if (fill) {
        Invalidate(outer);
    } else {
        // Only the bands that reach the picture changed.
        QRect changed;
        const QRect bands[] = {
            QRect(QPoint(outer.left(), outer.top()), QPoint(outer.right(), int(std::min<double>(it - 1, outer.bottom())))),
            QRect(QPoint(outer.left(), int(std::max<double>(ib + 1, outer.top()))), QPoint(outer.right(), outer.bottom())),
            QRect(QPoint(outer.left(), outer.top()), QPoint(int(std::min<double>(il - 1, outer.right())), outer.bottom())),
            QRect(QPoint(int(std::max<double>(ir + 1, outer.left())), outer.top()), QPoint(outer.right(), outer.bottom())),
        };
        for (const QRect& b : bands)
            if (!b.isEmpty()) changed = changed.united(b);
        Invalidate(changed);
    }
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
    const Box box = MakeBox(x1, y1, x2, y2);
    if (box.Empty()) return;
    Figure f;
    const int w = std::min(penWidth_, kMaxPenWidth);
    SetArea(f.area, f.cull, image_, w, box.x1, box.y1, box.x2 - 1, box.y2 - 1);
    if (f.area.isEmpty()) return;
    f.fillable = true;
    const EllipseGeom e = EllipseOf(box);
    if (e.a == 0 || e.b == 0) f.join = Qt::RoundJoin;  // it turns right round at its ends
    std::vector<QPointF> pts;
    ArcFlattener arc(e.cx, e.cy, e.a, e.b, f.cull, pts);
    arc.Add(0, 2 * kPi);
    f.closed.push_back(std::move(pts));
    DrawFigure(f);
}

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
    const Box box = MakeBox(x1, y1, x2, y2);
    if (box.Empty()) return;
    const double rx = std::min(std::abs(double(cornerW)) / 2, (box.x2 - 1 - box.x1) / 2);
    const double ry = std::min(std::abs(double(cornerH)) / 2, (box.y2 - 1 - box.y1) / 2);
    if (rx <= 0 || ry <= 0) {
        Rectangle(x1, y1, x2, y2);
        return;
    }
    Figure f;
    const int w = std::min(penWidth_, kMaxPenWidth);
    SetArea(f.area, f.cull, image_, w, box.x1, box.y1, box.x2 - 1, box.y2 - 1);
    if (f.area.isEmpty()) return;
    f.fillable = true;
    std::vector<QPointF> pts;
    const double l = box.x1 + rx, r = box.x2 - 1 - rx, t = box.y1 + ry, b = box.y2 - 1 - ry;
    // Corners clockwise on the screen, starting at the top right.
    const struct {
        double cx, cy, t0;
    } corners[] = {{r, t, -kPi / 2}, {r, b, 0}, {l, b, kPi / 2}, {l, t, kPi}};
    for (const auto& c : corners) {
        ArcFlattener arc(c.cx, c.cy, rx, ry, f.cull, pts);
        pts.push_back(arc.At(c.t0));
        arc.Add(c.t0, kPi / 2);
    }
    f.closed.push_back(std::move(pts));
    DrawFigure(f);
}

void Canvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2) return;
    Figure f;
    double l = points[0].X, r = l, t = points[0].Y, b = t;
    for (const TPoint& q : points) {
        l = std::min(l, double(q.X));
        r = std::max(r, double(q.X));
        t = std::min(t, double(q.Y));
        b = std::max(b, double(q.Y));
    }
    const int w = std::min(penWidth_, kMaxPenWidth);
    SetArea(f.area, f.cull, image_, w, l, t, r, b);
    if (f.area.isEmpty()) return;
    f.fillable = true;
    f.join = Qt::RoundJoin;
    std::vector<QPointF> pts;
    pts.reserve(points.size());
    for (const TPoint& q : points) pts.emplace_back(q.X, q.Y);
    f.closed.push_back(std::move(pts));
    DrawFigure(f);
}

namespace {

// Parameter on the box's ellipse of the radial from the box centre through
// (x, y); y grows downwards, so growing parameters run clockwise on screen.
double RadialParameter(const Box& box, int x, int y) {
    const double dx = 2.0 * x - (box.x1 + box.x2), dy = 2.0 * y - (box.y1 + box.y2);
    return std::atan2(dy * (box.x2 - box.x1), dx * (box.y2 - box.y1));
}

bool SameRadial(const Box& box, int x3, int y3, int x4, int y4) {
    using Wide = __int128;
    const Wide cx = Wide(int64_t(box.x1) + int64_t(box.x2)), cy = Wide(int64_t(box.y1) + int64_t(box.y2));
    const Wide ax = 2 * Wide(x3) - cx, ay = 2 * Wide(y3) - cy, bx = 2 * Wide(x4) - cx, by = 2 * Wide(y4) - cy;
    if ((ax == 0 && ay == 0) || (bx == 0 && by == 0)) return (ax == 0 && ay == 0) && (bx == 0 && by == 0);
    return ax * by - ay * bx == 0 && ax * bx + ay * by > 0;
}

// The sweep from the first radial counter-clockwise on screen to the second:
// a negative parameter step, a whole turn when the radials coincide.
double CounterClockwiseSweep(const Box& box, int x3, int y3, int x4, int y4, double t3) {
    if (SameRadial(box, x3, y3, x4, y4)) return -2 * kPi;
    double sweep = RadialParameter(box, x4, y4) - t3;
    while (sweep >= 0) sweep -= 2 * kPi;
    while (sweep < -2 * kPi) sweep += 2 * kPi;
    if (sweep == 0) sweep = -2 * kPi;
    return sweep;
}

}  // namespace

void Canvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const Box box = MakeBox(x1, y1, x2, y2);
    if (box.Empty()) return;
    Figure f;
    const int w = std::min(penWidth_, kMaxPenWidth);
    SetArea(f.area, f.cull, image_, w, box.x1, box.y1, box.x2 - 1, box.y2 - 1);
    if (f.area.isEmpty()) return;
    f.fillable = true;
    f.join = Qt::RoundJoin;
    const EllipseGeom e = EllipseOf(box);
    const double t3 = RadialParameter(box, x3, y3);
    const double sweep = CounterClockwiseSweep(box, x3, y3, x4, y4, t3);
    std::vector<QPointF> pts{{e.cx, e.cy}};
    ArcFlattener arc(e.cx, e.cy, e.a, e.b, f.cull, pts);
    pts.push_back(arc.At(t3));
    arc.Add(t3, sweep);
    f.closed.push_back(std::move(pts));
    DrawFigure(f);
}

void Canvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const Box box = MakeBox(x1, y1, x2, y2);
    if (box.Empty()) return;
    Figure f;
    const int w = std::min(penWidth_, kMaxPenWidth);
    SetArea(f.area, f.cull, image_, w, box.x1, box.y1, box.x2 - 1, box.y2 - 1);
    if (f.area.isEmpty()) return;
    const EllipseGeom e = EllipseOf(box);
    if (e.a == 0 || e.b == 0) f.join = Qt::RoundJoin;  // it turns right round at its ends
    const double t3 = RadialParameter(box, x3, y3);
    const double sweep = CounterClockwiseSweep(box, x3, y3, x4, y4, t3);
    std::vector<QPointF> pts;
    ArcFlattener arc(e.cx, e.cy, e.a, e.b, f.cull, pts);
    pts.push_back(arc.At(t3));
    arc.Add(t3, sweep);
    if (sweep == -2 * kPi) {
        f.closed.push_back(std::move(pts));
    } else {
        f.open.push_back(std::move(pts));
    }
    DrawFigure(f);
}

void Canvas::PolyBezier(std::span<const TPoint> points) {
    if (points.size() < 4) return;
    const size_t curves = (points.size() - 1) / 3;
    double l = points[0].X, r = l, t = points[0].Y, b = t;
    for (size_t i = 0; i <= curves * 3; ++i) {
        l = std::min(l, double(points[i].X));
        r = std::max(r, double(points[i].X));
        t = std::min(t, double(points[i].Y));
        b = std::max(b, double(points[i].Y));
    }
    Figure f;
    const int w = std::min(penWidth_, kMaxPenWidth);
    SetArea(f.area, f.cull, image_, w, l, t, r, b);
    if (f.area.isEmpty()) return;
    const auto P = [&](size_t i) { return QPointF(points[i].X, points[i].Y); };
    std::vector<QPointF> pts{P(0)};
    for (size_t c = 0; c < curves; ++c)
        FlattenCubic(P(3 * c), P(3 * c + 1), P(3 * c + 2), P(3 * c + 3), f.cull, pts);
    // Repeated points would only add zero-length pieces.
    pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
    if (pts.size() < 2) return;
    f.open.push_back(std::move(pts));
    f.join = Qt::RoundJoin;  // control points may make sharp turns
    DrawFigure(f);
}

// ---------------------------------------------------------------- pixels

std::optional<Color> Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return std::nullopt;
    const QRgb v = reinterpret_cast<const QRgb*>(image_->constScanLine(y))[x];
    return Color{static_cast<uint8_t>(qRed(v)), static_cast<uint8_t>(qGreen(v)), static_cast<uint8_t>(qBlue(v))};
}

void Canvas::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return;
    reinterpret_cast<QRgb*>(image_->scanLine(y))[x] = ToRgb(c);
    Invalidate(QRect(x, y, 1, 1));
}

// ---------------------------------------------------------------- text

// The canvas font at a fixed pixel size (points count at 96 dots per inch,
// whatever resolution a loaded picture claims), drawn without smoothing like
// everything else on the canvas.
QFont Canvas::DrawingFont() const {
    QFont f = font_;
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::NoAntialias));
    if (f.pixelSize() <= 0) {
        const double pt = f.pointSizeF() > 0 ? f.pointSizeF() : 8;
        f.setPixelSize(std::max(1, int(std::lround(pt * 96 / 72))));
    }
    return f;
}

int Canvas::TextWidth(const QString& text) const {
    return QFontMetrics(DrawingFont()).horizontalAdvance(text);
}

int Canvas::TextHeight(const QString&) const { return QFontMetrics(DrawingFont()).height(); }

void Canvas::TextOut(int x, int y, const QString& text) {
    const QFont font = DrawingFont();
    const QFontMetrics fm(font);
    const int64_t width = fm.horizontalAdvance(text), height = fm.height();
    const int64_t end = int64_t(x) + width;
    penPos_ = {int32_t(std::clamp<int64_t>(end, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max())),
               y};
    if (text.isEmpty()) return;
    // Glyphs may reach a little beyond their cell.
    const int64_t reach = height;
    const QRect bounds = ImageRect(image_);
    if (bounds.isEmpty() || int64_t(x) - reach > bounds.right() || end + reach < 0 ||
        int64_t(y) - reach > bounds.bottom() || int64_t(y) + height + reach < 0)
        return;
    QPainter p(image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    QRect touched;
    if (brushStyle_ == BrushStyle::Solid) {
        const QRect cell(x, y, int(width), int(height));
        p.fillRect(cell, QColor::fromRgb(ToRgb(brushColor_)));
        touched = cell;
    }
    p.setFont(font);
    p.setPen(QColor::fromRgb(ToRgb(fontColor_)));
    p.drawText(QPointF(x, y + fm.ascent()), text);
    const QRect ink = fm.boundingRect(text).translated(x, y + fm.ascent()).adjusted(-2, -2, 2, 2);
    Invalidate(touched.united(ink).intersected(bounds));
}

}  // namespace platform
