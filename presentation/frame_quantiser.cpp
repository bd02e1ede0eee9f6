#include "presentation/frame_quantiser.h"

#include <libimagequant.h>

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kesp {
namespace {

// libimagequant's speed 1..10: 5 keeps faces and text as good as the slower settings on the
// table's few hundred colours at a fraction of their time.
constexpr int kSpeed = 5;
// No error diffusion: with a palette for each frame the table's colours are met closely, and
// diffused errors would only sprinkle noise over flat areas and text and make the file larger.
constexpr float kDithering = 0.0f;

struct LiqDelete {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <typename T>
using LiqPtr = std::unique_ptr<T, LiqDelete>;

// The frame with its own colours, unchanged, when they and the see-through entry fit a palette
// (most frames of a deal show only the felt and a card or two); nothing when they do not.
std::optional<gif::Frame> ExactFrame(const QImage& image) {
    const int w = image.width(), h = image.height();
    gif::Frame frame;
    frame.width = w;
    frame.height = h;
    frame.pixels.resize(static_cast<std::size_t>(w) * h);
    std::unordered_map<QRgb, std::uint8_t> indices;
    std::uint8_t* out = frame.pixels.data();
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool seeThrough = qAlpha(row[x]) == 0;
            const QRgb key = seeThrough ? 0u : row[x] | 0xff000000u;
            auto found = indices.find(key);
            if (found == indices.end()) {
                if (indices.size() == 256) return std::nullopt;
                const auto index = static_cast<std::uint8_t>(indices.size());
                found = indices.emplace(key, index).first;
                if (seeThrough) frame.transparentIndex = index;
                frame.palette.push_back({static_cast<std::uint8_t>(qRed(key)),
                                         static_cast<std::uint8_t>(qGreen(key)),
                                         static_cast<std::uint8_t>(qBlue(key))});
            }
            *out++ = found->second;
        }
    }
    return frame;
}

}  // namespace

std::optional<gif::Frame> QuantiseFrame(const QImage& pixels) {
    const QImage argb = pixels.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) return std::nullopt;
    if (std::optional<gif::Frame> exact = ExactFrame(argb)) return exact;
    const QImage image = pixels.convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull()) return std::nullopt;
    const int w = image.width(), h = image.height();
    std::vector<void*> rows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<uchar*>(image.constScanLine(y));

    LiqPtr<liq_attr> attr(liq_attr_create());
    if (!attr || liq_set_speed(attr.get(), kSpeed) != LIQ_OK) return std::nullopt;
    LiqPtr<liq_image> input(liq_image_create_rgba_rows(attr.get(), rows.data(), w, h, 0));
    liq_result* quantised = nullptr;
    if (!input || liq_image_quantize(input.get(), attr.get(), &quantised) != LIQ_OK) return std::nullopt;
    LiqPtr<liq_result> result(quantised);
    liq_set_dithering_level(result.get(), kDithering);

    gif::Frame frame;
    frame.width = w;
    frame.height = h;
    frame.pixels.resize(static_cast<std::size_t>(w) * h);
    if (liq_write_remapped_image(result.get(), input.get(), frame.pixels.data(), frame.pixels.size()) !=
        LIQ_OK)
        return std::nullopt;
    // The input is either opaque or see-through, but the remapping refines the see-through entry's
    // alpha from the pixels around it, so any entry below half is the see-through one.
    const liq_palette* palette = liq_get_palette(result.get());
    std::array<bool, 256> seeThrough{};
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& c = palette->entries[i];
        seeThrough[i] = c.a < 128;
        if (seeThrough[i] && frame.transparentIndex < 0) frame.transparentIndex = static_cast<int>(i);
        frame.palette.push_back({c.r, c.g, c.b});
    }
    if (frame.transparentIndex >= 0)
        for (std::uint8_t& p : frame.pixels)
            if (seeThrough[p]) p = static_cast<std::uint8_t>(frame.transparentIndex);
    return frame;
}

}  // namespace kesp
