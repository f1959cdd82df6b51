// SPDX-License-Identifier: MIT
// The program icon at every size, and the reduction of any icon to its stored 8-bit form.
#include "common.h"
#include "figures.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace Art {

namespace {

// The measures of the zodiac wheel at one pixel size, in pixels from the centre.
struct Wheel
{
    qreal disc; // the night-blue disc
    qreal outer; // the band of the twelve signs
    qreal inner;
    qreal star; // reach of the star at the hub
    qreal glyph; // height of a sign's symbol in its field; 0 where there is no room for one
    qreal gap; // the dark seam between two fields
};

Wheel wheelFor(int size)
{
    const qreal r = size / 2.0;
    // The small sizes are laid out on whole pixels of their own, not scaled down: at 16 and 24
    // pixels the band is a ring of twelve colours round a large star; from 48 pixels up each
    // field carries its sign.
    if (size <= 16)
        return { r - 0.5, 7.5, 4.0, 4.2, 0, 0.9 };
    if (size <= 24)
        return { r - 0.5, 11.5, 6.5, 6.2, 0, 1.0 };
    if (size <= 32)
        return { r - 0.5, 15.5, 9.5, 8.6, 0, 1.0 };
    return { r - 0.5, r - 0.8, r * 0.56, r * 0.44, r * 0.3, std::max(1.0, r / 40) };
}

QPainterPath sector(QPointF c, qreal inner, qreal outer, qreal fromDegrees, qreal spanDegrees)
{
    QPainterPath path;
    const QRectF out(c - QPointF(outer, outer), QSizeF(2 * outer, 2 * outer));
    const QRectF in(c - QPointF(inner, inner), QSizeF(2 * inner, 2 * inner));
    path.arcMoveTo(out, fromDegrees);
    path.arcTo(out, fromDegrees, spanDegrees);
    path.arcTo(in, fromDegrees + spanDegrees, -spanDegrees);
    path.closeSubpath();
    return path;
}

// The hub's star for 16, 24 and 32 pixels: a cross of gold rays, lighter towards a white core,
// with short diagonal rays, every edge on a pixel boundary.
void paintPixelStar(QPainter &p, int size, const QColor &gold, const QColor &goldDark)
{
    const int c = size / 2; // the star's centre is the corner between four pixels
    const int reach = size == 16 ? 4 : size == 24 ? 6 : 8;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto cross = [&](int half, int thick, const QColor &colour) {
        p.fillRect(QRect(c - thick, c - half, 2 * thick, 2 * half), colour);
        p.fillRect(QRect(c - half, c - thick, 2 * half, 2 * thick), colour);
    };
    cross(reach, 1, gold);
    if (size > 16) {
        // Short diagonal rays.
        for (int i = 2; i <= reach / 2; ++i) {
            for (const auto &[dx, dy] : { std::pair { -1, -1 }, { 1, -1 }, { -1, 1 }, { 1, 1 } })
                p.fillRect(QRect(c + (dx < 0 ? -i : i - 1), c + (dy < 0 ? -i : i - 1), 1, 1),
                    i == reach / 2 ? goldDark : gold);
        }
        cross(reach - 2, 1, QColor(0xff, 0xe4, 0x80));
        cross(2, 2, QColor(0xff, 0xe4, 0x80));
    }
    cross(reach * 2 / 3, 1, QColor(0xff, 0xf2, 0xc0));
    cross(1, 1, Qt::white);
    p.restore();
}

} // namespace

QImage programIcon(int size)
{
    QImage icon = blankImage(size, size, Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const Wheel w = wheelFor(size);
    const QPointF c(size / 2.0, size / 2.0);
    const QColor night(0x0a, 0x12, 0x3c);
    const QColor seam(0x06, 0x0a, 0x24);
    const QColor gold(0xf6, 0xc8, 0x40);
    const QColor goldDark(0x9a, 0x62, 0x08);

    QRadialGradient sky(c - QPointF(size * 0.12, size * 0.14), size * 0.6);
    sky.setColorAt(0, QColor(0x24, 0x36, 0x84));
    sky.setColorAt(1, night);
    p.setPen(Qt::NoPen);
    p.setBrush(seam);
    p.drawEllipse(c, w.disc, w.disc);
    p.setBrush(sky);
    p.drawEllipse(c, w.outer, w.outer);

    // The twelve fields, Aries at the top and the others following clockwise, each in its
    // sign's colour with the light from the upper left.
    for (int sign = 0; sign < signCount; ++sign) {
        // Qt counts angles anticlockwise from three o'clock.
        const qreal middle = 90 - sign * 30;
        const Figures::Ramp ramp = Figures::rampFrom(signColours[sign].figure);
        const qreal a = middle * std::numbers::pi / 180;
        const QPointF towards(std::cos(a), -std::sin(a));
        const qreal lit = 0.5 + 0.5 * (-towards.x() * 0.6 - towards.y() * 0.8);
        p.setBrush(mix(ramp.shade, ramp.base, 0.35 + 0.65 * lit));
        p.drawPath(sector(c, w.inner, w.outer, middle - 15, 30));
        if (w.glyph > 0) {
            const QPointF at = c + towards * (w.inner + w.outer) / 2;
            const qreal scale = w.glyph / 22;
            QTransform t;
            t.translate(at.x() - 16 * scale, at.y() - 16 * scale);
            t.scale(scale, scale);
            const qreal stroke = std::max(1.15, w.glyph * 0.13) / scale;
            p.setBrush(Qt::white);
            p.drawPath(t.map(Shapes::zodiacGlyph(sign, true, stroke)));
        }
    }
    // Dark seams between the fields and round the hub, so each colour stands on its own.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(seam, w.gap, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < signCount; ++i) {
        const qreal a = (i * 30 + 15) * std::numbers::pi / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c + dir * (w.inner - 0.5), c + dir * (w.outer + 0.5));
    }
    p.setPen(QPen(seam, std::max(1.0, w.gap)));
    p.drawEllipse(c, w.inner, w.inner);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawEllipse(c, w.inner - 0.5, w.inner - 0.5);

    if (size <= 32) {
        // Small sizes: the star set pixel by pixel, its rays two pixels thick on the grid.
        paintPixelStar(p, size, gold, goldDark);
    } else {
        // The star at the hub: four long rays and four short ones between them.
        QRadialGradient starFill(c - QPointF(w.star * 0.2, w.star * 0.2), w.star);
        starFill.setColorAt(0, Qt::white);
        starFill.setColorAt(0.45, QColor(0xff, 0xec, 0x9c));
        starFill.setColorAt(1, gold);
        p.setPen(QPen(goldDark, std::max(0.8, size / 64.0), Qt::SolidLine, Qt::RoundCap,
            Qt::MiterJoin));
        p.setBrush(starFill);
        p.drawPath(Shapes::star(c, w.star * 0.62, w.star * 0.26, 4, 45));
        p.drawPath(Shapes::star(c, w.star, w.star * 0.28, 4, 0));
    }
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
