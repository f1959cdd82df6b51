// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QImage>

// Decoders for the two picture formats the catalogue stores: palette bitmaps (.bmp, 1, 4 or 8
// bits per pixel, uncompressed) and single-image palette icons (.ico with an AND mask).
// Both give a null image for data that is not of that form; they never read past the data.
namespace Dib {

QImage decodeBmpFile(QByteArrayView file);
QImage decodeIcoFile(QByteArrayView file);

} // namespace Dib
