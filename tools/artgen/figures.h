// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QList>
#include <QPainter>

// The figures of the twelve signs (the ram, the bull, the twins ...), drawn from vector shapes
// in the coordinates of a sign picture (120 x 190). Each keeps to x 4..116 and y 36..160, so the
// sand at the bottom, where the program writes the ruling planets, stays clear.
namespace Figures {

// Four tones of one colour, darkest first. Every part of a figure is filled with `base`, lit
// along its upper-left edge with `light`, shaded along its lower-right edge with `shade` and
// outlined with `ink`.
struct Ramp
{
    QColor ink;
    QColor shade;
    QColor base;
    QColor light;
};

// The tones of a sign's colour, from its middle tone: lighter tones lean towards yellow and
// darker ones towards blue, as lit things do.
Ramp rampFrom(const QColor &base);

// Every tone the figure of a sign is painted in, at most eleven, each listed once.
QList<QRgb> tones(int sign);

// Where the figure meets the ground: the span of its shadow and the row it lies on.
struct Footprint
{
    qreal left;
    qreal right;
    qreal y;
};
Footprint footprint(int sign);

void paint(QPainter &p, int sign);

} // namespace Figures
