// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

// The pixel conversions on artgen's way from a drawn image to the bytes it writes, in plain
// integer arithmetic. Qt's own conversions out of premultiplied alpha take a path chosen for the
// processor at run time (approximate reciprocals), whose rounding differs from one processor to
// another; these give the same bytes on every machine.
namespace Pixels {

// One premultiplied pixel with straight alpha: each colour channel c of a pixel with alpha a
// becomes c * 255 / a rounded to the nearest whole number, halves up; a = 0 gives 0.
QRgb straight(QRgb premultiplied);

// The image with straight alpha (Format_ARGB32), from any 32-bit format.
QImage straightAlpha(const QImage &image);

// The image made opaque (Format_RGB32): straight colours, alpha dropped.
QImage opaque(const QImage &image);

// Draws `over` (straight or premultiplied alpha) on `under` (RGB32, ARGB32 or premultiplied),
// both the same size, with the source-over rule and Qt's byte rounding.
void composite(QImage &under, const QImage &over);

} // namespace Pixels
