// SPDX-License-Identifier: MIT
// The icons of the six topics, drawn in a 32-unit square; each has a dark outline so its edge
// stays crisp once the transparency is reduced to a 1-bit mask.
#include "common.h"
#include "shapes.h"

#include <QPainter>

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

QPainterPath maskShape(qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(-w / 2, -h / 2);
    path.quadTo(0, -h / 2 - 2.5, w / 2, -h / 2);
    path.cubicTo(w / 2 + 0.5, h * 0.15, w * 0.28, h / 2, 0, h / 2);
    path.cubicTo(-w * 0.28, h / 2, -w / 2 - 0.5, h * 0.15, -w / 2, -h / 2);
    path.closeSubpath();
    return path;
}

void paintMask(QPainter &p, QPointF centre, qreal angle, qreal size, bool smiling,
    const QColor &fill, const QColor &shade, const QColor &edge)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.scale(size, size);
    const qreal w = 15.5, h = 18.5;
    flat(p, maskShape(w, h), fill, shade, edge, 1.1 / size);
    // Eyes and mouth are holes, painted in a deep violet.
    const QColor hole(0x1c, 0x16, 0x30);
    p.setPen(Qt::NoPen);
    p.setBrush(hole);
    for (const qreal side : { -1.0, 1.0 }) {
        QPainterPath eye;
        const qreal x = side * 3.5;
        // Laughing eyes turn up at the outer corner, weeping ones droop.
        const qreal tilt = smiling ? -0.8 : 1.2;
        eye.moveTo(x - 2.5, -2.8 + side * tilt);
        eye.quadTo(x, -6.4, x + 2.5, -2.8 - side * tilt);
        eye.quadTo(x, -0.2, x - 2.5, -2.8 + side * tilt);
        p.drawPath(eye);
    }
    QPainterPath mouth;
    if (smiling) {
        mouth.moveTo(-5, 2.4);
        mouth.quadTo(0, 10.5, 5, 2.4);
        mouth.quadTo(0, 5.2, -5, 2.4);
    } else {
        mouth.moveTo(-4.8, 7.6);
        mouth.quadTo(0, 0.4, 4.8, 7.6);
        mouth.quadTo(0, 3.8, -4.8, 7.6);
    }
    p.drawPath(mouth);
    p.restore();
}

void paintCharacter(QPainter &p)
{
    // Tragedy behind, comedy in front, side by side at nearly one height and overlapping only
    // at the cheek, so the pair sits in the middle of the square and both faces show whole;
    // the weeping mask a little larger so it holds its own.
    paintMask(p, QPointF(22, 14), 10, 1.1, false, QColor(0xc4, 0xd4, 0xf0),
        QColor(0x84, 0x9c, 0xcc), QColor(0x26, 0x30, 0x5c));
    paintMask(p, QPointF(9.5, 18), -10, 1.0, true, QColor(0xfc, 0xd2, 0x5a),
        QColor(0xd8, 0x96, 0x1c), QColor(0x5c, 0x3a, 0x06));
}

void paintAppearance(QPainter &p)
{
    // A hand mirror held upright, a single streak of light across its glass.
    const QColor frame(0xe8, 0x7c, 0xb0), frameShade(0xb4, 0x44, 0x80);
    const QColor frameDark(0x6a, 0x1c, 0x46);
    QPainterPath handle;
    handle.moveTo(16, 21);
    handle.lineTo(16, 28.5);
    flat(p, Shapes::strokeOutline(handle, 5), frame, frameShade, frameDark);
    QPainterPath knob;
    knob.addEllipse(QPointF(16, 29.5), 3, 2.4);
    flat(p, knob, frame, frameShade, frameDark, 1.0);
    const QRectF rim(3.5, 1, 25, 22);
    QPainterPath outer;
    outer.addEllipse(rim);
    flat(p, outer, frame, frameShade, frameDark);
    QPainterPath pane;
    pane.addEllipse(rim.adjusted(3, 3, -3, -3));
    flat(p, pane, QColor(0xb4, 0xe0, 0xf6), QColor(0x7c, 0xb8, 0xe0), frameDark, 0.8);
    p.setPen(QPen(QColor(0xf2, 0xfa, 0xff), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 12.5), QPointF(14, 7.5));
}

void paintIllnesses(QPainter &p)
{
    // A clinical thermometer, its red column risen high, and beside it the red cross of first
    // aid: illness at a glance.
    const QColor glassEdge(0x34, 0x3c, 0x52);
    const QColor red(0xe0, 0x2c, 0x34), redShade(0xa8, 0x12, 0x22), redEdge(0x5a, 0x06, 0x10);
    p.save();
    p.translate(10, 23);
    p.rotate(-45);
    QPainterPath tube;
    tube.addRoundedRect(QRectF(-2, -3.2, 25, 6.4), 3.2, 3.2);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(0, 0), 4.6, 4.6);
    flat(p, tube.united(bulb), QColor(0xf0, 0xf4, 0xfa), QColor(0xb4, 0xbe, 0xd0), glassEdge);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(0, 0), 2.9, 2.9);
    p.drawRoundedRect(QRectF(0, -1.2, 15, 2.4), 1.2, 1.2);
    // The scale: short marks along the upper side of the tube.
    p.setPen(QPen(glassEdge, 0.9, Qt::SolidLine, Qt::FlatCap));
    for (const qreal x : { 8.0, 11.5, 15.0, 18.5 })
        p.drawLine(QPointF(x, -3.2), QPointF(x, -1.8));
    p.restore();

    QPainterPath upright, bar;
    upright.addRect(QRectF(5.2, 1.5, 4.6, 13));
    bar.addRect(QRectF(1, 5.7, 13, 4.6));
    flat(p, upright.united(bar), red, redShade, redEdge);
}

QPainterPath heartShape(QPointF centre, qreal size)
{
    QPainterPath path;
    const qreal s = size / 28;
    path.moveTo(0, 11);
    path.cubicTo(-4, 7, -14, 1, -14, -6);
    path.cubicTo(-14, -11, -10.5, -13, -7, -13);
    path.cubicTo(-3.5, -13, -1, -10.5, 0, -8);
    path.cubicTo(1, -10.5, 3.5, -13, 7, -13);
    path.cubicTo(10.5, -13, 14, -11, 14, -6);
    path.cubicTo(14, 1, 4, 7, 0, 11);
    path.closeSubpath();
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(s, s);
    return t.map(path);
}

void paintLove(QPainter &p)
{
    // A heart in a lighter red than a warning sign would use, without a glint.
    flat(p, heartShape(QPointF(16, 17.5), 29), QColor(0xf0, 0x4c, 0x5e), QColor(0xc0, 0x24, 0x3a),
        QColor(0x6a, 0x0c, 0x1c));
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
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace Art
