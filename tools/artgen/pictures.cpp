// SPDX-License-Identifier: MIT
// The thumbnails, icons and banner, each reduced from its master drawing to the palette its
// file format holds.
#include "art.h"
#include "pixels.h"

#include <algorithm>

namespace Art {
namespace {

// The drawing over the window grey, opaque.
QImage onWindowGrey(const QImage &drawing)
{
    QImage shown(drawing.size(), QImage::Format_RGB32);
    shown.fill(windowGrey);
    Pixels::composite(shown, drawing);
    return shown;
}

QRgb mix(QRgb a, QRgb b, qreal t)
{
    const auto channel = [t](int from, int to) { return qRound(from + (to - from) * t); };
    return qRgb(
        channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

} // namespace

Thumbnail thumbnailIndexed(const Master &small, const Master &large)
{
    const QImage discs[]
        = { small.layer(QStringLiteral("picture"), 1), large.layer(QStringLiteral("picture"), 1) };
    const QImage shown[] = { onWindowGrey(discs[0]), onWindowGrey(discs[1]) };
    // What a disc covers, as it looks on the window grey.
    const auto covered = [&](int k) {
        std::vector<QRgb> colours;
        for (int y = 0; y < shown[k].height(); ++y) {
            for (int x = 0; x < shown[k].width(); ++x) {
                if (qAlpha(discs[k].pixel(x, y)) > 0)
                    colours.push_back(shown[k].pixel(x, y));
            }
        }
        return colours;
    };
    QList<QRgb> palette = QList<QRgb> { windowGrey } + Quantise::medianCut(covered(0), 15);
    std::vector<QRgb> edges;
    for (const QRgb colour : covered(1)) {
        if (!palette.contains(colour | 0xff000000u))
            edges.push_back(colour);
    }
    if (palette.size() < 16 && !edges.empty())
        palette += Quantise::medianCut(edges, 16 - int(palette.size()));
    return { Quantise::reduce(shown[0], palette), Quantise::reduce(shown[1], palette) };
}

MaskedImage iconIndexed(const QImage &source, Edge edge)
{
    const QImage icon = Pixels::straightAlpha(source);
    MaskedImage out;
    out.transparent.assign(std::size_t(icon.width()) * icon.height(), true);
    // The mask is 1-bit: a pixel at least half covered is shown. With a smoothed edge it is
    // shown as it looks over the window grey the topic icons always stand on; with a hard edge
    // in its own colour, fully opaque, so nothing of the grey shows on a dark title bar.
    QImage shown = onWindowGrey(icon);
    if (edge == Edge::Hard) {
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                shown.setPixel(x, y, icon.pixel(x, y) | 0xff000000u);
    }
    std::vector<QRgb> opaque;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            if (qAlpha(icon.pixel(x, y)) >= 128) {
                out.transparent[std::size_t(y) * icon.width() + x] = false;
                opaque.push_back(shown.pixel(x, y));
            }
        }
    }
    // Index 0 stays black for the masked pixels; the other 255 entries follow the icon.
    QList<QRgb> palette { qRgb(0, 0, 0) };
    palette.append(Quantise::medianCut(opaque, 255));
    while (palette.size() < 256)
        palette.append(qRgb(0, 0, 0));
    out.image = Quantise::reduce(shown, palette);
    return out;
}

Quantise::IndexedImage bannerIndexed(const Master &master, int scale)
{
    // The ink of the lettering with three in-between tones for its smoothed edges, the stars'
    // gold and its shade with one; entry 7 is the background and is shown transparent.
    QList<QRgb> used = master.colours(QStringLiteral("picture"));
    if (used.size() != 3)
        master.fail(QStringLiteral("a banner paints in three colours: ink, gold and its shade"));
    std::sort(used.begin(), used.end(), [](QRgb a, QRgb b) { return qGray(a) < qGray(b); });
    const QRgb ink = used[0], goldShade = used[1], gold = used[2];
    const QList<QRgb> palette { ink, mix(ink, windowGrey, 0.3), mix(ink, windowGrey, 0.55),
        mix(ink, windowGrey, 0.8), goldShade, gold, mix(gold, windowGrey, 0.5), windowGrey };
    // The lettering keeps to the ink's tones and the stars to the gold's, so the faint edge of
    // a letter never turns cream nor a star's edge blue. The stars end left of the lettering.
    const QImage image = onWindowGrey(master.layer(QStringLiteral("picture"), scale));
    const int lettersLeft = 37 * scale;
    const Quantise::IndexedImage inked = Quantise::reduce(image, palette.mid(0, 4) << windowGrey);
    const Quantise::IndexedImage gilded = Quantise::reduce(image, palette.mid(4));
    Quantise::IndexedImage out = inked;
    out.palette = palette;
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const int index = x < lettersLeft ? gilded.at(x, y) + 4 : inked.at(x, y);
            const bool background = x < lettersLeft ? index == 4 + 3 : index == 4;
            out.pixels[std::size_t(y) * out.width + x] = quint8(background ? 7 : index);
        }
    }
    return out;
}

} // namespace Art
