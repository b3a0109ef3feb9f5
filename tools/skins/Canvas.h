#pragma once
// A cairo drawing surface of one picture's size, and the small drawing
// vocabulary the skins share: colours, rounded shapes, gradients.

#include <cairo.h>

#include <cstdint>

#include "tools/skins/Image.h"

namespace skins {

struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
};

// A colour from 0xRRGGBB, with an optional opacity.
constexpr Colour Rgb(uint32_t rgb, double alpha = 1.0) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

struct Rect {
  double x = 0, y = 0, w = 0, h = 0;

  Rect Inset(double d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
  Rect Moved(double dx, double dy) const { return {x + dx, y + dy, w, h}; }
  double Bottom() const { return y + h; }
  double Right() const { return x + w; }
};

class Canvas {
 public:
  // A fully transparent surface.
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // The drawing so far, with cairo's premultiplied pixels turned back
  // into plain ones.
  Image ToImage() const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

void SetColour(cairo_t* cr, Colour c);

// Adds a rounded rectangle to the current path (a new sub-path).
void RoundedRect(cairo_t* cr, Rect r, double radius);

// Fills the current path, keeping it, with a top-to-bottom gradient over
// the rows from y0 to y1.
void FillVertical(cairo_t* cr, double y0, Colour top, double y1, Colour bottom);

// The same from left to right over the columns x0 to x1.
void FillHorizontal(cairo_t* cr, double x0, Colour left, double x1, Colour right);

}  // namespace skins
