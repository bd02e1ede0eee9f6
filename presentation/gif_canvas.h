// What a viewer of a recording shows after the frames so far. A frame placed on it can be made
// cheaper to compress without changing what it shows: wherever the shown colour stays, the frame
// may give its see-through index or any colour of its palette equal to the shown one, and the one
// chosen continues the run of its left neighbour, or else repeats the pixel above, where it can,
// so LZW finds longer strings.
#pragma once

#include <QImage>

#include "presentation/gif_writer.h"

namespace kesp {

class GifCanvas {
  public:
    // Forgets every frame: the next one must cover the screen of width x height.
    void Reset(int width, int height);
    // Rewrites `frame`'s indices as above (the first frame only lays the canvas), drops the
    // colours it no longer uses unless its palette is the shared table, and draws it. The frame
    // must lie on the screen.
    enum class Palette { Own, Shared };
    void Place(gif::Frame& frame, Palette palette = Palette::Own);
    QSize Size() const { return shown_.size(); }

  private:
    void ContinueRuns(gif::Frame& frame) const;
    void Draw(const gif::Frame& frame);

    QImage shown_;
    bool laid_ = false;
};

}  // namespace kesp
