#pragma once
// The colours the skins share, so that the widgets match one another and
// the screens they sit on.

#include "tools/skins/Canvas.h"

namespace skins::palette {

// The two bands of the screen background.
inline constexpr uint32_t kBackgroundTop = 0xD8D9D9;
inline constexpr uint32_t kBackground = 0xE5E6E6;

// The dark blue of the program's text.
inline constexpr Colour kText = Rgb(0x072134);

// The frame of check boxes and radio buttons.
inline constexpr Colour kFrame = Rgb(0x5F7A96);
inline constexpr Colour kFrameDisabled = Rgb(0xAEB2B6);

// The green of "on" and of the main buttons, light to dark.
inline constexpr Colour kGreenLight = Rgb(0x8EDB5A);
inline constexpr Colour kGreen = Rgb(0x3FA535);
inline constexpr Colour kGreenDark = Rgb(0x2A7A22);

inline constexpr Colour kOrangeLight = Rgb(0xFFC25A);
inline constexpr Colour kOrange = Rgb(0xF2811D);
inline constexpr Colour kOrangeDark = Rgb(0xC45F0E);

// The light blue of scroll bars.
inline constexpr Colour kBlueLight = Rgb(0xDDEEFC);
inline constexpr Colour kBlue = Rgb(0xAFD3F3);
inline constexpr Colour kBlueRim = Rgb(0x6E9FD0);
inline constexpr Colour kBlueInk = Rgb(0x23405E);

inline constexpr Colour kWhite = Rgb(0xFFFFFF);

}  // namespace skins::palette
