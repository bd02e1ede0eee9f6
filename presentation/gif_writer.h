// Animated GIF files written with giflib into memory. A frame is a rectangle of palette indices
// placed on the logical screen, with its own colour table (or the global one), its delay, its
// disposal and an optional see-through index. Used by the recorder of deals and by the art
// generator, so this file depends on giflib and the standard library only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kesp::gif {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Disposal : std::uint8_t {
    Keep = 1,        // the next frame is drawn over this one
    Background = 2,  // the frame's rectangle is cleared before the next frame
};

inline constexpr int kNoTransparency = -1;

struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> pixels;  // width * height palette indices, row by row
    std::vector<Rgb> palette;          // at most 256 colours; empty: the global table
    int delayCs = 0;                   // hundredths of a second
    Disposal disposal = Disposal::Keep;
    int transparentIndex = kNoTransparency;
};

// A frame compressed ahead of its place in the file: its image descriptor, colour table and LZW
// data, with what its control block needs besides the delay.
struct EncodedFrame {
    std::string image;
    Disposal disposal = Disposal::Keep;
    int transparentIndex = kNoTransparency;
};

// Hundredths of a second for a delay in milliseconds, rounded to the nearest.
int DelayCentiseconds(int milliseconds);

// Compresses a frame for a screen of screenWidth x screenHeight whose global colour table has
// `globalColours` entries (0: none); empty `image` when the frame does not fit the screen or its
// indices leave its colour table. Frames can so be compressed one by one (on a worker) and
// written together later.
EncodedFrame Encode(const Frame& frame, int screenWidth, int screenHeight, int globalColours);

class Writer {
  public:
    // A logical screen of width x height; `global` may be empty when every frame brings its own
    // colours; `loop` adds the looping block that plays the animation for ever.
    Writer(int width, int height, const std::vector<Rgb>& global, bool loop);
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // False, and the writer stays failed, when the frame does not fit the screen, its indices
    // leave its colour table, or giflib refuses it.
    bool Add(const Frame& frame);
    // A frame that Encode compressed for this screen, shown for `delayCs`; false, and the writer
    // stays failed, when it is empty.
    bool Add(const EncodedFrame& frame, int delayCs);
    // The file's bytes; empty when anything failed.
    std::string Finish();
    bool Failed() const { return failed_; }

  private:
    void* gif_ = nullptr;  // GifFileType, kept out of this header
    std::string bytes_;
    int width_, height_;
    int globalColours_;
    bool failed_ = false;
};

}  // namespace kesp::gif
