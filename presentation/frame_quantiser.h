// One recorded frame reduced to a GIF frame with a palette of its own: its own colours when they
// are few enough, else a palette made by libimagequant so that card faces and text keep their
// colours and edges.
#pragma once

#include <QImage>
#include <optional>

#include "presentation/gif_writer.h"

namespace kesp {

// `pixels` is the frame's rectangle in any format; pixels whose alpha is 0 are those that did not
// change since the previous frame and become the see-through index. The result's pixels, palette
// and transparency are set, its place and delay are the caller's. Nothing when quantising fails.
std::optional<gif::Frame> QuantiseFrame(const QImage& pixels);

}  // namespace kesp
