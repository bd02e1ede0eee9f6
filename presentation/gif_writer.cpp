#include "presentation/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>

namespace kesp::gif {
namespace {

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

// giflib wants a power of two entries; the padding is never indexed.
ColorMapObject* MakeMap(const std::vector<Rgb>& palette) {
    const int size = 1 << GifBitSize(static_cast<int>(std::max<std::size_t>(palette.size(), 2)));
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i) colours[i] = {palette[i].r, palette[i].g, palette[i].b};
    return GifMakeMapObject(size, colours.data());
}

GifFileType* Gif(void* gif) {
    return static_cast<GifFileType*>(gif);
}

}  // namespace

int DelayCentiseconds(int milliseconds) {
    return std::clamp((milliseconds + 5) / 10, 0, 65535);
}

EncodedFrame Encode(const Frame& frame, int screenWidth, int screenHeight, int globalColours) {
    const std::size_t colours =
        frame.palette.empty() ? static_cast<std::size_t>(globalColours) : frame.palette.size();
    const bool fits =
        frame.width > 0 && frame.height > 0 && frame.left >= 0 && frame.top >= 0 &&
        frame.left + frame.width <= screenWidth && frame.top + frame.height <= screenHeight &&
        frame.pixels.size() == static_cast<std::size_t>(frame.width) * frame.height &&
        frame.palette.size() <= 256 && colours > 0 && frame.transparentIndex < static_cast<int>(colours) &&
        std::all_of(frame.pixels.begin(), frame.pixels.end(), [&](std::uint8_t p) { return p < colours; });
    EncodedFrame encoded{{}, frame.disposal, frame.transparentIndex};
    if (!fits) return encoded;
    // A file of this one image on a screen whose global table has as many entries (the codes'
    // width follows it): its header, screen descriptor, global table and trailer are cut away.
    std::string file;
    int error = 0;
    GifFileType* gif = EGifOpen(&file, AppendBytes, &error);
    if (!gif) return encoded;
    ColorMapObject* global =
        frame.palette.empty() ? MakeMap(std::vector<Rgb>(static_cast<std::size_t>(globalColours))) : nullptr;
    ColorMapObject* map = frame.palette.empty() ? nullptr : MakeMap(frame.palette);
    const std::size_t head = 13 + (global ? 3 * static_cast<std::size_t>(global->ColorCount) : 0);
    // giflib masks the pixels it is given in place, so it gets a copy.
    std::vector<GifPixelType> pixels(frame.pixels.begin(), frame.pixels.end());
    const bool written =
        (global || map) && EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, global) == GIF_OK &&
        EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, false, map) == GIF_OK &&
        EGifPutLine(gif, pixels.data(), static_cast<int>(pixels.size())) == GIF_OK;
    GifFreeMapObject(global);
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, nullptr) == GIF_OK && written && file.size() > head + 1 && file.back() == ';')
        encoded.image = file.substr(head, file.size() - head - 1);
    return encoded;
}

Writer::Writer(int width, int height, const std::vector<Rgb>& global, bool loop)
    : width_(width), height_(height), globalColours_(static_cast<int>(global.size())) {
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes_, AppendBytes, &error);
    gif_ = gif;
    if (!gif || width <= 0 || height <= 0 || width > 65535 || height > 65535 || global.size() > 256) {
        failed_ = true;
        return;
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = global.empty() ? nullptr : MakeMap(global);
    failed_ = (!global.empty() && !map) || EGifPutScreenDesc(gif, width, height, 8, 0, map) != GIF_OK;
    GifFreeMapObject(map);
    if (!failed_ && loop) {
        // NETSCAPE2.0 with a loop count of 0: play for ever.
        static const GifByteType kLoop[3] = {1, 0, 0};
        failed_ = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
                  EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") != GIF_OK ||
                  EGifPutExtensionBlock(gif, 3, kLoop) != GIF_OK || EGifPutExtensionTrailer(gif) != GIF_OK;
    }
}

Writer::~Writer() {
    if (gif_) EGifCloseFile(Gif(gif_), nullptr);
}

bool Writer::Add(const Frame& frame) {
    return Add(Encode(frame, width_, height_, globalColours_), frame.delayCs);
}

bool Writer::Add(const EncodedFrame& frame, int delayCs) {
    if (failed_ || frame.image.empty()) {
        failed_ = true;
        return false;
    }
    GraphicsControlBlock control{};
    control.DisposalMode = static_cast<int>(frame.disposal);
    control.UserInputFlag = false;
    control.DelayTime = delayCs;
    control.TransparentColor = frame.transparentIndex < 0 ? NO_TRANSPARENT_COLOR : frame.transparentIndex;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    failed_ = EGifPutExtension(Gif(gif_), GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK;
    // giflib writes straight through to bytes_, so the compressed image follows its control block.
    if (!failed_) bytes_ += frame.image;
    return !failed_;
}

std::string Writer::Finish() {
    if (!gif_) return {};
    const bool closed = EGifCloseFile(Gif(gif_), nullptr) == GIF_OK;
    gif_ = nullptr;
    if (failed_ || !closed) {
        failed_ = true;
        return {};
    }
    return std::move(bytes_);
}

}  // namespace kesp::gif
