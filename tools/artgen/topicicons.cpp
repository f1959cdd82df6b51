// SPDX-License-Identifier: MIT
// The icons of the six topics, drawn in a 32-unit square; each has a dark outline so its edge
// stays crisp once the transparency is reduced to a 1-bit mask.
#include "common.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

namespace Art {
namespace {

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

void paintMask(
    QPainter &p, QPointF centre, qreal angle, bool smiling, const QColor &light, const QColor &dark)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const qreal w = 15.5, h = 18.5;
    outlined(p, maskShape(w, h), verticalGradient(-h / 2, h / 2, light, dark), dark.darker(260));
    // Eyes and mouth are holes, painted in the outline colour.
    const QColor hole(0x1c, 0x16, 0x30);
    p.setPen(Qt::NoPen);
    p.setBrush(hole);
    for (const qreal side : { -1.0, 1.0 }) {
        QPainterPath eye;
        const qreal x = side * 3.5;
        // Laughing eyes turn up at the outer corner, weeping ones droop.
        const qreal tilt = smiling ? -0.8 : 0.8;
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
        mouth.moveTo(-4.4, 7.2);
        mouth.quadTo(0, 0.6, 4.4, 7.2);
        mouth.quadTo(0, 3.8, -4.4, 7.2);
    }
    p.drawPath(mouth);
    p.restore();
}

void paintCharacter(QPainter &p)
{
    // Tragedy behind, comedy in front.
    paintMask(p, QPointF(21.8, 12), 14, false, QColor(0xe0, 0xea, 0xf8), QColor(0x6a, 0x84, 0xb8));
    paintMask(p, QPointF(10, 20.5), -12, true, QColor(0xff, 0xe6, 0x7c), QColor(0xd8, 0x88, 0x10));
}

void paintAppearance(QPainter &p)
{
    // A hand mirror held upright, its glass catching a sparkle.
    const QColor frameDark(0x7a, 0x22, 0x50);
    const QLinearGradient frameFill
        = verticalGradient(1, 31, QColor(0xfa, 0xb4, 0xd4), QColor(0xb4, 0x3a, 0x7a));
    QPainterPath handle;
    handle.moveTo(16, 21);
    handle.lineTo(16, 28.5);
    outlined(p, Shapes::strokeOutline(handle, 5), frameFill, frameDark);
    QPainterPath knob;
    knob.addEllipse(QPointF(16, 29.5), 3, 2.4);
    outlined(p, knob, frameFill, frameDark, 1.0);
    const QRectF frame(3.5, 1, 25, 22);
    QPainterPath rim;
    rim.addEllipse(frame);
    outlined(p, rim, frameFill, frameDark);
    QRadialGradient glass(QPointF(11, 6), 18);
    glass.setColorAt(0, QColor(0xf4, 0xfc, 0xff));
    glass.setColorAt(0.5, QColor(0xa8, 0xdc, 0xf4));
    glass.setColorAt(1, QColor(0x4c, 0x9c, 0xd0));
    QPainterPath pane;
    pane.addEllipse(frame.adjusted(3, 3, -3, -3));
    outlined(p, pane, glass, frameDark, 0.8);
    p.setPen(QPen(QColor(255, 255, 255, 235), 1.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, 12), QPointF(13.5, 7));
    p.drawLine(QPointF(11, 15), QPointF(16.5, 9.5));
    p.setPen(Qt::NoPen);
    p.fillPath(Shapes::star(QPointF(21.5, 15.5), 3.6, 0.9, 4, 0), QColor(Qt::white));
}

void paintIllnesses(QPainter &p)
{
    // Medicine: a red and white capsule and, in front of it, a round tablet with its score.
    p.save();
    p.translate(19, 12.5);
    p.rotate(-45);
    const QRectF capsule(-13, -6, 26, 12);
    QPainterPath whole;
    whole.addRoundedRect(capsule, 6, 6);
    QPainterPath leftHalf;
    leftHalf.addRect(QRectF(-14, -7, 14, 14));
    const QColor redEdge(0x6a, 0x0a, 0x16);
    p.setPen(Qt::NoPen);
    p.fillPath(whole, verticalGradient(-5, 5, QColor(0xff, 0xff, 0xff), QColor(0xc0, 0xc6, 0xd0)));
    p.fillPath(whole.intersected(leftHalf),
        verticalGradient(-5, 5, QColor(0xff, 0x7a, 0x6a), QColor(0xc4, 0x14, 0x24)));
    p.setPen(QPen(redEdge, 1.2));
    p.drawLine(QPointF(0, -5), QPointF(0, 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(whole);
    p.setPen(QPen(QColor(255, 255, 255, 220), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-9.5, -2.6), QPointF(-4, -2.6));
    p.restore();

    const QColor greyEdge(0x3c, 0x44, 0x56);
    QPainterPath tablet;
    tablet.addEllipse(QPointF(9, 23), 7.5, 7.5);
    QRadialGradient chalk(QPointF(6.5, 19.5), 11);
    chalk.setColorAt(0, QColor(0xff, 0xff, 0xff));
    chalk.setColorAt(0.6, QColor(0xd8, 0xe8, 0xf8));
    chalk.setColorAt(1, QColor(0x8c, 0xa8, 0xcc));
    outlined(p, tablet, chalk, greyEdge);
    p.setPen(QPen(greyEdge, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 19), QPointF(13, 27));
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
    const QPainterPath heart = heartShape(QPointF(16, 17.5), 29);
    QRadialGradient red(QPointF(11, 10), 22);
    red.setColorAt(0, QColor(0xff, 0x8a, 0x96));
    red.setColorAt(0.45, QColor(0xee, 0x24, 0x3c));
    red.setColorAt(1, QColor(0x9a, 0x06, 0x1e));
    outlined(p, heart, red, QColor(0x5c, 0x04, 0x12));
    p.setPen(QPen(QColor(255, 255, 255, 220), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 7, 9, 9), 100 * 16, 70 * 16);
}

void paintChildhood(QPainter &p)
{
    // A teddy bear.
    const QColor edge(0x4a, 0x26, 0x0e);
    const auto fur = [](QRectF r) {
        QRadialGradient g(
            r.center() - QPointF(r.width() * 0.2, r.height() * 0.25), r.width() * 0.8);
        g.setColorAt(0, QColor(0xf0, 0xb8, 0x6c));
        g.setColorAt(1, QColor(0xa8, 0x62, 0x26));
        return g;
    };
    const auto oval = [&](QRectF r) {
        QPainterPath e;
        e.addEllipse(r);
        outlined(p, e, fur(r), edge, 1.1);
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
    p.setBrush(QColor(0xf8, 0xdc, 0xb0));
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
    outlined(p, handle, QColor(0x7a, 0x44, 0x1c), edge, 1.0);
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 9.5, 27, 14.5), 3, 3);
    outlined(
        p, body, verticalGradient(9, 24, QColor(0xd8, 0x92, 0x50), QColor(0x94, 0x52, 0x1e)), edge);
    p.setPen(QPen(edge, 1.0));
    p.drawLine(QPointF(3, 15.5), QPointF(29, 15.5));
    p.setPen(QPen(QColor(0xf0, 0xc0, 0x88), 1.0));
    p.drawLine(QPointF(5, 11.6), QPointF(27, 11.6));
    QPainterPath clasp;
    clasp.addRoundedRect(QRectF(13, 13, 6, 5), 1, 1);
    outlined(p, clasp, verticalGradient(13, 18, QColor(0xff, 0xec, 0x8c), QColor(0xcc, 0x96, 0x1c)),
        QColor(0x6a, 0x4a, 0x08), 0.9);
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
    // pixels of clear ground on their widest sides.
    const QRectF area = paintedArea(topic);
    const QRectF box(2, 2, 28, 28);
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
