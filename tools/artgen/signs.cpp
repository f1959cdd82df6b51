// SPDX-License-Identifier: MIT
// The sign pictures for the sign pages.
#include "common.h"
#include "figures.h"
#include "pixels.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace Art {
namespace {

using Quantise::IndexedImage;

// The night sky of the sign pictures: one flat navy, so the picture stays clean at every
// magnification, a blue for the constellation's lines and faint stars, and white.
const QColor skyTone(0x0e, 0x17, 0x40);
const QColor starDim(0x4a, 0x5e, 0xa4);
// Moonlit sand the figure stands on. Both tones are light enough that the program's black
// planet text reads on them and its white copies melt into them.
const QColor sandLight(0xde, 0xe3, 0xf1);
const QColor sandShade(0x9a, 0xa6, 0xcc);

// The palette entry of the sand's shade, which also rims the figures.
constexpr int rimIndex = 4;
// The scene's own entries come first in the palette of a sign picture.
constexpr int sceneTones = 5;

constexpr QRectF constellationArea(32, 8, 78, 30);
constexpr QRectF glyphBadge(6, 6, 17, 17);

// The last row of the sky that may hold a star: below it lies the sand.
constexpr int lowestStar = 136;

void paintSky(QPainter &p, int sign)
{
    p.fillRect(QRect(0, 0, 120, 190), skyTone);
    // Faint background stars, single pixels, kept clear of the dunes.
    Sequence random(quint32(sign) + 1);
    for (int i = 0; i < 30; ++i) {
        const int x = 2 + random.below(116);
        const int y = 2 + random.below(lowestStar - 2);
        if (glyphBadge.adjusted(-2, -2, 2, 2).contains(QPointF(x, y)))
            continue; // no star inside or against the sign's symbol
        p.fillRect(QRect(x, y, 1, 1), random.below(5) == 0 ? QColor(Qt::white) : starDim);
    }
}

// Two dunes under the figure: a far one in the sand's shade and the near one, lit by the moon,
// from a little above the figure's feet to the bottom edge. The figure casts its shadow on it.
void paintGround(QPainter &p, int sign)
{
    Sequence random(quint32(sign) + 101);
    const qreal farLeft = 140 + random.below(7), farRight = 140 + random.below(7);
    const qreal nearLeft = 148 + random.below(4), nearRight = 148 + random.below(4);
    QPainterPath far;
    far.moveTo(0, farLeft);
    far.cubicTo(40, farLeft - 5, 80, farRight + 4, 120, farRight);
    far.lineTo(120, 190);
    far.lineTo(0, 190);
    p.fillPath(far, sandShade);
    QPainterPath near;
    near.moveTo(0, nearLeft);
    near.cubicTo(30, nearLeft + 3, 70, nearRight - 5, 120, nearRight);
    near.lineTo(120, 190);
    near.lineTo(0, 190);
    p.fillPath(near, sandLight);
    // Wind ripples and the figure's shadow, all above the rows the planets are written on.
    p.save();
    p.setClipRect(QRect(0, 0, 120, 162));
    p.setPen(QPen(sandShade, 1.0));
    for (int i = 0; i < 3; ++i) {
        const qreal x = 4 + random.below(100), y = 156 + random.below(5);
        QPainterPath ripple;
        ripple.moveTo(x, y);
        ripple.quadTo(x + 5, y - 1.5, x + 11, y);
        p.drawPath(ripple);
    }
    const Figures::Footprint shadow = Figures::footprint(sign);
    p.setPen(Qt::NoPen);
    p.setBrush(sandShade);
    p.drawEllipse(
        QPointF((shadow.left + shadow.right) / 2, shadow.y), (shadow.right - shadow.left) / 2, 3.2);
    p.restore();
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

// The sign's symbol, small in the upper left corner, in the pale tone of the sand.
void paintBadge(QPainter &p, int sign)
{
    QTransform toBadge;
    toBadge.translate(glyphBadge.left(), glyphBadge.top());
    toBadge.scale(glyphBadge.width() / 100, glyphBadge.height() / 100);
    p.fillPath(
        toBadge.map(Shapes::zodiacGlyph(sign, false, 2.2 * 100 / glyphBadge.width())), sandLight);
}

// The palette entry nearest to a colour among the allowed ones.
int nearestOf(const QList<QRgb> &palette, const QList<int> &allowed, QRgb colour)
{
    QList<QRgb> some;
    for (const int i : allowed)
        some.append(palette[i]);
    return allowed[Quantise::nearest(
        some, some.size(), qRed(colour), qGreen(colour), qBlue(colour))];
}

// Indices 0 and 1 of every sign picture: the sky and the faint blue of the stars.
bool isSky(int index)
{
    return index == 0 || index == 1;
}

// Hand cleaning after colour reduction. Smooth shapes blended into a few fixed tones leave
// single pixels of a neighbouring part's tone in outlines and bits of strokes floating in the
// sky. A speck of the figure, one or two pixels of a tone that no other neighbour shares, takes
// the tone most of its neighbours have: always on the figure's edge, where such a pixel is debris
// or a spike, and inside when it is lighter than that tone or has a darker neighbour, as a blend
// of an outline into the part beside it does. An eye or a nostril, darker than everything round
// it, stays.
void cleanFigure(IndexedImage &image, const QList<int> &figureEntries)
{
    const auto luma = [&](int index) {
        const QRgb c = image.palette[index];
        return 2 * qRed(c) + 7 * qGreen(c) + qBlue(c);
    };
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<quint8> before = image.pixels;
        const auto at = [&](int x, int y) { return int(before[std::size_t(y) * 120 + x]); };
        // The neighbours of (x, y) in the same tone: how many, and the last one found.
        const auto alike = [&](int x, int y, QPoint *last) {
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int u = x + dx, v = y + dy;
                    if ((dx || dy) && u >= 0 && u < 120 && v >= 0 && v < 190
                        && at(u, v) == at(x, y)) {
                        ++n;
                        *last = QPoint(u, v);
                    }
                }
            }
            return n;
        };
        for (int y = 1; y < 189; ++y) {
            for (int x = 1; x < 119; ++x) {
                const int index = at(x, y);
                if (!figureEntries.contains(index) || index < sceneTones)
                    continue; // the stars and the sand are never debris
                // A speck is a patch of one tone one or two pixels large.
                QPoint other;
                const int same = alike(x, y, &other);
                QPoint back;
                if (same > 1 || (same == 1 && alike(other.x(), other.y(), &back) > 1))
                    continue;
                int count[16] = {};
                int figureAround = 0;
                bool darkerAround = false;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int n = at(x + dx, y + dy);
                        if ((dx || dy) && n != index) {
                            ++count[n];
                            figureAround += figureEntries.contains(n) ? 1 : 0;
                            darkerAround |= luma(n) < luma(index);
                        }
                    }
                }
                const int most = int(std::max_element(count, count + 16) - count);
                const bool edge = figureAround < 8 - same;
                if (edge || luma(index) > luma(most) || darkerAround)
                    image.pixels[std::size_t(y) * 120 + x] = quint8(most);
            }
        }
    }
}

// Moonlight from above: where the figure meets the sky along its top, its outer pixel is drawn in
// the pale moonlit tone of the sand. The dark outline alone melts into the night sky; the rim keeps
// the silhouette sharp. Thin parts one pixel across keep their tone.
void rimFigure(IndexedImage &image, const QList<int> &figureEntries)
{
    const std::vector<quint8> before = image.pixels;
    const auto at = [&](int x, int y) { return int(before[std::size_t(y) * 120 + x]); };
    const auto figure = [&](int x, int y) { return figureEntries.contains(at(x, y)); };
    for (int y = 1; y < 186; ++y) {
        for (int x = 1; x < 116; ++x) {
            if (!figure(x, y) || at(x, y) < sceneTones)
                continue; // white stars and glints shine on their own
            // Which way the edge faces: count the sky in the rows above and below and in
            // the columns left and right. Edges facing up catch the light.
            int up = 0, down = 0, left = 0, right = 0;
            for (int d = -1; d <= 1; ++d) {
                up += isSky(at(x + d, y - 1)) ? 1 : 0;
                down += isSky(at(x + d, y + 1)) ? 1 : 0;
                left += isSky(at(x - 1, y + d)) ? 1 : 0;
                right += isSky(at(x + 1, y + d)) ? 1 : 0;
            }
            // Only edges that face up: on upright sides the rim breaks into steps and frays.
            const bool lit = up > down && up >= 2;
            // Only parts at least three pixels deep across the edge get a rim; smaller details
            // would be swallowed by it.
            const bool deepDown = figure(x, y + 1) && figure(x, y + 2) && figure(x, y + 3);
            const bool deepRight = figure(x + 1, y) && figure(x + 2, y) && figure(x + 3, y);
            const bool deep = (up > down ? deepDown : true) && (left > right ? deepRight : true);
            if ((up > 0 || left > 0) && lit && deep && figure(x + 1, y + 1))
                image.pixels[std::size_t(y) * 120 + x] = quint8(rimIndex);
        }
    }
    // A rim pixel with no other beside it is a step of a steep side rather than a lit edge and
    // would read as a speck: it keeps its tone.
    const std::vector<quint8> lit = image.pixels;
    const auto newRim = [&](int x, int y) {
        const std::size_t i = std::size_t(y) * 120 + x;
        return lit[i] == rimIndex && before[i] != rimIndex;
    };
    for (int y = 1; y < 189; ++y) {
        for (int x = 1; x < 119; ++x) {
            if (!newRim(x, y))
                continue;
            bool joined = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx)
                    joined |= (dx || dy) && newRim(x + dx, y + dy);
            }
            if (!joined)
                image.pixels[std::size_t(y) * 120 + x] = before[std::size_t(y) * 120 + x];
        }
    }
    // A lone outline pixel left between rim pixels would notch the rim: it joins it.
    const std::vector<quint8> rimmed = image.pixels;
    const auto now = [&](int x, int y) { return int(rimmed[std::size_t(y) * 120 + x]); };
    for (int y = 1; y < 189; ++y) {
        for (int x = 1; x < 119; ++x) {
            if (!figure(x, y) || now(x, y) < sceneTones)
                continue;
            int same = 0, rims = 0, sky = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (dx == 0 && dy == 0)
                        continue;
                    const int n = now(x + dx, y + dy);
                    same += n == now(x, y) ? 1 : 0;
                    rims += n == rimIndex && before[std::size_t(y + dy) * 120 + x + dx] != rimIndex
                        ? 1
                        : 0;
                    sky += isSky(n) ? 1 : 0;
                }
            }
            if (same == 0 && rims >= 2 && sky > 0)
                image.pixels[std::size_t(y) * 120 + x] = quint8(rimIndex);
        }
    }
}
} // namespace

IndexedImage signPictureIndexed(int sign)
{
    QImage scene = blankImage(120, 190, skyTone);
    {
        QPainter p(&scene);
        paintSky(p, sign);
        p.setRenderHint(QPainter::Antialiasing);
        paintGround(p, sign);
        paintConstellation(p, sign);
        paintBadge(p, sign);
    }
    QImage figure = blankImage(120, 190, Qt::transparent);
    {
        QPainter p(&figure);
        p.setRenderHint(QPainter::Antialiasing);
        Figures::paint(p, sign);
    }
    QImage picture = scene;
    Pixels::composite(picture, figure);
    picture = Pixels::opaque(picture);

    // Five entries paint the scene alike in every picture; the others are exactly the tones the
    // figure is painted in, so no colour is shared or averaged between the figure and the sky.
    QList<QRgb> palette { skyTone.rgb(), starDim.rgb(), qRgb(255, 255, 255), sandLight.rgb(),
        sandShade.rgb() };
    const QList<int> sceneEntries { 0, 1, 2, 3, 4 };
    QList<int> figureEntries;
    for (const QRgb tone : Figures::tones(sign)) {
        if (!palette.contains(tone))
            palette.append(tone);
        figureEntries.append(int(palette.indexOf(tone)));
    }
    Q_ASSERT(palette.size() <= 16);
    while (palette.size() < 16)
        palette.append(qRgb(0, 0, 0));

    IndexedImage out;
    out.width = 120;
    out.height = 190;
    out.palette = palette;
    out.pixels.resize(std::size_t(120) * 190);
    for (int y = 0; y < 190; ++y) {
        for (int x = 0; x < 120; ++x) {
            // The scene keeps to its own five colours; a pixel the figure covers takes one of
            // the figure's tones, or, along the figure's edge, the colour of what lies beneath.
            const int beneath = nearestOf(palette, sceneEntries, scene.pixel(x, y));
            // Along the figure's edge a pixel is either the figure's own tone or what lies
            // beneath, never a blend of the two: a blend of a red fleece and the pale sand is
            // nearest to the horn's tan and would leave a speck of it.
            int index = beneath;
            const QRgb own = figure.pixel(x, y);
            if (qAlpha(own) == 255)
                index = nearestOf(palette, figureEntries, picture.pixel(x, y));
            else if (qAlpha(own) >= 128)
                index = nearestOf(palette, figureEntries, own);
            out.pixels[std::size_t(y) * 120 + x] = quint8(index);
        }
    }
    cleanFigure(out, figureEntries);
    rimFigure(out, figureEntries);
    return out;
}

} // namespace Art
