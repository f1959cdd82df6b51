// SPDX-License-Identifier: MIT
#include "quantise.h"

#include "pixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace Quantise {
namespace {

struct Weighted
{
    QRgb colour;
    long weight;
};

int channel(QRgb colour, int which)
{
    return which == 0 ? qRed(colour) : which == 1 ? qGreen(colour) : qBlue(colour);
}

struct Box
{
    std::size_t begin;
    std::size_t end;
};

// The channel with the widest spread in a box, and that spread.
std::pair<int, int> widestChannel(const std::vector<Weighted> &entries, const Box &box)
{
    int best = 0;
    int bestRange = -1;
    for (int which = 0; which < 3; ++which) {
        int low = 255;
        int high = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            low = std::min(low, channel(entries[i].colour, which));
            high = std::max(high, channel(entries[i].colour, which));
        }
        // Green weighs most and blue least, as the eye sees differences.
        static constexpr std::array<int, 3> importance = { 3, 4, 2 };
        if ((high - low) * importance[which] > bestRange) {
            bestRange = (high - low) * importance[which];
            best = which;
        }
    }
    return { best, bestRange };
}

} // namespace

QList<QRgb> medianCut(const std::vector<QRgb> &colours, int count)
{
    std::map<QRgb, long> histogram;
    for (const QRgb colour : colours)
        ++histogram[colour | 0xff000000u];
    QList<QRgb> palette;
    if (histogram.size() <= std::size_t(count)) {
        for (const auto &[colour, weight] : histogram)
            palette.append(colour);
        return palette;
    }

    std::vector<Weighted> entries;
    entries.reserve(histogram.size());
    for (const auto &[colour, weight] : histogram)
        entries.push_back({ colour, weight });
    std::vector<Box> boxes { { 0, entries.size() } };
    while (boxes.size() < std::size_t(count)) {
        // Split the box whose colours spread widest, favouring boxes that cover many pixels.
        std::size_t chosen = boxes.size();
        double chosenScore = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            long weight = 0;
            for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i)
                weight += entries[i].weight;
            const double score
                = widestChannel(entries, boxes[b]).second * std::sqrt(double(weight));
            if (score > chosenScore) {
                chosenScore = score;
                chosen = b;
            }
        }
        if (chosen == boxes.size())
            break;
        const Box box = boxes[chosen];
        const int which = widestChannel(entries, box).first;
        std::sort(entries.begin() + box.begin, entries.begin() + box.end,
            [which](const Weighted &a, const Weighted &b) {
                const int ca = channel(a.colour, which);
                const int cb = channel(b.colour, which);
                return ca != cb ? ca < cb : a.colour < b.colour;
            });
        long total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i)
            total += entries[i].weight;
        long running = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            running += entries[i].weight;
            split = i + 1;
            if (2 * running >= total)
                break;
        }
        boxes[chosen] = { box.begin, split };
        boxes.insert(boxes.begin() + chosen + 1, { split, box.end });
    }
    for (const Box &box : boxes) {
        long r = 0, g = 0, b = 0, weight = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            r += qRed(entries[i].colour) * entries[i].weight;
            g += qGreen(entries[i].colour) * entries[i].weight;
            b += qBlue(entries[i].colour) * entries[i].weight;
            weight += entries[i].weight;
        }
        if (weight == 0)
            continue;
        palette.append(qRgb(int((r + weight / 2) / weight), int((g + weight / 2) / weight),
            int((b + weight / 2) / weight)));
    }
    return palette;
}

int nearest(const QList<QRgb> &palette, qsizetype count, int r, int g, int b)
{
    int best = 0;
    long bestDistance = -1;
    for (qsizetype i = 0; i < std::min(count, palette.size()); ++i) {
        const long dr = qRed(palette[i]) - r;
        const long dg = qGreen(palette[i]) - g;
        const long db = qBlue(palette[i]) - b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

IndexedImage reduce(
    const QImage &source, const QList<QRgb> &palette, const std::vector<int> &choices)
{
    const QImage image = Pixels::opaque(source);
    IndexedImage out;
    out.width = image.width();
    out.height = image.height();
    out.palette = palette;
    out.pixels.assign(std::size_t(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < out.width; ++x) {
            const std::size_t at = std::size_t(y) * out.width + x;
            const qsizetype count
                = choices.empty() || choices[at] == 0 ? palette.size() : choices[at];
            out.pixels[at]
                = quint8(nearest(palette, count, qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
        }
    }
    return out;
}

} // namespace Quantise
