#include "presentation/gif_canvas.h"

#include <array>

namespace kesp {
namespace {

QRgb ToRgb(const gif::Rgb& c) {
    return qRgb(c.r, c.g, c.b);
}

// Keeps only the palette entries the pixels use, in their order, so that the table and the
// codes' width are no larger than needed.
void DropUnusedColours(gif::Frame& frame) {
    std::array<bool, 256> used{};
    for (std::uint8_t p : frame.pixels) used[p] = true;
    std::array<std::uint8_t, 256> renumbered{};
    std::vector<gif::Rgb> palette;
    for (std::size_t i = 0; i < frame.palette.size(); ++i) {
        if (!used[i]) continue;
        renumbered[i] = static_cast<std::uint8_t>(palette.size());
        palette.push_back(frame.palette[i]);
    }
    if (palette.size() == frame.palette.size()) return;
    for (std::uint8_t& p : frame.pixels) p = renumbered[p];
    frame.transparentIndex =
        frame.transparentIndex >= 0 && used[static_cast<std::size_t>(frame.transparentIndex)]
            ? renumbered[static_cast<std::size_t>(frame.transparentIndex)]
            : gif::kNoTransparency;
    frame.palette = std::move(palette);
}

}  // namespace

void GifCanvas::Reset(int width, int height) {
    shown_ = QImage(width, height, QImage::Format_RGB32);
    shown_.fill(Qt::black);
    laid_ = false;
}

void GifCanvas::Place(gif::Frame& frame, Palette palette) {
    if (laid_) ContinueRuns(frame);
    if (palette == Palette::Own) DropUnusedColours(frame);
    Draw(frame);
    laid_ = true;
}

void GifCanvas::ContinueRuns(gif::Frame& frame) const {
    const int see = frame.transparentIndex;
    std::array<QRgb, 256> colour{};
    for (std::size_t i = 0; i < frame.palette.size(); ++i) colour[i] = ToRgb(frame.palette[i]);
    std::uint8_t* p = frame.pixels.data();
    for (int y = 0; y < frame.height; ++y) {
        const QRgb* shown = reinterpret_cast<const QRgb*>(shown_.constScanLine(frame.top + y)) + frame.left;
        int left = -1;  // the index given to the pixel before in this row
        for (int x = 0; x < frame.width; ++x, ++p) {
            auto keeps = [&](int index) {
                return index == see || colour[static_cast<std::size_t>(index)] == shown[x];
            };
            const int above = y > 0 ? p[-frame.width] : -1;
            if (keeps(*p)) {
                if (left >= 0 && keeps(left))
                    *p = static_cast<std::uint8_t>(left);
                else if (above >= 0 && keeps(above))  // repeats a string of the row above
                    *p = static_cast<std::uint8_t>(above);
                else if (see >= 0)
                    *p = static_cast<std::uint8_t>(see);
            }
            left = *p;
        }
    }
}

void GifCanvas::Draw(const gif::Frame& frame) {
    const std::uint8_t* p = frame.pixels.data();
    for (int y = 0; y < frame.height; ++y) {
        QRgb* shown = reinterpret_cast<QRgb*>(shown_.scanLine(frame.top + y)) + frame.left;
        for (int x = 0; x < frame.width; ++x, ++p)
            if (*p != frame.transparentIndex) shown[x] = ToRgb(frame.palette[*p]);
    }
}

}  // namespace kesp
