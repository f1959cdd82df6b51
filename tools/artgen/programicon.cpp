// SPDX-License-Identifier: MIT
// The program icon at every size, and the reduction of any icon to its stored 8-bit form.
#include "common.h"
#include "pixels.h"
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

const QColor night(0x0a, 0x12, 0x3c);
const QColor seam(0x06, 0x0a, 0x24);
const QColor gold(0xf6, 0xc8, 0x40);
const QColor goldDark(0x9a, 0x62, 0x08);
const QColor pale(0xff, 0xec, 0x9c);
const QColor face(0x16, 0x22, 0x5e);

// How the wheel is laid out in a square of a given size: the radius of the whole disc, the
// width of the ring of the signs' colours round the face, the reach of the star from its centre
// and whether the signs' symbols stand in the ring. Up to 64 pixels the sizes are chosen for the
// pixel grid: the centre falls between pixels, so the star's reach in whole pixels puts each
// tip on a pixel's edge and each ray two pixels wide at its root.
struct Layout
{
    qreal disc;
    qreal ring;
    qreal star;
    bool symbols;
};

Layout layoutFor(qreal size)
{
    if (size <= 16)
        return { 7, 2.4, 4, false };
    if (size <= 24)
        return { 11, 3.2, 6, false };
    if (size <= 32)
        return { 15, 4.2, 8, false };
    // At 48 the disc fills the same 7/8 of the square as the pixel-drawn sizes below it.
    if (size <= 48)
        return { 21, 5.6, 12, false };
    if (size <= 64)
        return { 28, 7.5, 16, false };
    // From here up the circle keeps the margin of the desktop's icon grid, 112 of 128, and the
    // ring is wide enough for the symbols.
    const qreal disc = size * 56 / 128;
    return { disc, disc * 0.42, disc * 0.58 * 0.8, true };
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

// A star of four long rays and four short ones between them, white at the core through pale
// gold to gold at the tips. The short rays are left out where they would be a pixel's smudge.
void paintStar(QPainter &p, QPointF c, qreal reach, qreal edge)
{
    QRadialGradient fill(c - QPointF(reach * 0.2, reach * 0.2), reach);
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(0.45, pale);
    fill.setColorAt(1, gold);
    p.setPen(edge > 0 ? QPen(goldDark, edge, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin)
                      : QPen(Qt::NoPen));
    p.setBrush(fill);
    // Small stars get stouter rays, two pixels wide for most of their length, so they stay gold
    // to the tips instead of fading into the face.
    const qreal root = reach <= 4 ? 0.4 : reach <= 8 ? 0.32 : 0.25;
    if (reach >= 6)
        p.drawPath(Shapes::star(c, reach * 0.6, reach * root, 4, 45));
    p.drawPath(Shapes::star(c, reach, reach * root, 4, 0));
}

// The wheel in a square of `size`: a ring of the twelve signs' colours, Aries at the top and
// the others following clockwise, round a night-blue face with a gold star. The ring's outer
// edge is a lighter tone of each colour, so the disc stands clear of a dark panel as well as a
// light one. From 128 pixels up each field carries its sign's symbol in white.
void paintWheel(QPainter &p, qreal size)
{
    const Layout layout = layoutFor(size);
    const QPointF c(size / 2.0, size / 2.0);
    const qreal inner = layout.disc - layout.ring;
    const qreal edge = std::max(0.9, size / 96);
    p.setPen(Qt::NoPen);
    for (int sign = 0; sign < signCount; ++sign) {
        // Qt counts angles anticlockwise from three o'clock.
        const qreal from = 90 - sign * 30 - 15;
        p.setBrush(discColour(sign));
        p.drawPath(sector(c, inner - 1, layout.disc, from, 30));
        p.setBrush(mix(discColour(sign), Qt::white, 0.45));
        p.drawPath(sector(c, layout.disc - edge, layout.disc, from, 30));
    }
    if (layout.symbols) {
        const qreal glyph = layout.disc * 0.3;
        for (int sign = 0; sign < signCount; ++sign) {
            const qreal a = (90 - sign * 30) * std::numbers::pi / 180;
            const QPointF at
                = c + QPointF(std::cos(a), -std::sin(a)) * (inner + layout.disc - edge) / 2;
            const qreal scale = glyph / 22;
            QTransform t;
            t.translate(at.x() - 16 * scale, at.y() - 16 * scale);
            t.scale(scale, scale);
            p.setBrush(Qt::white);
            p.drawPath(t.map(Shapes::zodiacGlyph(sign, true, glyph * 0.13 / scale)));
        }
    }
    if (size >= 48) {
        // Dark seams between the fields, so each colour stands on its own.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(seam, std::max(1.0, size / 64), Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < signCount; ++i) {
            const qreal a = (i * 30 + 15) * std::numbers::pi / 180;
            const QPointF dir(std::cos(a), std::sin(a));
            p.drawLine(c + dir * (inner - 1), c + dir * (layout.disc - edge));
        }
        p.setPen(Qt::NoPen);
    }
    // The face, its seam with the ring a little darker than the night sky inside.
    QRadialGradient sky(c - QPointF(inner * 0.3, inner * 0.35), inner * 1.3);
    sky.setColorAt(0, QColor(0x24, 0x36, 0x84));
    sky.setColorAt(1, night);
    p.setBrush(seam);
    p.drawEllipse(c, inner, inner);
    p.setBrush(sky);
    p.drawEllipse(c, inner - std::max(0.6, size / 128), inner - std::max(0.6, size / 128));
    paintStar(p, c, layout.star, size >= 64 ? size / 96 : 0);
}

// The small sizes are drawn to the pixel, without smoothing: a ring of a few fields round a
// night-blue face and a star laid out by hand. Each pixel takes its colour from where its centre
// falls, so every edge is a clean step. Each field is in the colour of the sign that stands at
// its middle on the large wheel (the four cardinal signs, or every other sign), so the small
// wheel reads as the large one simplified. The disc spans 7/8 of the square, as at 48 pixels.
struct PixelLayout
{
    int size;
    qreal disc; // the disc's radius: its edge takes the pixels whose centres lie within
    qreal faceRadius;
    int fields; // the ring's fields, Aries' at the top, the others following clockwise
    std::array<std::string_view, 14> star;
};

// 'W' white core, 'p' pale gold, 'g' gold; anything else leaves the face showing.
const std::array<PixelLayout, 3> pixelLayouts = { {
    { 16, 7.0, 4.9, 4,
        { "...gg...", "...pp...", "...WW...", "gpWWWWpg", "gpWWWWpg", "...WW...", "...pp...",
            "...gg..." } },
    { 24, 11.0, 7.4, 4,
        { ".....gg.....", ".....pp.....", ".....pp.....", ".....pp.....", "....pWWp....",
            "gpppWWWWpppg", "gpppWWWWpppg", "....pWWp....", ".....pp.....", ".....pp.....",
            ".....pp.....", ".....gg....." } },
    { 32, 14.0, 9.6, 12,
        { "......gg......", "......gg......", "......pp......", "......pp......", "...g..pp..g...",
            "....gpWWpg....", "ggpppWWWWpppgg", "ggpppWWWWpppgg", "....gpWWpg....",
            "...g..pp..g...", "......pp......", "......pp......", "......gg......",
            "......gg......" } },
} };

const PixelLayout *pixelLayoutFor(int size)
{
    for (const PixelLayout &layout : pixelLayouts)
        if (layout.size == size)
            return &layout;
    return nullptr;
}

void paintPixelWheel(QImage &icon, const PixelLayout &layout)
{
    const qreal c = layout.size / 2.0;
    const auto distance = [c](int x, int y) { return std::hypot(x + 0.5 - c, y + 0.5 - c); };
    const auto outside = [&](int x, int y, qreal radius) {
        return distance(x + 1, y) > radius || distance(x - 1, y) > radius
            || distance(x, y + 1) > radius || distance(x, y - 1) > radius;
    };
    for (int y = 0; y < layout.size; ++y) {
        for (int x = 0; x < layout.size; ++x) {
            const qreal d = distance(x, y);
            if (d > layout.disc)
                continue;
            if (d <= layout.faceRadius) {
                // The face's rim, next to the ring, a shade darker than the sky inside.
                const bool rim = outside(x, y, layout.faceRadius);
                icon.setPixelColor(x, y, rim && layout.size > 16 ? seam : face);
                continue;
            }
            // Clockwise from the top; the field of Aries is centred on it.
            const qreal turn = std::atan2(x + 0.5 - c, c - y - 0.5) / (2 * std::numbers::pi);
            const qreal span = 1.0 / layout.fields;
            const int field = int(std::floor((turn + 1 + span / 2) / span)) % layout.fields;
            const QColor colour = discColour(field * (signCount / layout.fields));
            // The outermost pixels a lighter tone: a crisp rim that stands clear of a dark
            // title bar and still shows on a light panel.
            const bool rim = layout.size > 16 && outside(x, y, layout.disc);
            icon.setPixelColor(x, y, rim ? mix(colour, Qt::white, 0.3) : colour);
        }
    }
    const std::size_t rows = layout.size == 16 ? 8 : layout.size == 24 ? 12 : 14;
    const int origin = layout.size / 2 - int(rows) / 2;
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t column = 0; column < layout.star[row].size(); ++column) {
            const char mark = layout.star[row][column];
            const QColor colour = mark == 'W' ? QColor(0xff, 0xfa, 0xe4)
                : mark == 'p'                 ? pale
                : mark == 'g'                 ? gold
                                              : QColor();
            if (colour.isValid())
                icon.setPixelColor(origin + int(column), origin + int(row), colour);
        }
    }
}

} // namespace

QImage programIcon(int size)
{
    QImage icon = blankImage(size, size, Qt::transparent);
    if (const PixelLayout *layout = pixelLayoutFor(size)) {
        paintPixelWheel(icon, *layout);
        return Pixels::straightAlpha(icon);
    }
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    paintWheel(p, size);
    p.end();
    return Pixels::straightAlpha(icon);
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
    paintWheel(p, size);
    p.end();
    // The generator gives the size in millimetres; an icon theme expects it in pixels.
    const QByteArray millimetres = QByteArray::number(size * 25.4 / 72, 'g', 6) + "mm\"";
    bytes.replace("width=\"" + millimetres, "width=\"" + QByteArray::number(size) + '"');
    bytes.replace("height=\"" + millimetres, "height=\"" + QByteArray::number(size) + '"');
    return bytes;
}

MaskedImage iconIndexed(const QImage &source, Edge edge)
{
    const QImage icon = Pixels::straightAlpha(source);
    MaskedImage out;
    out.transparent.assign(std::size_t(icon.width()) * icon.height(), true);
    // The mask is 1-bit: a pixel at least half covered is shown. With a smoothed edge it is
    // shown as it looks over the window grey the topic icons always stand on; with a hard edge
    // in its own colour, fully opaque, so nothing of the grey shows on a dark title bar.
    QImage shown(icon.size(), QImage::Format_RGB32);
    shown.fill(windowGrey);
    Pixels::composite(shown, icon);
    if (edge == Edge::Hard) {
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                shown.setPixel(x, y, icon.pixel(x, y) | 0xff000000u);
    }
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
