// SPDX-License-Identifier: MIT
#pragma once

#include "masters.h"
#include "quantise.h"

#include <QImage>

#include <vector>

// The program's pictures: each drawn in full colour from vector shapes, then reduced to the
// palette its file format holds.
namespace Art {

inline constexpr int signCount = 12;
inline constexpr int topicCount = 6;

// A sign picture, 120 x 190 times `scale`, for the sign's page, in 16 colours: drawn from its
// master, whose "scene" layer keeps to the five tones every sign picture shares and whose
// "figure" layer paints in at most eleven more.
Quantise::IndexedImage signPictureIndexed(const Master &master, int scale);

// A sign thumbnail, 32 x 32, for the sign buttons, in 16 colours.
Quantise::IndexedImage signThumbnailIndexed(int sign);

// A topic icon, 32 x 32 on transparent ground (0 character, 1 appearance, 2 illnesses,
// 3 love, 4 childhood, 5 occupation).
QImage topicIcon(int topic);

// The program icon at any pixel size, drawn afresh at that size.
QImage programIcon(int size);

// The program icon as a scalable drawing, SVG, from the same drawing as its large sizes.
QByteArray programIconSvg();

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

// The maker's wordmark, 220 x 35, drawn over the window grey.
QImage banner();
Quantise::IndexedImage bannerIndexed();
inline constexpr int bannerTransparentIndex = 7;

// The grey of the program's windows, which thumbnails use for their corners.
inline constexpr QRgb windowGrey = 0xffefefef;

} // namespace Art
