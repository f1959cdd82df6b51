// SPDX-License-Identifier: MIT
#include "writers.h"

#include <QHash>

#include <stdexcept>

namespace Writers {
namespace {

void put16(QByteArray &out, quint32 value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

int rowStride(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

// BITMAPINFOHEADER; `height` is the stored row count (an icon counts its mask rows too).
void putInfoHeader(
    QByteArray &out, int width, int height, int bits, quint32 imageSize, quint32 colours)
{
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height)); // positive: rows are stored bottom-up
    put16(out, 1); // planes
    put16(out, quint32(bits));
    put32(out, 0); // BI_RGB, no compression
    put32(out, imageSize);
    put32(out, 0); // horizontal resolution: not given
    put32(out, 0); // vertical resolution
    put32(out, colours);
    put32(out, 0); // all colours are important
}

void putPalette(QByteArray &out, const QList<QRgb> &palette, int entries)
{
    if (palette.size() > entries)
        throw std::invalid_argument("palette has too many entries");
    for (int i = 0; i < entries; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append(char(0));
    }
}

// Packs LZW codes least significant bit first, as GIF stores them.
class BitWriter
{
public:
    void write(int code, int width)
    {
        m_buffer |= quint32(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.append(char(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0)
            m_out.append(char(m_buffer & 0xff));
        m_buffer = 0;
        m_bits = 0;
        return m_out;
    }

private:
    QByteArray m_out;
    quint32 m_buffer = 0;
    int m_bits = 0;
};

} // namespace

QByteArray bmp4(const Quantise::IndexedImage &image)
{
    const int stride = rowStride(image.width, 4);
    const auto imageSize = quint32(stride * image.height);
    const quint32 pixelsAt = 14 + 40 + 16 * 4;
    QByteArray out;
    out.append("BM");
    put32(out, pixelsAt + imageSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, pixelsAt);
    putInfoHeader(out, image.width, image.height, 4, imageSize, 16);
    putPalette(out, image.palette, 16);
    for (int y = image.height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width; ++x) {
            const quint8 index = image.at(x, y);
            if (index > 15)
                throw std::invalid_argument("4-bit pixel out of range");
            row[x / 2] = char(uchar(row[x / 2]) | (x % 2 ? index : index << 4));
        }
        out.append(row);
    }
    return out;
}

QByteArray ico8(const Quantise::IndexedImage &image, const std::vector<bool> &transparent)
{
    if (image.palette.isEmpty() || image.palette[0] != qRgb(0, 0, 0))
        throw std::invalid_argument("icon palette must start with black");
    const int stride = rowStride(image.width, 8);
    const int maskStride = rowStride(image.width, 1);
    const auto imageSize = quint32((stride + maskStride) * image.height);
    const quint32 dibSize = 40 + 256 * 4 + imageSize;
    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon
    put16(out, 1); // one image
    out.append(char(image.width)); // 256 and more are not needed here
    out.append(char(image.height));
    out.append(char(0)); // more than 16 colours
    out.append(char(0));
    put16(out, 1); // planes
    put16(out, 8); // bits per pixel
    put32(out, dibSize);
    put32(out, 6 + 16);
    putInfoHeader(out, image.width, 2 * image.height, 8, imageSize, 256);
    putPalette(out, image.palette, 256);
    for (int y = image.height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width; ++x)
            row[x] = transparent[std::size_t(y) * image.width + x] ? char(0) : char(image.at(x, y));
        out.append(row);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < image.width; ++x) {
            if (transparent[std::size_t(y) * image.width + x])
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray gifLzw(const std::vector<quint8> &pixels, int minimumCodeSize)
{
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    constexpr int maxCode = 4095;
    BitWriter bits;
    int codeSize = minimumCodeSize + 1;
    int nextCode = endCode + 1;
    // The string table maps (code of a prefix, next pixel) to the code of the longer string.
    QHash<quint32, int> table;
    const auto key = [](int prefix, quint8 pixel) { return quint32(prefix) << 8 | pixel; };

    bits.write(clearCode, codeSize);
    if (pixels.empty()) {
        bits.write(endCode, codeSize);
        return bits.finish();
    }
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const quint8 pixel = pixels[i];
        const auto found = table.constFind(key(prefix, pixel));
        if (found != table.constEnd()) {
            prefix = *found;
            continue;
        }
        bits.write(prefix, codeSize);
        if (nextCode <= maxCode) {
            table.insert(key(prefix, pixel), nextCode);
            // The decoder adds this code one step later, then widens when the next free code
            // no longer fits; widening when the code just added needs the extra bit matches it.
            if (nextCode == (1 << codeSize) && codeSize < 12)
                ++codeSize;
            ++nextCode;
        } else {
            // Table full: start afresh so the codes keep adapting to the picture.
            bits.write(clearCode, codeSize);
            table.clear();
            codeSize = minimumCodeSize + 1;
            nextCode = endCode + 1;
        }
        prefix = pixel;
    }
    bits.write(prefix, codeSize);
    // Reading that last code, the decoder adds one more string and may widen before the end code.
    if (nextCode == (1 << codeSize) && codeSize < 12)
        ++codeSize;
    bits.write(endCode, codeSize);
    return bits.finish();
}

QByteArray gif(const Quantise::IndexedImage &image, int transparentIndex)
{
    constexpr int tableBits = 3; // 8 colours
    if (image.palette.size() > (1 << tableBits))
        throw std::invalid_argument("GIF palette has too many entries");
    QByteArray out("GIF89a");
    put16(out, quint32(image.width));
    put16(out, quint32(image.height));
    out.append(char(0x80 | (tableBits - 1) << 4 | (tableBits - 1))); // global table, 8 entries
    out.append(char(0)); // background colour index
    out.append(char(0)); // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = i < image.palette.size() ? image.palette[i] : qRgb(0, 0, 0);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    // Graphic control extension: no disposal, no delay, one transparent colour.
    out.append("\x21\xf9\x04", 3);
    out.append(char(0x01));
    put16(out, 0);
    out.append(char(transparentIndex));
    out.append(char(0));
    // Image descriptor: the whole screen, no local table, not interlaced.
    out.append(char(0x2c));
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(image.width));
    put16(out, quint32(image.height));
    out.append(char(0));
    const int minimumCodeSize = tableBits;
    out.append(char(minimumCodeSize));
    const QByteArray codes = gifLzw(image.pixels, minimumCodeSize);
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, codes.size() - at);
        out.append(char(length));
        out.append(codes.mid(at, length));
    }
    out.append(char(0)); // end of the image data
    out.append(char(0x3b)); // trailer
    return out;
}

} // namespace Writers
