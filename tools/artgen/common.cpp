// SPDX-License-Identifier: MIT
#include "common.h"

namespace Art {

// Fire signs burn red and orange, earth signs are green and brown, air signs pale yellow and
// light blue, water signs blue and teal. Signs of one element differ in hue so each picture
// keeps its own palette.
const std::array<SignColours, signCount> signColours = { {
    { QColor(0xff, 0xb4, 0x8c), QColor(0xee, 0x40, 0x2c), QColor(0x8c, 0x12, 0x16) }, // Aries
    { QColor(0xc0, 0xf0, 0x8c), QColor(0x52, 0xaa, 0x3e), QColor(0x1e, 0x54, 0x22) }, // Taurus
    { QColor(0xff, 0xf6, 0xb4), QColor(0xf4, 0xc8, 0x2e), QColor(0x9a, 0x72, 0x10) }, // Gemini
    { QColor(0xd4, 0xff, 0xf6), QColor(0x5c, 0xd4, 0xc4), QColor(0x18, 0x76, 0x74) }, // Cancer
    { QColor(0xff, 0xe2, 0x8c), QColor(0xf8, 0x9a, 0x1e), QColor(0x9a, 0x4a, 0x08) }, // Leo
    { QColor(0xe6, 0xe8, 0xaa), QColor(0x9c, 0xaa, 0x4c), QColor(0x4e, 0x5a, 0x22) }, // Virgo
    { QColor(0xf8, 0xfc, 0xff), QColor(0xbc, 0xd6, 0xfc), QColor(0x66, 0x86, 0xc4) }, // Libra
    { QColor(0xb6, 0xbe, 0xff), QColor(0x6c, 0x6e, 0xf0), QColor(0x2c, 0x2c, 0x9a) }, // Scorpio
    { QColor(0xff, 0xc6, 0x84), QColor(0xec, 0x6c, 0x26), QColor(0x92, 0x2e, 0x0e) }, // Sagittarius
    { QColor(0xea, 0xc4, 0x9c), QColor(0xaa, 0x72, 0x40), QColor(0x5a, 0x34, 0x18) }, // Capricorn
    { QColor(0xd2, 0xfa, 0xff), QColor(0x58, 0xcc, 0xf0), QColor(0x1a, 0x86, 0xb0) }, // Aquarius
    { QColor(0xaa, 0xee, 0xff), QColor(0x32, 0xa6, 0xd8), QColor(0x10, 0x58, 0x8a) }, // Pisces
} };


QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
        float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QImage blankImage(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void composite(QImage &under, const QImage &over)
{
    QPainter p(&under);
    p.drawImage(0, 0, over);
}

// Colours of `image` where `layer` is at least partly opaque: what an adaptive palette for the
// layer's content has to represent.
std::vector<QRgb> coveredColours(const QImage &image, const QImage &layer)
{
    std::vector<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(layer.pixel(x, y)) > 0)
                colours.push_back(image.pixel(x, y));
        }
    }
    return colours;
}

void outlined(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &edge,
    qreal width)
{
    p.setPen(QPen(edge, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QLinearGradient verticalGradient(qreal top, qreal bottom, const QColor &a, const QColor &b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}
} // namespace Art
