#pragma once
// The pictures whose every pixel is fixed: the screen background, the
// pieces of the edit field's frame, the caret and the selection highlight.
// They are set pixel by pixel, never through cairo, whose premultiplied
// pixels would round a half-transparent colour away from its value.

#include "tools/skins/Image.h"

namespace skins {

// The dark of the edit field's frame.
inline constexpr uint32_t kFrameInk = 0x000D0D;

enum class Corner { LeftTop, RightTop, LeftBottom, RightBottom };

// Two bands: a darker title band over the rest of the screen.
Image PaintScreenBackground(int width, int height);

Image PaintSolid(int width, int height, Pixel colour);

// A white strip, a picture's worth of one frame side, with the frame line
// in pixel "line" counted along its long direction's cross-section: the
// column for a one-row strip, the row for a one-column strip.
Image PaintFrameSide(int width, int height, int line);

// A rounded corner of the frame that joins the sides' lines: white inside,
// transparent outside, anti-aliased (drawn with cairo, which is exact for
// the opaque pixels the sides meet).
Image PaintFrameCorner(int size, Corner corner);

}  // namespace skins
