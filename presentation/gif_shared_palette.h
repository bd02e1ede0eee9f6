// The colour table that the frames of a recording share: the file's global table. A frame that
// uses it needs no table of its own, which saves up to 768 bytes on each of the many small frames
// of a card moving across the table. A frame joins the table when nearly all the colours it adds
// were used by the frame before, so a sprite that shows over several frames brings its colours
// once, while a one-off change (a full new picture, a button) keeps its colours to itself and
// leaves the table's room to the sprites.
#pragma once

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "presentation/gif_writer.h"

namespace kesp {

class GifSharedPalette {
  public:
    void Clear();
    // Rewrites a frame to the shared table when that holds its colours (or colours within a few
    // levels of them) or can take them: its palette becomes the shared table (as it is now) and
    // its see-through index one that none of its pixels uses.
    // True when it did; otherwise the frame is left as it was. Either way the frame's colours are
    // remembered as the ones the next frame is measured against.
    bool Adopt(gif::Frame& frame);
    const std::vector<gif::Rgb>& Colours() const { return colours_; }
    // The table as the file's header gives it: the colours, then room for every see-through index
    // given out.
    std::vector<gif::Rgb> Table() const;

  private:
    // The entry equal or near to `colour`; -1 when there is none.
    int NearEntry(const gif::Rgb& colour) const;

    std::vector<gif::Rgb> colours_;
    std::unordered_map<std::uint32_t, std::uint8_t> indices_;  // colour -> index in colours_
    std::unordered_set<std::uint32_t> previous_;               // the colours of the frame before
    int tableSize_ = 0;  // colours_ and the see-through indices beyond it
};

// The number of colours a frame that uses the shared table must declare so that its codes cover
// its indices: one more than the highest index of its pixels and its see-through index.
int SharedColoursNeeded(const gif::Frame& frame);

}  // namespace kesp
