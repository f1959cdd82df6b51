// SPDX-License-Identifier: MIT
#include "art.h"

#include "shapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace Art {
namespace {

using Quantise::IndexedImage;

// The colours of a sign, from its element: a light, a middle and a dark tone.
struct SignColours
{
    QColor light;
    QColor mid;
    QColor dark;
};

// Fire signs burn red and orange, earth signs are green and brown, air signs pale yellow and
// light blue, water signs blue and teal. Signs of one element differ in hue so each picture
// keeps its own palette.
const std::array<SignColours, signCount> signColours = { {
    { QColor(0xff, 0xb4, 0x8c), QColor(0xee, 0x40, 0x2c), QColor(0x8c, 0x12, 0x16) }, // Aries
    { QColor(0xc0, 0xf0, 0x8c), QColor(0x52, 0xaa, 0x3e), QColor(0x1e, 0x54, 0x22) }, // Taurus
    { QColor(0xff, 0xf6, 0xb4), QColor(0xf4, 0xc8, 0x2e), QColor(0x9a, 0x72, 0x10) }, // Gemini
    { QColor(0xd4, 0xff, 0xf6), QColor(0x5c, 0xd4, 0xc4), QColor(0x18, 0x76, 0x74) }, // Cancer
    { QColor(0xff, 0xe2, 0x8c), QColor(0xf8, 0x9a, 0x1e), QColor(0x9a, 0x4a, 0x08) }, // Leo
    { QColor(0xe6, 0xe8, 0xaa), QColor(0x9c, 0xaa, 0x4c), QColor(0x4e, 0x5a, 0x22) }, // Virgo
    { QColor(0xf8, 0xfc, 0xff), QColor(0xbc, 0xd6, 0xfc), QColor(0x66, 0x86, 0xc4) }, // Libra
    { QColor(0xb6, 0xbe, 0xff), QColor(0x6c, 0x6e, 0xf0), QColor(0x2c, 0x2c, 0x9a) }, // Scorpio
    { QColor(0xff, 0xc6, 0x84), QColor(0xec, 0x6c, 0x26), QColor(0x92, 0x2e, 0x0e) }, // Sagittarius
    { QColor(0xea, 0xc4, 0x9c), QColor(0xaa, 0x72, 0x40), QColor(0x5a, 0x34, 0x18) }, // Capricorn
    { QColor(0xd2, 0xfa, 0xff), QColor(0x58, 0xcc, 0xf0), QColor(0x1a, 0x86, 0xb0) }, // Aquarius
    { QColor(0xaa, 0xee, 0xff), QColor(0x32, 0xa6, 0xd8), QColor(0x10, 0x58, 0x8a) }, // Pisces
} };

// The night sky of the sign pictures, darkest at the zenith.
const QColor skyTop(0x06, 0x0a, 0x22);
const QColor skyBottom(0x1a, 0x26, 0x58);
const QColor starPale(0xa8, 0xb8, 0xe8);
const QColor constellationLine(0x4a, 0x5c, 0x9c);

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
        float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QImage blankImage(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// A small, fixed pseudo-random sequence, so the star field is the same on every run.
class Sequence
{
public:
    explicit Sequence(quint32 seed)
        : m_state(seed * 2654435761u + 12345u)
    { }
    quint32 next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int below(int limit) { return int(next() % quint32(limit)); }

private:
    quint32 m_state;
};

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

void composite(QImage &under, const QImage &over)
{
    QPainter p(&under);
    p.drawImage(0, 0, over);
}

// Colours of `image` where `layer` is at least partly opaque: what an adaptive palette for the
// layer's content has to represent.
std::vector<QRgb> coveredColours(const QImage &image, const QImage &layer)
{
    std::vector<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(layer.pixel(x, y)) > 0)
                colours.push_back(image.pixel(x, y));
        }
    }
    return colours;
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

namespace {

// Topic icons are drawn in a 32-unit square; each has a dark outline so its edge stays crisp
// once the transparency is reduced to a 1-bit mask.
void outlined(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &edge,
    qreal width = 1.2)
{
    p.setPen(QPen(edge, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QLinearGradient verticalGradient(qreal top, qreal bottom, const QColor &a, const QColor &b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QPainterPath maskShape(qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(-w / 2, -h / 2);
    path.quadTo(0, -h / 2 - 2.5, w / 2, -h / 2);
    path.cubicTo(w / 2 + 0.5, h * 0.15, w * 0.28, h / 2, 0, h / 2);
    path.cubicTo(-w * 0.28, h / 2, -w / 2 - 0.5, h * 0.15, -w / 2, -h / 2);
    path.closeSubpath();
    return path;
}

void paintMask(
    QPainter &p, QPointF centre, qreal angle, bool smiling, const QColor &light, const QColor &dark)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const qreal w = 15.5, h = 18.5;
    outlined(p, maskShape(w, h), verticalGradient(-h / 2, h / 2, light, dark), dark.darker(260));
    // Eyes and mouth are holes, painted in the outline colour.
    const QColor hole(0x1c, 0x16, 0x30);
    p.setPen(Qt::NoPen);
    p.setBrush(hole);
    for (const qreal side : { -1.0, 1.0 }) {
        QPainterPath eye;
        const qreal x = side * 3.5;
        // Laughing eyes turn up at the outer corner, weeping ones droop.
        const qreal tilt = smiling ? -0.8 : 0.8;
        eye.moveTo(x - 2.5, -2.8 + side * tilt);
        eye.quadTo(x, -6.4, x + 2.5, -2.8 - side * tilt);
        eye.quadTo(x, -0.2, x - 2.5, -2.8 + side * tilt);
        p.drawPath(eye);
    }
    QPainterPath mouth;
    if (smiling) {
        mouth.moveTo(-5, 2.4);
        mouth.quadTo(0, 10.5, 5, 2.4);
        mouth.quadTo(0, 5.2, -5, 2.4);
    } else {
        mouth.moveTo(-4.4, 7.2);
        mouth.quadTo(0, 0.6, 4.4, 7.2);
        mouth.quadTo(0, 3.8, -4.4, 7.2);
    }
    p.drawPath(mouth);
    p.restore();
}

void paintCharacter(QPainter &p)
{
    // Tragedy behind, comedy in front.
    paintMask(p, QPointF(21.8, 12), 14, false, QColor(0xe0, 0xea, 0xf8), QColor(0x6a, 0x84, 0xb8));
    paintMask(p, QPointF(10, 20.5), -12, true, QColor(0xff, 0xe6, 0x7c), QColor(0xd8, 0x88, 0x10));
}

void paintAppearance(QPainter &p)
{
    // A hand mirror, held upright.
    const QColor frameDark(0x7a, 0x22, 0x50);
    const QLinearGradient frameFill
        = verticalGradient(1, 31, QColor(0xfa, 0xb4, 0xd4), QColor(0xb4, 0x3a, 0x7a));
    QPainterPath handle;
    handle.moveTo(16, 21);
    handle.lineTo(16, 28.5);
    outlined(p, Shapes::strokeOutline(handle, 4.2), frameFill, frameDark);
    QPainterPath knob;
    knob.addEllipse(QPointF(16, 29), 2.6, 2.1);
    outlined(p, knob, frameFill, frameDark, 1.0);
    QPainterPath collar;
    collar.addRoundedRect(QRectF(12.5, 19.5, 7, 3), 1.2, 1.2);
    outlined(p, collar, frameFill, frameDark, 1.0);
    const QRectF frame(5.5, 1, 21, 21);
    QPainterPath rim;
    rim.addEllipse(frame);
    outlined(p, rim, frameFill, frameDark);
    QRadialGradient glass(QPointF(12.5, 7), 15);
    glass.setColorAt(0, QColor(0xf4, 0xfc, 0xff));
    glass.setColorAt(0.5, QColor(0xa8, 0xdc, 0xf4));
    glass.setColorAt(1, QColor(0x4c, 0x9c, 0xd0));
    QPainterPath pane;
    pane.addEllipse(frame.adjusted(2.7, 2.7, -2.7, -2.7));
    outlined(p, pane, glass, frameDark, 0.8);
    // The reflection: two white streaks across the glass.
    p.setPen(QPen(QColor(255, 255, 255, 235), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 12.5), QPointF(16.5, 7));
    p.drawLine(QPointF(13.5, 15), QPointF(19, 9.5));
}

void paintIllnesses(QPainter &p)
{
    // A healing herb in a mortar, with its pestle.
    const QColor leafDark(0x1c, 0x5c, 0x1e);
    const auto leaf = [&](QPointF base, qreal angle, qreal length) {
        p.save();
        p.translate(base);
        p.rotate(angle);
        QPainterPath shape;
        shape.moveTo(0, 0);
        shape.cubicTo(length * 0.3, -length * 0.34, length * 0.78, -length * 0.3, length, 0);
        shape.cubicTo(length * 0.78, length * 0.3, length * 0.3, length * 0.34, 0, 0);
        outlined(p, shape,
            verticalGradient(
                -length / 3, length / 3, QColor(0x9c, 0xe6, 0x5c), QColor(0x3a, 0x9a, 0x32)),
            leafDark, 1.0);
        p.setPen(QPen(leafDark, 0.7));
        p.drawLine(QPointF(length * 0.15, 0), QPointF(length * 0.8, 0));
        p.restore();
    };
    p.setPen(QPen(leafDark, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 18), QPointF(11, 6));
    leaf(QPointF(11.5, 9), -125, 9);
    leaf(QPointF(12, 11), -40, 10);
    leaf(QPointF(12.6, 15), -150, 9);
    leaf(QPointF(11, 6.5), -95, 6);
    // The pestle leans out of the bowl.
    QPainterPath pestle;
    pestle.moveTo(17, 19);
    pestle.lineTo(26, 4.5);
    const QColor woodDark(0x5a, 0x3a, 0x22);
    outlined(p, Shapes::strokeOutline(pestle, 3.8),
        verticalGradient(4, 20, QColor(0xe8, 0xcc, 0xa4), QColor(0xb0, 0x84, 0x54)), woodDark);
    QPainterPath bowl;
    bowl.moveTo(3, 17);
    bowl.lineTo(29, 17);
    bowl.cubicTo(29, 24, 24, 27.5, 19.5, 28);
    bowl.lineTo(20.5, 30);
    bowl.lineTo(11.5, 30);
    bowl.lineTo(12.5, 28);
    bowl.cubicTo(8, 27.5, 3, 24, 3, 17);
    bowl.closeSubpath();
    QLinearGradient stone(3, 0, 29, 0);
    stone.setColorAt(0, QColor(0xf4, 0xf4, 0xf0));
    stone.setColorAt(0.45, QColor(0xcc, 0xcc, 0xc8));
    stone.setColorAt(1, QColor(0x88, 0x88, 0x88));
    outlined(p, bowl, stone, QColor(0x3c, 0x3c, 0x44));
    p.setPen(QPen(QColor(0x3c, 0x3c, 0x44), 1.0));
    p.drawLine(QPointF(3.5, 19.6), QPointF(28.5, 19.6));
}

QPainterPath heartShape(QPointF centre, qreal size)
{
    QPainterPath path;
    const qreal s = size / 28;
    path.moveTo(0, 11);
    path.cubicTo(-4, 7, -14, 1, -14, -6);
    path.cubicTo(-14, -11, -10.5, -13, -7, -13);
    path.cubicTo(-3.5, -13, -1, -10.5, 0, -8);
    path.cubicTo(1, -10.5, 3.5, -13, 7, -13);
    path.cubicTo(10.5, -13, 14, -11, 14, -6);
    path.cubicTo(14, 1, 4, 7, 0, 11);
    path.closeSubpath();
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(s, s);
    return t.map(path);
}

void paintLove(QPainter &p)
{
    const QPainterPath heart = heartShape(QPointF(16, 17.5), 29);
    QRadialGradient red(QPointF(11, 10), 22);
    red.setColorAt(0, QColor(0xff, 0x8a, 0x96));
    red.setColorAt(0.45, QColor(0xee, 0x24, 0x3c));
    red.setColorAt(1, QColor(0x9a, 0x06, 0x1e));
    outlined(p, heart, red, QColor(0x5c, 0x04, 0x12));
    p.setPen(QPen(QColor(255, 255, 255, 220), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 7, 9, 9), 100 * 16, 70 * 16);
}

void paintChildhood(QPainter &p)
{
    // A teddy bear.
    const QColor edge(0x4a, 0x26, 0x0e);
    const auto fur = [](QRectF r) {
        QRadialGradient g(
            r.center() - QPointF(r.width() * 0.2, r.height() * 0.25), r.width() * 0.8);
        g.setColorAt(0, QColor(0xf0, 0xb8, 0x6c));
        g.setColorAt(1, QColor(0xa8, 0x62, 0x26));
        return g;
    };
    const auto oval = [&](QRectF r) {
        QPainterPath e;
        e.addEllipse(r);
        outlined(p, e, fur(r), edge, 1.1);
    };
    oval(QRectF(3.5, 16.5, 7, 6)); // arms
    oval(QRectF(21.5, 16.5, 7, 6));
    oval(QRectF(8, 14, 16, 15)); // body
    oval(QRectF(6, 24.5, 7.5, 6)); // feet
    oval(QRectF(18.5, 24.5, 7.5, 6));
    oval(QRectF(6.5, 1.5, 6.5, 6.5)); // ears
    oval(QRectF(19, 1.5, 6.5, 6.5));
    oval(QRectF(8, 3, 16, 14)); // head
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf8, 0xdc, 0xb0));
    p.drawEllipse(QRectF(12.2, 9.6, 7.6, 5.8)); // muzzle
    p.drawEllipse(QRectF(12, 19, 8, 7)); // tummy
    p.setBrush(QColor(0x2a, 0x14, 0x08));
    p.drawEllipse(QPointF(12.6, 8.4), 1.2, 1.3);
    p.drawEllipse(QPointF(19.4, 8.4), 1.2, 1.3);
    p.drawEllipse(QRectF(14.4, 10.2, 3.2, 2.3)); // nose
}

void paintOccupation(QPainter &p)
{
    // A briefcase.
    const QColor edge(0x3a, 0x1e, 0x0c);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(10.5, 3.5, 11, 8), 3, 3);
    handle.addRoundedRect(QRectF(13, 6, 6, 6), 1.2, 1.2);
    handle.setFillRule(Qt::OddEvenFill);
    outlined(p, handle, QColor(0x7a, 0x44, 0x1c), edge, 1.0);
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 9.5, 27, 19), 3, 3);
    outlined(
        p, body, verticalGradient(9, 29, QColor(0xd8, 0x92, 0x50), QColor(0x94, 0x52, 0x1e)), edge);
    p.setPen(QPen(edge, 1.0));
    p.drawLine(QPointF(3, 17.5), QPointF(29, 17.5));
    p.setPen(QPen(QColor(0xf0, 0xc0, 0x88), 1.0));
    p.drawLine(QPointF(5, 11.6), QPointF(27, 11.6));
    QPainterPath clasp;
    clasp.addRoundedRect(QRectF(13, 15, 6, 5), 1, 1);
    outlined(p, clasp, verticalGradient(15, 20, QColor(0xff, 0xec, 0x8c), QColor(0xcc, 0x96, 0x1c)),
        QColor(0x6a, 0x4a, 0x08), 0.9);
}

} // namespace

QImage topicIcon(int topic)
{
    QImage icon = blankImage(32, 32, Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    switch (topic) {
    case 0:
        paintCharacter(p);
        break;
    case 1:
        paintAppearance(p);
        break;
    case 2:
        paintIllnesses(p);
        break;
    case 3:
        paintLove(p);
        break;
    case 4:
        paintChildhood(p);
        break;
    case 5:
        paintOccupation(p);
        break;
    default:
        break;
    }
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

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

namespace {

const QColor bannerInk(0x1a, 0x28, 0x5c);
const QColor bannerGold(0xf0, 0xb4, 0x28);
const QColor bannerGoldShade(0xc0, 0x7a, 0x0c);

// A four-pointed star cut into facets, each ray half in light and half in shade.
void facetedStar(QPainter &p, QPointF centre, qreal outer, qreal inner)
{
    const QPainterPath outline = Shapes::star(centre, outer, inner, 4, 0);
    for (int i = 0; i < 8; ++i) {
        QPainterPath facet;
        facet.moveTo(centre);
        facet.lineTo(outline.elementAt(i));
        facet.lineTo(outline.elementAt((i + 1) % 8));
        facet.closeSubpath();
        p.fillPath(facet, i % 2 ? bannerGoldShade : bannerGold);
    }
}

} // namespace

QImage banner()
{
    QImage image = blankImage(220, 35, QColor::fromRgb(windowGrey));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The star motif: a large faceted star with two small companions.
    facetedStar(p, QPointF(16, 18), 14.5, 4);
    p.fillPath(Shapes::star(QPointF(30, 7), 4.6, 1.3, 4, 0), bannerGold);
    p.fillPath(Shapes::star(QPointF(31.5, 28.5), 2.8, 0.9, 4, 0), bannerGoldShade);
    // The name: "Kelmo" in a heavy stroke, "Software" lighter.
    qreal width = 0;
    const qreal xHeight = 10.4;
    const qreal baseline = 25;
    const QPainterPath kelmo
        = Shapes::lettering(QStringLiteral("Kelmo"), QPointF(40, baseline), xHeight, &width);
    p.fillPath(Shapes::strokeOutline(kelmo, 2.8), bannerInk);
    const QPainterPath software = Shapes::lettering(
        QStringLiteral("Software"), QPointF(40 + width + 0.7 * xHeight, baseline), xHeight, &width);
    p.fillPath(Shapes::strokeOutline(software, 1.7), bannerInk);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

Quantise::IndexedImage bannerIndexed()
{
    const QColor grey = QColor::fromRgb(windowGrey);
    // Ink and gold with the in-between tones their smoothed edges need; entry 7 is the
    // background and is shown transparent.
    const QList<QRgb> palette {
        bannerInk.rgb(),
        mix(bannerInk, grey, 0.35).rgb(),
        mix(bannerInk, grey, 0.7).rgb(),
        bannerGoldShade.rgb(),
        bannerGold.rgb(),
        mix(bannerGold, grey, 0.4).rgb(),
        mix(bannerGold, grey, 0.75).rgb(),
        windowGrey,
    };
    return Quantise::reduce(banner(), palette, Quantise::Dither::None);
}

} // namespace Art
