// Reads a GIF back with giflib and composes its frames as a viewer shows them, for the tests of
// the deal recordings.
#pragma once

#include <gif_lib.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace kesp::test {

struct DecodedGif {
    bool ok = false;
    QSize screen;
    std::vector<QImage> frames;  // each as shown, RGB32
    std::vector<QRect> rects;    // where each frame's image lies on the screen
    std::vector<int> delaysCs;
    std::vector<bool> ownColours;  // whether each frame brings a colour table of its own
    bool loops = false;
};

inline DecodedGif DecodeGif(const std::string& bytes) {
    struct Source {
        const std::string* bytes;
        std::size_t at = 0;
    } source{&bytes};
    auto read = [](GifFileType* gif, GifByteType* out, int length) {
        auto* s = static_cast<Source*>(gif->UserData);
        const std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(length), s->bytes->size() - s->at);
        std::memcpy(out, s->bytes->data() + s->at, n);
        s->at += n;
        return static_cast<int>(n);
    };
    DecodedGif decoded;
    int error = 0;
    GifFileType* gif = DGifOpen(&source, read, &error);
    if (!gif) return decoded;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return decoded;
    }
    decoded.screen = QSize(gif->SWidth, gif->SHeight);
    QImage canvas(decoded.screen, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    decoded.ok = true;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e < image.ExtensionBlockCount; ++e)
            if (image.ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE &&
                std::memcmp(image.ExtensionBlocks[e].Bytes, "NETSCAPE2.0", 11) == 0)
                decoded.loops = true;
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &control);
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        const QRect rect(d.Left, d.Top, d.Width, d.Height);
        if (!map || !canvas.rect().contains(rect)) {
            decoded.ok = false;
            break;
        }
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                if (index == control.TransparentColor) continue;
                if (index >= map->ColorCount) {
                    decoded.ok = false;
                    continue;
                }
                const GifColorType& c = map->Colors[index];
                canvas.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        decoded.frames.push_back(canvas.copy());
        decoded.rects.push_back(rect);
        decoded.delaysCs.push_back(control.DelayTime);
        decoded.ownColours.push_back(d.ColorMap != nullptr);
        if (control.DisposalMode == DISPOSE_BACKGROUND) QPainter(&canvas).fillRect(rect, Qt::black);
    }
    DGifCloseFile(gif, &error);
    return decoded;
}

// The mean difference per channel of two pictures of one size, 0..255.
inline double MeanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

}  // namespace kesp::test
