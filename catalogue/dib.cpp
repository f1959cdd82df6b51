// SPDX-License-Identifier: MIT
#include "dib.h"

#include <QtEndian>

namespace Dib {
namespace {

quint16 u16(QByteArrayView data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.data() + at);
}
quint32 u32(QByteArrayView data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.data() + at);
}
qint32 s32(QByteArrayView data, qsizetype at)
{
    return qFromLittleEndian<qint32>(data.data() + at);
}

qsizetype rowStride(int width, int bits)
{
    return ((qsizetype(width) * bits + 31) / 32) * 4;
}

// Decodes a device-independent bitmap: information header, palette and pixel rows, with
// `height` rows of pixels (an icon's header counts its mask rows too, so the caller says).
// When `withMask` is set, a 1-bit AND mask follows the pixels and marks transparent pixels.
QImage decodeDib(QByteArrayView dib, int width, int height, bool withMask)
{
    if (dib.size() < 40 || u32(dib, 0) != 40 || u16(dib, 12) != 1 || u32(dib, 16) != 0)
        return {};
    const int bits = u16(dib, 14);
    if (bits != 1 && bits != 4 && bits != 8)
        return {};
    const quint32 used = u32(dib, 32);
    const qsizetype colours = used ? used : (1u << bits);
    if (colours > (1 << bits) || width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return {};
    const qsizetype paletteAt = 40;
    const qsizetype pixelsAt = paletteAt + 4 * colours;
    const qsizetype stride = rowStride(width, bits);
    const qsizetype maskAt = pixelsAt + stride * height;
    const qsizetype maskStride = rowStride(width, 1);
    if (dib.size() < maskAt + (withMask ? maskStride * height : 0))
        return {};

    QRgb palette[256] = {};
    for (qsizetype i = 0; i < colours; ++i) {
        const quint32 bgr = u32(dib, paletteAt + 4 * i);
        palette[i] = qRgb((bgr >> 16) & 0xff, (bgr >> 8) & 0xff, bgr & 0xff);
    }
    // An index past the palette shows the first colour.
    for (qsizetype i = colours; i < 256; ++i)
        palette[i] = palette[0];
    QImage image(width, height, withMask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const auto *bytes = reinterpret_cast<const uchar *>(dib.data());
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const uchar *row = bytes + pixelsAt + stride * (height - 1 - y);
        const uchar *mask = bytes + maskAt + maskStride * (height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (!withMask && bits == 4) {
            // Two pixels a byte, high nibble first.
            for (int x = 0; x + 1 < width; x += 2) {
                out[x] = palette[row[x / 2] >> 4];
                out[x + 1] = palette[row[x / 2] & 0x0f];
            }
            if (width % 2)
                out[width - 1] = palette[row[width / 2] >> 4];
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const int bitOffset = x * bits;
            const int index
                = (row[bitOffset / 8] >> (8 - bits - bitOffset % 8)) & ((1 << bits) - 1);
            QRgb pixel = index < colours ? palette[index] : palette[0];
            if (withMask && (mask[x / 8] & (0x80 >> (x % 8))))
                pixel = qRgba(0, 0, 0, 0);
            out[x] = pixel;
        }
    }
    return image;
}

} // namespace

QImage decodeBmpFile(QByteArrayView file)
{
    if (file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M')
        return {};
    const quint32 pixelsAt = u32(file, 10);
    const QByteArrayView dib = file.sliced(14);
    const qint32 width = s32(dib, 4);
    const qint32 height = s32(dib, 8); // positive: bottom-up rows
    if (height <= 0 || u32(dib, 0) != 40)
        return {};
    const int bits = u16(dib, 14);
    const quint32 used = u32(dib, 32);
    const qsizetype colours = used ? used : (1u << (bits & 15));
    if (pixelsAt != 14 + 40 + 4 * colours)
        return {};
    return decodeDib(dib, width, height, false);
}

QImage decodeIcoFile(QByteArrayView file)
{
    // Icon directory with exactly one entry, then that entry's image.
    if (file.size() < 6 + 16 || u16(file, 0) != 0 || u16(file, 2) != 1 || u16(file, 4) != 1)
        return {};
    const int width = uchar(file[6]) ? uchar(file[6]) : 256;
    const int height = uchar(file[7]) ? uchar(file[7]) : 256;
    const quint32 size = u32(file, 14);
    const quint32 offset = u32(file, 18);
    if (offset > quint32(file.size()) || size > quint32(file.size()) - offset)
        return {};
    const QByteArrayView dib = file.sliced(offset, size);
    if (dib.size() < 40 || s32(dib, 4) != width || s32(dib, 8) != 2 * height)
        return {};
    return decodeDib(dib, width, height, true);
}

} // namespace Dib
