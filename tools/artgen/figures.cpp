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

QColor rgb(QRgb value)
{
    return QColor(value);
}

// The tones of parts that stand behind the others (the far legs): one step darker.
Ramp behind(const Ramp &r)
{
    return { r.ink, r.ink, r.shade, r.base };
}

// The materials a sign's figure is painted in; the first is the figure itself, the second what
// it holds or wears. Every ink is kept light enough (at least 1.5:1 against the night sky) that
// an outline never turns into a hole in the silhouette.
std::vector<Ramp> materials(int sign)
{
    const Ramp skin { rgb(0x6a3018), rgb(0xb87a58), rgb(0xe8b088), rgb(0xf8d4b4) };
    switch (sign) {
    case 0: // red fleece, horn
        return { { rgb(0x74261c), rgb(0xb02e26), rgb(0xe8463a), rgb(0xf8866a) },
            { rgb(0x74261c), rgb(0xa8844e), rgb(0xe6c88c), rgb(0xfaecc6) } };
    case 1: // green hide, ivory horns
        return { { rgb(0x1e5222), rgb(0x2e8236), rgb(0x4cae48), rgb(0x9ad878) },
            { rgb(0x5a4a2a), rgb(0xb0a276), rgb(0xece0b4), rgb(0xfff8e0) },
            { rgb(0x1e5222), rgb(0x286c2c), rgb(0x3a963c), rgb(0x4cae48) } };
    case 2: // two tunics, gold and amber; skin; dark and auburn hair
        return { { rgb(0x5a3a1c), rgb(0xc48c1c), rgb(0xf2c230), rgb(0xfbe27c) },
            { rgb(0x5a3a1c), rgb(0xa85a14), rgb(0xe08a24), rgb(0xf2c230) },
            { rgb(0x5a3a1c), rgb(0xb87a58), rgb(0xe8b088), rgb(0xf8d4b4) },
            { rgb(0x5a3a1c), rgb(0x5a3a1c), rgb(0x5a3a1c), rgb(0x8a4e28) },
            { rgb(0x5a3a1c), rgb(0x8a4e28), rgb(0xb86a30), rgb(0xe08a24) } };
    case 3: // steel-blue shell, deep enough to stand out from the moonlit sand
        return { { rgb(0x34406a), rgb(0x56689a), rgb(0x8498c8), rgb(0xc8d4ee) },
            { rgb(0x34406a), rgb(0x34406a), rgb(0x34406a), rgb(0xc8d4ee) } };
    case 4: // orange coat, russet mane
        return { { rgb(0x7a3a10), rgb(0xc0661a), rgb(0xf5912a), rgb(0xfcc46c) },
            { rgb(0x7a3a10), rgb(0x7e3416), rgb(0xb4522a), rgb(0xd87a44) } };
    case 5: // olive robe, wheat, skin, pale wings
        return { { rgb(0x4a4a14), rgb(0x7a7626), rgb(0xa6a038), rgb(0xd4ce6a) },
            { rgb(0x4a4a14), rgb(0xb88a24), rgb(0xeaba42), rgb(0xf8e08a) },
            { rgb(0x6a3018), rgb(0xc88e6c), rgb(0xecc0a0), rgb(0xecc0a0) },
            { rgb(0x4a4a14), rgb(0x9aa6cc), rgb(0xcfd5ea), rgb(0xffffff) } };
    case 6: // brass, rose pans
        return { { rgb(0x6a4a14), rgb(0xb8467a), rgb(0xec6aa0), rgb(0xf8a8c8) },
            { rgb(0x6a4a14), rgb(0xb08420), rgb(0xe8b840), rgb(0xf8e08a) } };
    case 7: // magenta carapace
        return { { rgb(0x6c2068), rgb(0xc052b6), rgb(0xe06ed2), rgb(0xf8b0ec) } };
    case 8: // chestnut horse, skin, blue cloak, gold bow
        return { { rgb(0x6a3018), rgb(0x94461f), rgb(0xc06a32), rgb(0xe49a5c) },
            { rgb(0x6a3018), rgb(0xb8862a), rgb(0xe8b840), rgb(0xf8d4b4) }, skin,
            { rgb(0x6a3018), rgb(0x34409e), rgb(0x5a6ae8), rgb(0x5a6ae8) } };
    case 9: // brown goat, cream horn, sea-green tail
        return { { rgb(0x623a1c), rgb(0x8e5a30), rgb(0xc08450), rgb(0xe0b282) },
            { rgb(0x623a1c), rgb(0xb09a70), rgb(0xe6d6aa), rgb(0xfaf0d6) },
            { rgb(0x1c5650), rgb(0x2e8a7c), rgb(0x52b4a4), rgb(0x9ee0d2) } };
    case 10: // azure tunic, skin, terracotta jar, water
        return { { rgb(0x523858), rgb(0x1f82c0), rgb(0x3cb4ec), rgb(0x9ddcf8) },
            { rgb(0x523858), rgb(0x96401e), rgb(0xcc6a3a), rgb(0xec9a64) },
            { rgb(0x523858), rgb(0xb87a58), rgb(0xe8b088), rgb(0xf8d4b4) },
            { rgb(0x1f82c0), rgb(0x9ddcf8), rgb(0xc8f0ff), rgb(0xffffff) } };
    case 11: // sea green, coral fins
        return { { rgb(0x145a4a), rgb(0x1e8a70), rgb(0x2ebd9a), rgb(0x8ee6c8) },
            { rgb(0x145a4a), rgb(0xc85a44), rgb(0xf48c6c), rgb(0xfcc0a4) } };
    default:
        return { skin, skin };
    }
}

// Paints the parts of one figure in its tones.
class Figure
{
public:
    Figure(QPainter &p, std::vector<Ramp> materials)
        : m_p(p)
        , m_materials(std::move(materials))
        , m_far(behind(m_materials[0]))
    { }

    const Ramp &main() const { return m_materials[0]; }
    const Ramp &accent() const { return m_materials[1]; }
    const Ramp &material(std::size_t i) const { return m_materials[i]; }
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
    void part(const QPainterPath &outline) { part(outline, main()); }

    // A line drawn on a part: a fold, a curl of wool, a mouth.
    void line(const QPainterPath &centre, const QColor &colour, qreal width = 1.0)
    {
        m_p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawPath(centre);
    }

    // A line one pixel wide without smoothing, so it stays whole after colour reduction: a
    // bow string, an awn.
    void thread(QPointF from, QPointF to, const QColor &colour)
    {
        m_p.save();
        m_p.setRenderHint(QPainter::Antialiasing, false);
        m_p.setPen(QPen(colour, 0));
        m_p.drawLine(from, to);
        m_p.restore();
    }

    // One pixel in one tone: an eye, a glint.
    void pixel(qreal x, qreal y, const QColor &colour)
    {
        m_p.fillRect(QRect(qRound(x - 0.5), qRound(y - 0.5), 1, 1), colour);
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
    std::vector<Ramp> m_materials;
    Ramp m_far;
};

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

// A hand or a foot: a small lit oval.
void hand(Figure &f, qreal x, qreal y, const Ramp &skin, qreal rx = 2.6, qreal ry = 2.4)
{
    f.part(ellipse(x, y, rx, ry), skin, 0.9);
}

// A face in profile looking left (`facing` -1) or right (1) round (cx, cy): brow, nose, lips
// and chin on the front, the hair over the crown and the back of the head.
void profile(
    Figure &f, qreal cx, qreal cy, int facing, const Ramp &skin, const Ramp &hair, qreal scale = 1)
{
    const qreal s = facing;
    QTransform t;
    t.translate(cx, cy);
    t.scale(scale, scale);
    t.translate(-cx, -cy);
    f.part(t.map(shape({ { cx - s * 1, cy - 8 }, { cx + s * 4, cy - 6 }, { cx + s * 5, cy - 2 },
               { cx + s * 7, cy + 1, Corner }, { cx + s * 5, cy + 2.5 }, { cx + s * 5, cy + 4 },
               { cx + s * 4, cy + 6.5 }, { cx, cy + 7.5 }, { cx - s * 4, cy + 5 },
               { cx - s * 5.5, cy - 1 }, { cx - s * 4, cy - 6 } })),
        skin, 1.0);
    f.part(t.map(shape({ { cx - s * 6, cy + 4 }, { cx - s * 6.5, cy - 3 }, { cx - s * 3, cy - 8.5 },
               { cx + s * 3, cy - 8.5 }, { cx + s * 5.5, cy - 5 }, { cx + s * 2, cy - 4.5 },
               { cx - s * 1, cy - 2 }, { cx - s * 2, cy + 2 }, { cx - s * 3, cy + 6 } })),
        hair, 1.0);
    const QPointF eye = t.map(QPointF(cx + s * 3, cy - 1.5));
    f.pixel(eye.x(), eye.y(), skin.ink);
}

// A face seen from the front, tilted by `degrees` about the neck.
void frontFace(
    Figure &f, qreal cx, qreal cy, qreal degrees, const Ramp &skin, const Ramp &hair, bool curls)
{
    QTransform t;
    t.translate(cx, cy + 7);
    t.rotate(degrees);
    t.translate(-cx, -cy - 7);
    // Drawn a little larger than the layout below, so the head is an eighth of the body.
    t.translate(cx, cy);
    t.scale(1.14, 1.14);
    t.translate(-cx, -cy);
    // The face is lit evenly; shading its lower edge would read as a beard at this size.
    f.part(
        t.map(ellipse(cx, cy, 5.8, 7)), Ramp { skin.ink, skin.base, skin.base, skin.light }, 1.0);
    if (curls) {
        QPainterPath hair1;
        hair1.setFillRule(Qt::WindingFill);
        for (const auto &[dx, dy, r] :
            std::initializer_list<std::array<qreal, 3>> { { -5, -2, 2.6 }, { -4, -5.5, 2.8 },
                { 0, -7, 3 }, { 4, -5.5, 2.8 }, { 5, -2, 2.6 } })
            hair1.addEllipse(QPointF(cx + dx, cy + dy), r, r);
        f.part(t.map(hair1.simplified()), hair, 1.0);
    } else {
        f.part(t.map(shape({ { cx - 6.2, cy + 1 }, { cx - 6, cy - 5 }, { cx - 1, cy - 8.2 },
                   { cx + 5, cy - 6.5 }, { cx + 6.3, cy - 1 }, { cx + 4, cy - 3.8 },
                   { cx - 1, cy - 4.8, Corner }, { cx - 4, cy - 3 } })),
            hair, 1.0);
    }
    // Two matching eye pixels on one row and a mouth pixel below them, centred.
    const QPointF middle = t.map(QPointF(cx, cy + 0.4));
    const QPointF mouth = t.map(QPointF(cx, cy + 4));
    const qreal eyeRow = std::floor(middle.y()) + 0.5, eyeLeft = std::floor(middle.x()) - 1.5;
    f.pixel(eyeLeft, eyeRow, skin.ink);
    f.pixel(eyeLeft + 4, eyeRow, skin.ink);
    f.pixel(std::floor(mouth.x()) + 0.5, std::floor(mouth.y()) + 0.5, skin.shade);
}

// ---------------------------------------------------------------------------------------------

void archer(Figure &f)
{
    const Ramp &hide = f.main();
    const Ramp &gold = f.accent();
    const Ramp &skin = f.material(2);
    const Ramp &cloak = f.material(3);
    const Ramp hoof { hide.ink, hide.ink, hide.ink, hide.shade };
    const Ramp hair { hide.ink, hide.ink, hide.ink, hide.shade };
    // The horse is drawn a little narrower than it is laid out, so its tail hangs well inside
    // the picture.
    QTransform narrow;
    narrow.translate(50, 0);
    narrow.scale(0.93, 1);
    narrow.translate(-50, 0);
    const auto horse = [&](const QPainterPath &path) { return narrow.map(path); };
    // The far legs: a foreleg lifted at the knee, a hind leg bent back at the hock.
    f.part(
        horse(tapered(curve({ { 64, 114 }, { 56, 130, Corner }, { 60, 144 } }), 7.5, 4)), f.far());
    f.part(horse(ellipse(60.5, 145, 3, 2.2, 20)), hoof, 0.8);
    f.part(horse(tapered(
               curve({ { 100, 114 }, { 96, 130 }, { 105, 142, Corner }, { 103, 154 } }), 9, 4)),
        f.far());
    f.part(horse(ellipse(103, 155, 3.2, 2.2)), hoof, 0.8);
    // The tail, full and flowing from the croup.
    f.part(horse(shape({ { 106, 103 }, { 112, 106 }, { 115, 120 }, { 113, 138 }, { 108, 148 },
               { 108, 132 }, { 105, 116 } })),
        hair);
    // The man: a broad torso rising from the horse's withers, as long as two of his heads.
    f.part(shape({ { 48.5, 110 }, { 49.5, 98 }, { 47, 88 }, { 45, 79 }, { 50, 74 }, { 63, 74 },
               { 70, 77 }, { 70.5, 86 }, { 67, 97 }, { 68, 110 } }),
        skin);
    f.line(curve({ { 48.5, 85 }, { 54, 88 }, { 59, 86.5 } }), skin.shade, 1.0);
    f.line(curve({ { 59, 86.5 }, { 64, 88 }, { 67.5, 85.5 } }), skin.shade, 1.0);
    f.line(curve({ { 64.5, 90 }, { 63.5, 95 }, { 64.5, 99 } }), skin.shade, 1.0);
    f.pixel(58.5, 96.5, skin.shade);
    // The horse: a deep chest whose coat begins at his hips in a soft curve, a level back, the
    // croup and a round haunch; the near legs jointed at knee, fetlock and hock.
    const QPainterPath barrel = shape({ { 46, 112 }, { 48, 104 }, { 53, 100.5 }, { 59, 99.5 },
        { 66, 100.5 }, { 72, 103 }, { 86, 102 }, { 100, 99 }, { 110, 104 }, { 112, 114 },
        { 106, 122 }, { 94, 124 }, { 78, 126 }, { 64, 124 }, { 52, 120 } });
    const QPainterPath foreleg
        = tapered(curve({ { 56, 114 }, { 55, 132 }, { 57, 146 }, { 55, 154 } }), 9, 4);
    const QPainterPath hindLeg
        = tapered(curve({ { 99, 110 }, { 95, 128 }, { 104, 142, Corner }, { 102, 154 } }), 14, 4.5);
    f.part(horse(united({ barrel, foreleg, hindLeg, ellipse(55.5, 132, 3.6, 3.2) })), hide);
    f.line(horse(curve({ { 92, 106 }, { 90, 116 }, { 96, 123 } })), hide.shade, 1.0);
    f.line(horse(curve({ { 50, 108 }, { 53, 114 }, { 60, 118 } })), hide.shade, 1.0);
    for (const QPointF end : { QPointF(55, 155), QPointF(102, 155) })
        f.part(horse(ellipse(end.x(), end.y(), 3.4, 2.2)), hoof, 0.8);
    // The bow held out at arm's length; the drawing hand rests at his jaw with the arrow's nock
    // and both halves of the string in it.
    const QPointF draw(51, 67);
    const QPointF grip(25, 67), top(32, 43), bottom(32, 91);
    // The cloak falls from his far shoulder onto the horse's back.
    f.part(shape({ { 66, 75 }, { 72, 79 }, { 80, 90 }, { 88, 101 }, { 78, 104 }, { 70, 103 },
               { 69, 90 } }),
        cloak);
    QPainterPath neck;
    neck.addRect(QRectF(53, 63, 6, 12));
    f.part(neck, skin, 1.0);
    profile(f, 56, 58.5, -1, skin, hair, 1.1);
    // The bow arm, straight from the near shoulder to the grip.
    f.part(tapered(curve({ { 49, 77 }, { 38, 72 }, { grip.x() + 1, grip.y() } }), 5.4, 3.8), skin,
        1.0);
    f.part(tapered(curve({ { grip.x(), grip.y() }, { 22, 56 }, { 25, 48 }, { top.x(), top.y() } }),
               3.6, 2.2),
        gold, 0.9);
    f.part(tapered(curve({ { grip.x(), grip.y() }, { 22, 78 }, { 25, 86 },
                       { bottom.x(), bottom.y() } }),
               3.6, 2.2),
        gold, 0.9);
    hand(f, grip.x(), grip.y(), skin);
    // The string, pale in the moonlight, pulled from both tips of the bow to the nock; it
    // passes in front of his face and clear of his chest.
    f.thread(top, draw, Qt::white);
    f.thread(bottom, draw, Qt::white);
    // The arrow laid from the nock in the drawing hand across the grip, the head beyond it.
    f.thread(draw, QPointF(16, draw.y()), gold.ink);
    f.thread(QPointF(draw.x() - 1, draw.y() - 1), QPointF(16, draw.y() - 1), gold.light);
    // The arrowhead, set pixel by pixel: a point, two barbs and a neck, lit on its upper half.
    for (const auto &[x, top, bottom] :
        std::initializer_list<std::array<int, 3>> { { 9, 66, 67 }, { 10, 65, 68 }, { 11, 65, 68 },
            { 12, 64, 69 }, { 13, 64, 69 }, { 14, 66, 67 }, { 15, 66, 67 } }) {
        for (int y = top; y <= bottom; ++y)
            f.pixel(x + 0.5, y + 0.5, y <= 66 ? gold.base : gold.shade);
    }
    // The drawing arm: the upper arm raised back from the far shoulder to an elbow above it,
    // the forearm level with the arrow to the hand at the jaw.
    f.part(tapered(curve({ { 66, 77 }, { 76, 66 } }), 5.8, 4.8), skin, 1.0);
    f.part(tapered(curve({ { 76, 66.5 }, { 66, 67.5 }, { draw.x() + 2, draw.y() } }), 4.8, 3.6),
        skin, 1.0);
    hand(f, draw.x() + 1.5, draw.y(), skin, 2.6, 2.4);
}

void scorpion(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp plate { m.ink, m.ink, m.shade, m.base };
    for (const bool right : { false, true }) {
        const auto side
            = [&](const QPainterPath &path) { return right ? mirrored(path, 60) : path; };
        // Four walking legs a side, each raised to a knee and down to the ground.
        const std::initializer_list<std::initializer_list<Knot>> legs {
            { { 52, 102 }, { 38, 94, Corner }, { 28, 104 } },
            { { 52, 108 }, { 34, 104, Corner }, { 24, 118 } },
            { { 52, 115 }, { 37, 116, Corner }, { 27, 132 } },
            { { 53, 121 }, { 42, 128, Corner }, { 37, 144 } },
        };
        for (const auto &l : legs) {
            f.part(side(tapered(curve(l), 3.6, 2.2)), m, 0.9);
            const Knot knee = *(l.begin() + 1);
            const QPointF at = right ? QPointF(120 - knee.x, knee.y) : QPointF(knee.x, knee.y);
            f.dot(at.x(), at.y() - 0.6, 1.1, m.light);
        }
        // The pincer on its jointed arm.
        f.part(side(tapered(curve({ { 52, 92 }, { 40, 86, Corner }, { 34, 74 } }), 5.5, 4.5)), m);
        f.part(side(united({ ellipse(31, 66, 6.5, 8.5, 14),
                   tapered(curve({ { 26, 62 }, { 23, 53 }, { 27, 45 } }), 5, 1.2) })),
            m);
        f.part(side(tapered(curve({ { 35, 60 }, { 36, 54 }, { 33, 48 } }), 4, 1.2)), m, 0.9);
    }
    // The tail arches round and up in five swelling segments to the sting.
    const QPainterPath tail = curve({ { 60, 132 }, { 64, 146 }, { 78, 152 }, { 94, 146 },
        { 102, 130 }, { 100, 114 }, { 93, 105 } });
    f.part(tapered(tail, 9, 6));
    for (int i = 5; i >= 0; --i) {
        const qreal t = 0.02 + i * 0.175;
        const QPointF at = tail.pointAtPercent(t);
        const QPointF d = tail.pointAtPercent(std::min(1.0, t + 0.02)) - at;
        const qreal angle = std::atan2(d.y(), d.x()) * 180 / std::numbers::pi;
        f.part(ellipse(at.x(), at.y(), 9 - i * 0.5, 5.6 - i * 0.35, angle), m);
    }
    // The sting: a bulb and a barb hooked back over it, pale at the point.
    f.part(
        united({ ellipse(92, 101, 5, 4, -55),
            tapered(curve({ { 90, 98 }, { 86.5, 92 }, { 88.5, 86.5 }, { 95, 85 } }), 4.6, 1.8) }),
        m, 0.9);
    f.line(curve({ { 90, 87 }, { 94, 85.5 } }), m.light, 1.0);
    // The body: eight plates narrowing to the tail, under the head.
    for (int i = 4; i >= 0; --i)
        f.part(ellipse(60, 104 + i * 6.5, 12.5 - i * 0.7, 5.2), i % 2 ? plate : m);
    f.part(shape({ { 49, 88 }, { 60, 83 }, { 71, 88 }, { 72, 99 }, { 60, 102 }, { 48, 99 } }));
    for (const qreal x : { 56.5, 63.5 }) {
        f.dot(x, 89, 1.4, m.ink);
        f.dot(x - 0.4, 88.6, 0.5, m.light);
    }
}

void waterBearer(Figure &f)
{
    const Ramp &tunic = f.main();
    const Ramp &jarTone = f.accent();
    const Ramp &skin = f.material(2);
    const Ramp &water = f.material(3);
    const Ramp hair { skin.ink, jarTone.shade, jarTone.shade, jarTone.base };
    // The water pours from the jar's mouth in an arc down into a pool on the sand.
    for (const auto &[dx, w] :
        std::initializer_list<std::array<qreal, 2>> { { 0, 5 }, { 5, 3.4 } }) {
        f.part(tapered(curve({ { 78, 79 }, { 86 + dx, 86 }, { 93 + dx, 104 }, { 96 + dx, 130 },
                           { 97 + dx, 152 } }),
                   w, w + 1.5),
            water, 0.9);
    }
    f.part(ellipse(99, 154, 11, 3.2), water, 0.9);
    for (const auto &[x, y, r] : std::initializer_list<std::array<qreal, 3>> {
             { 86, 147, 1.6 }, { 112, 146, 1.5 }, { 108, 141, 1.1 }, { 89, 141, 1.1 } })
        f.part(ellipse(x, y, r, r), water, 0.7);
    // The far leg, then the near one, bare below the tunic, in sandals. She stands on the
    // far leg, straight and under her head; the near one is relaxed, the knee forward and
    // the foot resting ahead on its toes.
    f.part(
        tapered(curve({ { 33, 121 }, { 34, 137, Corner }, { 35, 153 } }), 7.4, 3.8), behind(skin));
    f.part(tapered(curve({ { 43, 124 }, { 50, 138, Corner }, { 50, 151.5 } }), 7.5, 3.8), skin);
    f.line(curve({ { 48, 137 }, { 49.5, 138.5 } }), skin.shade, 1.0);
    f.part(ellipse(36.5, 155, 4, 2), hair, 0.8);
    f.part(ellipse(52.5, 154.2, 4.2, 1.9, 12), hair, 0.8);
    // The tunic: shoulders level, the belt and the hem tilted, as the hip over the standing
    // leg rides higher.
    QTransform hips;
    hips.translate(38, 96);
    hips.rotate(5);
    hips.translate(-38, -96);
    const auto hip = [&](qreal x, qreal y) {
        const QPointF p = hips.map(QPointF(x, y));
        return Knot { p.x(), p.y() };
    };
    const Knot hemLeft = hip(22, 126), hemRight = hip(55, 126);
    f.part(through({ { 29, 73 }, { 38, 71 }, { 48, 73 }, { 50, 84 }, hip(47, 96), hip(51, 110),
                       { hemRight.x, hemRight.y, Corner }, { hemLeft.x, hemLeft.y, Corner },
                       hip(26, 110), hip(29, 96), { 27, 84 } },
               true),
        tunic);
    f.line(hips.map(curve({ { 34, 102 }, { 32, 114 }, { 30, 124 } })), tunic.shade, 1.0);
    f.line(hips.map(curve({ { 42, 102 }, { 45, 114 }, { 48, 124 } })), tunic.shade, 1.0);
    f.part(hips.map(shape({ { 28, 94 }, { 48, 94 }, { 48, 98 }, { 28, 98 } })), hair, 0.9);
    QPainterPath neck;
    neck.addRect(QRectF(35.5, 65, 5, 8));
    f.part(neck, skin, 1.0);
    profile(f, 38, 58, 1, skin, hair);
    // The jar on her shoulder, tipped forward so its mouth points down to the stream.
    QTransform tip;
    tip.translate(65, 69);
    tip.rotate(118);
    f.part(tip.map(shape(
               { { -3.5, -13 }, { -6, -9 }, { -10, -2 }, { -10, 6 }, { -6, 11 }, { -4, 14, Corner },
                   { 4, 14, Corner }, { 6, 11 }, { 10, 6 }, { 10, -2 }, { 6, -9 }, { 3.5, -13 } })),
        jarTone);
    f.part(tip.map(ellipse(0, -14, 5.2, 2.4)), jarTone, 1.0);
    f.line(tip.map(curve({ { -9.5, 2 }, { 0, 4 }, { 9.5, 2 } })), jarTone.light, 1.2);
    // The near arm cradles the jar from below.
    f.part(tapered(curve({ { 45, 76 }, { 49, 90, Corner }, { 59, 81 } }), 5, 4), skin, 1.0);
    hand(f, 59.5, 80.5, skin);
}

void twins(Figure &f)
{
    const Ramp &gold = f.main();
    const Ramp &amber = f.accent();
    const Ramp &skin = f.material(2);
    const Ramp &darkHair = f.material(3);
    const Ramp &auburn = f.material(4);
    // One twin in gold with short dark hair, facing us; the other in amber with auburn hair,
    // turned to look at his brother, a hand on his hip and his feet further apart.
    const auto person = [&](qreal cx, const Ramp &tunic, const Ramp &hair, bool turned,
                            qreal outer) {
        // Legs with a knee and a narrower shin. The weight rests on the outer leg, straight
        // and planted under the head; the inner leg is relaxed, its hip lower, the knee bent
        // in and the foot set out to the side and turned.
        const qreal in = -outer;
        f.part(tapered(curve({ { cx + in * 3.5, 119.5 }, { cx + in * 2.2, 136, Corner },
                           { cx + in * 7.5, 151.5 } }),
                   7.4, 4.4),
            skin, 1.0);
        f.part(tapered(curve({ { cx + outer * 3.5, 117.5 }, { cx + outer * 3.6, 135, Corner },
                           { cx + outer * 1.8, 152 } }),
                   7.6, 4.6),
            skin, 1.0);
        f.part(ellipse(cx + in * 8.5, 154.6, 3.4, 1.9, in * 14), hair, 0.8);
        f.part(ellipse(cx + outer * 2.3, 155, 3.4, 1.9), hair, 0.8);
        // The outer arm: rounded at the shoulder, bent at the elbow, hanging by the side or
        // with the hand on the hip.
        const QPointF shoulder(cx + outer * 10, 77);
        const QPointF elbow = turned ? QPointF(cx + outer * 18, 91) : QPointF(cx + outer * 14, 92);
        const QPointF wrist
            = turned ? QPointF(cx + outer * 10.5, 97) : QPointF(cx + outer * 13.5, 106);
        f.part(united({ tapered(curve({ { shoulder.x(), shoulder.y() }, { elbow.x(), elbow.y() } }),
                            6.6, 5),
                   tapered(curve({ { elbow.x(), elbow.y() }, { wrist.x(), wrist.y() } }), 5, 3.8),
                   ellipse(elbow.x(), elbow.y(), 2.5, 2.5) }),
            skin, 1.0);
        hand(f, wrist.x(), wrist.y() + (turned ? 0 : 2), skin, 2.4, 2.8);
        // The tunic: sloping shoulders, drawn in at the belt, the skirt flaring to a hem
        // that dips a little in the middle.
        const QPainterPath tunicShape = shape({ { cx - 9, 75 }, { cx, 72.5 }, { cx + 9, 75 },
            { cx + 11.5, 81 }, { cx + 10, 88 }, { cx + 8.5, 96 }, { cx + 12, 108 },
            { cx + 15, 121, Corner }, { cx, 123 }, { cx - 15, 121, Corner }, { cx - 12, 108 },
            { cx - 8.5, 96 }, { cx - 10, 88 }, { cx - 11.5, 81 } });
        QTransform hips;
        hips.translate(cx, 96);
        hips.rotate(-outer * 3);
        hips.translate(-cx, -96);
        const QPainterPath tilted = hips.map(tunicShape);
        f.part(tilted, tunic);
        // Two broad folds in the skirt, shaded.
        for (const qreal side : { -1.0, 1.0 })
            f.fill(tilted.intersected(
                       hips.map(tapered(curve({ { cx + side * 3.5, 99 }, { cx + side * 5, 110 },
                                            { cx + side * 6, 123 } }),
                           1.6, 3.2))),
                tunic.shade);
        f.line(hips.map(curve({ { cx - 9, 96 }, { cx + 9, 96 } })), tunic.ink, 1.4);
        QPainterPath neck;
        neck.addRect(QRectF(cx - 3, 64, 6, 9.5));
        f.part(neck, skin, 1.0);
        if (turned)
            profile(f, cx - 0.5, 60, outer > 0 ? -1 : 1, skin, hair, 1.15);
        else
            frontFace(f, cx, 59.5, 4, skin, hair, false);
    };
    person(82, amber, auburn, true, 1);
    person(38, gold, darkHair, false, -1);
    // The gold twin's arm round his brother's shoulders, his hand resting on the far one.
    f.part(united({ tapered(curve({ { 47, 77.5 }, { 58, 81 } }), 6, 5),
               tapered(curve({ { 58, 81 }, { 70, 76.5 } }), 5, 4), ellipse(58, 81, 2.5, 2.5) }),
        skin, 1.0);
    hand(f, 71.5, 76, skin, 2.8, 2.4);
    // Castor and Pollux, a star over each head.
    // Each is set pixel by pixel, a bright core with four one-pixel rays, so it stays sharp.
    for (const int x : { 38, 82 }) {
        const QColor white(Qt::white);
        for (int d = -5; d <= 5; ++d) {
            f.pixel(x + d + 0.5, 41.5, white);
            f.pixel(x + 0.5, 41 + d + 0.5, white);
        }
        for (const auto &[dx, dy] : std::initializer_list<std::array<int, 2>> {
                 { -1, -1 }, { 1, -1 }, { -1, 1 }, { 1, 1 } })
            f.pixel(x + dx + 0.5, 41 + dy + 0.5, white);
    }
}

void ram(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp hoof { m.ink, m.ink, m.ink, m.shade };
    // The face and legs are bare: a darker tone than the fleece.
    const Ramp bare = behind(m);
    const Ramp farBare { m.ink, m.ink, m.ink, m.shade };
    // Slender legs jointed at knee, fetlock and hock, on dark cloven hooves.
    const auto hoofAt = [&](qreal x) {
        f.part(shape({ { x - 2.6, 151, Corner }, { x + 2.6, 151, Corner }, { x + 3.4, 156, Corner },
                   { x - 3.4, 156, Corner } }),
            hoof, 0.8);
        f.pixel(x, 154.5, m.ink);
    };
    const auto legPair = [&](const Ramp &ramp, qreal fore, qreal hind) {
        f.part(united({ tapered(curve({ { fore, 116 }, { fore - 1.5, 133 } }), 8, 4.6),
                   ellipse(fore - 1.5, 134, 3.2, 3),
                   tapered(curve({ { fore - 1.5, 134 }, { fore, 146 } }), 3.8, 3.2),
                   ellipse(fore, 147, 2.4, 2.2),
                   tapered(curve({ { fore, 147 }, { fore - 0.5, 152 } }), 3.4, 3.6) }),
            ramp, 1.0);
        f.part(united({ tapered(curve({ { hind, 114 }, { hind - 1, 128 }, { hind + 5, 139 } }), 11,
                            4.6),
                   ellipse(hind + 5, 139, 2.8, 2.8),
                   tapered(curve({ { hind + 5, 139 }, { hind + 3.5, 147 } }), 3.8, 3.2),
                   ellipse(hind + 3.5, 147.5, 2.4, 2.2),
                   tapered(curve({ { hind + 3.5, 147.5 }, { hind + 3, 152 } }), 3.4, 3.6) }),
            ramp, 1.0);
        hoofAt(fore - 0.5);
        hoofAt(hind + 3);
    };
    legPair(farBare, 60, 98);
    legPair(bare, 52, 90);
    // The fleece: an oval body whose outline is a row of small scallops, tufted with rows of
    // tight curls.
    QPainterPath body;
    body.setFillRule(Qt::WindingFill);
    body.addEllipse(QPointF(80, 110), 27, 16);
    body.addEllipse(QPointF(60, 104), 10, 10);
    constexpr int scallops = 22;
    for (int i = 0; i < scallops; ++i) {
        const qreal a = 2 * std::numbers::pi * i / scallops;
        body.addEllipse(QPointF(80 + 27 * std::cos(a), 110 + 16 * std::sin(a)), 4.2, 4.2);
    }
    const QPainterPath fleece = body.simplified();
    f.part(fleece);
    // Curls: short arcs, open towards the lower right, in offset rows.
    QPainterPath curls;
    for (int row = 0; row < 5; ++row) {
        const qreal y = 98 + row * 6;
        for (qreal x = 58 + (row % 2) * 3.5; x < 106; x += 7) {
            // Shifted a little, each by its own amount, so the curls do not line up like a
            // knitted pattern.
            const QPointF c(x + std::fmod(x * 3.7 + row * 5.3, 2.4) - 1.2,
                y + std::fmod(x * 1.9 + row * 2.9, 2.0) - 1.0);
            if (!fleece.contains(c + QPointF(-3, -3)) || !fleece.contains(c + QPointF(3, 3)))
                continue;
            curls.moveTo(c + QPointF(-2.4, 0.6));
            curls.quadTo(c + QPointF(-2, -2.4), c + QPointF(1, -2.2));
            curls.quadTo(c + QPointF(2.8, -1.4), c + QPointF(2.2, 0.8));
        }
    }
    f.line(curls, m.shade, 1.2);
    // The neck, thick with wool, carries the head up and forward.
    QPainterPath neck;
    neck.setFillRule(Qt::WindingFill);
    for (const auto &[x, y, r] : std::initializer_list<std::array<qreal, 3>> { { 54, 93, 9 },
             { 48, 86, 5.5 }, { 57, 84, 5 }, { 46, 97, 5.5 }, { 51, 104, 5.5 }, { 62, 88, 5 } })
        neck.addEllipse(QPointF(x, y), r, r);
    f.part(neck.simplified());
    f.line(curve({ { 50, 92 }, { 52, 90 }, { 55, 92 } }), m.shade, 1.2);
    f.line(curve({ { 52, 100 }, { 54, 98 }, { 57, 100 } }), m.shade, 1.2);
    f.line(curve({ { 57, 88 }, { 59, 86 }, { 62, 88 } }), m.shade, 1.2);
    // A short, blunt head, bare of wool.
    const QPainterPath head = shape({ { 48, 74 }, { 40, 74 }, { 33, 80 }, { 28, 89 }, { 27, 95 },
        { 31, 99 }, { 38, 98 }, { 45, 93 }, { 50, 85 } });
    f.part(head, bare);
    f.dot(37.5, 84.5, 1.9, m.ink);
    f.pixel(36.5, 83.5, Qt::white);
    f.pixel(29.5, 94.5, m.ink);
    f.line(curve({ { 29, 97.5 }, { 33, 97.5 } }), m.ink, 1.0);
    // The ear hangs out from under the horn.
    f.part(shape({ { 46, 88 }, { 56, 92 }, { 60, 96 }, { 54, 96 }, { 46, 93 } }), farBare, 0.9);
    // The horn: out from the crown, back, down and forward round the ear.
    const QPointF hub(48, 84);
    f.part(coil(hub, 15, 4, 225, 1.0, true, 10, 4.5), f.accent());
    for (const qreal t : { 0.14, 0.28, 0.42, 0.56, 0.7 }) {
        const qreal a = (225 + 360 * t) * std::numbers::pi / 180;
        const qreal r = 15 + (4 - 15) * t;
        const qreal w = (10 + (4.5 - 10) * t) / 2;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF at = hub + dir * r;
        QPainterPath ridge;
        ridge.moveTo(at - dir * (w - 0.8));
        ridge.lineTo(at + dir * (w - 0.8));
        f.line(ridge, f.accent().shade, 1.0);
    }
    // A short tail.
    f.part(ellipse(108, 112, 4, 6, -20));
}

void bull(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &horn = f.accent();
    const Ramp &turn = f.material(2);
    const Ramp hoof { m.ink, m.ink, m.ink, turn.shade };
    // Small cloven hooves: a dark wedge split down the front.
    const auto hoofAt = [&](qreal x) {
        f.part(shape({ { x - 2.8, 150.5, Corner }, { x + 2.8, 150.5, Corner },
                   { x + 3.6, 156, Corner }, { x - 3.6, 156, Corner } }),
            hoof, 0.8);
        f.pixel(x, 154.5, m.ink);
        f.pixel(x, 155.5, m.ink);
    };
    // Legs that taper from a heavy forearm and thigh to a knee in front and a hock behind,
    // then down a slim cannon to the fetlock; the far pair one step darker.
    const auto legPair = [&](const Ramp &ramp, qreal fore, qreal hind) {
        f.part(united({ tapered(curve({ { fore, 112 }, { fore - 1.5, 133 } }), 12, 5.6),
                   ellipse(fore - 1.5, 134, 3.6, 3.2),
                   tapered(curve({ { fore - 1.5, 134 }, { fore - 0.5, 146 } }), 4.6, 3.8),
                   ellipse(fore - 0.5, 147, 2.8, 2.4),
                   tapered(curve({ { fore - 0.5, 147 }, { fore - 1, 151.5 } }), 4, 4.4) }),
            ramp, 1.0);
        f.part(united({ tapered(curve({ { hind, 106 }, { hind - 2, 124 }, { hind + 5, 137 } }), 17,
                            5.4),
                   ellipse(hind + 5, 137, 3.2, 3.2),
                   tapered(curve({ { hind + 5, 137 }, { hind + 3, 146 } }), 4.6, 3.8),
                   ellipse(hind + 3, 147, 2.8, 2.4),
                   tapered(curve({ { hind + 3, 147 }, { hind + 2.5, 151.5 } }), 4, 4.4) }),
            ramp, 1.0);
        hoofAt(fore - 1);
        hoofAt(hind + 2.5);
    };
    legPair(f.far(), 57, 101);
    // The tail hangs clear of the hind leg and ends in a tuft.
    f.part(tapered(curve({ { 108, 92 }, { 112, 106 }, { 111.5, 124 } }), 3.4, 2.2), m, 0.9);
    f.part(shape({ { 110, 122 }, { 113.5, 126 }, { 113.5, 134 }, { 111, 137 }, { 108, 132 } }),
        behind(m), 0.9);
    // A deep chest, a level back, a heavy neck and the head carried high, over the tops of the
    // near legs.
    const QPainterPath body = shape({ { 30, 92 }, { 36, 80 }, { 52, 76 }, { 72, 82 }, { 92, 82 },
        { 106, 84 }, { 112, 94 }, { 112, 108 }, { 106, 120 }, { 94, 122 }, { 74, 120 }, { 58, 124 },
        { 44, 124 }, { 36, 116 }, { 30, 104 } });
    legPair(m, 47, 92);
    f.part(body);
    // The body read as three rounded masses lit from the upper left: the shoulder and the
    // haunch each edged by a crescent of half tone on their far side, and the barrel rolling
    // away under the belly into the darkest tone.
    f.fill(
        body.intersected(ellipse(74, 128, 42, 18).subtracted(ellipse(72, 116, 40, 22))), turn.base);
    f.fill(body.intersected(ellipse(74, 131, 38, 12).subtracted(ellipse(72, 120, 36, 16))),
        turn.shade);
    f.fill(
        body.intersected(ellipse(50, 102, 16, 22).subtracted(ellipse(46, 99, 14, 21))), turn.base);
    f.fill(body.intersected(ellipse(98, 104, 15, 19).subtracted(ellipse(101, 101, 13, 18))),
        turn.base);
    f.fill(body.intersected(ellipse(43, 87, 6, 3, -35)), m.light);
    f.fill(body.intersected(ellipse(99, 89, 6, 2.6, 8)), m.light);
    f.line(curve({ { 56, 80.5 }, { 70, 84.5 }, { 90, 85 } }), m.light, 1.0);
    // The far horn, then the head, the ear and the near horn, both sweeping forward.
    f.part(tapered(curve({ { 34, 74 }, { 38, 66 }, { 32, 58 }, { 24, 56 } }), 5, 1.6), behind(horn),
        0.9);
    const QPainterPath head = shape({ { 36, 74 }, { 26, 72 }, { 18, 80 }, { 12, 92 }, { 11, 100 },
        { 16, 104 }, { 24, 102 }, { 30, 94 }, { 38, 86 } });
    f.part(head);
    // The cheek rounds away under the eye; the broad, pale muzzle with a nostril and a mouth.
    f.fill(head.intersected(ellipse(30, 96, 8, 9).subtracted(ellipse(27, 92, 8, 9))), turn.base);
    f.part(ellipse(14.5, 98.5, 5.6, 5), Ramp { m.ink, turn.base, m.light, m.light }, 0.9);
    f.dot(12.2, 97.4, 1.1, m.ink);
    f.line(curve({ { 11.5, 102.5 }, { 15, 103 }, { 18.5, 101.5 } }), m.ink, 1.0);
    // A heavy brow over a dark eye with a glint.
    f.line(curve({ { 20, 78.5 }, { 24, 77.5 }, { 28, 79.5 } }), turn.shade, 1.2);
    f.dot(24, 81, 1.7, m.ink);
    f.pixel(23.5, 80.5, Qt::white);
    f.line(curve({ { 17, 87 }, { 16, 92 } }), turn.base, 1.0);
    f.part(shape({ { 34, 78 }, { 44, 76 }, { 46, 80 }, { 36, 82 } }), behind(m), 0.9);
    f.part(tapered(curve({ { 28, 74 }, { 24, 66 }, { 16, 62 }, { 10, 64 } }), 5.5, 1.6), horn, 0.9);
}

void crab(Figure &f)
{
    const Ramp &m = f.main();
    // Four short walking legs a side, each bent up at the knee and down to a pointed tip on
    // the sand, and the claws held up.
    for (const bool right : { false, true }) {
        const auto side
            = [&](const QPainterPath &path) { return right ? mirrored(path, 60) : path; };
        const std::initializer_list<std::array<qreal, 6>> legs {
            { 34, 108, 22, 96, 15, 119 },
            { 30, 115, 12, 107, 6, 136 },
            { 31, 123, 14, 125, 10, 150 },
            { 40, 131, 28, 139, 25, 155 },
        };
        // The back legs first, so each leg overlaps the one behind it; every other leg a step
        // darker, so legs that cross stay apart.
        int n = int(legs.size());
        for (auto l = std::rbegin(legs); l != std::rend(legs); ++l) {
            const auto &[x0, y0, x1, y1, x2, y2] = *l;
            f.part(
                side(united({ tapered(curve({ { x0, y0 }, { x1, y1 } }), 7, 5.6),
                    tapered(curve({ { x1, y1 }, { x2, y2 } }), 5.4, 2.2), ellipse(x1, y1, 3, 3) })),
                --n % 2 == 0 ? f.far() : m);
        }
        f.part(side(united({ tapered(curve({ { 42, 104 }, { 30, 96 } }), 8, 7),
                   tapered(curve({ { 30, 96 }, { 26, 80 } }), 7, 6.5), ellipse(30, 96, 4, 4) })),
            m);
        // The claw: a swollen palm and its two fingers.
        f.part(side(united({ ellipse(26, 70, 9, 11, 10),
                   tapered(curve({ { 20, 66 }, { 16, 54 }, { 22, 44 } }), 7, 1.5),
                   tapered(curve({ { 30, 62 }, { 32, 54 }, { 28, 48 } }), 5.5, 1.5) })),
            m);
    }
    // The carapace: broad and flat, a toothed front edge between the claws, the sides
    // swelling out and narrowing to the back.
    const QPainterPath shell = shape({ { 34, 103, Corner }, { 40, 100 }, { 44, 101.5, Corner },
        { 48, 99.5 }, { 52, 101, Corner }, { 56, 99 }, { 60, 100 }, { 64, 99 }, { 68, 101, Corner },
        { 72, 99.5 }, { 76, 101.5, Corner }, { 80, 100 }, { 86, 103, Corner }, { 93, 108 },
        { 95, 115 }, { 90, 124 }, { 78, 132 }, { 60, 135 }, { 42, 132 }, { 30, 124 }, { 25, 115 },
        { 27, 108 } });
    // The eyes on their stalks, between the claws, behind the shell's front edge.
    for (const qreal x : { 54.0, 66.0 }) {
        const qreal out = x < 60 ? -1 : 1;
        f.part(tapered(curve({ { x, 102 }, { x + out * 1.5, 94 }, { x + out * 3, 89 } }), 3.4, 2.8),
            m, 0.9);
        f.part(ellipse(x + out * 3, 87.5, 2.9, 2.9), Ramp { m.ink, m.ink, m.ink, m.light }, 0.8);
        f.dot(x + out * 3 - 0.8, 86.7, 0.9, m.light);
    }
    f.part(shell);
    // The underside turned away from the moon, a groove behind the front edge, the moon's
    // glint on the shell and the grooves that part it into its regions.
    f.fill(shell.intersected(ellipse(60, 140, 40, 13)), m.shade);
    f.line(
        curve({ { 32, 108 }, { 46, 105 }, { 60, 104.5 }, { 74, 105 }, { 88, 108 } }), m.shade, 1.2);
    f.fill(ellipse(44, 110, 9, 3, -8), m.light);
    f.line(curve({ { 50, 110 }, { 46, 118 }, { 50, 126 } }), m.shade, 1.2);
    f.line(curve({ { 70, 110 }, { 74, 118 }, { 70, 126 } }), m.shade, 1.2);
}

void lion(Figure &f)
{
    const Ramp &m = f.main();
    // The far legs, one step darker: a foreleg and a hind leg bent back at the hock.
    f.part(tapered(curve({ { 66, 112 }, { 67, 130 }, { 67.5, 143, Corner }, { 62, 152 } }), 13, 7),
        f.far());
    f.part(ellipse(61, 154, 6, 3), f.far());
    f.part(tapered(curve({ { 92, 112 }, { 88, 130 }, { 95, 144, Corner }, { 93, 153 } }), 13, 7),
        f.far());
    f.part(ellipse(91, 154, 6, 3), f.far());
    // The tail hangs from the rump in a curve and ends in its tuft.
    f.part(
        tapered(curve({ { 107, 102 }, { 112, 108 }, { 112.5, 120 }, { 110.5, 128 } }), 4, 2.5), m);
    f.part(shape({ { 108.5, 126 }, { 113.5, 130 }, { 112.5, 138 }, { 107.5, 134 } }), f.accent());
    // Body and near legs as one outline, so the legs grow out of a deep chest and a round
    // haunch instead of standing under a box: the chest low in front, the belly tucked up
    // towards the hind legs, the thigh swelling over the hind leg.
    const QPainterPath body = shape({ { 40, 100 }, { 56, 94 }, { 78, 97 }, { 96, 95 }, { 108, 100 },
        { 112, 112 }, { 106, 124 }, { 94, 122 }, { 80, 118 }, { 64, 124 }, { 48, 126 } });
    const QPainterPath foreleg
        = tapered(curve({ { 52, 112 }, { 53, 130 }, { 53.5, 143, Corner }, { 47, 152 } }), 16, 7.5);
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
    // The mane: a heavy mass over the neck and chest whose edge breaks into locks that flow
    // back and down, each a curved tuft, the outer ones dark and the inner ones lit.
    const Ramp &mane = f.accent();
    const Ramp lit { mane.ink, mane.base, mane.light, m.light };
    const QPointF hub(42, 95);
    const auto lock = [&](qreal degrees, qreal from, qreal to, qreal width) {
        const qreal a = degrees * std::numbers::pi / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF start = hub + dir * from;
        const QPointF end = hub + dir * to + QPointF(5, 4);
        const QPointF bend = (start + end) / 2 + QPointF(-dir.y(), dir.x()) * 2.5;
        return tapered(
            curve({ { start.x(), start.y() }, { bend.x(), bend.y() }, { end.x(), end.y() } }),
            width, 3);
    };
    QPainterPath outer;
    outer.setFillRule(Qt::WindingFill);
    outer.addPath(ellipse(41, 94, 19, 22));
    outer.addPath(ellipse(42, 80, 15, 9, 15));
    outer.addPath(ellipse(54, 106, 10, 14));
    for (qreal d = -135; d <= 110; d += 17.5)
        outer.addPath(lock(d, 13, 27, 11));
    f.part(outer.simplified(), mane, 1.0);
    QPainterPath inner;
    inner.setFillRule(Qt::WindingFill);
    for (qreal d = -150; d <= 90; d += 20)
        inner.addPath(lock(d, 9, 21, 7));
    f.part(inner.simplified(), lit, 0.9);
    // Strands within the inner locks.
    for (qreal d = -140; d <= 80; d += 40)
        f.line(lock(d, 11, 19, 0.1), mane.base, 1.0);
    // A broad head: a flat brow sloping to a deep muzzle.
    const QPainterPath head = shape({ { 40, 80 }, { 30, 79 }, { 23, 84 }, { 19, 91 }, { 14, 95 },
        { 13, 100 }, { 16, 105 }, { 24, 109 }, { 34, 108 }, { 43, 100 }, { 46, 88 } });
    f.part(ellipse(41, 80, 4, 4), mane, 0.9);
    f.part(head);
    // The brow overhangs a shadowed socket and an amber eye.
    f.fill(head.intersected(ellipse(28, 92, 4.5, 2.6, -10)), m.shade);
    f.line(curve({ { 22.5, 88.5 }, { 27, 87.2 }, { 32, 88.2 } }), m.light, 1.2);
    f.dot(27.5, 92.2, 1.3, m.ink);
    f.pixel(26.5, 91.5, m.light);
    // The muzzle: pale whisker pads, a dark nose, the cleft down to the mouth and the chin.
    f.part(ellipse(19, 101, 6.5, 4.6), Ramp { m.shade, m.base, m.light, m.light }, 0.8);
    f.fill(shape({ { 12.8, 96, Corner }, { 18.5, 95.6, Corner }, { 16, 99.4, Corner } }), mane.ink);
    f.line(curve({ { 16, 99.5 }, { 16, 102.5 } }), m.ink, 1.0);
    f.line(curve({ { 12.5, 103.8 }, { 16, 102.6 }, { 20.5, 104.4 } }), m.ink, 1.0);
    f.fill(head.intersected(ellipse(22, 108.5, 6, 2.6)), m.shade);
    f.line(curve({ { 31, 98 }, { 33, 103 }, { 31, 107 } }), m.shade, 1.0);
}

void maiden(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    // A wing behind her: long flight feathers fanned out from the shoulder, the shorter ones
    // over them.
    const Ramp &w = f.material(3);
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
    // A veil falling from the crown down her back.
    const Ramp veil { m.ink, m.ink, m.shade, m.base };
    f.part(shape({ { 50, 54 }, { 58, 53 }, { 64, 58 }, { 66, 72 }, { 70, 94 }, { 74, 108 },
               { 64, 104 }, { 60, 88 }, { 56, 74 } }),
        veil);
    // The gown: a fitted bodice, a girdle at the waist and a skirt falling in folds.
    const QPainterPath robe = shape({ { 48, 77 }, { 56, 74 }, { 64, 77 }, { 65, 88 }, { 61, 98 },
        { 66, 112 }, { 77, 136 }, { 90, 158, Corner }, { 36, 158, Corner }, { 42, 136 },
        { 46, 112 }, { 49, 98 }, { 46, 88 } });
    f.part(robe);
    // Folds fall from the girdle and fan out towards the hem, following the step she takes.
    f.fill(shape({ { 52, 101 }, { 50, 120 }, { 45, 140 }, { 41, 156 }, { 46, 156 }, { 50, 138 },
               { 53, 118 } }),
        m.shade);
    f.fill(shape({ { 58, 102 }, { 59, 122 }, { 56, 140 }, { 55, 156 }, { 59, 156 }, { 60, 140 },
               { 61, 121 } }),
        m.shade);
    f.fill(shape({ { 61, 104 }, { 67, 124 }, { 75, 142 }, { 80, 156 }, { 77, 156 }, { 71, 142 },
               { 63, 124 } }),
        m.light);
    f.fill(shape({ { 54, 104 }, { 55, 122 }, { 52, 142 }, { 50, 156 }, { 52, 156 }, { 55, 142 },
               { 57, 122 } }),
        m.light);
    f.line(curve({ { 49, 98 }, { 55, 99.5 }, { 61, 98 } }), a.shade, 1.8);
    // Her face in profile, turned to the wheat, with fair hair under the veil.
    const Ramp &skin = f.material(2);
    profile(f, 54, 64, -1, skin, Ramp { m.ink, a.shade, a.shade, a.base });
    // The sheaf of wheat she carries in the crook of her arm.
    for (const std::array<int, 3> &ear : std::initializer_list<std::array<int, 3>> {
             { 27, 52, -5 }, { 34, 47, -1 }, { 41, 51, 3 } }) {
        const int x = ear[0];
        const int y = ear[1];
        const int lean = ear[2];
        // An ear of wheat set pixel by pixel: kernels two pixels wide and three tall, stacked
        // in two staggered rows either side of the spine, one kernel at the tip and three
        // awns rising from it. It leans `lean` pixels over its height.
        const auto put = [&](int dx, int dy, const QColor &tone) {
            f.pixel(x + dx + qRound(qreal(lean) * (7 - dy) / 16) + 0.5, y + dy + 0.5, tone);
        };
        f.thread(QPointF(39, 89), QPointF(x + qRound(qreal(lean) * -1 / 16), y + 8), a.shade);
        for (int dy = -6; dy <= 6; ++dy)
            put(0, dy, a.shade);
        const auto kernel = [&](int left, int top) {
            put(left, top, a.light);
            put(left + 1, top, a.base);
            put(left, top + 1, a.base);
            put(left + 1, top + 1, a.base);
            put(left, top + 2, a.shade);
            put(left + 1, top + 2, a.shade);
        };
        for (const int top : { -6, -2, 2 })
            kernel(-2, top);
        for (const int top : { -4, 0, 4 })
            kernel(1, top);
        put(0, -9, a.light);
        put(0, -8, a.base);
        put(-1, -8, a.light);
        put(1, -8, a.base);
        put(0, -7, a.base);
        for (const int side : { -1, 0, 1 }) {
            for (int step = 1; step <= 5; ++step)
                put(side * (1 + step / 2), -9 - step, a.light);
        }
    }
    // The arm that holds the sheaf, in a sleeve widening to the wrist.
    f.part(tapered(curve({ { 56, 80 }, { 49, 96, Corner }, { 41, 90 } }), 5, 7), m);
    hand(f, 38.5, 89, skin, 3.2, 3);
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

void seaGoat(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &horn = f.accent();
    const Ramp &sea = f.material(2);
    // The sea he rises from: curls of water on the shore under the fish's tail.
    for (const auto &[x, y] :
        std::initializer_list<std::array<qreal, 2>> { { 64, 150 }, { 84, 146 }, { 102, 151 } }) {
        const QPainterPath wave = curve({ { x - 10, y + 3 }, { x - 4, y - 2 }, { x + 2, y - 3.5 },
            { x + 5, y - 0.5 }, { x + 2, y + 1.5 }, { x, y } });
        // Two tones only: a curl of sea green edged in its own deeper green.
        f.line(wave, sea.shade, 3.6);
        f.line(wave, sea.base, 1.8);
    }
    // The fish's tail curls up behind, scaled, ending in a fan.
    const QPainterPath tailLine
        = curve({ { 46, 112 }, { 74, 122 }, { 96, 116 }, { 106, 100 }, { 102, 84 } });
    f.part(shape({ { 102, 86 }, { 94, 74 }, { 92, 60 }, { 102, 68 }, { 106, 62 }, { 114, 58 },
               { 112, 72 }, { 106, 86 } }),
        sea);
    f.line(curve({ { 100, 80 }, { 97, 70 } }), sea.shade, 1.0);
    f.line(curve({ { 105, 78 }, { 109, 66 } }), sea.shade, 1.0);
    f.part(tapered(tailLine, 28, 7), sea);
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
        f.line(scale, sea.shade, 1.0);
    }
    // The goat: forelegs folded under the chest, a bearded head, an ear and a ridged horn.
    f.part(tapered(curve({ { 44, 118 }, { 32, 128, Corner }, { 36, 140 } }), 6, 4.5), f.far());
    f.part(ellipse(37, 141, 3, 2.2), Ramp { m.ink, m.ink, m.ink, m.shade }, 0.8);
    f.part(tapered(curve({ { 52, 120 }, { 44, 134, Corner }, { 50, 146 } }), 6.5, 5));
    f.part(ellipse(51, 147, 3.2, 2.2), Ramp { m.ink, m.ink, m.ink, m.shade }, 0.8);
    f.part(shape({ { 34, 88 }, { 44, 78 }, { 56, 94 }, { 58, 116 }, { 48, 124 }, { 36, 114 } }));
    f.line(curve({ { 42, 98 }, { 46, 106 }, { 44, 114 } }), m.shade, 1.0);
    const QPainterPath hornLine
        = curve({ { 39, 69 }, { 42, 58 }, { 50, 51 }, { 60, 52 }, { 65, 60 } });
    f.part(tapered(hornLine, 8, 2), horn);
    for (const qreal t : { 0.12, 0.26, 0.4, 0.54, 0.68 }) {
        const QPointF at = hornLine.pointAtPercent(t);
        const QPointF d = hornLine.pointAtPercent(t + 0.02) - at;
        const qreal len = std::hypot(d.x(), d.y());
        const QPointF n(-d.y() / len, d.x() / len);
        const qreal w = (8 + (2 - 8) * t) / 2 - 0.6;
        f.line(curve({ { (at + n * w).x(), (at + n * w).y() },
                   { (at - n * w).x(), (at - n * w).y() } }),
            horn.shade, 1.0);
    }
    f.part(shape({ { 44, 72 }, { 52, 74 }, { 56, 79 }, { 50, 79 }, { 44, 77 } }), f.far(), 0.9);
    f.part(shape({ { 42, 66 }, { 46, 74 }, { 44, 84 }, { 36, 90 }, { 28, 93 }, { 23, 90 },
        { 24, 85 }, { 30, 76 }, { 35, 68 } }));
    f.part(
        shape({ { 27, 92 }, { 33, 92 }, { 31, 100 }, { 28, 104, Corner }, { 26, 97 } }), horn, 0.9);
    f.dot(35, 75.5, 1.3, m.ink);
    f.dot(24.5, 87, 0.8, m.ink);
}

void fishes(Figure &f)
{
    const Ramp &m = f.main();
    const Ramp &a = f.accent();
    // A cord ties the two together by their tails, knotted between them.
    const QPainterPath cord = curve({ { 32, 74 }, { 22, 84 }, { 15, 98 }, { 24, 109 }, { 44, 112 },
        { 66, 111 }, { 88, 113 }, { 98, 121 }, { 94, 131 }, { 90, 136 } });
    f.line(cord, a.shade, 2.6);
    f.line(cord, a.light, 1.0);
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
        // Fins and tail edged in the coral's own deep tone, not in the body's green.
        const Ramp coral { a.shade, a.shade, a.base, a.light };
        f.part(place.map(fin), coral);
        f.part(place.map(tail), coral);
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

QList<QRgb> tones(int sign)
{
    QList<QRgb> all;
    for (const Ramp &ramp : materials(sign)) {
        for (const QColor &tone : { ramp.ink, ramp.shade, ramp.base, ramp.light }) {
            if (!all.contains(tone.rgb()))
                all.append(tone.rgb());
        }
    }
    // Stars, glints and foam.
    if (!all.contains(qRgb(255, 255, 255)))
        all.append(qRgb(255, 255, 255));
    return all;
}

Footprint footprint(int sign)
{
    static constexpr std::array<Footprint, 12> table = { {
        { 40, 110, 156 }, // ram
        { 38, 114, 156 }, // bull
        { 24, 100, 156 }, // twins
        { 8, 112, 156 }, // crab
        { 36, 110, 156 }, // lion
        { 30, 96, 157 }, // maiden
        { 30, 90, 157 }, // scales
        { 28, 106, 154 }, // scorpion
        { 46, 108, 156 }, // archer
        { 26, 100, 159 }, // sea-goat, above the water's edge
        { 22, 60, 156 }, // water bearer
        { 60, 60, 160 }, // the fishes swim in the sky and cast none
    } };
    return table[std::size_t(sign)];
}

void paint(QPainter &p, int sign)
{
    Figure f(p, materials(sign));
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
