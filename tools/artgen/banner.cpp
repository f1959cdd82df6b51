// SPDX-License-Identifier: MIT
// The maker's wordmark in the about window.
#include "common.h"
#include "pixels.h"
#include "shapes.h"

#include <QPainter>

namespace Art {
namespace {

const QColor bannerInk(0x1a, 0x28, 0x5c);
const QColor bannerGold(0xf0, 0xb4, 0x28);
const QColor bannerGoldShade(0xc0, 0x7a, 0x0c);
// The lettering starts right of this column, the stars end left of it.
constexpr int lettersLeft = 37;

// A four-pointed star cut into facets, each ray half in light and half in shade.
void facetedStar(QPainter &p, QPointF centre, qreal outer, qreal inner)
{
    const QPainterPath outline = Shapes::star(centre, outer, inner, 4, 0);
    for (int i = 0; i < 8; ++i) {
        QPainterPath facet;
        facet.moveTo(centre);
        facet.lineTo(outline.elementAt(i));
        facet.lineTo(outline.elementAt((i + 1) % 8));
        facet.closeSubpath();
        p.fillPath(facet, i % 2 ? bannerGoldShade : bannerGold);
    }
}

} // namespace

QImage banner()
{
    QImage image = blankImage(220, 35, QColor::fromRgb(windowGrey));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The star motif: a large faceted star with two small companions.
    facetedStar(p, QPointF(16, 18), 14.5, 4);
    p.fillPath(Shapes::star(QPointF(30, 7), 4.6, 1.3, 4, 0), bannerGold);
    p.fillPath(Shapes::star(QPointF(31.5, 28.5), 2.8, 0.9, 4, 0), bannerGoldShade);
    // The name: "Kelmo" in a heavy stroke, "Software" a step lighter, its stems still two pixels.
    qreal width = 0;
    const qreal xHeight = 10.4;
    const qreal baseline = 25;
    const QPainterPath kelmo
        = Shapes::lettering(QStringLiteral("Kelmo"), QPointF(40, baseline), xHeight, &width);
    p.fillPath(Shapes::strokeOutline(kelmo, 2.8), bannerInk);
    const QPainterPath software = Shapes::lettering(
        QStringLiteral("Software"), QPointF(40 + width + 0.7 * xHeight, baseline), xHeight, &width);
    p.fillPath(Shapes::strokeOutline(software, 2.1), bannerInk);
    p.end();
    return Pixels::opaque(image);
}

Quantise::IndexedImage bannerIndexed()
{
    const QColor grey = QColor::fromRgb(windowGrey);
    // Ink with three in-between tones for the lettering's smoothed edges, gold with one for the
    // stars'; entry 7 is the background and is shown transparent.
    const QList<QRgb> palette {
        bannerInk.rgb(),
        mix(bannerInk, grey, 0.3).rgb(),
        mix(bannerInk, grey, 0.55).rgb(),
        mix(bannerInk, grey, 0.8).rgb(),
        bannerGoldShade.rgb(),
        bannerGold.rgb(),
        mix(bannerGold, grey, 0.5).rgb(),
        windowGrey,
    };
    // The lettering keeps to the ink's tones and the stars to the gold's, so the faint edge of
    // a letter never turns cream nor a star's edge blue.
    const QImage image = banner();
    const QList<QRgb> ink { palette[0], palette[1], palette[2], palette[3], palette[7] };
    const QList<QRgb> gold { palette[4], palette[5], palette[6], palette[7] };
    const Quantise::IndexedImage inked = Quantise::reduce(image, ink);
    const Quantise::IndexedImage gilded = Quantise::reduce(image, gold);
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
