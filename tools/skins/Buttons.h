#pragma once
// Push buttons with their caption, the key caps of the start screen's key
// legend, and the small close button.

#include <string>
#include <string_view>
#include <vector>

#include "tools/skins/Image.h"
#include "tools/skins/Typeface.h"

namespace skins {

enum class ButtonHue { Green, RedOrange };
enum class ButtonState { Normal, Hover, Pressed };

struct Caption {
  std::string text;
  int buttonWidth;
};

// The largest type size, in half pixels, at which every caption fits its
// button with a comfortable margin; all buttons share it so that they read
// as one set. Throws if even small type does not fit.
double FitCaptionSize(const Typeface& face, const std::vector<Caption>& captions);

Image PaintPushButton(const Typeface& face, int width, int height, std::string_view caption,
                      double captionSize, ButtonHue hue, ButtonState state);

// A light key cap on the screen's lower background colour, as RGB
// pictures have nothing to show through.
Image PaintKeyCap(const Typeface& face, int width, int height, std::string_view label);

Image PaintExitButton(int width, int height);

}  // namespace skins
