// SPDX-License-Identifier: MIT
#include "shapes.h"

#include <QPainterPathStroker>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace Shapes {
namespace {

void line(QPainterPath &path, qreal x1, qreal y1, qreal x2, qreal y2)
{
    path.moveTo(x1, y1);
    path.lineTo(x2, y2);
}

void circle(QPainterPath &path, qreal cx, qreal cy, qreal r)
{
    // Started at the top so the stroke has no visible seam where a tail joins it.
    path.moveTo(cx, cy - r);
    path.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), 90, 360);
}

// The "m" that Virgo's and Scorpio's thumbnail symbols begin with: a lead-in stroke and three
// stems `spacing` apart from `first`, the second and third arching over from the one before.
// The pen ends on top of the third stem.
void threeStems(QPainterPath &p, qreal first, qreal spacing)
{
    const qreal second = first + spacing, third = second + spacing;
    p.moveTo(first - 2.5, 8);
    p.cubicTo(first - 1.5, 6.5, first, 6.5, first, 9);
    p.lineTo(first, 22);
    p.moveTo(first, 10.5);
    p.cubicTo(first, 6, second, 6, second, 10.5);
    p.lineTo(second, 22);
    p.moveTo(second, 10.5);
    p.cubicTo(second, 6, third, 6, third, 10.5);
}

// The "m" that Virgo and Scorpio share: a lead-in hook and three legs. Leaves the path at the
// top of the third leg so the caller can finish it.
void threeLegs(QPainterPath &path, qreal left, qreal spacing, qreal legBottom)
{
    const qreal a = left + 12;
    const qreal b = a + spacing;
    const qreal c = b + spacing;
    path.moveTo(left, 26);
    path.cubicTo(left + 6, 21, a, 25, a, 33);
    path.lineTo(a, 86);
    path.moveTo(a, 38);
    path.cubicTo(a, 22, b, 20, b, 36);
    path.lineTo(b, 86);
    path.moveTo(b, 38);
    path.cubicTo(b, 22, c, 20, c, 36);
    path.lineTo(c, legBottom);
}

} // namespace

QPainterPath zodiacSymbol(int sign)
{
    QPainterPath p;
    switch (sign) {
    case 0: // Aries: a stem parting into two curled horns
        p.moveTo(50, 90);
        p.lineTo(50, 42);
        p.cubicTo(50, 20, 42, 11, 31, 11);
        p.cubicTo(19, 11, 12, 20, 12, 30);
        p.cubicTo(12, 38, 16, 44, 23, 46);
        p.moveTo(50, 42);
        p.cubicTo(50, 20, 58, 11, 69, 11);
        p.cubicTo(81, 11, 88, 20, 88, 30);
        p.cubicTo(88, 38, 84, 44, 77, 46);
        break;
    case 1: // Taurus: a head with a crescent of horns
        circle(p, 50, 65, 23);
        p.moveTo(12, 12);
        p.cubicTo(17, 32, 31, 42, 50, 42);
        p.cubicTo(69, 42, 83, 32, 88, 12);
        break;
    case 2: // Gemini: two pillars under and over a bowed lintel
        p.moveTo(14, 14);
        p.quadTo(50, 30, 86, 14);
        p.moveTo(14, 86);
        p.quadTo(50, 70, 86, 86);
        line(p, 36, 21, 36, 79);
        line(p, 64, 21, 64, 79);
        break;
    case 3: // Cancer: two claws curled round each other
        circle(p, 28, 40, 13);
        p.moveTo(28, 27);
        p.cubicTo(46, 15, 72, 14, 91, 29);
        circle(p, 72, 60, 13);
        p.moveTo(72, 73);
        p.cubicTo(54, 85, 28, 86, 9, 71);
        break;
    case 4: // Leo: the mane rising from a small circle and ending in a curled tail
        circle(p, 27, 65, 12);
        p.moveTo(36, 57);
        p.cubicTo(26, 36, 34, 13, 56, 13);
        p.cubicTo(77, 13, 83, 33, 74, 49);
        p.cubicTo(66, 63, 60, 76, 66, 84);
        p.cubicTo(72, 92, 84, 89, 89, 80);
        break;
    case 5: // Virgo: an "m" whose last leg turns up into a loop and crosses itself
        threeLegs(p, 4, 18, 80);
        p.cubicTo(52, 94, 78, 94, 82, 74);
        p.cubicTo(85, 58, 72, 50, 62, 60);
        p.cubicTo(54, 68, 48, 80, 40, 94);
        break;
    case 6: // Libra: the setting sun over the horizon
        line(p, 10, 82, 90, 82);
        p.moveTo(10, 64);
        p.lineTo(32, 64);
        p.cubicTo(20, 52, 26, 26, 50, 26);
        p.cubicTo(74, 26, 80, 52, 68, 64);
        p.lineTo(90, 64);
        break;
    case 7: // Scorpio: an "m" whose last leg ends in the sting
        threeLegs(p, 6, 17, 74);
        p.quadTo(52, 86, 62, 86);
        p.lineTo(68, 86);
        p.lineTo(86, 68);
        break;
    case 8: // Sagittarius: the arrow with its cross-piece; the head is zodiacArrowhead()
        line(p, 14, 86, 80, 20);
        line(p, 28, 44, 56, 72);
        break;
    case 9: // Capricorn: the goat's horn and the fish's tail
        p.moveTo(10, 24);
        p.cubicTo(18, 18, 24, 24, 26, 32);
        p.lineTo(38, 80);
        p.lineTo(50, 32);
        p.cubicTo(54, 18, 68, 18, 68, 32);
        p.lineTo(68, 70);
        p.cubicTo(68, 84, 78, 90, 86, 84);
        p.cubicTo(93, 78, 91, 64, 81, 62);
        p.cubicTo(71, 60, 65, 70, 61, 78);
        p.cubicTo(57, 86, 50, 92, 40, 92);
        break;
    case 10: // Aquarius: two waves of water
        for (const qreal y : { 38.0, 66.0 }) {
            p.moveTo(10, y + 8);
            for (int i = 1; i <= 5; ++i)
                p.lineTo(10 + 16 * i, y + (i % 2 ? -8 : 8));
        }
        break;
    case 11: // Pisces: two fish bound back to back
        p.moveTo(22, 12);
        p.cubicTo(42, 32, 42, 68, 22, 88);
        p.moveTo(78, 12);
        p.cubicTo(58, 32, 58, 68, 78, 88);
        line(p, 16, 50, 84, 50);
        break;
    default:
        break;
    }
    return p;
}

QPainterPath zodiacSymbolSmall(int sign)
{
    // Drawn on the pixel grid of a 32 x 32 thumbnail: stems sit on whole pixels, counters are
    // kept at least five pixels across, and every symbol spans 20 to 22 pixels of centre line,
    // so with its stroke it fills 22 to 24 pixels of the disc.
    QPainterPath p;
    switch (sign) {
    case 0:
        p.moveTo(16, 26);
        p.lineTo(16, 14);
        p.cubicTo(16, 8.5, 13.5, 6, 10.5, 6);
        p.cubicTo(7.5, 6, 6, 8.5, 6, 11);
        p.cubicTo(6, 13, 7, 14.5, 8.5, 15.5);
        p.moveTo(16, 14);
        p.cubicTo(16, 8.5, 18.5, 6, 21.5, 6);
        p.cubicTo(24.5, 6, 26, 8.5, 26, 11);
        p.cubicTo(26, 13, 25, 14.5, 23.5, 15.5);
        break;
    case 1:
        circle(p, 16, 20, 6);
        p.moveTo(6, 6.5);
        p.cubicTo(7, 11.5, 11, 14, 16, 14);
        p.cubicTo(21, 14, 25, 11.5, 26, 6.5);
        break;
    case 2:
        p.moveTo(7.5, 6);
        p.quadTo(16, 9.5, 24.5, 6);
        p.moveTo(7.5, 26);
        p.quadTo(16, 22.5, 24.5, 26);
        line(p, 12, 7.8, 12, 24.2);
        line(p, 20, 7.8, 20, 24.2);
        break;
    case 3:
        circle(p, 10.5, 12.5, 3.8);
        p.moveTo(10.5, 8.7);
        p.cubicTo(15, 5.5, 22, 5.8, 26.5, 10);
        circle(p, 21.5, 19.5, 3.8);
        p.moveTo(21.5, 23.3);
        p.cubicTo(17, 26.5, 10, 26.2, 5.5, 22);
        break;
    case 4:
        circle(p, 10, 20.5, 3.8);
        p.moveTo(13, 18);
        p.cubicTo(10, 13, 11.5, 6, 18, 6);
        p.cubicTo(24, 6, 25.5, 12, 23, 16);
        p.cubicTo(21, 19.5, 19, 22.5, 20.5, 25);
        p.cubicTo(22, 27.5, 25, 26.5, 26.5, 24.5);
        break;
    case 5:
        // Stems two pixels apart; the last turns into a loop that crosses it on the way down.
        threeStems(p, 8, 4);
        p.lineTo(16, 16.5);
        p.cubicTo(16, 22, 25, 22.5, 25, 16);
        p.cubicTo(25, 11.5, 20, 11.5, 18, 15);
        p.cubicTo(16.5, 17.5, 15, 21.5, 13, 25);
        break;
    case 6:
        line(p, 5.5, 25.5, 26.5, 25.5);
        p.moveTo(5.5, 19.5);
        p.lineTo(10.5, 19.5);
        p.cubicTo(7.5, 16, 8.5, 7, 16, 7);
        p.cubicTo(23.5, 7, 24.5, 16, 21.5, 19.5);
        p.lineTo(26.5, 19.5);
        break;
    case 7:
        threeStems(p, 8, 4);
        p.lineTo(16, 19.5);
        p.quadTo(16, 23, 19.5, 23);
        p.lineTo(23.5, 19);
        break;
    case 8:
        line(p, 7, 25, 23, 9);
        line(p, 9.5, 15.5, 16.5, 22.5);
        break;
    case 9:
        // The bowl of the tail kept open: its counter is five pixels across.
        p.moveTo(5.5, 10);
        p.cubicTo(7, 8, 9, 8.5, 9.5, 11);
        p.lineTo(12, 23);
        p.lineTo(14.5, 11);
        p.cubicTo(15.3, 7.5, 19.5, 7.5, 19.5, 11);
        p.lineTo(19.5, 20);
        p.cubicTo(19.5, 24.5, 21, 26, 23, 26);
        p.cubicTo(25.5, 26, 26.5, 24, 26.5, 21.5);
        p.cubicTo(26.5, 19, 25, 17.5, 23, 17.5);
        p.cubicTo(20.5, 17.5, 19, 20, 18, 22.5);
        p.cubicTo(17, 25, 15.5, 27, 13, 27.5);
        break;
    case 10:
        for (const qreal y : { 10.5, 21.5 }) {
            p.moveTo(5, y + 3.5);
            p.lineTo(10.5, y - 3.5);
            p.lineTo(16, y + 3.5);
            p.lineTo(21.5, y - 3.5);
            p.lineTo(27, y + 3.5);
        }
        break;
    case 11:
        p.moveTo(7.5, 5);
        p.cubicTo(13.5, 10.5, 13.5, 21.5, 7.5, 27);
        p.moveTo(24.5, 5);
        p.cubicTo(18.5, 10.5, 18.5, 21.5, 24.5, 27);
        line(p, 5, 16, 27, 16);
        break;
    default:
        break;
    }
    return p;
}

QPainterPath zodiacArrowhead(int sign, bool small)
{
    // The tip of Sagittarius's arrow and of Scorpio's sting: a filled triangle, sharper than
    // the round end of a stroke.
    QPolygonF head;
    if (sign == 8)
        head = small ? QPolygonF { { 26.5, 5.5 }, { 17, 6.4 }, { 25.6, 15 } }
                     : QPolygonF { { 90, 10 }, { 56, 12 }, { 88, 44 } };
    else if (sign == 7)
        head = small ? QPolygonF { { 28.8, 17.2 }, { 20.6, 18.2 }, { 27.8, 25.4 } }
                     : QPolygonF { { 94, 60 }, { 70, 62 }, { 92, 84 } };
    QPainterPath path;
    if (!head.isEmpty()) {
        path.addPolygon(head);
        path.closeSubpath();
    }
    return path;
}

QPainterPath zodiacGlyph(int sign, bool small, qreal strokeWidth)
{
    const QPainterPath glyph
        = strokeOutline(small ? zodiacSymbolSmall(sign) : zodiacSymbol(sign), strokeWidth);
    const QPainterPath head = zodiacArrowhead(sign, small);
    // United rather than added: a triangle added over the stroke could cancel it where their
    // windings run opposite ways.
    return head.isEmpty() ? glyph : glyph.united(head);
}

QPainterPath strokeOutline(const QPainterPath &centreLine, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath outline = stroker.createStroke(centreLine);
    // The stroker returns overlapping pieces for crossing strokes; winding fill unites them.
    outline.setFillRule(Qt::WindingFill);
    return outline;
}

QPainterPath star(QPointF centre, qreal outer, qreal inner, int points, qreal rotationDegrees)
{
    QPainterPath path;
    const qreal step = std::numbers::pi / points;
    const qreal start = (rotationDegrees - 90) * std::numbers::pi / 180;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const QPointF at
            = centre + QPointF(r * std::cos(start + i * step), r * std::sin(start + i * step));
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

namespace {

// One letter of the stroke lettering in units of the x-height: baseline at y = 0, x from 0.
// Returns the letter's width; a letter the lettering does not know is left as a space.
qreal glyph(QChar c, QPainterPath &p)
{
    switch (c.unicode()) {
    case 'K':
        line(p, 0, 0, 0, -1.4);
        line(p, 0.86, -1.4, 0.04, -0.52);
        line(p, 0.34, -0.84, 0.9, 0);
        return 0.9;
    case 'S':
        p.moveTo(0.84, -1.2);
        p.cubicTo(0.74, -1.36, 0.6, -1.42, 0.45, -1.42);
        p.cubicTo(0.22, -1.42, 0.06, -1.28, 0.06, -1.06);
        p.cubicTo(0.06, -0.6, 0.88, -0.84, 0.88, -0.36);
        p.cubicTo(0.88, -0.12, 0.7, 0.02, 0.44, 0.02);
        p.cubicTo(0.28, 0.02, 0.12, -0.05, 0.02, -0.2);
        return 0.9;
    case 'a':
        p.addEllipse(QRectF(0, -1, 1, 1));
        line(p, 1, -1, 1, 0);
        return 1;
    case 'e':
        p.moveTo(0.02, -0.5);
        p.lineTo(1, -0.5);
        p.arcTo(QRectF(0, -1, 1, 1), 0, 300);
        return 1;
    case 'f':
        p.moveTo(0.2, 0);
        p.lineTo(0.2, -1.08);
        p.cubicTo(0.2, -1.34, 0.34, -1.44, 0.5, -1.44);
        p.lineTo(0.62, -1.42);
        line(p, 0, -1, 0.56, -1);
        return 0.62;
    case 'l':
        line(p, 0, 0, 0, -1.44);
        return 0;
    case 'm':
        line(p, 0, 0, 0, -1);
        p.moveTo(0, -0.68);
        p.arcTo(QRectF(0, -1, 0.66, 0.66), 180, -180);
        p.lineTo(0.66, 0);
        p.moveTo(0.66, -0.68);
        p.arcTo(QRectF(0.66, -1, 0.66, 0.66), 180, -180);
        p.lineTo(1.32, 0);
        return 1.32;
    case 'o':
        p.addEllipse(QRectF(0, -1, 1, 1));
        return 1;
    case 'r':
        line(p, 0, 0, 0, -1);
        p.moveTo(0, -0.56);
        p.cubicTo(0, -0.86, 0.2, -1, 0.46, -1);
        p.lineTo(0.6, -0.98);
        return 0.6;
    case 't':
        p.moveTo(0.2, -1.34);
        p.lineTo(0.2, -0.22);
        p.cubicTo(0.2, -0.05, 0.3, 0, 0.42, 0);
        p.lineTo(0.56, 0);
        line(p, 0, -1, 0.56, -1);
        return 0.56;
    case 'w':
        p.moveTo(0, -1);
        p.lineTo(0.3, 0);
        p.lineTo(0.6, -0.86);
        p.lineTo(0.9, 0);
        p.lineTo(1.2, -1);
        return 1.2;
    default:
        return 0.3;
    }
}

} // namespace

QPainterPath lettering(const QString &word, QPointF origin, qreal xHeight, qreal *advance)
{
    constexpr qreal letterSpacing = 0.36;
    QPainterPath units;
    qreal x = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        QPainterPath letter;
        const qreal width = glyph(word[i], letter);
        units.addPath(letter.translated(x, 0));
        x += width + (i + 1 < word.size() ? letterSpacing : 0);
    }
    if (advance)
        *advance = x * xHeight;
    QTransform toPixels;
    toPixels.translate(origin.x(), origin.y());
    toPixels.scale(xHeight, xHeight);
    return toPixels.map(units);
}

} // namespace Shapes
