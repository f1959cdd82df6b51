// SPDX-License-Identifier: MIT
#pragma once

#include "quantise.h"

#include <QByteArray>

#include <vector>

// Writers for the three palette formats the program's pictures are stored in. Qt's own image
// writers cannot produce 4-bit bitmaps, masked 8-bit icons or a GIF, so these are written here,
// byte by byte, with nothing in them that changes from run to run.
namespace Writers {

// A bottom-up, uncompressed 4-bit .bmp file with a 16-entry palette.
QByteArray bmp4(const Quantise::IndexedImage &image);

// A .ico file holding one 8-bit image with a 256-entry palette and a 1-bit AND mask. Pixels
// with `transparent` set are masked and stored as index 0, which must be black.
QByteArray ico8(const Quantise::IndexedImage &image, const std::vector<bool> &transparent);

// A GIF89a file of one image with an 8-entry global colour table; `transparentIndex` marks
// the background. The image data is LZW-compressed.
QByteArray gif(const Quantise::IndexedImage &image, int transparentIndex);

// The LZW code stream of GIF image data (without the size byte or sub-blocks).
QByteArray gifLzw(const std::vector<quint8> &pixels, int minimumCodeSize);

} // namespace Writers
