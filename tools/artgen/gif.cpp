// Animated GIF output: every frame is drawn in full colour, reduced to one shared palette of at most
// 256 colours by median cut, ordered-dithered against it and written by the shared GIF writer.
#include <QDir>
#include <QFile>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "artgen.h"
#include "presentation/gif_writer.h"

namespace artgen {
namespace {

struct Colour {
    int r, g, b;
};

// One box of the median cut: a range of the histogram entries.
struct Box {
    std::size_t begin, end;
    long long weight;
};

struct Bin {
    int r, g, b;
    long long count;
};

// The palette of at most `size` colours that best covers the 5-bit-per-channel histogram.
std::vector<Colour> MedianCut(std::vector<Bin> bins, int size) {
    std::vector<Box> boxes;
    long long total = 0;
    for (const Bin& b : bins) total += b.count;
    boxes.push_back({0, bins.size(), total});
    auto channel = [](const Bin& b, int c) { return c == 0 ? b.r : c == 1 ? b.g : b.b; };
    while (static_cast<int>(boxes.size()) < size) {
        // Split the box whose widest channel range, weighted by its pixel count, is largest.
        int best = -1, bestAxis = 0;
        double bestScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Box& box = boxes[i];
            if (box.end - box.begin < 2) continue;
            for (int c = 0; c < 3; ++c) {
                int lo = 255, hi = 0;
                for (std::size_t k = box.begin; k < box.end; ++k) {
                    lo = std::min(lo, channel(bins[k], c));
                    hi = std::max(hi, channel(bins[k], c));
                }
                const double score = (hi - lo) * std::sqrt(static_cast<double>(box.weight));
                if (score > bestScore) bestScore = score, best = static_cast<int>(i), bestAxis = c;
            }
        }
        if (best < 0) break;
        Box& box = boxes[static_cast<std::size_t>(best)];
        std::sort(bins.begin() + static_cast<long>(box.begin), bins.begin() + static_cast<long>(box.end),
                  [&](const Bin& a, const Bin& b) { return channel(a, bestAxis) < channel(b, bestAxis); });
        long long half = 0;
        std::size_t cut = box.begin;
        while (cut + 1 < box.end && half + bins[cut].count <= box.weight / 2) half += bins[cut++].count;
        if (cut == box.begin) half += bins[cut++].count;
        const Box upper{cut, box.end, box.weight - half};
        box.end = cut;
        box.weight = half;
        boxes.push_back(upper);
    }
    std::vector<Colour> palette;
    for (const Box& box : boxes) {
        long long r = 0, g = 0, b = 0, n = 0;
        for (std::size_t k = box.begin; k < box.end; ++k) {
            r += bins[k].r * bins[k].count;
            g += bins[k].g * bins[k].count;
            b += bins[k].b * bins[k].count;
            n += bins[k].count;
        }
        if (n > 0)
            palette.push_back({static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)});
    }
    return palette;
}

// The frame's colour at a pixel, laid over the matte; alpha below one half is left out.
inline bool Opaque(QRgb pixel) {
    return qAlpha(pixel) >= 128;
}
inline Colour OverMatte(QRgb pixel, const QColor& matte) {
    const int a = qAlpha(pixel);
    // The frames are premultiplied: colour + matte * (1 - alpha).
    return {std::min(255, qRed(pixel) + matte.red() * (255 - a) / 255),
            std::min(255, qGreen(pixel) + matte.green() * (255 - a) / 255),
            std::min(255, qBlue(pixel) + matte.blue() * (255 - a) / 255)};
}

}  // namespace

void ArtWriter::Gif(const QString& name, const std::vector<QImage>& frames, int delayCs, bool loop,
                    const QColor& matte) {
    const QString upper = name.toUpper();
    const QString file = upper + ".gif";
    if (frames.empty()) {
        ok_ = false;
        return;
    }
    const int w = frames[0].width(), h = frames[0].height();
    std::vector<QImage> images;
    bool transparent = false;
    std::vector<long long> histogram(32768, 0);
    for (const QImage& frame : frames) {
        images.push_back(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        for (int y = 0; y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(images.back().constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (!Opaque(line[x])) {
                    transparent = true;
                    continue;
                }
                const Colour c = OverMatte(line[x], matte);
                ++histogram[static_cast<std::size_t>((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3))];
            }
        }
    }
    std::vector<Bin> bins;
    for (int i = 0; i < 32768; ++i)
        if (histogram[static_cast<std::size_t>(i)] > 0)
            bins.push_back({((i >> 10) & 31) * 255 / 31, ((i >> 5) & 31) * 255 / 31, (i & 31) * 255 / 31,
                            histogram[static_cast<std::size_t>(i)]});
    std::vector<Colour> palette = MedianCut(std::move(bins), transparent ? 255 : 256);
    const int transparentIndex = transparent ? static_cast<int>(palette.size()) : kesp::gif::kNoTransparency;
    if (transparent) palette.push_back({matte.red(), matte.green(), matte.blue()});
    while (palette.size() < 256) palette.push_back({0, 0, 0});
    const int searchable = transparent ? transparentIndex : 256;

    // Nearest palette entry per 6-bit-per-channel colour, found when first needed.
    std::vector<int> nearest(262144, -1);
    auto lookup = [&](int r, int g, int b) {
        const std::size_t key = static_cast<std::size_t>((r >> 2) << 12 | (g >> 2) << 6 | (b >> 2));
        if (nearest[key] < 0) {
            int best = 0, bestDistance = 1 << 30;
            for (int i = 0; i < searchable; ++i) {
                const Colour& c = palette[static_cast<std::size_t>(i)];
                const int dr = c.r - r, dg = c.g - g, db = c.b - b;
                const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (d < bestDistance) bestDistance = d, best = i;
            }
            nearest[key] = best;
        }
        return nearest[key];
    };
    // A 4 x 4 Bayer matrix: ordered dithering keeps still areas still from frame to frame.
    static constexpr std::array<int, 16> kBayer = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};

    std::vector<kesp::gif::Rgb> colours(256);
    for (std::size_t i = 0; i < 256; ++i)
        colours[i] = {static_cast<std::uint8_t>(palette[i].r), static_cast<std::uint8_t>(palette[i].g),
                      static_cast<std::uint8_t>(palette[i].b)};
    kesp::gif::Writer writer(w, h, colours, loop);
    for (const QImage& image : images) {
        kesp::gif::Frame frame;
        frame.width = w;
        frame.height = h;
        frame.delayCs = delayCs;
        // Frames with see-through pixels replace the previous one instead of drawing over it.
        frame.disposal = transparent ? kesp::gif::Disposal::Background : kesp::gif::Disposal::Keep;
        frame.transparentIndex = transparentIndex;
        frame.pixels.resize(static_cast<std::size_t>(w) * h);
        std::uint8_t* out = frame.pixels.data();
        for (int y = 0; y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x, ++out) {
                if (!Opaque(line[x])) {
                    *out = static_cast<std::uint8_t>(transparentIndex);
                    continue;
                }
                const Colour c = OverMatte(line[x], matte);
                const int d = (kBayer[static_cast<std::size_t>((y & 3) * 4 + (x & 3))] - 8) / 2;
                *out = static_cast<std::uint8_t>(lookup(
                    std::clamp(c.r + d, 0, 255), std::clamp(c.g + d, 0, 255), std::clamp(c.b + d, 0, 255)));
            }
        }
        if (!writer.Add(frame)) break;
    }
    const std::string bytes = writer.Finish();
    QFile output(QDir(folder_).filePath(file));
    if (bytes.empty() || !output.open(QIODevice::WriteOnly) ||
        output.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        ok_ = false;
    names_ << upper;
    files_ << file;
}

}  // namespace artgen
