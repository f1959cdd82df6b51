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

// The colour of a sign's field on the wheel at every size, lit from the upper left like the
// rest of the icon.
QColor fieldColour(int sign)
{
    const Figures::Ramp ramp = Figures::rampFrom(signColours[std::size_t(sign)].figure);
    const qreal a = (90 - sign * 30) * std::numbers::pi / 180;
    const qreal lit = 0.5 + 0.5 * (-std::cos(a) * 0.6 + std::sin(a) * 0.8);
    return mix(ramp.shade, ramp.base, 0.35 + 0.65 * lit);
}

// Whether the point (dx, dy) from the centre lies in a star of `points` points reaching
// `outer`, with its notches at `inner` and its first point `turn` degrees clockwise from the
// top.
bool inStar(qreal dx, qreal dy, int points, qreal outer, qreal inner, qreal turn)
{
    const qreal step = 2 * std::numbers::pi / points;
    qreal angle = std::atan2(dx, -dy) - turn * std::numbers::pi / 180;
    angle = std::fmod(angle + 8 * std::numbers::pi, step); // from one point towards the next
    if (angle > step / 2)
        angle = step - angle; // mirrored into the half from a point to its notch
    const qreal r = std::hypot(dx, dy);
    const QPointF p(r * std::cos(angle), r * std::sin(angle));
    const QPointF tip(outer, 0), notch(inner * std::cos(step / 2), inner * std::sin(step / 2));
    // Inside when on the centre's side of the edge from the point to the notch.
    const auto side = [&](QPointF q) {
        return (notch.x() - tip.x()) * (q.y() - tip.y())
            - (notch.y() - tip.y()) * (q.x() - tip.x());
    };
    return side(p) * side(QPointF(0, 0)) >= 0;
}

// The upper-left quarter of the hub's star at 16 and 24 pixels, its last row and column next to
// the centre, mirrored into the other three: 'W' white, 'P' pale gold, 'Y' light gold, 'G' gold.
// Four rays two pixels wide at the tips, widening towards the white core.
const PixelMap star16 = {
    "...G",
    "...Y",
    "..YP",
    "GYPW",
};
const PixelMap star24 = {
    ".....G",
    ".....G",
    ".....Y",
    "....YY",
    "...YPP",
    "GGYYPW",
};

void plotStar(QImage &icon, const PixelMap &quarter)
{
    const int n = int(quarter.size());
    const int c = icon.width() / 2;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            QColor colour;
            switch (quarter[std::size_t(y)][std::size_t(x)]) {
            case 'W':
                colour = Qt::white;
                break;
            case 'P':
                colour = QColor(0xff, 0xec, 0x9c);
                break;
            case 'Y':
                colour = QColor(0xff, 0xd8, 0x60);
                break;
            case 'G':
                colour = gold;
                break;
            default:
                continue;
            }
            const int dx = n - x, dy = n - y; // 1 next to the centre
            for (const int px : { c - dx, c + dx - 1 }) {
                for (const int py : { c - dy, c + dy - 1 })
                    icon.setPixelColor(px, py, colour);
            }
        }
    }
}

// The wheel up to 32 pixels, set pixel by pixel for its size: the twelve fields in the signs'
// colours, Aries at the top and the others following clockwise, inside a dark rim, with the
// gold star of four long and four short rays on the night-blue hub. The outermost pixels are
// partly transparent by how much of each the round edge covers; a field's pixel takes the
// colour of the field its middle lies in, so the small fields stay clean blocks of colour.
QImage smallWheel(int size)
{
    const qreal c = size / 2.0;
    struct Measures
    {
        qreal rim; // beyond this radius the rim
        qreal hub; // within it the hub
        qreal star; // reach of the star
        bool seams; // dark seams between the fields and round the hub
    };
    const Measures m = size <= 16 ? Measures { 6.9, 4.3, 4.4, false }
        : size <= 24              ? Measures { 10.6, 6.2, 6.4, false }
                                  : Measures { 14.7, 8.6, 8.2, true };
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    // The wheel's colour at (dx, dy) from the centre, star aside.
    const auto ground = [&](qreal dx, qreal dy) {
        const qreal r = std::hypot(dx, dy);
        if (r > m.rim)
            return seam;
        if (r <= m.hub)
            return hubBlue;
        // Degrees clockwise from the top, the first field centred there.
        const qreal degrees = std::atan2(dx, -dy) * 180 / std::numbers::pi + 15;
        const qreal within = std::fmod(degrees + 360, 30);
        // Half the seam's width, in degrees at this radius.
        const qreal half = 0.55 / r * 180 / std::numbers::pi;
        if (m.seams && (r < m.hub + 0.8 || within < half || within > 30 - half))
            return seam;
        return fieldColour((int(std::floor(degrees / 30)) + 12) % 12);
    };
    constexpr int samples = 8;
    constexpr int all = samples * samples;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0;
            int starred = 0;
            qreal starRadius = 0;
            qreal red = 0, green = 0, blue = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const qreal dx = x + (sx + 0.5) / samples - c;
                    const qreal dy = y + (sy + 0.5) / samples - c;
                    if (std::hypot(dx, dy) > c)
                        continue;
                    ++covered;
                    const QColor here = ground(dx, dy);
                    red += here.redF();
                    green += here.greenF();
                    blue += here.blueF();
                    if (inStar(dx, dy, 4, m.star, m.star * 0.22, 0)
                        || inStar(dx, dy, 4, m.star * 0.58, m.star * 0.2, 45)) {
                        ++starred;
                        starRadius += std::hypot(dx, dy);
                    }
                }
            }
            if (covered == 0)
                continue;
            const qreal dx = x + 0.5 - c, dy = y + 0.5 - c;
            QColor colour;
            if (m.seams) {
                // Smooth: the mean of the pixel's covered part.
                colour = QColor::fromRgbF(float(red / covered), float(green / covered),
                    float(blue / covered), float(covered) / all);
            } else if (covered < all * 3 / 4) {
                colour = seam;
                colour.setAlpha(covered * 255 / all);
            } else {
                // Sharp: the colour at the pixel's middle.
                colour = ground(dx, dy);
            }
            if (starred > 0 && m.seams) {
                // White at the core, through pale gold to gold at the tips.
                const qreal t = std::clamp(starRadius / starred / m.star, 0.0, 1.0);
                const QColor pale(0xff, 0xec, 0x9c);
                const QColor ray = t < 0.15 ? mix(Qt::white, pale, t / 0.15)
                                            : mix(pale, gold, std::min(1.0, (t - 0.15) / 0.5));
                const qreal share = qreal(starred) / all;
                const int alpha = colour.alpha();
                colour = mix(colour, ray, share);
                colour.setAlpha(alpha);
            }
            icon.setPixelColor(x, y, colour);
        }
    }
    if (!m.seams)
        plotStar(icon, size <= 16 ? star16 : star24);
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
    // At 48 pixels every field carries its sign set pixel by pixel; from 64 pixels up the
    // symbols are drawn.
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

} // namespace

QImage programIcon(int size)
{
    if (size <= 32)
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

    {
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
        // The twelve symbols set pixel by pixel in plain white strokes, without antialiasing
        // or outline, on the darkened fields.
        for (int sign = 0; sign < signCount; ++sign) {
            const qreal a = (90 - sign * 30) * std::numbers::pi / 180;
            const QPointF at = c + QPointF(std::cos(a), -std::sin(a)) * (w.inner + w.outer) / 2;
            const PixelMap &map = pixelSymbols[std::size_t(sign)];
            plot(icon, placed(at, mapSize(map)), map, qRgb(255, 255, 255), std::nullopt);
        }
    }
    return icon;
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
