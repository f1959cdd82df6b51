// SPDX-License-Identifier: MIT
// The sign pictures for the sign pages.
#include "art.h"
#include "pixels.h"

#include <algorithm>

namespace Art {
namespace {

using Quantise::IndexedImage;

// The scene every sign picture shares: the night sky, the blue of the constellation's lines and
// faint stars, white, and the moonlit sand in its light tone and its shade, which also rims the
// figures. Both sand tones are light enough that the program's black planet text reads on them.
const QList<QRgb> sceneTones { qRgb(0x0e, 0x17, 0x40), qRgb(0x4a, 0x5e, 0xa4),
    qRgb(0xff, 0xff, 0xff), qRgb(0xde, 0xe3, 0xf1), qRgb(0x9a, 0xa6, 0xcc) };
constexpr int sceneCount = 5;
constexpr int rimIndex = 4;

// Which of the tones is nearest to a colour.
int nearestOf(const QList<QRgb> &tones, QRgb colour)
{
    return Quantise::nearest(tones, tones.size(), qRed(colour), qGreen(colour), qBlue(colour));
}

// Indices 0 and 1 of every sign picture: the sky and the faint blue of the stars.
bool isSky(int index)
{
    return index == 0 || index == 1;
}

// Moonlight from above: where the figure meets the sky along its top, its outer pixel is drawn in
// the pale moonlit tone of the sand. The dark outline alone melts into the night sky; the rim keeps
// the silhouette sharp. Thin parts one pixel across keep their tone.
void rimFigure(IndexedImage &image, const QList<int> &figureEntries)
{
    const int w = image.width, h = image.height;
    const std::vector<quint8> before = image.pixels;
    const auto at = [&](int x, int y) { return int(before[std::size_t(y) * w + x]); };
    const auto figure = [&](int x, int y) { return figureEntries.contains(at(x, y)); };
    for (int y = 1; y < h - 4; ++y) {
        for (int x = 1; x < w - 4; ++x) {
            if (!figure(x, y) || at(x, y) < sceneCount)
                continue; // white stars and glints shine on their own
            // Which way the edge faces: count the sky in the rows above and below and in
            // the columns left and right. Edges facing up catch the light.
            int up = 0, down = 0, left = 0, right = 0;
            for (int d = -1; d <= 1; ++d) {
                up += isSky(at(x + d, y - 1)) ? 1 : 0;
                down += isSky(at(x + d, y + 1)) ? 1 : 0;
                left += isSky(at(x - 1, y + d)) ? 1 : 0;
                right += isSky(at(x + 1, y + d)) ? 1 : 0;
            }
            // Only edges that face up: on upright sides the rim breaks into steps and frays.
            const bool lit = up > down && up >= 2;
            // Only parts at least three pixels deep across the edge get a rim; smaller details
            // would be swallowed by it.
            const bool deepDown = figure(x, y + 1) && figure(x, y + 2) && figure(x, y + 3);
            const bool deepRight = figure(x + 1, y) && figure(x + 2, y) && figure(x + 3, y);
            const bool deep = (up > down ? deepDown : true) && (left > right ? deepRight : true);
            if ((up > 0 || left > 0) && lit && deep && figure(x + 1, y + 1))
                image.pixels[std::size_t(y) * w + x] = quint8(rimIndex);
        }
    }
    // A rim pixel with no other beside it is a step of a steep side rather than a lit edge and
    // would read as a speck: it keeps its tone.
    const std::vector<quint8> lit = image.pixels;
    const auto newRim = [&](int x, int y) {
        const std::size_t i = std::size_t(y) * w + x;
        return lit[i] == rimIndex && before[i] != rimIndex;
    };
    for (int y = 1; y < h - 1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            if (!newRim(x, y))
                continue;
            bool joined = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx)
                    joined |= (dx || dy) && newRim(x + dx, y + dy);
            }
            if (!joined)
                image.pixels[std::size_t(y) * w + x] = before[std::size_t(y) * w + x];
        }
    }
    // A lone outline pixel left between rim pixels would notch the rim: it joins it.
    const std::vector<quint8> rimmed = image.pixels;
    const auto now = [&](int x, int y) { return int(rimmed[std::size_t(y) * w + x]); };
    for (int y = 1; y < h - 1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            if (!figure(x, y) || now(x, y) < sceneCount)
                continue;
            int same = 0, rims = 0, sky = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (dx == 0 && dy == 0)
                        continue;
                    const int n = now(x + dx, y + dy);
                    same += n == now(x, y) ? 1 : 0;
                    rims += n == rimIndex && before[std::size_t(y + dy) * w + x + dx] != rimIndex
                        ? 1
                        : 0;
                    sky += isSky(n) ? 1 : 0;
                }
            }
            if (same == 0 && rims >= 2 && sky > 0)
                image.pixels[std::size_t(y) * w + x] = quint8(rimIndex);
        }
    }
}
} // namespace

IndexedImage signPictureIndexed(const Master &master, int scale)
{
    if (master.size() != QSize(120, 190))
        master.fail(QStringLiteral("a sign picture is 120 x 190"));
    for (const QRgb tone : master.colours(QStringLiteral("scene"))) {
        if (!sceneTones.contains(tone))
            master.fail(QStringLiteral("the scene paints in #%1, not one of the shared scene's "
                                       "five tones")
                            .arg(tone & 0xffffff, 6, 16, QLatin1Char('0')));
    }
    const QImage scene = Pixels::opaque(master.layer(QStringLiteral("scene"), scale));
    const QImage figure = Pixels::straightAlpha(master.layer(QStringLiteral("figure"), scale));
    QImage picture = scene;
    Pixels::composite(picture, figure);

    // The scene's five entries come first and are alike in every picture; the others are exactly
    // the tones the figure is painted in, so no colour is shared or averaged between the figure
    // and the sky.
    QList<QRgb> palette = sceneTones;
    const QList<QRgb> figureTones = master.colours(QStringLiteral("figure"));
    QList<int> figureEntries; // the palette entry of each figure tone
    for (const QRgb tone : figureTones) {
        if (!palette.contains(tone))
            palette.append(tone);
        figureEntries.append(int(palette.indexOf(tone)));
    }
    if (palette.size() > 16)
        master.fail(QStringLiteral("the figure paints in %1 tones besides the scene's; 11 fit")
                        .arg(palette.size() - sceneCount));
    while (palette.size() < 16)
        palette.append(qRgb(0, 0, 0));

    IndexedImage out;
    out.width = scene.width();
    out.height = scene.height();
    out.palette = palette;
    out.pixels.resize(std::size_t(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            // The scene keeps to its own five colours; a pixel the figure covers takes one of
            // the figure's tones, or, along the figure's edge, the colour of what lies beneath,
            // never a blend of the two: a blend of a dark outline and the pale sand would be
            // nearest to some middle tone of the figure and leave a speck of it.
            int index = nearestOf(sceneTones, scene.pixel(x, y)); // the first entries
            const QRgb own = figure.pixel(x, y);
            if (qAlpha(own) == 255)
                index = figureEntries[nearestOf(figureTones, picture.pixel(x, y))];
            else if (qAlpha(own) >= 128)
                index = figureEntries[nearestOf(figureTones, own)];
            out.pixels[std::size_t(y) * out.width + x] = quint8(index);
        }
    }
    // A figure may carry a layer "finish": pixels set by hand on the picture at its own size
    // (an eye, a mouth, a mended outline) where the drawing, made smaller, loses them. At twice
    // the size the drawing has room for them itself, and the layer is left out.
    if (scale == 1 && master.hasLayer(QStringLiteral("finish"))) {
        for (const QRgb tone : master.colours(QStringLiteral("finish"))) {
            if (!sceneTones.contains(tone) && !figureTones.contains(tone))
                master.fail(QStringLiteral("the finish paints in #%1, a tone neither the scene "
                                           "nor the figure has")
                                .arg(tone & 0xffffff, 6, 16, QLatin1Char('0')));
        }
        const QImage finish = Pixels::straightAlpha(master.layer(QStringLiteral("finish"), 1));
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                const QRgb set = finish.pixel(x, y);
                if (qAlpha(set) == 255)
                    out.pixels[std::size_t(y) * out.width + x]
                        = quint8(palette.indexOf(qRgb(qRed(set), qGreen(set), qBlue(set))));
            }
        }
    }
    rimFigure(out, figureEntries);
    return out;
}

} // namespace Art
