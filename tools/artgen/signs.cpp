// SPDX-License-Identifier: MIT
// The sign pictures for the sign pages.
#include "common.h"
#include "figures.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace Art {
namespace {

using Quantise::IndexedImage;

// The night sky of the sign pictures, darkest at the zenith: three tones, ordered-dithered into
// a smooth gradient, one for the constellation's lines and faint stars, and white.
const std::array<QColor, 3> skyTones
    = { QColor(0x05, 0x09, 0x22), QColor(0x0d, 0x16, 0x3e), QColor(0x1a, 0x28, 0x5e) };
const QColor starDim(0x4a, 0x5e, 0xa4);

constexpr QRectF constellationArea(32, 8, 78, 30);
constexpr QRectF glyphBadge(6, 6, 17, 17);

// A 4 x 4 Bayer matrix: thresholds spread evenly over the cells so neighbouring pixels never
// share one and a dithered gradient shows no clumps.
constexpr std::array<int, 16> bayer = { 0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5 };

// The rows at the bottom where the program writes the planets: plain sky in its lowest tone,
// with no dither pattern for the lettering to fight.
constexpr int planetStripTop = 164;

// Where the sky is, from 0 at the top row to 1 where the planet strip starts, in units of its
// tones.
qreal skyPosition(int y)
{
    return std::min(1.0, y / qreal(planetStripTop)) * (skyTones.size() - 1);
}

void paintSky(QPainter &p, int sign)
{
    for (int y = 0; y < 190; ++y) {
        const qreal at = skyPosition(y);
        const int below = std::min(int(at), int(skyTones.size()) - 2);
        p.fillRect(QRect(0, y, 120, 1), mix(skyTones[below], skyTones[below + 1], at - below));
    }
    // Faint background stars, single pixels, kept out of the strip at the bottom where the
    // program writes the planets.
    Sequence random(quint32(sign) + 1);
    for (int i = 0; i < 30; ++i) {
        const int x = 2 + random.below(116);
        const int y = 2 + random.below(158);
        p.fillRect(QRect(x, y, 1, 1), random.below(5) == 0 ? QColor(Qt::white) : starDim);
    }
}

void paintConstellation(QPainter &p, int sign)
{
    const Shapes::Constellation figure = Shapes::constellation(sign);
    const auto place = [](QPointF unit) {
        return QPointF(constellationArea.left() + unit.x() * constellationArea.width(),
            constellationArea.top() + unit.y() * constellationArea.height());
    };
    p.setPen(QPen(starDim, 1.0, Qt::SolidLine, Qt::RoundCap));
    for (const auto &[from, to] : figure.lines)
        p.drawLine(place(figure.stars[from].at), place(figure.stars[to].at));
    p.setPen(Qt::NoPen);
    for (const Shapes::ConstellationStar &s : figure.stars) {
        const QPointF at = place(s.at);
        if (s.brightness == 3)
            p.fillPath(Shapes::star(at, 4.5, 0.6, 4, 0), QColor(Qt::white));
        p.setBrush(Qt::white);
        p.drawEllipse(at, 0.5 + 0.4 * s.brightness, 0.5 + 0.4 * s.brightness);
    }
}

Figures::Colours figureColours(int sign)
{
    return { Figures::rampFrom(signColours[sign].figure),
        Figures::rampFrom(signColours[sign].accent) };
}

// The figure and, small in the corner, the sign's symbol in the figure's own light tone.
QImage figureLayer(int sign)
{
    const Figures::Colours colours = figureColours(sign);
    QImage layer = blankImage(120, 190, Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    Figures::paint(p, sign, colours);
    QTransform toBadge;
    toBadge.translate(glyphBadge.left(), glyphBadge.top());
    toBadge.scale(glyphBadge.width() / 100, glyphBadge.height() / 100);
    p.fillPath(toBadge.map(Shapes::zodiacGlyph(sign, false, 2.2 * 100 / glyphBadge.width())),
        colours.main.light);
    return layer;
}

} // namespace

IndexedImage signPictureIndexed(int sign)
{
    QImage sky = blankImage(120, 190, Qt::black);
    {
        QPainter p(&sky);
        paintSky(p, sign);
    }
    const QImage plainSky = sky.convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&sky);
        p.setRenderHint(QPainter::Antialiasing);
        paintConstellation(p, sign);
    }
    const QImage figure = figureLayer(sign);
    QImage picture = sky;
    composite(picture, figure);
    picture = picture.convertToFormat(QImage::Format_RGB32);

    // Five fixed entries paint the sky alike in every picture; the other eleven are the
    // figure's own.
    QList<QRgb> palette;
    for (const QColor &tone : skyTones)
        palette.append(tone.rgb());
    palette.append(starDim.rgb());
    palette.append(qRgb(255, 255, 255));
    const int skyEntries = int(palette.size());
    // The figure's own tones come first, exactly as drawn, so even a thin bow keeps its gold;
    // what is left goes to the mixed colours along the edges of its parts.
    const Figures::Colours colours = figureColours(sign);
    std::vector<QRgb> covered = coveredColours(picture, figure);
    for (const Figures::Ramp &ramp : { colours.main, colours.accent }) {
        for (const QColor &tone : { ramp.ink, ramp.shade, ramp.base, ramp.light }) {
            if (palette.size() < 16 && !palette.contains(tone.rgb())
                && std::find(covered.begin(), covered.end(), tone.rgb()) != covered.end())
                palette.append(tone.rgb());
        }
    }
    std::erase_if(covered, [&](QRgb colour) { return palette.contains(colour); });
    palette.append(Quantise::medianCut(covered, 16 - int(palette.size())));
    // Sky pixels keep to the sky's colours, so no dot of the figure's colours strays there.
    std::vector<int> choices(std::size_t(picture.width()) * picture.height(), 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(figure.pixel(x, y)) == 0)
                choices[std::size_t(y) * picture.width() + x] = skyEntries;
        }
    }
    // The figure is mapped without dithering, so its flat tones stay clean.
    IndexedImage out = Quantise::reduce(picture, palette, choices);
    // Only the open sky is dithered, in an ordered pattern between the two tones of its row.
    for (int y = 0; y < picture.height(); ++y) {
        const qreal at = skyPosition(y);
        const int below = std::min(int(at), int(skyTones.size()) - 2);
        for (int x = 0; x < picture.width(); ++x) {
            if (choices[std::size_t(y) * picture.width() + x] == 0
                || picture.pixel(x, y) != plainSky.pixel(x, y))
                continue;
            const qreal threshold = (bayer[std::size_t((y % 4) * 4 + x % 4)] + 0.5) / 16;
            out.pixels[std::size_t(y) * out.width + x] = quint8(below + (at - below > threshold));
        }
    }
    return out;
}

} // namespace Art
