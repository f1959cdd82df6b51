// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPainter>

// The figures of the twelve signs (the ram, the bull, the twins ...), drawn from vector shapes
// in the coordinates of a sign picture (120 x 190). Each keeps to x 4..116 and y 36..162, so the
// strip at the bottom, where the program writes the ruling planets, stays clear.
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

struct Colours
{
    Ramp main; // the figure itself
    Ramp accent; // what it holds or wears: horns, a bow, wheat, water
};

void paint(QPainter &p, int sign, const Colours &colours);

} // namespace Figures
