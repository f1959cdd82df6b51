// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include <vector>

// Reduction of a rendered picture to a small palette. Everything here is deterministic: the same
// picture always gives the same palette and the same pixels, so regenerated files stay
// byte-identical.
namespace Quantise {

struct IndexedImage
{
    int width = 0;
    int height = 0;
    QList<QRgb> palette;
    std::vector<quint8> pixels; // row by row, top row first

    quint8 at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// Up to `count` representative colours of `colours` by median cut. When the colours hold no
// more than `count` distinct values, exactly those values are returned.
QList<QRgb> medianCut(const std::vector<QRgb> &colours, int count);

// Maps every pixel of `image` (its alpha is ignored) to the nearest palette entry. When
// `choices` is given, it holds for each pixel how many leading palette entries that pixel may
// use (0: all of them), so a region can be kept to its own colours.
IndexedImage reduce(
    const QImage &image, const QList<QRgb> &palette, const std::vector<int> &choices = {});

// The index of the entry among the first `count` of `palette` nearest to the colour.
int nearest(const QList<QRgb> &palette, qsizetype count, int r, int g, int b);

} // namespace Quantise
