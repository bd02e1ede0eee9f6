#include "presentation/gif_recorder.h"

#include <QPainter>
#include <cstring>

#include "presentation/frame_quantiser.h"

namespace kesp {
namespace {

QImage Opaque(const QImage& capture, QSize size) {
    QImage image = capture.convertToFormat(QImage::Format_RGB32);
    if (size.isEmpty() || image.size() == size) return image;
    QImage fitted(size, QImage::Format_RGB32);
    fitted.fill(Qt::black);
    QPainter(&fitted).drawImage(0, 0, image);
    return fitted;
}

// The changed rectangle of `after`, with the pixels that equal `before` made see-through.
QImage ChangedPixels(const QImage& before, const QImage& after, const QRect& rect) {
    QImage crop(rect.size(), QImage::Format_ARGB32);
    for (int y = 0; y < rect.height(); ++y) {
        const QRgb* was = reinterpret_cast<const QRgb*>(before.constScanLine(rect.top() + y)) + rect.left();
        const QRgb* is = reinterpret_cast<const QRgb*>(after.constScanLine(rect.top() + y)) + rect.left();
        QRgb* out = reinterpret_cast<QRgb*>(crop.scanLine(y));
        for (int x = 0; x < rect.width(); ++x) out[x] = was[x] == is[x] ? 0u : is[x] | 0xff000000u;
    }
    return crop;
}

}  // namespace

QRect ChangedRect(const QImage& before, const QImage& after) {
    if (before.size() != after.size() || before.format() != after.format() || before.depth() != 32)
        return after.rect();
    const int w = after.width(), h = after.height();
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    auto rowDiffers = [&](int y) {
        return std::memcmp(before.constScanLine(y), after.constScanLine(y), rowBytes) != 0;
    };
    int top = 0;
    while (top < h && !rowDiffers(top)) ++top;
    if (top == h) return {};
    int bottom = h - 1;
    while (!rowDiffers(bottom)) --bottom;
    int left = w, right = -1;
    for (int y = top; y <= bottom; ++y) {
        const QRgb* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const QRgb* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        int x = 0;
        while (x < left && a[x] == b[x]) ++x;
        left = std::min(left, x);
        x = w - 1;
        while (x > right && a[x] == b[x]) --x;
        right = std::max(right, x);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

GifRecorder::GifRecorder() {
    // One worker: the window keeps the other core.
    worker_.setMaxThreadCount(1);
}

GifRecorder::~GifRecorder() {
    WaitForWorker();
}

void GifRecorder::Start(int delayMs) {
    Clear();
    delayMs_ = delayMs;
    recording_ = true;
}

bool GifRecorder::AddFrame(const QImage& capture) {
    if (!recording_ || FrameCount() >= kMaxFrames || capture.isNull()) return false;
    const QImage image = Opaque(capture, previous_.size());
    const QRect rect = previous_.isNull() ? image.rect() : ChangedRect(previous_, image);
    if (rect.isEmpty()) return false;
    if (previous_.isNull()) canvas_.Reset(image.width(), image.height());
    QImage pixels = previous_.isNull() ? image : ChangedPixels(previous_, image, rect);
    PendingFrame& target = *frames_.emplace_back(std::make_unique<PendingFrame>());
    worker_.start([this, rect, &target, pixels = std::move(pixels)] { Compress(pixels, rect, target); });
    previous_ = image;
    return true;
}

void GifRecorder::Compress(const QImage& pixels, QRect rect, PendingFrame& target) {
    std::optional<gif::Frame> frame = QuantiseFrame(pixels);
    if (!frame) return;
    frame->left = rect.left();
    frame->top = rect.top();
    frame->disposal = gif::Disposal::Keep;
    const bool shared = shared_.Adopt(*frame);
    canvas_.Place(*frame, shared ? GifCanvas::Palette::Shared : GifCanvas::Palette::Own);
    const int sharedColours = shared ? SharedColoursNeeded(*frame) : 0;
    if (shared) frame->palette.clear();
    target.frame = gif::Encode(*frame, canvas_.Size().width(), canvas_.Size().height(), sharedColours);
}

void GifRecorder::WaitForWorker() {
    worker_.waitForDone();
}

std::string GifRecorder::Finish() {
    WaitForWorker();
    std::string bytes;
    if (!frames_.empty()) {
        gif::Writer writer(previous_.width(), previous_.height(), shared_.Table(), true);
        for (std::size_t i = 0; i < frames_.size(); ++i) {
            const std::optional<gif::EncodedFrame>& frame = frames_[i]->frame;
            if (!frame || !writer.Add(*frame, gif::DelayCentiseconds(
                                                  i + 1 == frames_.size() ? kLastFrameDelayMs : delayMs_)))
                break;
            if (i + 1 == frames_.size()) bytes = writer.Finish();
        }
    }
    Clear();
    return bytes;
}

void GifRecorder::Clear() {
    WaitForWorker();
    frames_.clear();
    shared_.Clear();
    previous_ = QImage();
    recording_ = false;
}

}  // namespace kesp
