// SPDX-License-Identifier: MIT
#include "common.h"

#include <algorithm>
#include <cmath>

namespace Art {

// Each sign has a hue of its own, and signs of one element (Aries, Leo and Sagittarius;
// Aquarius and Pisces next to each other) are far apart on the colour wheel, so no two
// thumbnails on the row of sign buttons can be mistaken for each other.
const std::array<QColor, signCount> signColours = {
    QColor(0xe8, 0x46, 0x3a), // Aries: red
    QColor(0x4c, 0xae, 0x48), // Taurus: green
    QColor(0xf2, 0xc2, 0x30), // Gemini: yellow
    QColor(0x9e, 0xb2, 0xd2), // Cancer: moon silver
    QColor(0xf5, 0x91, 0x2a), // Leo: orange
    QColor(0xa6, 0xa0, 0x38), // Virgo: olive
    QColor(0xec, 0x6a, 0xa0), // Libra: rose
    QColor(0xc2, 0x3e, 0xb6), // Scorpio: magenta
    QColor(0x5a, 0x6a, 0xe8), // Sagittarius: blue
    QColor(0xc0, 0x84, 0x50), // Capricorn: brown
    QColor(0x2e, 0xae, 0xe8), // Aquarius: azure
    QColor(0x2e, 0xbd, 0x9a), // Pisces: sea green
};

Ramp rampFrom(const QColor &base)
{
    const auto shifted = [&](qreal towardsHue, qreal hueStep, qreal saturation, qreal value) {
        float h = 0, s = 0, v = 0;
        base.getHsvF(&h, &s, &v);
        qreal hue = h < 0 ? towardsHue / 360 : h;
        // Turn the hue the short way round the circle towards the target.
        qreal delta = towardsHue / 360 - hue;
        if (delta > 0.5)
            delta -= 1;
        if (delta < -0.5)
            delta += 1;
        const qreal step = std::min(std::abs(delta), hueStep / 360);
        hue += delta < 0 ? -step : step;
        hue -= std::floor(hue);
        return QColor::fromHsvF(float(hue), float(std::clamp(s * saturation, 0.0, 1.0)),
            float(std::clamp(value, 0.0, 1.0)));
    };
    float h = 0, s = 0, v = 0;
    base.getHsvF(&h, &s, &v);
    return { shifted(235, 14, 0.85, v * 0.24), shifted(235, 12, 1.05, v * 0.66), base,
        shifted(55, 10, 0.42, std::min(1.0, v * 1.12 + 0.06)) };
}

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
