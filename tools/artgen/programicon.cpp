// SPDX-License-Identifier: MIT
// The program icon at every size, and the reduction of any icon to its stored 8-bit form.
#include "common.h"
#include "figures.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>
#include <vector>

namespace Art {

namespace {

// A picture set pixel by pixel: one string a row, '#' for a pixel of the picture and '.' for
// none.
using PixelMap = std::vector<std::string_view>;

// The twelve signs' symbols pixel by pixel, in strokes one pixel wide, for the wheels too small
// for a drawn symbol to stay sharp.
const std::array<PixelMap, signCount> pixelSymbols = { {
    {
        // Aries
        ".##.##.",
        "#..#..#",
        "#..#..#",
        "...#...",
        "...#...",
        "...#...",
    },
    {
        // Taurus
        "#.....#",
        ".#...#.",
        "..###..",
        ".#...#.",
        ".#...#.",
        ".#...#.",
        "..###..",
    },
    {
        // Gemini
        "#######",
        ".#...#.",
        ".#...#.",
        ".#...#.",
        ".#...#.",
        ".#...#.",
        "#######",
    },
    {
        // Cancer
        "..####.",
        ".#....#",
        "##.....",
        "##...##",
        ".....##",
        "#....#.",
        ".####..",
    },
    {
        // Leo
        "...###.",
        "..#...#",
        "..#...#",
        ".##..#.",
        "#.#..#.",
        "#.#..#.",
        ".#....#",
    },
    {
        // Virgo
        "##.#...",
        "#.#.#..",
        "#.#.##.",
        "#.#.#.#",
        "#.#.#.#",
        "....##.",
        "...#...",
    },
    {
        // Libra
        "..###..",
        ".#...#.",
        "##...##",
        ".......",
        "#######",
    },
    {
        // Scorpio
        "##.#....",
        "#.#.#...",
        "#.#.#...",
        "#.#.#...",
        "#.#.#.#.",
        "....####",
        "......#.",
    },
    {
        // Sagittarius
        "...####",
        ".....##",
        "....#.#",
        ".#.#..#",
        "..#....",
        ".#.#...",
        "#......",
    },
    {
        // Capricorn
        "##..#...",
        ".#.#.#..",
        ".#.#.#..",
        "..#..##.",
        ".....#.#",
        "..#..###",
        "...##...",
    },
    {
        // Aquarius
        ".#...#.",
        "#.#.#.#",
        "...#...",
        ".......",
        ".#...#.",
        "#.#.#.#",
        "...#...",
    },
    {
        // Pisces
        "#.....#",
        ".#...#.",
        ".#...#.",
        "#######",
        ".#...#.",
        ".#...#.",
        "#.....#",
    },
} };

// Aries alone, large in the hub of the 16 and 24 pixel icons: the first sign stands for all
// twelve where there is no room for them.
const PixelMap aries16 = {
    ".##...##.",
    "#..#.#..#",
    "#...#...#",
    ".#..#..#.",
    "....#....",
    "....#....",
};
const PixelMap aries24 = {
    ".###....###.",
    "##.##..##.##",
    "##..####..##",
    ".#...##...#.",
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

// Sets the pixels of `map` in `colour` with its top-left corner at `at`. With a `shadow`, each
// pixel diagonally below and right of a stroke that is no stroke itself takes that colour, so a
// light symbol stays apart from whatever it stands on.
void plot(QImage &image, QPoint at, const PixelMap &map, QRgb colour, std::optional<QRgb> shadow)
{
    const auto set = [&](int x, int y) {
        return y >= 0 && y < int(map.size()) && x >= 0 && x < int(map[std::size_t(y)].size())
            && map[std::size_t(y)][std::size_t(x)] == '#';
    };
    const QSize size = mapSize(map);
    for (int y = 0; y <= size.height(); ++y) {
        for (int x = 0; x <= size.width(); ++x) {
            const QPoint pixel = at + QPoint(x, y);
            if (!image.rect().contains(pixel))
                continue;
            if (set(x, y))
                image.setPixel(pixel, colour);
            else if (shadow && set(x - 1, y - 1))
                image.setPixel(pixel, *shadow);
        }
    }
}

// Where a symbol of `size` goes so that its middle is nearest to `centre`.
QPoint placed(QPointF centre, QSize size)
{
    return { int(std::floor(centre.x() - size.width() / 2.0 + 0.5)),
        int(std::floor(centre.y() - size.height() / 2.0 + 0.5)) };
}

const QColor night(0x0a, 0x12, 0x3c);
const QColor seam(0x06, 0x0a, 0x24);
const QColor gold(0xf6, 0xc8, 0x40);
const QColor goldDark(0x9a, 0x62, 0x08);
const QColor hubBlue(0x1c, 0x2a, 0x70);

// The 16 and 24 pixel icons, set pixel by pixel: a thick ring of six bold colours inside a dark
// rim, and Aries in gold on the night-blue hub. Only the outermost pixels are partly
// transparent, by how much of each the round edge covers.
QImage smallWheel(int size)
{
    const qreal c = size / 2.0;
    const qreal rim = size <= 16 ? 7.0 : 10.8; // beyond this radius the rim
    const qreal hub = size <= 16 ? 5.0 : 7.2; // within it the hub
    // Six fields, red at the top, in the colours of Aries, Gemini, Taurus, Aquarius,
    // Sagittarius and Scorpio, hues spread round the circle: a ring that reads as a wheel of
    // signs, not as slivers.
    const std::array<QColor, 6> fields
        = { signColours[0].figure, signColours[2].figure, signColours[1].figure,
              signColours[10].figure, signColours[8].figure, signColours[7].figure };
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx)
                    covered += std::hypot(x + (sx + 0.5) / 4 - c, y + (sy + 0.5) / 4 - c) <= c;
            }
            if (covered == 0)
                continue;
            const qreal dx = x + 0.5 - c, dy = y + 0.5 - c;
            const qreal r = std::hypot(dx, dy);
            QColor colour = hubBlue;
            if (r > rim || covered < 12) {
                colour = seam;
                colour.setAlpha(covered * 255 / 16);
            } else if (r > hub) {
                // Degrees clockwise from the top, the first field centred there.
                const qreal degrees = std::atan2(dx, -dy) * 180 / std::numbers::pi + 30;
                const int field = (int(std::floor(degrees / 60)) + 6) % 6;
                colour = fields[std::size_t(field)];
            }
            icon.setPixelColor(x, y, colour);
        }
    }
    const PixelMap &aries = size <= 16 ? aries16 : aries24;
    plot(icon, placed(QPointF(c, c), mapSize(aries)), aries, qRgb(0xff, 0xd8, 0x50), std::nullopt);
    return icon;
}

// The measures of the zodiac wheel at one pixel size, in pixels from the centre.
struct Wheel
{
    qreal disc; // the dark disc behind the wheel, whose edge is the rim
    qreal outer; // the band of the twelve signs
    qreal inner;
    qreal star; // reach of the star at the hub
    qreal glyph; // height of a drawn symbol in its field; 0 where symbols are set pixel by pixel
    qreal gap; // the dark seam between two fields
};

Wheel wheelFor(int size)
{
    const qreal r = size / 2.0;
    // At 32 pixels the band is wide enough for the four cardinal signs set pixel by pixel; at
    // 48 every field carries its sign that way; from 64 pixels up the symbols are drawn.
    if (size <= 32)
        return { r - 0.5, 14.8, 7.5, 6, 0, 1.0 };
    if (size <= 48)
        return { r - 0.5, r - 1.2, r * 0.56, r * 0.44, 0, 1.0 };
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

// The hub's star for 32 pixels: a cross of gold rays, lighter towards a white core, with short
// diagonal rays, every edge on a pixel boundary.
void paintPixelStar(QPainter &p, int size, int reach)
{
    const int c = size / 2; // the star's centre is the corner between four pixels
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto cross = [&](int half, int thick, const QColor &colour) {
        p.fillRect(QRect(c - thick, c - half, 2 * thick, 2 * half), colour);
        p.fillRect(QRect(c - half, c - thick, 2 * half, 2 * thick), colour);
    };
    cross(reach, 1, gold);
    // Short diagonal rays.
    for (int i = 2; i <= reach / 2; ++i) {
        for (const auto &[dx, dy] : { std::pair { -1, -1 }, { 1, -1 }, { -1, 1 }, { 1, 1 } })
            p.fillRect(QRect(c + (dx < 0 ? -i : i - 1), c + (dy < 0 ? -i : i - 1), 1, 1),
                i == reach / 2 ? goldDark : gold);
    }
    cross(reach - 2, 1, QColor(0xff, 0xe4, 0x80));
    cross(reach * 2 / 3, 1, QColor(0xff, 0xf2, 0xc0));
    cross(1, 1, Qt::white);
    p.restore();
}

} // namespace

QImage programIcon(int size)
{
    if (size <= 24)
        return smallWheel(size);
    QImage icon = blankImage(size, size, Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const Wheel w = wheelFor(size);
    const QPointF c(size / 2.0, size / 2.0);

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
        // Where white symbols are set pixel by pixel, the fields are a step darker so even
        // the light ones (Gemini's yellow, Cancer's silver) hold them.
        const qreal light = w.glyph == 0 ? 0.1 + 0.55 * lit : 0.35 + 0.65 * lit;
        p.setBrush(mix(ramp.shade, ramp.base, light));
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
        paintPixelStar(p, size, int(w.star));
    } else {
        // The star at the hub: four long rays and four short ones between them.
        QRadialGradient starFill(c - QPointF(w.star * 0.2, w.star * 0.2), w.star);
        starFill.setColorAt(0, Qt::white);
        starFill.setColorAt(0.45, QColor(0xff, 0xec, 0x9c));
        starFill.setColorAt(1, gold);
        p.setPen(
            QPen(goldDark, std::max(0.8, size / 64.0), Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
        p.setBrush(starFill);
        p.drawPath(Shapes::star(c, w.star * 0.62, w.star * 0.26, 4, 45));
        p.drawPath(Shapes::star(c, w.star, w.star * 0.28, 4, 0));
    }
    p.end();
    icon = icon.convertToFormat(QImage::Format_ARGB32);

    if (w.glyph == 0) {
        // The symbols set pixel by pixel in white over a dark shadow, without antialiasing:
        // at 32 pixels the four cardinal signs (Aries, Cancer, Libra, Capricorn) at the
        // quarters, at 48 all twelve.
        for (int sign = 0; sign < signCount; ++sign) {
            if (size <= 32 && sign % 3 != 0)
                continue;
            const qreal a = (90 - sign * 30) * std::numbers::pi / 180;
            const QPointF at = c + QPointF(std::cos(a), -std::sin(a)) * (w.inner + w.outer) / 2;
            const PixelMap &map = pixelSymbols[std::size_t(sign)];
            plot(icon, placed(at, mapSize(map)), map, qRgb(255, 255, 255), seam.rgb());
        }
    }
    return icon;
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
