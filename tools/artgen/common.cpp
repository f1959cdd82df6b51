// SPDX-License-Identifier: MIT
#include "common.h"

namespace Art {

// Each sign has a hue of its own, and signs of one element (Aries, Leo and Sagittarius;
// Aquarius and Pisces next to each other) are far apart on the colour wheel, so no two
// thumbnails on the row of sign buttons can be mistaken for each other.
const std::array<SignColours, signCount> signColours = { {
    { QColor(0xe8, 0x46, 0x3a), QColor(0xe6, 0xc8, 0x8c) }, // Aries: red, horn
    { QColor(0x4c, 0xae, 0x48), QColor(0xec, 0xe0, 0xb4) }, // Taurus: green, ivory horns
    { QColor(0xf2, 0xc2, 0x30), QColor(0xa8, 0xcc, 0xf4) }, // Gemini: yellow, pale stars
    { QColor(0x9e, 0xb2, 0xd2), QColor(0xd8, 0xe4, 0xf4) }, // Cancer: moon silver
    { QColor(0xf5, 0x91, 0x2a), QColor(0xb4, 0x52, 0x2a) }, // Leo: orange, russet mane
    { QColor(0xa6, 0xa0, 0x38), QColor(0xea, 0xba, 0x42) }, // Virgo: olive, wheat
    { QColor(0xec, 0x6a, 0xa0), QColor(0xe8, 0xb8, 0x40) }, // Libra: rose, gold
    { QColor(0xc2, 0x3e, 0xb6), QColor(0xf0, 0x5a, 0x6a) }, // Scorpio: magenta, red sting
    { QColor(0x5a, 0x6a, 0xe8), QColor(0xe8, 0xb8, 0x40) }, // Sagittarius: blue, gold bow
    { QColor(0xc0, 0x84, 0x50), QColor(0x52, 0xb4, 0xa4) }, // Capricorn: brown, sea-green tail
    { QColor(0x2e, 0xae, 0xe8), QColor(0xb8, 0xee, 0xff) }, // Aquarius: azure, water
    { QColor(0x2e, 0xbd, 0x9a), QColor(0xf4, 0x8c, 0x6c) }, // Pisces: sea green, coral fins
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

} // namespace Art
