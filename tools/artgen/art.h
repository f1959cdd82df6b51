// SPDX-License-Identifier: MIT
#pragma once

#include "masters.h"
#include "quantise.h"

#include <QImage>

#include <vector>

// The program's pictures, each drawn from its master drawing and reduced to the palette its
// file format holds. `scale` 1 gives a picture at its own size, 2 the same picture drawn at twice
// its pixels for scaled screens.
namespace Art {

inline constexpr int signCount = 12;
inline constexpr int topicCount = 6;

// A sign picture, 120 x 190, in 16 colours: the master's "scene" layer keeps to the five tones
// every sign picture shares and its "figure" layer paints in at most eleven more.
Quantise::IndexedImage signPictureIndexed(const Master &master, int scale);

// A sign thumbnail, 32 x 32, and its drawing for 64 x 64, on the window grey in one palette of
// 16 colours: the grey, the colours the 32-pixel drawing covers, and in the entries left the
// edge tones the 64-pixel drawing adds.
struct Thumbnail
{
    Quantise::IndexedImage one;
    Quantise::IndexedImage two;
};
Thumbnail thumbnailIndexed(const Master &small, const Master &large);

// An icon picture reduced to 256 colours with index 0 black, and its 1-bit transparency.
struct MaskedImage
{
    Quantise::IndexedImage image;
    std::vector<bool> transparent;
};
// Its partly covered edge pixels either keep their smoothing over the window grey (Smoothed)
// or take their own colour at full strength (Hard), for an icon shown on any background.
enum class Edge { Smoothed, Hard };
MaskedImage iconIndexed(const QImage &icon, Edge edge = Edge::Smoothed);

// The maker's wordmark, 220 x 35, over the window grey in 8 colours, entry 7 the background.
Quantise::IndexedImage bannerIndexed(const Master &master, int scale);
inline constexpr int bannerTransparentIndex = 7;

// The grey of the program's windows, which thumbnails and icons stand on.
inline constexpr QRgb windowGrey = 0xffefefef;

} // namespace Art
