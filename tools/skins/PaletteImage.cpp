#include "PaletteImage.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int PaletteSize = 256;
// Below this many pixels a picture costs little at four bytes each, and small antialiased icons
// show a palette's loss the most.
constexpr qsizetype MinPixels = 20000;
// Rounds of nearest-colour refinement after the median cut.
constexpr int RefineRounds = 3;

// Premultiplied, so that all fully transparent colours are one colour and alpha weighs in.
using Colour = std::array<float, 4>;

Colour colourOf(QRgb premultiplied) {
    return {float(qRed(premultiplied)), float(qGreen(premultiplied)), float(qBlue(premultiplied)),
            float(qAlpha(premultiplied))};
}

float distance(const Colour &a, const Colour &b) {
    float sum = 0;
    for (int c = 0; c < 4; ++c)
        sum += (a[c] - b[c]) * (a[c] - b[c]);
    return sum;
}

struct Entry {
    Colour colour;
    qsizetype count;
};

struct Box {
    std::vector<Entry>::iterator begin, end;
    qsizetype population = 0;
    int widest = 0;
    float range = 0;

    void measure() {
        population = 0;
        Colour low{255, 255, 255, 255}, high{0, 0, 0, 0};
        for (auto it = begin; it != end; ++it) {
            population += it->count;
            for (int c = 0; c < 4; ++c) {
                low[c] = std::min(low[c], it->colour[c]);
                high[c] = std::max(high[c], it->colour[c]);
            }
        }
        range = 0;
        for (int c = 0; c < 4; ++c)
            if (high[c] - low[c] > range) {
                range = high[c] - low[c];
                widest = c;
            }
    }
    // Crowded and wide boxes split first: the large dark areas get the finest steps.
    double score() const { return end - begin < 2 ? -1 : double(population) * range; }
};

std::vector<Colour> medianCut(std::vector<Entry> &entries, int size) {
    std::vector<Box> boxes{{entries.begin(), entries.end()}};
    boxes.front().measure();
    while (int(boxes.size()) < size) {
        auto target = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) {
            return a.score() < b.score();
        });
        if (target->score() < 0)
            break;
        const int c = target->widest;
        // Ties go by the whole colour: the same picture always gets the same palette.
        std::sort(target->begin, target->end, [c](const Entry &a, const Entry &b) {
            return a.colour[c] != b.colour[c] ? a.colour[c] < b.colour[c] : a.colour < b.colour;
        });
        auto middle = target->begin;
        for (qsizetype seen = 0; seen * 2 < target->population; ++middle)
            seen += middle->count;
        middle = std::clamp(middle, target->begin + 1, target->end - 1);
        Box upper{middle, target->end};
        target->end = middle;
        target->measure();
        upper.measure();
        boxes.push_back(upper);
    }
    std::vector<Colour> palette;
    for (const Box &box : boxes) {
        Colour sum{};
        for (auto it = box.begin; it != box.end; ++it)
            for (int c = 0; c < 4; ++c)
                sum[c] += it->colour[c] * float(it->count);
        for (float &v : sum)
            v /= float(box.population);
        palette.push_back(sum);
    }
    return palette;
}

// The closest palette entry. With `alike`, an opaque or a clear colour takes the closest entry of
// the same alpha whenever the palette has one: an edge then gains no speckles of faint colour.
int nearest(const std::vector<Colour> &palette, const Colour &colour, bool alike = false) {
    const float alpha = colour[3];
    alike = alike && (alpha == 0 || alpha == 255);
    int best = -1, bestAlike = -1;
    float bestDistance = std::numeric_limits<float>::max(), bestAlikeDistance = bestDistance;
    for (int i = 0; i < int(palette.size()); ++i) {
        const float d = distance(palette[i], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
        if (alike && palette[i][3] == alpha && d < bestAlikeDistance) {
            bestAlikeDistance = d;
            bestAlike = i;
        }
    }
    return bestAlike >= 0 ? bestAlike : best;
}

void refine(std::vector<Colour> &palette, const std::vector<Entry> &entries) {
    for (int round = 0; round < RefineRounds; ++round) {
        std::vector<Colour> sums(palette.size(), Colour{});
        std::vector<double> weights(palette.size(), 0);
        for (const Entry &e : entries) {
            const int i = nearest(palette, e.colour);
            for (int c = 0; c < 4; ++c)
                sums[i][c] += e.colour[c] * float(e.count);
            weights[i] += double(e.count);
        }
        for (size_t i = 0; i < palette.size(); ++i)
            if (weights[i] > 0)
                for (int c = 0; c < 4; ++c)
                    palette[i][c] = float(sums[i][c] / weights[i]);
    }
}

QRgb toRgb(const Colour &premultiplied) {
    auto channel = [](float v) { return int(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    const int a = channel(premultiplied[3]);
    return qUnpremultiply(qRgba(std::min(channel(premultiplied[0]), a),
                                std::min(channel(premultiplied[1]), a),
                                std::min(channel(premultiplied[2]), a), a));
}

// Floyd and Steinberg's error diffusion over the premultiplied pixels.
QImage dither(const QImage &source, const std::vector<Colour> &palette) {
    QImage out(source.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    std::vector<Colour> drawn;
    for (const Colour &c : palette) {
        table << toRgb(c);
        drawn.push_back(colourOf(qPremultiply(table.back())));
    }
    out.setColorTable(table);
    const int w = source.width();
    std::vector<Colour> error(size_t(w) + 2, Colour{}), next(size_t(w) + 2, Colour{});
    QHash<QRgb, int> cache;
    const int clear = nearest(drawn, Colour{}, true);
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *line = out.scanLine(y);
        std::fill(next.begin(), next.end(), Colour{});
        for (int x = 0; x < w; ++x) {
            Colour want = colourOf(in[x]);
            const int alpha = qAlpha(in[x]);
            if (alpha == 0) {
                // Nothing spreads into or out of the clear parts.
                line[x] = uchar(clear);
                continue;
            }
            for (int c = 0; c < 4; ++c)
                want[c] = std::clamp(want[c] + error[x + 1][c], 0.0f, 255.0f);
            want[3] = alpha == 255 ? 255.0f : std::clamp(want[3], 1.0f, 254.0f);
            for (int c = 0; c < 3; ++c)
                want[c] = std::min(want[c], want[3]);
            const QRgb key = qRgba(int(want[0]), int(want[1]), int(want[2]), int(want[3]));
            auto hit = cache.constFind(key);
            const int index =
                hit != cache.constEnd() ? *hit : *cache.insert(key, nearest(drawn, want, true));
            line[x] = uchar(index);
            for (int c = 0; c < 4; ++c) {
                const float e = want[c] - drawn[index][c];
                error[x + 2][c] += e * 7 / 16;
                next[x][c] += e * 3 / 16;
                next[x + 1][c] += e * 5 / 16;
                next[x + 2][c] += e * 1 / 16;
            }
        }
        std::swap(error, next);
    }
    return out;
}

} // namespace

QImage PaletteImage::exact(const QImage &image) {
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, int> index;
    for (int y = 0; y < straight.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x)
            if (!index.contains(in[x])) {
                if (index.size() == PaletteSize)
                    return {};
                index.insert(in[x], int(index.size()));
            }
    }
    QList<QRgb> table(index.size());
    for (auto it = index.cbegin(); it != index.cend(); ++it)
        table[it.value()] = it.key();
    QImage out(straight.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < straight.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(straight.constScanLine(y));
        uchar *line = out.scanLine(y);
        for (int x = 0; x < straight.width(); ++x)
            line[x] = uchar(index.value(in[x]));
    }
    return out;
}

bool PaletteImage::worthReducing(const QImage &image) {
    return qsizetype(image.width()) * image.height() >= MinPixels;
}

QImage PaletteImage::reduce(const QImage &image) {
    if (QImage few = exact(image); !few.isNull())
        return few;
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QHash<QRgb, qsizetype> counts;
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            ++counts[in[x]];
    }
    // Clear pixels keep a slot of their own, outside the cut.
    const bool hasClear = counts.remove(0) > 0;
    std::vector<Entry> entries;
    entries.reserve(size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        entries.push_back({colourOf(it.key()), it.value()});
    std::vector<Colour> palette = medianCut(entries, PaletteSize - int(hasClear));
    refine(palette, entries);
    if (hasClear)
        palette.push_back(Colour{});
    return dither(source, palette);
}
