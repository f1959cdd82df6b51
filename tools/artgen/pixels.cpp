// SPDX-License-Identifier: MIT
#include "pixels.h"

#include <algorithm>
#include <stdexcept>

namespace Pixels {
namespace {

quint32 straightChannel(quint32 c, quint32 a)
{
    // c * 255 / a rounded to nearest, halves up, without leaving integers.
    return std::min((2 * c * 255 + a) / (2 * a), 255u);
}

// x * a / 255 for each byte of a pixel, rounded as Qt's raster engine rounds it.
QRgb byteMultiply(QRgb x, quint32 a)
{
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

QRgb premultiplied(QRgb pixel, QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB32:
        return pixel | 0xff000000u;
    case QImage::Format_ARGB32:
        return qPremultiply(pixel); // inline integer arithmetic in qrgb.h
    case QImage::Format_ARGB32_Premultiplied:
        return pixel;
    default:
        throw std::invalid_argument("artgen draws only 32-bit images");
    }
}

QRgb inFormat(QRgb premultipliedPixel, QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGB32:
        return straight(premultipliedPixel) | 0xff000000u;
    case QImage::Format_ARGB32:
        return straight(premultipliedPixel);
    default:
        return premultipliedPixel;
    }
}

template <typename Convert>
QImage converted(const QImage &image, QImage::Format format, Convert convert)
{
    if (image.format() == format)
        return image;
    QImage out(image.size(), format);
    for (int y = 0; y < image.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            to[x] = convert(premultiplied(from[x], image.format()));
    }
    return out;
}

} // namespace

QRgb straight(QRgb pixel)
{
    const quint32 a = qAlpha(pixel);
    if (a == 0)
        return 0;
    return qRgba(int(straightChannel(qRed(pixel), a)), int(straightChannel(qGreen(pixel), a)),
        int(straightChannel(qBlue(pixel), a)), int(a));
}

QImage straightAlpha(const QImage &image)
{
    return converted(image, QImage::Format_ARGB32, straight);
}

QImage opaque(const QImage &image)
{
    return converted(
        image, QImage::Format_RGB32, [](QRgb pixel) { return straight(pixel) | 0xff000000u; });
}

void composite(QImage &under, const QImage &over)
{
    if (under.size() != over.size())
        throw std::invalid_argument("composite needs two images of one size");
    for (int y = 0; y < under.height(); ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(over.constScanLine(y));
        auto *target = reinterpret_cast<QRgb *>(under.scanLine(y));
        for (int x = 0; x < under.width(); ++x) {
            const QRgb s = premultiplied(source[x], over.format());
            const QRgb d = premultiplied(target[x], under.format());
            target[x] = inFormat(s + byteMultiply(d, 255 - qAlpha(s)), under.format());
        }
    }
}

} // namespace Pixels
