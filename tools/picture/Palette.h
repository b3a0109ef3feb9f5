#pragma once
// The game screen around the picture: the background with its frame,
// canvas and palette panel, the ten paint wells, the paint-bucket brush
// and the two veils of the mouse instruction.

#include <cstdint>
#include <vector>

#include "tools/picture/Image.h"

namespace picture {

struct PaintWell {
  const char* name;
  std::uint32_t brushColour;  // 0xAARRGGBB, the game's brush colour of the paint
  int normal;                 // 58 x 58, the paint in its dark well
  int ringed;                 // 64 x 64, the same with a ring
  int x, y;                   // the well button's top-left corner
};

// The ten paints in index order.
const std::vector<PaintWell>& Paints();

inline constexpr int kWellSize = 58;
inline constexpr int kRingedWellSize = 64;

// 800 x 600: frame, canvas (44, 17)-(756, 457) and the palette panel with
// a dark well under every well button.
Image DrawBackground();
Image DrawWell(std::uint32_t brushColour, bool ringed);
// 34 x 35: a light paint bucket pouring light paint (tinted by the game),
// or the same bucket pouring dark paint, for black.
Image DrawBrush(bool darkPaint);
// The instruction's dark translucent veil with soft edges.
Image DrawVeil(int width, int height);

}  // namespace picture
