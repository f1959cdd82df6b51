// SPDX-License-Identifier: MIT
// The program icon at every size, and the reduction of any icon to its stored 8-bit form.
#include "common.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace Art {

QImage programIcon(int size)
{
    QImage icon = blankImage(size, size, Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    // Designed on a 32-unit square; fine lines are kept at least about a pixel wide.
    const qreal unit = size / 32.0;
    p.scale(unit, unit);
    const qreal hairline = std::max(0.9, 1.0 / unit);
    const QPointF c(16, 16);
    const QColor gold(0xf4, 0xc4, 0x40);
    const QColor goldDark(0x9a, 0x6a, 0x10);

    QRadialGradient night(QPointF(13, 12), 19);
    night.setColorAt(0, QColor(0x2c, 0x42, 0x96));
    night.setColorAt(1, QColor(0x0a, 0x12, 0x3c));
    p.setPen(QPen(QColor(0x06, 0x0a, 0x24), std::max(1.0, 1.0 / unit)));
    p.setBrush(night);
    p.drawEllipse(c, 15.3, 15.3);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 1.5));
    p.drawEllipse(c, 13.4, 13.4);
    const QColor light(0xff, 0xe8, 0xa0);
    if (size < 40) {
        // Small sizes: the twelve houses as short marks inside the rim, and a larger star.
        for (int i = 0; i < signCount; ++i) {
            const qreal a = i * 30.0 * std::numbers::pi / 180;
            const QPointF dir(std::cos(a), std::sin(a));
            p.setPen(QPen(i % 3 ? goldDark.lighter(150) : light, 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(c + dir * 10.4, c + dir * 12.8);
        }
    } else {
        // Twelve houses around the wheel, each with a point of light or, when there is room
        // for it, its sign.
        p.setPen(QPen(gold, hairline));
        p.drawEllipse(c, 9.2, 9.2);
        for (int i = 0; i < signCount; ++i) {
            const qreal a = (i * 30.0 + 15.0) * std::numbers::pi / 180;
            const QPointF dir(std::cos(a), std::sin(a));
            p.setPen(QPen(gold, hairline, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(c + dir * 9.2, c + dir * 13.4);
            const qreal mid = -(i * 30.0) * std::numbers::pi / 180 - std::numbers::pi / 2;
            const QPointF at = c + QPointF(std::cos(mid), std::sin(mid)) * 11.3;
            if (size >= 96) {
                QTransform toBox;
                toBox.translate(at.x() - 1.55, at.y() - 1.55);
                toBox.scale(0.031, 0.031);
                p.fillPath(Shapes::strokeOutline(toBox.map(Shapes::zodiacSymbol(i)), 0.42), light);
            } else {
                p.setPen(Qt::NoPen);
                p.setBrush(light);
                p.drawEllipse(at, 0.85, 0.85);
            }
        }
    }
    // The guiding star at the centre.
    QRadialGradient starFill(c, 8);
    starFill.setColorAt(0, Qt::white);
    starFill.setColorAt(0.5, QColor(0xff, 0xee, 0xa8));
    starFill.setColorAt(1, gold);
    p.setPen(QPen(goldDark, std::max(0.6, 0.8 / unit)));
    p.setBrush(starFill);
    const qreal reach = size < 40 ? 9.6 : 7.8;
    p.drawPath(Shapes::star(c, reach, reach * 0.3, 4, 0));
    p.drawPath(Shapes::star(c, reach * 0.64, reach * 0.26, 4, 45));
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

MaskedImage iconIndexed(const QImage &source)
{
    const QImage icon = source.convertToFormat(QImage::Format_ARGB32);
    MaskedImage out;
    out.transparent.assign(std::size_t(icon.width()) * icon.height(), true);
    std::vector<QRgb> opaque;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb pixel = icon.pixel(x, y);
            // The mask is 1-bit: a pixel at least half covered is shown, in its own colour.
            if (qAlpha(pixel) >= 128) {
                out.transparent[std::size_t(y) * icon.width() + x] = false;
                opaque.push_back(pixel | 0xff000000u);
            }
        }
    }
    // Index 0 stays black for the masked pixels; the other 255 entries follow the icon.
    QList<QRgb> palette { qRgb(0, 0, 0) };
    palette.append(Quantise::medianCut(opaque, 255));
    while (palette.size() < 256)
        palette.append(qRgb(0, 0, 0));
    // The colour of a partly covered pixel as it is, not darkened by its coverage.
    QImage flat(icon.size(), QImage::Format_RGB32);
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            flat.setPixel(x, y, icon.pixel(x, y) | 0xff000000u);
    }
    out.image = Quantise::reduce(flat, palette, Quantise::Dither::None);
    return out;
}

} // namespace Art
