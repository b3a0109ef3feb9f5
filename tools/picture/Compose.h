#pragma once
// Whole game screens put together from the numbered pictures, stacked the
// way the game screen creates and layers them: the screen before
// colouring that the instruction shows, and previews of a half and a
// fully coloured picture.

#include <array>
#include <cstdint>
#include <map>
#include <optional>

#include "tools/picture/Image.h"

namespace picture {

inline constexpr int kRegionCount = 35;

// A painted region's tint; 0xFFFFFFFF for the regions whose fill picture
// carries its own colours.
using Colouring = std::array<std::optional<std::uint32_t>, kRegionCount>;

// One preview shade per region, the first of each region's accepted paints
// that suits the scene; `half` paints about half of them.
Colouring PreviewColouring(bool half);

// Background, wells, regions (blank or painted as `colouring` says) and
// the overlays that the painted regions have shown, in stacking order.
Image ComposeScreen(const std::map<int, Image>& pictures, const Colouring& colouring);

}  // namespace picture
