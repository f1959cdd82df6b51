// SPDX-License-Identifier: MIT
// The sign pictures for the sign pages and the thumbnails on the sign buttons.
#include "common.h"
#include "shapes.h"

#include <QPainter>
#include <QRadialGradient>

namespace Art {
namespace {

using Quantise::IndexedImage;

// The night sky of the sign pictures, darkest at the zenith.
const QColor skyTop(0x06, 0x0a, 0x22);
const QColor skyBottom(0x1a, 0x26, 0x58);
const QColor starPale(0xa8, 0xb8, 0xe8);
const QColor constellationLine(0x4a, 0x5c, 0x9c);

constexpr QRect pictureSkyArea(0, 0, 120, 156); // the strip below stays plain for the caption
constexpr QRectF constellationArea(14, 10, 92, 48);
constexpr QRectF symbolArea(16, 68, 88, 88);

void paintSky(QPainter &p, int sign)
{
    QLinearGradient sky(0, 0, 0, 190);
    sky.setColorAt(0, skyTop);
    sky.setColorAt(1, skyBottom);
    p.fillRect(QRect(0, 0, 120, 190), sky);

    // Faint background stars, single pixels in the sky's own star colours, kept out of the
    // caption strip.
    Sequence random(quint32(sign) + 1);
    for (int i = 0; i < 34; ++i) {
        const int x = 2 + random.below(pictureSkyArea.width() - 4);
        const int y = 2 + random.below(pictureSkyArea.height() - 6);
        // Most are dim; one in ten is white.
        static const QColor shades[10]
            = { constellationLine, constellationLine, constellationLine, constellationLine,
                  constellationLine, constellationLine, starPale, starPale, starPale, Qt::white };
        p.fillRect(QRect(x, y, 1, 1), shades[random.below(10)]);
    }
}

void paintConstellation(QPainter &p, int sign)
{
    const Shapes::Constellation figure = Shapes::constellation(sign);
    const auto place = [](QPointF unit) {
        return QPointF(constellationArea.left() + unit.x() * constellationArea.width(),
            constellationArea.top() + unit.y() * constellationArea.height());
    };
    p.setPen(QPen(constellationLine, 1.0, Qt::SolidLine, Qt::RoundCap));
    for (const auto &[from, to] : figure.lines)
        p.drawLine(place(figure.stars[from].at), place(figure.stars[to].at));
    p.setPen(Qt::NoPen);
    for (const Shapes::ConstellationStar &s : figure.stars) {
        const QPointF at = place(s.at);
        const qreal radius = 0.7 + 0.45 * s.brightness;
        QRadialGradient halo(at, radius * 2.4);
        halo.setColorAt(0, QColor(starPale.red(), starPale.green(), starPale.blue(), 150));
        halo.setColorAt(1, QColor(starPale.red(), starPale.green(), starPale.blue(), 0));
        p.setBrush(halo);
        p.drawEllipse(at, radius * 2.4, radius * 2.4);
        if (s.brightness == 3) {
            // The brightest star of the figure twinkles with four thin rays.
            p.setBrush(QColor(220, 228, 255, 200));
            p.drawPath(Shapes::star(at, 5.5, 0.7, 4, 0));
        }
        p.setBrush(Qt::white);
        p.drawEllipse(at, radius, radius);
    }
}

// The symbol, lit from above: a light-to-middle fill, a dark rim and a soft glow behind it.
QImage symbolLayer(int sign, QSize size, const QRectF &box, qreal strokeUnits)
{
    const SignColours &colours = signColours[sign];
    QImage layer = blankImage(size.width(), size.height(), Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width() / 100, box.height() / 100);
    const QPainterPath centre = toBox.map(Shapes::zodiacSymbol(sign));
    const qreal stroke = strokeUnits * box.width() / 100;

    QColor glow = colours.mid;
    for (const auto &[widen, alpha] : { std::pair { 9.0, 26 }, { 5.0, 46 } }) {
        glow.setAlpha(alpha);
        p.fillPath(Shapes::strokeOutline(centre, stroke + widen), glow);
    }
    p.fillPath(Shapes::strokeOutline(centre, stroke + 2.2), colours.dark);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, colours.light);
    fill.setColorAt(0.55, colours.mid);
    fill.setColorAt(1, mix(colours.mid, colours.dark, 0.45));
    p.fillPath(Shapes::strokeOutline(centre, stroke), fill);
    // A narrow highlight along the upper-left of every stroke.
    const QColor shine = mix(colours.light, Qt::white, 0.5);
    p.setClipPath(Shapes::strokeOutline(centre, stroke));
    p.fillPath(
        Shapes::strokeOutline(centre.translated(-stroke * 0.22, -stroke * 0.22), stroke * 0.3),
        shine);
    return layer;
}

QImage renderSignPicture(int sign, QImage *symbolOnly)
{
    QImage picture = blankImage(120, 190, Qt::black);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        paintSky(p, sign);
        paintConstellation(p, sign);
    }
    const QImage symbol = symbolLayer(sign, picture.size(), symbolArea, 10.5);
    composite(picture, symbol);
    if (symbolOnly)
        *symbolOnly = symbol;
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace

IndexedImage signPictureIndexed(int sign)
{
    QImage symbol;
    const QImage picture = renderSignPicture(sign, &symbol);
    // Eight fixed entries paint the sky, the stars and the constellation alike in every
    // picture; the other eight are chosen from the sign's symbol.
    QList<QRgb> palette;
    for (int i = 0; i < 5; ++i)
        palette.append(mix(skyTop, skyBottom, i / 4.0).rgb());
    palette.append(constellationLine.rgb());
    palette.append(starPale.rgb());
    palette.append(qRgb(255, 255, 255));
    const int skyEntries = int(palette.size());
    palette.append(Quantise::medianCut(coveredColours(picture, symbol), 16 - skyEntries));
    // Sky pixels keep to the sky's colours, so no dot of the symbol's colours strays there.
    std::vector<int> choices(std::size_t(picture.width()) * picture.height(), 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(symbol.pixel(x, y)) == 0)
                choices[std::size_t(y) * picture.width() + x] = skyEntries;
        }
    }
    return Quantise::reduce(picture, palette, Quantise::Dither::FloydSteinberg, choices);
}

namespace {

QImage renderThumbnail(int sign, QImage *discOnly)
{
    const SignColours &colours = signColours[sign];
    QImage disc = blankImage(32, 32, Qt::transparent);
    {
        QPainter p(&disc);
        p.setRenderHint(QPainter::Antialiasing);
        // The pale air colours carry a dark symbol, the deeper colours a white one.
        const bool pale = sign % 4 == 2;
        QRadialGradient ground(QPointF(12, 10), 22);
        ground.setColorAt(0, pale ? colours.light : colours.mid);
        ground.setColorAt(1, pale ? colours.mid : mix(colours.mid, colours.dark, 0.6));
        p.setPen(QPen(colours.dark, 1.2));
        p.setBrush(ground);
        p.drawEllipse(QPointF(16, 16), 14.8, 14.8);
        QTransform toBox;
        toBox.translate(6, 6);
        toBox.scale(0.2, 0.2);
        const QPainterPath symbol
            = Shapes::strokeOutline(toBox.map(Shapes::zodiacSymbol(sign)), 2.9);
        p.fillPath(symbol, pale ? QColor(0x1a, 0x22, 0x50) : QColor(Qt::white));
    }
    if (discOnly)
        *discOnly = disc;
    QImage thumbnail = blankImage(32, 32, QColor::fromRgb(windowGrey));
    composite(thumbnail, disc);
    return thumbnail.convertToFormat(QImage::Format_RGB32);
}

} // namespace

IndexedImage signThumbnailIndexed(int sign)
{
    QImage disc;
    const QImage thumbnail = renderThumbnail(sign, &disc);
    QList<QRgb> palette { windowGrey };
    palette.append(Quantise::medianCut(coveredColours(thumbnail, disc), 15));
    return Quantise::reduce(thumbnail, palette, Quantise::Dither::None);
}
} // namespace Art
