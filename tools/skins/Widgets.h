#pragma once
// The pieces of scroll bars, check boxes, radio buttons and sliders.

#include "tools/skins/Image.h"

namespace skins {

enum class Direction { Up, Down };

// The scroll thumb is stretched along the bar, so it is one cross-section:
// a vertical bar's thumb is a row, a horizontal bar's a column.
Image PaintScrollThumbRow(int width, int height);
Image PaintScrollThumbColumn(int width, int height);
Image PaintScrollTrack(int width, int height);
Image PaintScrollButton(int width, int height, Direction direction);

// "Enabled" draws the live colours, otherwise the greys of a control that
// cannot be used.
Image PaintCheckBox(int width, int height, bool checked, bool enabled);
Image PaintRadioButton(int width, int height, bool checked, bool enabled);

// The thumb of a vertical slider (a short bar across the track) and of a
// horizontal one (a pointer standing on the track); "hover" paints the cap
// orange in place of green.
Image PaintVerticalSliderThumb(int width, int height, bool hover);
Image PaintHorizontalSliderThumb(int width, int height, bool hover);

}  // namespace skins
