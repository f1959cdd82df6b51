// SPDX-License-Identifier: MIT
// The icons of the six topics, drawn in a 32-unit square; each has a dark outline so its edge
// stays crisp once the transparency is reduced to a 1-bit mask.
#include "common.h"
#include "pixels.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace Art {
namespace {

// A part drawn in the flat manner of the thumbnails: one colour, a narrow darker band along its
// lower right edge where the light does not reach, and a dark outline.
void flat(QPainter &p, const QPainterPath &path, const QColor &fill, const QColor &shade,
    const QColor &edge, qreal width = 1.1)
{
    p.setPen(Qt::NoPen);
    p.fillPath(path, fill);
    p.fillPath(path.subtracted(path.translated(-1.6, -1.6)), shade);
    p.setPen(QPen(edge, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A head in profile, facing right, from the shoulder line up the nape, round the crown and down
// the brow, nose, lips and chin to the throat.
QPainterPath headShape()
{
    QPainterPath path;
    path.moveTo(5.5, 31);
    path.quadTo(9, 28, 10, 24);
    path.cubicTo(6, 21.5, 3.5, 17.5, 3.5, 12.5);
    path.cubicTo(3.5, 5.5, 9, 1.5, 15.5, 1.5);
    path.cubicTo(21.5, 1.5, 25.5, 5.5, 25.5, 10.5);
    path.cubicTo(25.8, 12.5, 27.6, 14.5, 28.8, 16.3);
    path.quadTo(28.8, 17.6, 26.8, 17.7);
    path.quadTo(27.8, 18.7, 27.1, 19.7);
    path.lineTo(26.3, 20.4);
    path.quadTo(27.3, 21.2, 26.8, 22.4);
    path.cubicTo(26.5, 24.5, 25.5, 25.5, 23.5, 25.5);
    path.lineTo(21, 25.5);
    path.quadTo(21.5, 29, 25.5, 31);
    path.closeSubpath();
    return path;
}

void paintCharacter(QPainter &p)
{
    // What someone is like inside: a head in profile holding a bright star. Light falls from
    // the upper left, as on the other five: a pale band along the crown and brow, and a glint.
    const QPainterPath head = headShape();
    p.setPen(Qt::NoPen);
    p.fillPath(head, QColor(0x8c, 0x7c, 0xd8));
    p.fillPath(head.subtracted(head.translated(-1.6, -1.6)), QColor(0x5e, 0x4c, 0xac));
    p.fillPath(head.subtracted(head.translated(1.4, 1.4)), QColor(0xbc, 0xb0, 0xf4));
    p.setBrush(QColor(0xe4, 0xde, 0xff));
    p.drawEllipse(QPointF(8.2, 6.6), 1.5, 1.1);
    p.setPen(QPen(QColor(0x26, 0x1a, 0x5a), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
    // The star larger than the eye would expect, white at its heart through to deep gold at
    // its points, so it shines at 32 pixels.
    const QPointF centre(14.8, 12.2);
    const QPainterPath star = Shapes::star(centre, 7.4, 3.1, 5, 0);
    QRadialGradient shine(centre - QPointF(1.2, 1.4), 7.4);
    shine.setColorAt(0, QColor(0xff, 0xfc, 0xe8));
    shine.setColorAt(0.35, QColor(0xff, 0xe0, 0x5c));
    shine.setColorAt(1, QColor(0xf0, 0xa8, 0x10));
    p.setPen(QPen(QColor(0x6a, 0x3e, 0x02), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(shine);
    p.drawPath(star);
}

void paintAppearance(QPainter &p)
{
    // A hand mirror: an oval glass in a crested frame on a turned handle, the glass showing a
    // sparkle of reflected light.
    const QColor frame(0xee, 0x86, 0xb8), frameShade(0xbc, 0x4c, 0x88);
    const QColor frameDark(0x52, 0x10, 0x36);
    const QColor gold(0xf4, 0xc8, 0x48), goldShade(0xc0, 0x8c, 0x1c), goldDark(0x6a, 0x46, 0x06);
    QPainterPath handle;
    handle.moveTo(16, 23);
    handle.lineTo(16, 29);
    flat(p, Shapes::strokeOutline(handle, 4), frame, frameShade, frameDark);
    QPainterPath collar, finial;
    collar.addEllipse(QPointF(16, 24.4), 3.4, 1.9);
    finial.addEllipse(QPointF(16, 30), 2.6, 2.1);
    flat(p, collar, gold, goldShade, goldDark, 0.9);
    flat(p, finial, gold, goldShade, goldDark, 0.9);
    const QPointF centre(16, 13);
    QPainterPath outer;
    outer.addEllipse(centre, 11.35, 11.35);
    // The outline's outer edge falls on pixel edges, so the sides of the frame stay solid.
    flat(p, outer, frame, frameShade, frameDark, 1.3);
    // A gold crest of three beads on top of the frame.
    QPainterPath crest;
    crest.addEllipse(QPointF(16, 2.1), 1.9, 1.9);
    crest.addEllipse(QPointF(12.8, 3.0), 1.4, 1.4);
    crest.addEllipse(QPointF(19.2, 3.0), 1.4, 1.4);
    crest.setFillRule(Qt::WindingFill);
    flat(p, crest.simplified(), gold, goldShade, goldDark, 0.9);
    QPainterPath glass;
    glass.addEllipse(centre, 8.6, 8.2);
    flat(p, glass, QColor(0xb8, 0xe2, 0xf8), QColor(0x84, 0xbc, 0xe4), frameDark, 0.8);
    // The reflection: a four-pointed sparkle and a small one beside it.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(Shapes::star(QPointF(12.8, 9.8), 4.6, 1.2, 4, 0));
    p.drawPath(Shapes::star(QPointF(19.4, 16.4), 2.4, 0.7, 4, 0));
}

void paintIllnesses(QPainter &p)
{
    // A clinical thermometer, its red column risen into a fever.
    const QColor glassEdge(0x2c, 0x34, 0x4c);
    const QColor red(0xe0, 0x30, 0x38);
    p.save();
    p.translate(7.5, 24.5);
    p.rotate(-45);
    QPainterPath tube;
    tube.addRoundedRect(QRectF(-2, -3.8, 30, 7.6), 3.8, 3.8);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(0, 0), 5.4, 5.4);
    flat(p, tube.united(bulb), QColor(0xf2, 0xf6, 0xfc), QColor(0xaa, 0xb6, 0xcc), glassEdge);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(0, 0), 3.4, 3.4);
    p.drawRoundedRect(QRectF(0, -1.4, 19, 2.8), 1.4, 1.4);
    p.setBrush(QColor(0xff, 0xa4, 0xa4));
    p.drawEllipse(QPointF(-1.2, -1.2), 1.1, 1.1);
    // The scale: marks along the upper side of the tube, every other one longer.
    p.setPen(QPen(glassEdge, 1.0, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 5; ++i) {
        const qreal x = 9 + 4 * i;
        p.drawLine(QPointF(x, -3.8), QPointF(x, i % 2 ? -2.6 : -1.8));
    }
    p.restore();
}

// A heart with round lobes, mirrored from its left half so both sides match to the pixel.
QPainterPath heartShape()
{
    struct Cubic
    {
        QPointF c1, c2, to;
    };
    // From the bottom tip up the left side, round the lobe and down into the cleft; x from the
    // middle, y from the heart's centre.
    const QPointF tip(0, 12.5);
    const std::array<Cubic, 3> left = { {
        { { -5, 7.5 }, { -13.5, 2.5 }, { -13.5, -4.5 } },
        { { -13.5, -10 }, { -10, -13.5 }, { -6.8, -13.5 } },
        { { -3.5, -13.5 }, { -1, -11.5 }, { 0, -9 } },
    } };
    QPainterPath path;
    path.moveTo(tip);
    for (const Cubic &c : left)
        path.cubicTo(c.c1, c.c2, c.to);
    // Back down the right side: the same curves mirrored and in reverse order.
    const auto mirrored = [](QPointF q) { return QPointF(-q.x(), q.y()); };
    for (std::size_t i = left.size(); i-- > 0;) {
        const QPointF to = i == 0 ? tip : left[i - 1].to;
        path.cubicTo(mirrored(left[i].c2), mirrored(left[i].c1), mirrored(to));
    }
    path.closeSubpath();
    return path.translated(16, 16);
}

void paintLove(QPainter &p)
{
    // A heart in a lighter red than a warning sign would use, a glint on its left lobe.
    flat(p, heartShape(), QColor(0xf0, 0x4c, 0x5e), QColor(0xc0, 0x24, 0x3a),
        QColor(0x6a, 0x0c, 0x1c));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xb8, 0xc2));
    p.save();
    p.translate(8.8, 9.6);
    p.rotate(-40);
    p.drawEllipse(QPointF(0, 0), 2.8, 1.6);
    p.restore();
}

void paintChildhood(QPainter &p)
{
    // A teddy bear.
    const QColor fur(0xdc, 0x9c, 0x56), furShade(0xac, 0x68, 0x2c), edge(0x4a, 0x26, 0x0e);
    const auto oval = [&](QRectF r) {
        QPainterPath e;
        e.addEllipse(r);
        flat(p, e, fur, furShade, edge, 1.1);
    };
    oval(QRectF(3.5, 16.5, 7, 6)); // arms
    oval(QRectF(21.5, 16.5, 7, 6));
    oval(QRectF(8, 14, 16, 15)); // body
    oval(QRectF(6, 24.5, 7.5, 6)); // feet
    oval(QRectF(18.5, 24.5, 7.5, 6));
    oval(QRectF(6.5, 1.5, 6.5, 6.5)); // ears
    oval(QRectF(19, 1.5, 6.5, 6.5));
    oval(QRectF(8, 3, 16, 14)); // head
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf6, 0xd8, 0xa8));
    p.drawEllipse(QRectF(12.2, 9.6, 7.6, 5.8)); // muzzle
    p.drawEllipse(QRectF(12, 19, 8, 7)); // tummy
    p.setBrush(QColor(0x2a, 0x14, 0x08));
    p.drawEllipse(QPointF(12.6, 8.4), 1.2, 1.3);
    p.drawEllipse(QPointF(19.4, 8.4), 1.2, 1.3);
    p.drawEllipse(QRectF(14.4, 10.2, 3.2, 2.3)); // nose
}

void paintOccupation(QPainter &p)
{
    // A briefcase.
    const QColor edge(0x3a, 0x1e, 0x0c);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(10.5, 3.5, 11, 8), 3, 3);
    handle.addRoundedRect(QRectF(13, 6, 6, 6), 1.2, 1.2);
    handle.setFillRule(Qt::OddEvenFill);
    flat(p, handle, QColor(0x86, 0x4c, 0x20), QColor(0x62, 0x34, 0x14), edge, 1.0);
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 9.5, 27, 14.5), 3, 3);
    flat(p, body, QColor(0xc4, 0x7e, 0x40), QColor(0x96, 0x56, 0x24), edge);
    p.setPen(QPen(edge, 1.0));
    p.drawLine(QPointF(3, 15.5), QPointF(29, 15.5));
    QPainterPath clasp;
    clasp.addRoundedRect(QRectF(13, 13, 6, 5), 1, 1);
    flat(p, clasp, QColor(0xf4, 0xd0, 0x58), QColor(0xc8, 0x98, 0x24), QColor(0x6a, 0x4a, 0x08),
        0.9);
}

void paintTopic(QPainter &p, int topic)
{
    switch (topic) {
    case 0:
        paintCharacter(p);
        break;
    case 1:
        paintAppearance(p);
        break;
    case 2:
        paintIllnesses(p);
        break;
    case 3:
        paintLove(p);
        break;
    case 4:
        paintChildhood(p);
        break;
    case 5:
        paintOccupation(p);
        break;
    default:
        break;
    }
}

// Where a drawing actually puts paint, found on a drawing four times as large.
QRectF paintedArea(int topic)
{
    constexpr int scale = 4;
    QImage large = blankImage(32 * scale, 32 * scale, Qt::transparent);
    {
        QPainter p(&large);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paintTopic(p, topic);
    }
    QRect area;
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x) {
            if (qAlpha(large.pixel(x, y)) >= 128)
                area |= QRect(x, y, 1, 1);
        }
    }
    return QRectF(area.x() / qreal(scale), area.y() / qreal(scale), area.width() / qreal(scale),
        area.height() / qreal(scale));
}

} // namespace

QImage topicIcon(int topic)
{
    // Every drawing is fitted into the same 28-pixel square, centred, so all six keep two
    // pixels of clear ground on their widest sides; the heart, one solid shape, fills less of
    // it so it weighs no more than the others.
    const QRectF area = paintedArea(topic);
    const qreal side = topic == 3 ? 25 : 28;
    const QRectF box(16 - side / 2, 16 - side / 2, side, side);
    const qreal scale = std::min(box.width() / area.width(), box.height() / area.height());
    QImage icon = blankImage(32, 32, Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.center());
    p.scale(scale, scale);
    p.translate(-area.center());
    paintTopic(p, topic);
    p.end();
    return Pixels::straightAlpha(icon);
}

} // namespace Art
