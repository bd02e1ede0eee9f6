// A deal recorded as an animated GIF. Every capture that differs from the one before becomes a
// frame; only the changed rectangle is kept, with the unchanged pixels inside it see-through, and
// it is quantised and compressed on a worker thread while the deal goes on, so that saving at the
// end only has to wait for the last frame and join the compressed frames into the file.
#pragma once

#include <QImage>
#include <QRect>
#include <QThreadPool>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "presentation/gif_canvas.h"
#include "presentation/gif_shared_palette.h"
#include "presentation/gif_writer.h"

namespace kesp {

// The smallest rectangle holding every pixel in which two pictures of one size and format differ;
// empty when they are equal.
QRect ChangedRect(const QImage& before, const QImage& after);

class GifRecorder {
  public:
    static constexpr int kMaxFrames = 250;
    static constexpr int kLastFrameDelayMs = 5000;

    GifRecorder();
    ~GifRecorder();
    GifRecorder(const GifRecorder&) = delete;
    GifRecorder& operator=(const GifRecorder&) = delete;

    // Clears the GIF and starts a new one whose frames show for `delayMs` each.
    void Start(int delayMs);
    bool Recording() const { return recording_; }
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    QSize FrameSize() const { return previous_.size(); }

    // Appends the capture as a frame unless the recording is off, 250 frames exist or it equals the
    // previous frame; true when it was appended. The first capture fixes the size: a later one of
    // another size is cut or padded to it.
    bool AddFrame(const QImage& capture);
    // Returns once every frame taken so far is compressed.
    void WaitForWorker();
    // The recording as a looping GIF file whose last frame shows for five seconds; the recording is
    // cleared and off afterwards. Empty when there was no frame or encoding failed.
    std::string Finish();
    // Drops the recording.
    void Clear();

  private:
    struct PendingFrame {
        std::optional<gif::EncodedFrame> frame;  // set by the worker
    };

    // On the worker: the changed pixels at `rect` become a compressed frame.
    void Compress(const QImage& pixels, QRect rect, PendingFrame& target);

    QThreadPool worker_;       // one thread, so frames are compressed in their order
    GifCanvas canvas_;         // the worker's: what the frames compressed so far show
    GifSharedPalette shared_;  // the worker's until it is done: the file's global table
    std::vector<std::unique_ptr<PendingFrame>> frames_;
    QImage previous_;  // the last appended capture, RGB32
    int delayMs_ = 1000;
    bool recording_ = false;
};

}  // namespace kesp
