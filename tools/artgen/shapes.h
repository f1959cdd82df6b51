// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QPainterPath>
#include <QPointF>

// The vector shapes every picture is built from, all drawn here as paths so the artwork never
// depends on the fonts installed on the machine that generates it.
namespace Shapes {

// The centre line of a zodiac symbol (0 Aries .. 11 Pisces) in a 100 x 100 box. Callers stroke
// it with round caps and joins at the weight the picture needs.
QPainterPath zodiacSymbol(int sign);

// The same symbols drawn for 32-pixel thumbnails, in pixel coordinates of a 32 x 32 square.
QPainterPath zodiacSymbolSmall(int sign);

// The filled arrowhead of Sagittarius (8) and Scorpio (7), in the box of zodiacSymbol() or,
// when `small`, of zodiacSymbolSmall(); empty for the other signs.
QPainterPath zodiacArrowhead(int sign, bool small);

// A symbol's stroked outline united with its arrowhead, ready to fill.
QPainterPath zodiacGlyph(int sign, bool small, qreal strokeWidth);

// A stroke of `width` around `centreLine` with round caps and joins, as one filled outline.
QPainterPath strokeOutline(const QPainterPath &centreLine, qreal width);

// A star with `points` rays around `centre`; `inner` is the radius of the notches.
QPainterPath star(QPointF centre, qreal outer, qreal inner, int points, qreal rotationDegrees);

// The centre line of a word drawn in the program's own stroke lettering, starting at `origin`
// (left end of the baseline) with the given x-height. Knows the letters of the maker's name.
// `advance` receives the width the word took.
QPainterPath lettering(const QString &word, QPointF origin, qreal xHeight, qreal *advance);

} // namespace Shapes
