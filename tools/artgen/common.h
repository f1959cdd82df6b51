// SPDX-License-Identifier: MIT
#pragma once

#include "art.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <vector>

// Helpers that more than one family of pictures draws with.
namespace Art {

// The colour of each sign, the middle tone from which its lighter and darker tones follow.
extern const std::array<QColor, signCount> signColours;

// Four tones of one colour, darkest first: an outline, a shade, the colour itself and its light.
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

// The colour of a sign's thumbnail disc at its lightest, dark enough for a white symbol; the
// program icon's wheel uses the same colours.
QColor discColour(int sign);

// The straight mixture of two colours, `t` of the way from `a` to `b`.
QColor mix(const QColor &a, const QColor &b, qreal t);

QImage blankImage(int width, int height, QColor fill);

// A small, fixed pseudo-random sequence, so scattered details are the same on every run.
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

// Colours of `image` where `layer` is at least partly opaque: what an adaptive palette for the
// layer's content has to represent.
std::vector<QRgb> coveredColours(const QImage &image, const QImage &layer);

} // namespace Art
