// SPDX-License-Identifier: MIT
// The thumbnails on the sign buttons: the sign's symbol in white on a disc of its colour.
#include "common.h"
#include "pixels.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <string_view>

namespace Art {
namespace {

// The weight of every symbol on a thumbnail: two pixels, so stems set on whole pixels are
// crisp.
constexpr qreal glyphStroke = 2.0;

// The relative luminance of a colour as the contrast guidelines for the web define it.
qreal luminance(const QColor &colour)
{
    const auto linear
        = [](qreal c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

// The lightest tone of a disc: the sign's colour, darkened where it is light (Gemini's gold,
// Cancer's silver) until white stands on it at 4.5 : 1, as small symbols need.
QColor discTone(const QColor &colour)
{
    constexpr qreal darkest = 1.05 / 4.5 - 0.05;
    QColor tone = colour;
    float h = 0, s = 0, v = 0;
    colour.getHsvF(&h, &s, &v);
    while (luminance(tone) > darkest) {
        v -= 0.01f;
        // Darkened yellows turn muddy; a little more saturation keeps them gold.
        tone = QColor::fromHsvF(h, std::min(1.0f, s * 1.01f), v);
        s = tone.hsvSaturationF();
    }
    return tone;
}

// Capricorn's symbol set pixel by pixel, two pixels thick, from (5, 6): a small curl leading
// into the goat's V, the arch over into the stem, the fish tail's round loop with its counter
// kept open, and the tail sweeping down to the left. Drawn from curves at this size its
// diagonals blur into grey.
const std::array<std::string_view, 21> capricorn = {
    ".###........###........",
    "##.##......##.##.......",
    "...##.....##...##......",
    "...##.....##...##......",
    "....##....##...##......",
    "....##...##....##......",
    "....##...##....##......",
    ".....##..##....##......",
    ".....##.##.....##......",
    "......####.....##......",
    ".......##......##......",
    "...............######..",
    "...............#######.",
    "...............###..###",
    "...............##....##",
    "...............##....##",
    "...............###..###",
    "..............########.",
    "............#########..",
    "..........#####........",
    "........####...........",
};

// A disc in the sign's colour, lit from the upper left and ringed in its dark tone, with the
// symbol drawn for this size in white over a narrow shadow.
QImage renderThumbnail(int sign, QImage *discOnly)
{
    const Ramp colours = rampFrom(signColours[sign]);
    const QColor top = discColour(sign);
    QImage disc = blankImage(32, 32, Qt::transparent);
    {
        QPainter p(&disc);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient ground(QPointF(11, 9), 24);
        ground.setColorAt(0, top);
        ground.setColorAt(1, mix(top, colours.shade, 0.7));
        p.setPen(QPen(mix(colours.ink, colours.shade, 0.4), 1.0));
        p.setBrush(ground);
        p.drawEllipse(QPointF(16, 16), 15.5, 15.5);
        // Scorpio's arrowhead is set pixel by pixel below; a drawn triangle this small blurs.
        const QPainterPath glyph = sign == 7
            ? Shapes::strokeOutline(Shapes::zodiacSymbolSmall(sign), glyphStroke)
            : Shapes::zodiacGlyph(sign, true, glyphStroke);
        const QColor shadow = mix(colours.shade, colours.ink, 0.55);
        if (sign == 9) {
            // Each pixel over a shadow one pixel down and right, where no other pixel covers it.
            const auto set = [](int x, int y) {
                if (y < 0 || y >= int(capricorn.size()) || x < 0)
                    return false;
                const std::string_view row = capricorn[std::size_t(y)];
                return std::size_t(x) < row.size() && row[std::size_t(x)] == '#';
            };
            p.setRenderHint(QPainter::Antialiasing, false);
            for (int y = 0; y <= int(capricorn.size()); ++y) {
                for (int x = 0; x <= 23; ++x) {
                    if (set(x, y))
                        p.fillRect(QRect(5 + x, 6 + y, 1, 1), Qt::white);
                    else if (set(x - 1, y - 1))
                        p.fillRect(QRect(5 + x, 6 + y, 1, 1), shadow);
                }
            }
        } else {
            p.fillPath(glyph.translated(0.7, 0.9), shadow);
            p.fillPath(glyph, QColor(Qt::white));
        }
        if (sign == 7) {
            // A chevron pointing up and right along the sting's last stroke: two arms of five
            // pixels, two pixels thick, meeting in a single pixel at the tip, over a shadow
            // one pixel down and right.
            const QList<QPoint> arrow = { { 21, 17 }, { 22, 17 }, { 23, 17 }, { 24, 17 },
                { 25, 17 }, { 25, 18 }, { 25, 19 }, { 25, 20 }, { 25, 21 }, { 22, 18 }, { 23, 18 },
                { 24, 18 }, { 24, 19 }, { 24, 20 } };
            p.setRenderHint(QPainter::Antialiasing, false);
            for (const QPoint &at : arrow) {
                if (!arrow.contains(at + QPoint(1, 1)))
                    p.fillRect(QRect(at + QPoint(1, 1), QSize(1, 1)), shadow);
            }
            for (const QPoint &at : arrow)
                p.fillRect(QRect(at, QSize(1, 1)), Qt::white);
        }
    }
    if (discOnly)
        *discOnly = disc;
    QImage thumbnail = blankImage(32, 32, QColor::fromRgb(windowGrey));
    Pixels::composite(thumbnail, disc);
    return Pixels::opaque(thumbnail);
}

} // namespace

QColor discColour(int sign)
{
    return discTone(rampFrom(signColours[std::size_t(sign)]).base);
}

Quantise::IndexedImage signThumbnailIndexed(int sign)
{
    QImage disc;
    const QImage thumbnail = renderThumbnail(sign, &disc);
    QList<QRgb> palette { windowGrey };
    palette.append(Quantise::medianCut(coveredColours(thumbnail, disc), 15));
    return Quantise::reduce(thumbnail, palette);
}

} // namespace Art
