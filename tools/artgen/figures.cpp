// SPDX-License-Identifier: MIT
#include "figures.h"

#include "shapes.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace Figures {

Ramp rampFrom(const QColor &base)
{
    const auto shifted = [&](qreal towardsHue, qreal hueStep, qreal saturation, qreal value) {
        float h = 0, s = 0, v = 0;
        base.getHsvF(&h, &s, &v);
        qreal hue = h < 0 ? towardsHue / 360 : h;
        // Turn the hue the short way round the circle towards the target.
        qreal delta = towardsHue / 360 - hue;
        if (delta > 0.5)
            delta -= 1;
        if (delta < -0.5)
            delta += 1;
        const qreal step = std::min(std::abs(delta), hueStep / 360);
        hue += delta < 0 ? -step : step;
        hue -= std::floor(hue);
        return QColor::fromHsvF(float(hue), float(std::clamp(s * saturation, 0.0, 1.0)),
            float(std::clamp(value, 0.0, 1.0)));
    };
    float h = 0, s = 0, v = 0;
    base.getHsvF(&h, &s, &v);
    return { shifted(235, 14, 0.85, v * 0.24), shifted(235, 12, 1.05, v * 0.66), base,
        shifted(55, 10, 0.42, std::min(1.0, v * 1.12 + 0.06)) };
}

namespace {

// A point of an outline; the outline bends smoothly through it unless it is a corner.
struct Knot
{
    qreal x;
    qreal y;
    bool corner = false;
};
constexpr bool Corner = true;

// A curve through the knots, smoothed as a Catmull-Rom spline drawn with cubic segments.
QPainterPath through(const std::vector<Knot> &knots, bool closed)
{
    QPainterPath path;
    const auto n = qsizetype(knots.size());
    if (n < 2)
        return path;
    const auto at = [&](qsizetype i) {
        if (closed)
            i = (i % n + n) % n;
        else
            i = std::clamp<qsizetype>(i, 0, n - 1);
        return knots[std::size_t(i)];
    };
    path.moveTo(knots[0].x, knots[0].y);
    const qsizetype segments = closed ? n : n - 1;
    for (qsizetype i = 0; i < segments; ++i) {
        const Knot a = at(i), b = at(i + 1), before = at(i - 1), after = at(i + 2);
        const QPointF pa(a.x, a.y), pb(b.x, b.y);
        const QPointF c1 = a.corner ? pa : pa + (pb - QPointF(before.x, before.y)) / 6.0;
        const QPointF c2 = b.corner ? pb : pb - (QPointF(after.x, after.y) - pa) / 6.0;
        path.cubicTo(c1, c2, pb);
    }
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath shape(std::initializer_list<Knot> knots)
{
    return through(std::vector<Knot>(knots), true);
}

QPainterPath curve(std::initializer_list<Knot> knots)
{
    return through(std::vector<Knot>(knots), false);
}

// A band along a centre line whose width changes evenly from one end to the other.
QPainterPath tapered(const QPainterPath &centre, qreal startWidth, qreal endWidth)
{
    constexpr int steps = 48;
    QPolygonF left, right;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const QPointF at = centre.pointAtPercent(t);
        const QPointF ahead = centre.pointAtPercent(std::min(1.0, t + 0.01));
        const QPointF behind = centre.pointAtPercent(std::max(0.0, t - 0.01));
        QPointF tangent = ahead - behind;
        const qreal length = std::hypot(tangent.x(), tangent.y());
        tangent = length > 0 ? tangent / length : QPointF(1, 0);
        const QPointF normal(-tangent.y(), tangent.x());
        const qreal half = (startWidth + (endWidth - startWidth) * t) / 2;
        left << at + normal * half;
        right.prepend(at - normal * half);
    }
    QPainterPath band;
    band.addPolygon(left + right);
    band.closeSubpath();
    return band;
}

QPainterPath ellipse(qreal cx, qreal cy, qreal rx, qreal ry, qreal degrees = 0)
{
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), rx, ry);
    QTransform t;
    t.translate(cx, cy);
    t.rotate(degrees);
    return t.map(path);
}

QPainterPath united(std::initializer_list<QPainterPath> parts)
{
    QPainterPath all;
    for (const QPainterPath &part : parts)
        all = all.isEmpty() ? part : all.united(part);
    return all;
}

QPainterPath mirrored(const QPainterPath &path, qreal axisX)
{
    QTransform t;
    t.translate(2 * axisX, 0);
    t.scale(-1, 1);
    return t.map(path);
}

// Paints the parts of one figure in its tones.
class Figure
{
public:
    Figure(QPainter &p, const Colours &colours)
        : m_p(p)
        , m_colours(colours)
        , m_far { colours.main.ink, colours.main.ink, colours.main.shade, colours.main.base }
    { }

    const Ramp &main() const { return m_colours.main; }
    const Ramp &accent() const { return m_colours.accent; }
    // The tones of parts that stand behind the others (the far legs): one step darker.
    const Ramp &far() const { return m_far; }

    // A lit, shaded and outlined part.
    void part(const QPainterPath &outline, const Ramp &ramp, qreal edge = 1.1)
    {
        QPainterPath filled = outline.simplified();
        m_p.setPen(Qt::NoPen);
        m_p.fillPath(filled, ramp.base);
        m_p.fillPath(filled.subtracted(filled.translated(1.6, 1.6)), ramp.light);
        m_p.fillPath(filled.subtracted(filled.translated(-2.6, -2.6)), ramp.shade);
        m_p.setPen(QPen(ramp.ink, edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawPath(filled);
    }
    void part(const QPainterPath &outline) { part(outline, m_colours.main); }

    // A line drawn on a part: a fold, a curl of wool, a mouth.
    void line(const QPainterPath &centre, const QColor &colour, qreal width = 1.0)
    {
        m_p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawPath(centre);
    }

    void dot(qreal x, qreal y, qreal r, const QColor &colour)
    {
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(colour);
        m_p.drawEllipse(QPointF(x, y), r, r);
    }

    void fill(const QPainterPath &area, const QColor &colour)
    {
        m_p.setPen(Qt::NoPen);
        m_p.fillPath(area, colour);
    }

private:
    QPainter &m_p;
    Colours m_colours;
    Ramp m_far;
};

// A leg from the body down to the ground, through a knee, ending in a darker hoof or paw.
void leg(Figure &f, const Ramp &ramp, std::initializer_list<Knot> centre, qreal top, qreal bottom,
    bool hoof)
{
    const QPainterPath line = curve(centre);
    f.part(tapered(line, top, bottom), ramp);
    if (hoof) {
        const QPointF end = line.pointAtPercent(1);
        QPainterPath h;
        h.addRoundedRect(QRectF(end.x() - bottom / 2 - 0.5, end.y() - 3.5, bottom + 1, 4), 1, 1);
        f.part(h, Ramp { ramp.ink, ramp.ink, ramp.ink, ramp.shade }, 0.8);
    }
}

// A horn coiled round `centre`: `turns` of a turn from `startDegrees`, clockwise on the screen
// when `clockwise`, narrowing from `startWidth` to `endWidth`.
QPainterPath coil(QPointF centre, qreal startRadius, qreal endRadius, qreal startDegrees,
    qreal turns, bool clockwise, qreal startWidth, qreal endWidth)
{
    QPainterPath line;
    constexpr int steps = 60;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const qreal degrees = startDegrees + (clockwise ? 1 : -1) * 360 * turns * t;
        const qreal r = startRadius + (endRadius - startRadius) * t;
        const qreal a = degrees * std::numbers::pi / 180;
        const QPointF at = centre + QPointF(std::cos(a), std::sin(a)) * r;
        if (i == 0)
            line.moveTo(at);
        else
            line.lineTo(at);
    }
    return tapered(line, startWidth, endWidth);
}

// A head: the face in the figure's light tone, the hair one step darker than the figure.
// `facing` is -1 for a profile looking left, 1 looking right and 0 for a face seen from the front.
void head(Figure &f, qreal cx, qreal cy, int facing, const Ramp &ramp)
{
    const Ramp skin { ramp.ink, ramp.base, ramp.light, ramp.light };
    const Ramp hair { ramp.ink, ramp.ink, ramp.shade, ramp.base };
    QPainterPath face = ellipse(cx, cy, 7, 8);
    if (facing != 0)
        face = united({ face, ellipse(cx + facing * 6.6, cy + 1.2, 2, 1.8) });
    f.part(face, skin);
    if (facing == 0) {
        f.part(shape({ { cx - 7.5, cy + 1 }, { cx - 7, cy - 6 }, { cx, cy - 9 }, { cx + 7, cy - 6 },
                   { cx + 7.5, cy + 1 }, { cx + 5, cy - 3 }, { cx, cy - 4 }, { cx - 5, cy - 3 } }),
            hair);
        f.dot(cx - 2.8, cy + 1, 1.1, ramp.ink);
        f.dot(cx + 2.8, cy + 1, 1.1, ramp.ink);
        return;
    }
    // Seen from the side the hair covers the crown and the back of the head.
    const qreal s = -facing;
    f.part(shape({ { cx - s * 6, cy - 4 }, { cx - s * 2, cy - 8.5 }, { cx + s * 4, cy - 8 },
               { cx + s * 8, cy - 2 }, { cx + s * 7, cy + 6 }, { cx + s * 3, cy + 7 },
               { cx + s * 3, cy - 1 }, { cx - s * 2, cy - 4 } }),
        hair);
    f.dot(cx + facing * 3.2, cy, 1.1, ramp.ink);
}

// ---------------------------------------------------------------------------------------------

void ram(Figure &f)
{
    const Ramp &m = f.main();
    // Far legs, then the woolly body, the near legs, the head and its coiled horn.
    leg(f, f.far(), { { 60, 122 }, { 62, 140 }, { 60, 156 } }, 7, 5, true);
    leg(f, f.far(), { { 100, 122 }, { 104, 140 }, { 102, 156 } }, 7, 5, true);
    leg(f, m, { { 50, 120 }, { 48, 140 }, { 50, 156 } }, 7.5, 5, true);
    leg(f, m, { { 92, 122 }, { 94, 140 }, { 92, 156 } }, 7.5, 5, true);
    QPainterPath body;
    body.setFillRule(Qt::WindingFill);
    for (const auto &[x, y, r] : std::initializer_list<std::array<qreal, 3>> { { 56, 100, 12 },
             { 70, 93, 12.5 }, { 85, 93, 12.5 }, { 99, 99, 11 }, { 104, 112, 10 }, { 95, 124, 10 },
             { 80, 127, 10 }, { 64, 126, 10 }, { 52, 116, 10 } })
        body.addEllipse(QPointF(x, y), r, r);
    body.addEllipse(QPointF(78, 110), 26, 17);
    f.part(body.simplified());
    // Curls of wool.
    for (const auto &[x, y] : std::initializer_list<std::array<qreal, 2>> { { 66, 104 },
             { 80, 100 }, { 94, 106 }, { 72, 118 }, { 88, 118 }, { 100, 118 }, { 58, 112 } }) {
        QPainterPath curl;
        curl.arcMoveTo(QRectF(x - 3.5, y - 3.5, 7, 7), 200);
        curl.arcTo(QRectF(x - 3.5, y - 3.5, 7, 7), 200, -220);
        f.line(curl, m.shade, 1.1);
    }
    f.part(ellipse(110, 106, 5, 6));

    const QPainterPath head = shape({ { 48, 70 }, { 36, 70 }, { 26, 80 }, { 18, 96 }, { 17, 103 },
        { 23, 107 }, { 32, 104 }, { 44, 100 }, { 54, 104, Corner }, { 58, 84 } });
    f.part(head);
    f.dot(31, 86, 1.6, m.ink);
    f.line(curve({ { 18, 100 }, { 22, 101 } }), m.ink, 1.0);
    // The horn: out from the crown, back, down and forward round the ear.
    const QPointF hub(49, 86);
    const QPainterPath horn = coil(hub, 18, 5, 225, 1.0, true, 12, 5);
    f.part(horn, f.accent());
    for (const qreal t : { 0.14, 0.26, 0.38, 0.5, 0.62, 0.74 }) {
        const qreal a = (225 + 360 * t) * std::numbers::pi / 180;
        const qreal r = 18 + (5 - 18) * t;
        const qreal w = (12 + (5 - 12) * t) / 2;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF at = hub + dir * r;
        QPainterPath ridge;
        ridge.moveTo(at - dir * (w - 0.8));
        ridge.lineTo(at + dir * (w - 0.8));
        f.line(ridge, f.accent().shade, 1.0);
    }
}

void bull(Figure &f)
{
    const Ramp &m = f.main();
    leg(f, f.far(), { { 58, 122 }, { 60, 140 }, { 58, 156 } }, 9, 6, true);
    leg(f, f.far(), { { 104, 118 }, { 110, 136 }, { 104, 156 } }, 9, 6, true);
    leg(f, m, { { 46, 118 }, { 46, 140 }, { 46, 156 } }, 10, 6.5, true);
    leg(f, m, { { 94, 114 }, { 98, 136 }, { 92, 156 } }, 10, 6.5, true);
    // The tail swings down from the rump and ends in a tuft.
    f.part(tapered(curve({ { 108, 98 }, { 114, 112 }, { 113, 130 } }), 3.5, 2), m);
    f.part(shape({ { 113, 128 }, { 116, 134 }, { 113, 140 }, { 110, 134 } }), m);
    const QPainterPath body = shape(
        { { 36, 96 }, { 46, 80 }, { 64, 76 }, { 80, 86 }, { 98, 88 }, { 110, 96 }, { 112, 112 },
            { 106, 126 }, { 90, 128 }, { 70, 130 }, { 52, 130 }, { 40, 124 }, { 34, 112 } });
    f.part(body);
    f.line(curve({ { 56, 96 }, { 60, 108 }, { 58, 120 } }), m.shade, 1.2);
    f.line(curve({ { 92, 100 }, { 96, 112 }, { 92, 124 } }), m.shade, 1.2);
    // The lowered head, horns forward.
    f.part(tapered(curve({ { 36, 90 }, { 44, 86 }, { 48, 76 }, { 46, 68 } }), 7, 2), f.accent());
    const QPainterPath head = shape({ { 42, 90 }, { 32, 86 }, { 22, 92 }, { 16, 104 }, { 12, 120 },
        { 14, 128 }, { 22, 131 }, { 30, 126 }, { 36, 114 }, { 44, 106 } });
    f.part(head);
    f.part(ellipse(17, 126, 6, 4.5), f.far());
    f.dot(15, 126, 1.1, m.ink);
    f.dot(24, 100, 1.7, m.ink);
    f.part(tapered(curve({ { 32, 90 }, { 20, 88 }, { 12, 80 }, { 12, 68 } }), 8, 2), f.accent());
    f.part(ellipse(40, 94, 5, 2.8, -20), m);
}

void twins(Figure &f)
{
    const Ramp &m = f.main();
    const auto person = [&](qreal cx, const Ramp &ramp, bool leftSide) {
        const qreal s = leftSide ? -1 : 1;
        // The outer arm hangs by the side.
        f.part(tapered(curve({ { cx + s * 12, 82 }, { cx + s * 16, 100 }, { cx + s * 15, 116 } }),
                   6, 5),
            ramp);
        const QPainterPath robe = shape({ { cx - 10, 80 }, { cx - 13, 100 }, { cx - 15, 130 },
            { cx - 18, 156, Corner }, { cx + 18, 156, Corner }, { cx + 15, 130 }, { cx + 13, 100 },
            { cx + 10, 80 }, { cx, 76 } });
        f.part(robe, ramp);
        f.line(curve({ { cx - 12, 104 }, { cx + 12, 104 } }), ramp.shade, 1.6);
        f.line(curve({ { cx - s * 4, 110 }, { cx - s * 6, 132 }, { cx - s * 8, 154 } }), ramp.shade,
            1.0);
        f.line(curve({ { cx + s * 5, 112 }, { cx + s * 7, 134 }, { cx + s * 9, 154 } }), ramp.shade,
            1.0);
        head(f, cx, 66, 0, m);
    };
    person(80, f.far(), false);
    person(40, m, true);
    // Hands joined between them, and a star over each head.
    f.part(tapered(curve({ { 70, 84 }, { 64, 98 }, { 61, 110 } }), 6, 5), f.far());
    f.part(tapered(curve({ { 50, 84 }, { 56, 98 }, { 59, 110 } }), 6, 5), m);
    f.part(ellipse(60, 112, 4, 3.6), m);
    for (const qreal x : { 40.0, 80.0 }) {
        f.fill(Shapes::star(QPointF(x, 44), 6, 1.6, 4, 0), f.accent().light);
        f.fill(Shapes::star(QPointF(x, 44), 3, 1.2, 4, 45), f.accent().light);
    }
}

void crab(Figure &f)
{
    const Ramp &m = f.main();
    // Four walking legs a side, jointed, and the claws held up.
    for (const bool right : { false, true }) {
        const auto side
            = [&](const QPainterPath &path) { return right ? mirrored(path, 60) : path; };
        const std::initializer_list<std::initializer_list<Knot>> legs {
            { { 38, 110 }, { 22, 102, Corner }, { 10, 114 } },
            { { 38, 118 }, { 18, 116, Corner }, { 8, 132 } },
            { { 40, 126 }, { 22, 132, Corner }, { 14, 148 } },
            { { 46, 132 }, { 32, 144, Corner }, { 28, 158 } },
        };
        // In the figure's own tones, not the darker ones of parts behind: legs this thin show
        // mostly their shaded edge, which has to stand out from the night sky.
        for (const auto &l : legs)
            f.part(side(tapered(curve(l), 5, 2.5)), m);
        f.part(side(tapered(curve({ { 44, 98 }, { 28, 92, Corner }, { 26, 78 } }), 7, 6)), m);
        // The claw: a swollen palm and its two fingers.
        f.part(side(united({ ellipse(26, 70, 9, 11, 10),
                   tapered(curve({ { 20, 66 }, { 16, 54 }, { 22, 44 } }), 7, 1.5),
                   tapered(curve({ { 30, 62 }, { 32, 54 }, { 28, 48 } }), 5.5, 1.5) })),
            m);
    }
    const QPainterPath shell = shape({ { 60, 90 }, { 76, 92 }, { 88, 102 }, { 90, 114 },
        { 82, 128 }, { 60, 136 }, { 38, 128 }, { 30, 114 }, { 32, 102 }, { 44, 92 } });
    f.part(shell);
    f.line(
        curve({ { 46, 104 }, { 52, 112 }, { 60, 114 }, { 68, 112 }, { 74, 104 } }), m.shade, 1.2);
    f.line(curve({ { 50, 122 }, { 60, 126 }, { 70, 122 } }), m.shade, 1.2);
    for (const qreal x : { 53.0, 67.0 }) {
        f.part(tapered(curve({ { x, 92 }, { x + (x < 60 ? -1 : 1), 84 } }), 3, 2.5), m);
        f.dot(x + (x < 60 ? -1 : 1), 83, 2.4, m.ink);
        f.dot(x + (x < 60 ? -1.6 : 0.4), 82.4, 0.8, m.light);
    }
}

void lion(Figure &f)
{
    const Ramp &m = f.main();
    // The far legs, one step darker: a foreleg and a hind leg bent back at the hock.
    f.part(tapered(curve({ { 66, 112 }, { 66, 132 }, { 63, 152 } }), 13, 8), f.far());
    f.part(ellipse(61, 154, 6, 3), f.far());
    f.part(tapered(curve({ { 92, 112 }, { 88, 130 }, { 95, 144, Corner }, { 93, 153 } }), 13, 7),
        f.far());
    f.part(ellipse(91, 154, 6, 3), f.far());
    // The tail hangs from the rump in a curve and ends in its tuft.
    f.part(tapered(curve({ { 108, 102 }, { 114, 108 }, { 115, 120 }, { 113, 128 } }), 4, 2.5), m);
    f.part(shape({ { 111, 126 }, { 116, 130 }, { 115, 138 }, { 110, 134 } }), f.accent());
    // Body and near legs as one outline, so the legs grow out of a deep chest and a round
    // haunch instead of standing under a box: the chest low in front, the belly tucked up
    // towards the hind legs, the thigh swelling over the hind leg.
    const QPainterPath body = shape({ { 40, 100 }, { 56, 94 }, { 78, 97 }, { 96, 95 }, { 108, 100 },
        { 112, 112 }, { 106, 124 }, { 94, 122 }, { 80, 118 }, { 64, 124 }, { 48, 126 } });
    const QPainterPath foreleg = tapered(curve({ { 52, 112 }, { 51, 134 }, { 47, 152 } }), 16, 9);
    const QPainterPath hindLeg
        = tapered(curve({ { 100, 108 }, { 95, 128 }, { 103, 143, Corner }, { 101, 153 } }), 16, 8);
    f.part(united({ body, ellipse(54, 112, 11, 13), ellipse(99, 112, 12, 13), foreleg, hindLeg }));
    // The line of the thigh and of the shoulder over the near legs.
    f.line(curve({ { 90, 104 }, { 86, 116 }, { 92, 127 } }), m.shade, 1.1);
    f.line(curve({ { 64, 104 }, { 63, 116 }, { 58, 126 } }), m.shade, 1.0);
    for (const auto &[x, y] :
        std::initializer_list<std::array<qreal, 2>> { { 45, 155 }, { 99, 155 } }) {
        f.part(ellipse(x, y, 6.5, 3.2), m);
        f.line(curve({ { x - 3, y - 1.5 }, { x - 3, y + 2.5 } }), m.shade, 0.9);
        f.line(curve({ { x, y - 1.5 }, { x, y + 2.5 } }), m.shade, 0.9);
    }
    // The mane, a ring of locks round the head.
    std::vector<Knot> locks;
    for (int i = 0; i < 22; ++i) {
        const qreal a = i * 2 * std::numbers::pi / 22;
        const qreal r = i % 2 ? 19 : 25;
        locks.push_back({ 40 + std::cos(a) * r, 94 + std::sin(a) * r * 1.05, i % 2 == 1 });
    }
    f.part(through(locks, true), f.accent());
    const QPainterPath head = shape({ { 40, 80 }, { 30, 80 }, { 22, 88 }, { 16, 98 }, { 18, 106 },
        { 26, 110 }, { 36, 108 }, { 44, 100 }, { 46, 88 } });
    f.part(head);
    f.part(ellipse(41, 80, 4, 4), m);
    f.dot(28, 92, 1.6, m.ink);
    f.dot(16.5, 99, 1.5, m.ink);
    f.line(curve({ { 18, 104 }, { 24, 105 }, { 28, 103 } }), m.ink, 1.0);
}

void maiden(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    // A wing behind her: long flight feathers fanned out from the shoulder, the shorter ones
    // over them.
    const Ramp &w = f.accent();
    const Ramp feather { w.shade, w.shade, w.base, w.light };
    for (int i = 0; i < 5; ++i) {
        const qreal angle = -38 + i * 17;
        const qreal length = 52 - i * 7;
        QTransform t;
        t.translate(66, 84);
        t.rotate(angle);
        f.part(t.map(shape({ { 0, -4 }, { length * 0.6, -6 }, { length, -2 }, { length + 2, 2 },
                   { length * 0.6, 5 }, { 0, 4 } })),
            feather, 1.0);
    }
    f.part(shape({ { 62, 90 }, { 64, 74 }, { 76, 62 }, { 90, 60 }, { 88, 70 }, { 80, 82 },
               { 72, 92 } }),
        feather, 1.0);
    // A veil over her head, framing her face and falling down her back.
    const Ramp veil { m.ink, m.ink, m.shade, m.base };
    f.part(shape({ { 53, 50 }, { 63, 53 }, { 67, 64 }, { 68, 84 }, { 72, 104 }, { 62, 100 },
               { 58, 84 }, { 46, 80 }, { 40, 70 }, { 42, 56 } }),
        veil);
    const QPainterPath robe = shape({ { 50, 76 }, { 62, 76 }, { 66, 96 }, { 70, 120 }, { 82, 144 },
        { 92, 158, Corner }, { 34, 158, Corner }, { 40, 134 }, { 44, 108 }, { 46, 90 } });
    f.part(robe);
    f.line(curve({ { 56, 104 }, { 54, 130 }, { 50, 156 } }), m.shade, 1.0);
    f.line(curve({ { 62, 110 }, { 68, 134 }, { 76, 156 } }), m.shade, 1.0);
    f.line(curve({ { 46, 96 }, { 64, 96 } }), m.shade, 1.5);
    // Her face seen from the front inside the veil: hair parted over the brow, eyes, a small
    // mouth, in the warm light tone of the wheat so it reads as skin.
    f.part(ellipse(53, 66, 6, 7.5), Ramp { m.ink, a.base, a.light, a.light }, 1.0);
    f.fill(shape({ { 47, 63 }, { 48, 58.5 }, { 53, 58 }, { 58, 58.5 }, { 59, 63 }, { 56, 61 },
               { 53, 60.5, Corner }, { 50, 61 } }),
        m.shade);
    f.dot(50.6, 66, 1.0, m.ink);
    f.dot(55.4, 66, 1.0, m.ink);
    f.line(curve({ { 51.5, 70 }, { 53, 71 }, { 54.5, 70 } }), a.shade, 1.0);
    // The sheaf of wheat she carries in the crook of her arm.
    const Ramp grain { a.shade, a.shade, a.base, a.light };
    for (const auto &[x, y, lean] : std::initializer_list<std::array<qreal, 3>> {
             { 26, 54, -24 }, { 33, 48, -8 }, { 40, 52, 10 } }) {
        f.line(curve({ { 42, 104 }, { (x + 42) / 2, (y + 104) / 2 + 2 }, { x, y + 10 } }), a.shade,
            1.4);
        QTransform t;
        t.translate(x, y);
        t.rotate(lean);
        f.part(
            t.map(shape({ { 0, -9 }, { 3, -4 }, { 3.4, 4 }, { 0, 10 }, { -3.4, 4 }, { -3, -4 } })),
            grain, 1.0);
        for (const qreal gy : { -3.0, 1.0, 5.0 })
            f.line(t.map(curve({ { -2.4, gy }, { 0, gy + 2 }, { 2.4, gy } })), a.shade, 0.9);
    }
    f.part(tapered(curve({ { 58, 80 }, { 48, 96 }, { 38, 90 } }), 6, 5), m);
    f.part(ellipse(38, 89, 3.4, 3.2), m);
}

void scales(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    QPainterPath post;
    post.addRect(QRectF(57, 66, 6, 82));
    f.part(post, a);
    const QPainterPath base = shape(
        { { 46, 146, Corner }, { 74, 146, Corner }, { 86, 158, Corner }, { 34, 158, Corner } });
    f.part(base, a);
    f.part(ellipse(60, 58, 5.5, 5.5), a);
    QPainterPath beam;
    beam.addRoundedRect(QRectF(14, 66, 92, 6), 3, 3);
    f.part(beam, a);
    for (const qreal cx : { 22.0, 98.0 }) {
        // Three cords from the hook to the rim of the pan.
        for (const qreal dx : { -14.0, 0.0, 14.0 })
            f.line(curve({ { cx, 72 }, { cx + dx, 118 } }), a.light, 1.2);
        f.part(ellipse(cx, 72, 3, 3), a);
        const QPainterPath pan = shape({ { cx - 16, 118, Corner }, { cx + 16, 118, Corner },
            { cx + 10, 128 }, { cx, 131 }, { cx - 10, 128 } });
        f.part(pan);
        f.line(curve({ { cx - 15, 118 }, { cx + 15, 118 } }), m.light, 1.4);
    }
}

void scorpion(Figure &f)
{
    const Ramp &m = f.main();
    for (const bool right : { false, true }) {
        const auto side
            = [&](const QPainterPath &path) { return right ? mirrored(path, 60) : path; };
        const std::initializer_list<std::initializer_list<Knot>> legs {
            { { 52, 102 }, { 36, 96, Corner }, { 26, 106 } },
            { { 52, 110 }, { 34, 108, Corner }, { 24, 120 } },
            { { 53, 118 }, { 38, 122, Corner }, { 30, 136 } },
            { { 54, 124 }, { 44, 134, Corner }, { 40, 148 } },
        };
        // In the figure's own tones, not the darker ones of parts behind: legs this thin show
        // mostly their shaded edge, which has to stand out from the night sky.
        for (const auto &l : legs)
            f.part(side(tapered(curve(l), 4, 2)), m);
        f.part(side(tapered(curve({ { 52, 92 }, { 36, 86, Corner }, { 30, 72 } }), 5, 4.5)), m);
        f.part(side(united({ ellipse(29, 66, 6, 8, 12),
                   tapered(curve({ { 24, 64 }, { 20, 54 }, { 25, 46 } }), 5, 1.2),
                   tapered(curve({ { 33, 60 }, { 34, 54 }, { 31, 49 } }), 4, 1.2) })),
            m);
    }
    // Head and the segments of the body, then the tail arching up to the sting.
    const QPainterPath tail = curve({ { 60, 134 }, { 66, 148 }, { 82, 152 }, { 96, 144 },
        { 104, 128 }, { 102, 110 }, { 94, 100 } });
    f.part(tapered(tail, 11, 6));
    for (int i = 1; i < 7; ++i) {
        const qreal t = i / 7.0;
        const QPointF at = tail.pointAtPercent(t);
        const QPointF d = tail.pointAtPercent(t + 0.01) - at;
        const qreal len = std::hypot(d.x(), d.y());
        const QPointF n(-d.y() / len, d.x() / len);
        const qreal w = (11 + (6 - 11) * t) / 2 - 0.8;
        f.line(curve({ { (at + n * w).x(), (at + n * w).y() },
                   { (at - n * w).x(), (at - n * w).y() } }),
            m.ink, 1.0);
    }
    // The sting: a small bulb at the end of the tail and a spine hooking up and over from it
    // to a sharp point, clear of the claw above.
    f.part(united({ ellipse(93, 96, 5.5, 4.2, -50),
               tapered(curve({ { 92, 93 }, { 93, 87 }, { 98, 83.5 }, { 104, 85 } }), 4.6, 0.2) }),
        f.accent(), 0.8);
    for (int i = 4; i >= 0; --i)
        f.part(ellipse(60, 106 + i * 7, 11 - i * 0.8, 5.5));
    f.part(shape({ { 50, 88 }, { 60, 84 }, { 70, 88 }, { 70, 100 }, { 60, 104 }, { 50, 100 } }));
    f.dot(56, 90, 1.2, m.ink);
    f.dot(64, 90, 1.2, m.ink);
}

void archer(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    leg(f, f.far(), { { 60, 120 }, { 64, 136 }, { 58, 156 } }, 8, 5, true);
    leg(f, f.far(), { { 104, 116 }, { 110, 134 }, { 104, 156 } }, 8, 5, true);
    f.part(tapered(curve({ { 108, 104 }, { 116, 118 }, { 112, 140 } }), 7, 2), f.far());
    // The rider's body and the horse's as one outline: the man's back runs in a smooth curve
    // into the horse's withers, and his belly into its chest, with no seam between them.
    const QPainterPath centaur = shape({ { 40, 80 }, { 46, 74 }, { 58, 74 }, { 64, 80 }, { 62, 90 },
        { 66, 98 }, { 84, 101 }, { 104, 100 }, { 112, 110 }, { 108, 122 }, { 94, 126 }, { 70, 128 },
        { 54, 124 }, { 46, 114 }, { 43, 100 }, { 42, 90 } });
    const QPainterPath foreleg = tapered(curve({ { 52, 118 }, { 48, 138 }, { 52, 156 } }), 9, 5);
    const QPainterPath hindLeg = tapered(curve({ { 96, 116 }, { 100, 136 }, { 94, 156 } }), 10, 5);
    f.part(united({ centaur, foreleg, hindLeg }));
    for (const QPointF end : { QPointF(52, 156), QPointF(94, 156) }) {
        QPainterPath hoof;
        hoof.addRoundedRect(QRectF(end.x() - 3, end.y() - 3.5, 6, 4), 1, 1);
        f.part(hoof, Ramp { m.ink, m.ink, m.ink, m.shade }, 0.8);
    }
    // A sash at the waist, where the man becomes the horse.
    f.line(curve({ { 43, 104 }, { 52, 108 }, { 63, 102 } }), m.shade, 1.2);
    f.line(curve({ { 47, 92 }, { 52, 95 }, { 57, 92 } }), m.shade, 1.0);
    head(f, 52, 62, -1, m);
    // The bow drawn, the arrow aimed high to the left.
    QTransform aim;
    aim.translate(48, 76);
    aim.rotate(-14);
    aim.translate(-48, -76);
    const auto aimed = [&](qreal x, qreal y) {
        const QPointF at = aim.map(QPointF(x, y));
        return Knot { at.x(), at.y() };
    };
    f.line(curve({ aimed(33, 45), aimed(54, 72), aimed(33, 99) }), a.light, 1.0);
    f.part(tapered(curve({ aimed(21, 72), aimed(23, 56), aimed(33, 44) }), 5.5, 2.5), a, 1.0);
    f.part(tapered(curve({ aimed(21, 72), aimed(23, 88), aimed(33, 100) }), 5.5, 2.5), a, 1.0);
    f.part(tapered(curve({ aimed(54, 72), aimed(12, 72) }), 2.4, 2.4), a, 0.8);
    f.part(
        aim.map(shape({ { 5, 72, Corner }, { 14, 67, Corner }, { 12, 72 }, { 14, 77, Corner } })),
        a, 0.8);
    f.part(tapered(curve({ { 44, 80 }, aimed(34, 73), aimed(22, 72) }), 6, 5), m);
    f.part(tapered(curve({ { 60, 80 }, { 68, 74 }, aimed(54, 72) }), 6, 5), m);
}

void seaGoat(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    // The fish's tail curls up behind, ending in a fan.
    const QPainterPath tailLine
        = curve({ { 46, 112 }, { 74, 122 }, { 96, 116 }, { 106, 100 }, { 102, 84 } });
    f.part(shape({ { 102, 86 }, { 94, 74 }, { 92, 60 }, { 102, 68 }, { 106, 62 }, { 114, 58 },
               { 112, 72 }, { 106, 86 } }),
        a);
    f.part(tapered(tailLine, 28, 7));
    for (int i = 1; i < 7; ++i) {
        const qreal t = i / 8.0;
        const QPointF at = tailLine.pointAtPercent(t);
        const qreal w = (28 + (7 - 28) * t) / 2 - 1.5;
        const QPointF d = tailLine.pointAtPercent(t + 0.02) - at;
        const qreal len = std::hypot(d.x(), d.y());
        const QPointF n(-d.y() / len, d.x() / len);
        QPainterPath scale;
        scale.moveTo(at + n * w);
        scale.quadTo(at + d / len * 6, at - n * w);
        f.line(scale, m.shade, 1.0);
    }
    // The goat: forelegs folded, chest, bearded head and swept-back horns.
    f.part(tapered(curve({ { 44, 118 }, { 32, 128, Corner }, { 36, 140 } }), 6, 4.5), f.far());
    f.part(tapered(curve({ { 52, 120 }, { 44, 134, Corner }, { 50, 146 } }), 6.5, 5));
    f.part(shape({ { 32, 90 }, { 44, 82 }, { 56, 96 }, { 58, 116 }, { 48, 124 }, { 36, 116 } }));
    f.part(tapered(curve({ { 36, 72 }, { 44, 58 }, { 58, 50 }, { 70, 52 }, { 76, 60 } }), 9, 2), a);
    f.part(shape({ { 40, 66 }, { 44, 74 }, { 42, 84 }, { 32, 96 }, { 24, 100 }, { 18, 96 },
        { 20, 88 }, { 28, 74 } }));
    f.part(shape({ { 26, 98 }, { 30, 106 }, { 24, 112, Corner }, { 22, 102 } }), f.far());
    f.part(ellipse(44, 74, 6, 2.8, 30), m);
    f.dot(32, 78, 1.6, m.ink);
}

void waterBearer(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    const QPainterPath robe = shape({ { 28, 76 }, { 42, 76 }, { 46, 96 }, { 48, 124 },
        { 54, 158, Corner }, { 14, 158, Corner }, { 20, 126 }, { 24, 98 } });
    f.part(robe);
    f.line(curve({ { 30, 104 }, { 28, 130 }, { 26, 156 } }), m.shade, 1.0);
    f.line(curve({ { 38, 104 }, { 42, 130 }, { 44, 156 } }), m.shade, 1.0);
    f.line(curve({ { 24, 98 }, { 46, 98 } }), m.shade, 1.5);
    head(f, 35, 64, 1, m);
    // The jar held out at shoulder height, tipped forward so the water runs from its mouth.
    QTransform tip;
    tip.translate(64, 84);
    tip.rotate(62);
    const QPainterPath jar = tip.map(shape({ { 0, -15 }, { 8, -10 }, { 11, 0 }, { 8, 12 },
        { 4, 15, Corner }, { -4, 15, Corner }, { -8, 12 }, { -11, 0 }, { -8, -10 } }));
    const QPointF mouth = tip.map(QPointF(0, -16));
    for (const auto &[dx, w] :
        std::initializer_list<std::array<qreal, 2>> { { 0, 6 }, { 7, 4.5 }, { 13, 3.5 } }) {
        const QPainterPath stream = curve({ { mouth.x(), mouth.y() + dx * 0.2 },
            { mouth.x() + 10 + dx * 0.4, mouth.y() + 6 + dx * 0.3 }, { 96 + dx * 0.6, 100 },
            { 98 + dx * 0.8, 128 }, { 96 + dx, 156 } });
        f.part(tapered(stream, w, w * 0.75), a, 0.9);
    }
    for (const auto &[x, y, r] : std::initializer_list<std::array<qreal, 3>> {
             { 88, 154, 2 }, { 114, 150, 1.6 }, { 86, 144, 1.3 } })
        f.part(ellipse(x, y, r, r), a, 0.7);
    f.part(tapered(curve({ { 42, 82 }, { 52, 94 }, { 60, 96 } }), 5.5, 5), m);
    f.part(jar, f.far());
    f.part(tip.map(ellipse(0, -14, 5.5, 2.4)), f.far());
    f.line(tip.map(curve({ { -10, 3 }, { 0, 6 }, { 10, 3 } })), m.light, 1.2);
    f.part(tapered(curve({ { 40, 78 }, { 50, 76 }, { 60, 72 } }), 5.5, 5), m);
}

void fishes(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    // A cord ties the two together by their tails, knotted between them.
    f.line(curve({ { 32, 74 }, { 22, 84 }, { 15, 98 }, { 24, 109 }, { 44, 112 }, { 66, 111 },
               { 88, 113 }, { 98, 121 }, { 94, 131 }, { 90, 136 } }),
        a.light, 1.6);
    f.part(ellipse(44, 112, 3.5, 3), a, 0.8);
    const auto fish = [&](qreal cx, qreal cy, bool facingRight, const Ramp &ramp) {
        QPainterPath body = shape({ { -30, 0, Corner }, { -14, -10 }, { 8, -12 }, { 30, 0, Corner },
            { 8, 12 }, { -14, 10 } });
        QPainterPath tail
            = shape({ { -26, 0, Corner }, { -40, -12, Corner }, { -36, 0 }, { -40, 12, Corner } });
        QPainterPath fin = shape({ { -6, -10, Corner }, { 4, -20, Corner }, { 12, -10, Corner } });
        QTransform place;
        place.translate(cx, cy);
        if (!facingRight)
            place.scale(-1, 1);
        f.part(place.map(fin), a);
        f.part(place.map(tail), a);
        f.part(place.map(body), ramp);
        f.line(place.map(curve({ { 14, -8 }, { 11, 0 }, { 14, 8 } })), ramp.shade, 1.2);
        for (const auto &[x, y] : std::initializer_list<std::array<qreal, 2>> {
                 { -12, -3 }, { -4, 2 }, { 4, -3 }, { -12, 6 } }) {
            QPainterPath scale;
            scale.moveTo(x - 3, y - 2.5);
            scale.quadTo(x + 2, y, x - 3, y + 2.5);
            f.line(place.map(scale), ramp.shade, 1.0);
        }
        const QPointF eye = place.map(QPointF(21, -2));
        f.dot(eye.x(), eye.y(), 2.2, ramp.ink);
        f.dot(eye.x() - 0.5, eye.y() - 0.6, 0.7, ramp.light);
    };
    fish(60, 74, true, m);
    fish(62, 136, false, m);
    // Where the cord is wound round each tail, just before the fin.
    for (const QPointF at : { QPointF(32, 74), QPointF(90, 136) }) {
        QPainterPath wrap;
        wrap.addRoundedRect(QRectF(at.x() - 1.8, at.y() - 4, 3.6, 8), 1.2, 1.2);
        f.part(wrap, Ramp { a.shade, a.light, a.light, a.light }, 0.8);
    }
}

} // namespace

void paint(QPainter &p, int sign, const Colours &colours)
{
    Figure f(p, colours);
    switch (sign) {
    case 0:
        ram(f);
        break;
    case 1:
        bull(f);
        break;
    case 2:
        twins(f);
        break;
    case 3:
        crab(f);
        break;
    case 4:
        lion(f);
        break;
    case 5:
        maiden(f);
        break;
    case 6:
        scales(f);
        break;
    case 7:
        scorpion(f);
        break;
    case 8:
        archer(f);
        break;
    case 9:
        seaGoat(f);
        break;
    case 10:
        waterBearer(f);
        break;
    case 11:
        fishes(f);
        break;
    default:
        break;
    }
}

} // namespace Figures
