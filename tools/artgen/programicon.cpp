// SPDX-License-Identifier: MIT
// The program icon at every size, and the reduction of any icon to its stored 8-bit form.
#include "common.h"
#include "figures.h"
#include "shapes.h"

#include <QBuffer>
#include <QPainter>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

namespace Art {

namespace {

// A picture set pixel by pixel: one string a row, '#' for a pixel of the picture and '.' for
// none.
using PixelMap = std::vector<std::string_view>;

// The symbols of the four cardinal signs (Aries, Cancer, Libra, Capricorn) pixel by pixel, for
// the wheel at 32 pixels, where a drawn symbol this small would blur.
const std::array<PixelMap, 4> cardinalSymbols = { {
    {
        ".##.##.",
        "#..#..#",
        "#..#..#",
        "...#...",
        "...#...",
        "...#...",
    },
    {
        "..####.",
        ".#....#",
        "##.....",
        "##...##",
        ".....##",
        "#....#.",
        ".####..",
    },
    {
        "..###..",
        ".#...#.",
        "##...##",
        ".......",
        "#######",
    },
    {
        "##..#...",
        ".#.#.#..",
        ".#.#.#..",
        "..#..##.",
        ".....#.#",
        "..#..###",
        "...##...",
    },
} };

// Aries's symbol, horns on a two-pixel stem, for the wheel at 16 and 24 pixels, where it stands
// alone for the whole zodiac as the sign the wheel starts from.
const PixelMap ariesSmall = {
    ".##...##.",
    "#..#.#..#",
    "#...#...#",
    "....#....",
    "....#....",
    "....#....",
};
const PixelMap ariesMedium = {
    ".###....###.",
    "#...#..#...#",
    "#....##....#",
    "#....##....#",
    ".....##.....",
    ".....##.....",
    ".....##.....",
    ".....##.....",
};

QSize mapSize(const PixelMap &map)
{
    int width = 0;
    for (const std::string_view row : map)
        width = std::max(width, int(row.size()));
    return { width, int(map.size()) };
}

// Sets the pixels of `map` in `colour`, centred on `centre`.
void plot(QImage &image, QPointF centre, const PixelMap &map, QRgb colour)
{
    const QSize size = mapSize(map);
    const QPoint at(int(std::floor(centre.x() - size.width() / 2.0 + 0.5)),
        int(std::floor(centre.y() - size.height() / 2.0 + 0.5)));
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < int(map[std::size_t(y)].size()); ++x) {
            if (map[std::size_t(y)][std::size_t(x)] == '#'
                && image.rect().contains(at + QPoint(x, y)))
                image.setPixel(at + QPoint(x, y), colour);
        }
    }
}

const QColor night(0x0a, 0x12, 0x3c);
const QColor seam(0x06, 0x0a, 0x24);
const QColor gold(0xf6, 0xc8, 0x40);
const QColor goldDark(0x9a, 0x62, 0x08);
const QColor pale(0xff, 0xec, 0x9c);

// The colour of a sign's field on the wheel, lit from the upper left like the rest of the icon.
QColor fieldColour(int sign)
{
    const Figures::Ramp ramp = Figures::rampFrom(signColours[std::size_t(sign)].figure);
    const qreal a = (90 - sign * 30) * std::numbers::pi / 180;
    const qreal lit = 0.5 + 0.5 * (-std::cos(a) * 0.6 + std::sin(a) * 0.8);
    return mix(ramp.shade, ramp.base, 0.35 + 0.65 * lit);
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

// The twelve fields between `inner` and `outer`, Aries at the top and the others following
// clockwise, each in its sign's colour.
void paintFields(QPainter &p, QPointF c, qreal inner, qreal outer)
{
    p.setPen(Qt::NoPen);
    for (int sign = 0; sign < signCount; ++sign) {
        // Qt counts angles anticlockwise from three o'clock.
        p.setBrush(fieldColour(sign));
        p.drawPath(sector(c, inner, outer, 90 - sign * 30 - 15, 30));
    }
}

// A star of four long rays and four short ones between them, white at the core through pale
// gold to gold at the tips.
void paintStar(QPainter &p, QPointF c, qreal reach, qreal edge)
{
    QRadialGradient fill(c - QPointF(reach * 0.2, reach * 0.2), reach);
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(0.45, pale);
    fill.setColorAt(1, gold);
    p.setPen(edge > 0 ? QPen(goldDark, edge, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin)
                      : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(Shapes::star(c, reach * 0.62, reach * 0.26, 4, 45));
    p.drawPath(Shapes::star(c, reach, reach * 0.28, 4, 0));
}

// The wheel up to 48 pixels, drawn for its size with a pixel of clear ground round it: a thin
// ring of the twelve signs' colours round a night-blue face that carries what says "zodiac" at
// this size. At 16 and 24 pixels that is Aries's symbol, large, alone; at 32 and 48 the
// symbols of the four cardinal signs at their places on the ring, at 48 round a small gold
// star.
QImage smallWheel(int size)
{
    const qreal c = size / 2.0;
    const qreal disc = c - 1;
    const qreal ring = size <= 16 ? 1.6 : size <= 32 ? 2.5 : 3.5;
    const qreal face = disc - 0.8 - ring;
    QImage icon = blankImage(size, size, Qt::transparent);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(seam);
        p.drawEllipse(QPointF(c, c), disc, disc);
        paintFields(p, QPointF(c, c), face, disc - 0.8);
        QRadialGradient sky(QPointF(c - face * 0.3, c - face * 0.35), face * 1.3);
        sky.setColorAt(0, QColor(0x22, 0x34, 0x80));
        sky.setColorAt(1, night);
        p.setBrush(seam);
        p.drawEllipse(QPointF(c, c), face + 0.2, face + 0.2);
        p.setBrush(sky);
        p.drawEllipse(QPointF(c, c), face - 0.5, face - 0.5);
        if (size >= 48) {
            // The four symbols drawn in white, a third of the face wide.
            for (int i = 0; i < 4; ++i) {
                const qreal a = i * std::numbers::pi / 2;
                const QPointF at(c + std::sin(a) * face * 0.58, c - std::cos(a) * face * 0.58);
                const qreal scale = face * 0.52 / 20;
                QTransform t;
                t.translate(at.x() - 16 * scale, at.y() - 16 * scale);
                t.scale(scale, scale);
                p.setBrush(Qt::white);
                p.drawPath(t.map(Shapes::zodiacGlyph(3 * i, true, 2.0 / scale)));
            }
        }
        if (size >= 48)
            paintStar(p, QPointF(c, c), 4.5, 0);
    }
    icon = icon.convertToFormat(QImage::Format_ARGB32);
    if (size == 32) {
        for (int i = 0; i < 4; ++i) {
            const qreal a = i * std::numbers::pi / 2;
            plot(icon, QPointF(c + std::sin(a) * 7, c - std::cos(a) * 7),
                cardinalSymbols[std::size_t(i)], qRgb(255, 255, 255));
        }
    } else if (size < 32) {
        plot(icon, QPointF(c, c - 0.5), size <= 16 ? ariesSmall : ariesMedium, qRgb(255, 255, 255));
    }
    return icon;
}

// The wheel from 64 pixels up and as a scalable drawing, in a square of `size`: the twelve
// fields each with its sign's symbol in white, round the night-blue hub with its star.
void paintLargeWheel(QPainter &p, qreal size)
{
    const QPointF c(size / 2.0, size / 2.0);
    const qreal r = size / 2.0;
    const qreal disc = r * 0.96; // a margin round the wheel, as desktop icons keep
    const qreal outer = disc - r / 40;
    const qreal inner = disc * 0.56;
    const qreal gap = std::max(1.0, r / 40);
    const qreal glyph = disc * 0.3;

    QRadialGradient sky(c - QPointF(size * 0.12, size * 0.14), size * 0.6);
    sky.setColorAt(0, QColor(0x24, 0x36, 0x84));
    sky.setColorAt(1, night);
    p.setPen(Qt::NoPen);
    p.setBrush(seam);
    p.drawEllipse(c, disc, disc);
    paintFields(p, c, inner, outer);
    for (int sign = 0; sign < signCount; ++sign) {
        const qreal a = (90 - sign * 30) * std::numbers::pi / 180;
        const QPointF at = c + QPointF(std::cos(a), -std::sin(a)) * (inner + outer) / 2;
        const qreal scale = glyph / 22;
        QTransform t;
        t.translate(at.x() - 16 * scale, at.y() - 16 * scale);
        t.scale(scale, scale);
        p.setBrush(Qt::white);
        p.drawPath(t.map(Shapes::zodiacGlyph(sign, true, std::max(1.15, glyph * 0.13) / scale)));
    }
    // Dark seams between the fields and round the hub, so each colour stands on its own.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(seam, gap, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < signCount; ++i) {
        const qreal a = (i * 30 + 15) * std::numbers::pi / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c + dir * (inner - 0.5), c + dir * (outer + 0.5));
    }
    p.setPen(QPen(seam, gap));
    p.drawEllipse(c, inner, inner);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawEllipse(c, inner - 0.5, inner - 0.5);
    paintStar(p, c, inner * 0.78, std::max(0.8, size / 64.0));
}

} // namespace

QImage programIcon(int size)
{
    if (size <= 48)
        return smallWheel(size);
    QImage icon = blankImage(size, size, Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    paintLargeWheel(p, size);
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

QByteArray programIconSvg()
{
    constexpr int size = 128;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(QStringLiteral("Astrelo"));
    svg.setDescription(QStringLiteral("The zodiac wheel"));
    QPainter p(&svg);
    p.setRenderHint(QPainter::Antialiasing);
    paintLargeWheel(p, size);
    p.end();
    // The generator gives the size in millimetres; an icon theme expects it in pixels.
    const QByteArray millimetres = QByteArray::number(size * 25.4 / 72, 'g', 6) + "mm\"";
    bytes.replace("width=\"" + millimetres, "width=\"" + QByteArray::number(size) + '"');
    bytes.replace("height=\"" + millimetres, "height=\"" + QByteArray::number(size) + '"');
    return bytes;
}

MaskedImage iconIndexed(const QImage &source)
{
    const QImage icon = source.convertToFormat(QImage::Format_ARGB32);
    MaskedImage out;
    out.transparent.assign(std::size_t(icon.width()) * icon.height(), true);
    // The mask is 1-bit: a pixel at least half covered is shown. It is shown as it looks over
    // the window grey the icons always stand on, so a partly covered edge pixel keeps its
    // smoothing.
    QImage shown(icon.size(), QImage::Format_RGB32);
    shown.fill(windowGrey);
    composite(shown, icon);
    std::vector<QRgb> opaque;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            if (qAlpha(icon.pixel(x, y)) >= 128) {
                out.transparent[std::size_t(y) * icon.width() + x] = false;
                opaque.push_back(shown.pixel(x, y));
            }
        }
    }
    // Index 0 stays black for the masked pixels; the other 255 entries follow the icon.
    QList<QRgb> palette { qRgb(0, 0, 0) };
    palette.append(Quantise::medianCut(opaque, 255));
    while (palette.size() < 256)
        palette.append(qRgb(0, 0, 0));
    out.image = Quantise::reduce(shown, palette);
    return out;
}

} // namespace Art
