#include "tools/skins/Plain.h"

#include <algorithm>
#include <numbers>
#include <stdexcept>

#include "tools/skins/Canvas.h"
#include "tools/skins/Palette.h"

namespace skins {

namespace {
// The title band at the top of every screen.
constexpr int kTitleBandRows = 64;
constexpr Pixel kWhitePixel = Opaque(0xFFFFFF);
}  // namespace

Image PaintScreenBackground(int width, int height) {
  Image image(width, height, Opaque(palette::kBackground));
  for (int y = 0; y < std::min(kTitleBandRows, height); ++y) {
    for (int x = 0; x < width; ++x) image.at(x, y) = Opaque(palette::kBackgroundTop);
  }
  return image;
}

Image PaintSolid(int width, int height, Pixel colour) { return Image(width, height, colour); }

Image PaintFrameSide(int width, int height, int line) {
  if (width != 1 && height != 1) throw std::logic_error("a frame side is one pixel thick");
  Image image(width, height, kWhitePixel);
  if (height == 1) {
    image.at(line, 0) = Opaque(kFrameInk);
  } else {
    image.at(0, line) = Opaque(kFrameInk);
  }
  return image;
}

Image PaintFrameCorner(int size, Corner corner) {
  const bool left = corner == Corner::LeftTop || corner == Corner::LeftBottom;
  const bool top = corner == Corner::LeftTop || corner == Corner::RightTop;
  Canvas canvas(size, size);
  cairo_t* cr = canvas.cr();

  // Drawn as the left-top corner and mirrored into place. The sides put
  // their line in the second pixel from the outer edge on the left and at
  // the top, but in the very last pixel on the right and at the bottom;
  // so seen from the outer edge the line's centre is 1.5 or 0.5 pixels in.
  if (!left) {
    cairo_translate(cr, size, 0);
    cairo_scale(cr, -1, 1);
  }
  if (!top) {
    cairo_translate(cr, 0, size);
    cairo_scale(cr, 1, -1);
  }
  const double lineX = left ? 1.5 : 0.5;
  const double lineY = top ? 1.5 : 0.5;
  // The arc stops a pixel short of the picture's inner edges, so that the
  // line runs straight, and fully dark, into the pixel the side continues.
  const double radius = size - 2.5;
  const double cx = lineX + radius;
  const double cy = lineY + radius;
  const double pi = std::numbers::pi;

  cairo_move_to(cr, lineX, size);
  cairo_line_to(cr, lineX, cy);
  cairo_arc(cr, cx, cy, radius, pi, 1.5 * pi);
  cairo_line_to(cr, size, lineY);
  cairo_line_to(cr, size, size);
  cairo_close_path(cr);
  SetColour(cr, palette::kWhite);
  cairo_fill(cr);

  cairo_move_to(cr, lineX, size);
  cairo_line_to(cr, lineX, cy);
  cairo_arc(cr, cx, cy, radius, pi, 1.5 * pi);
  cairo_line_to(cr, size, lineY);
  SetColour(cr, Rgb(kFrameInk));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return canvas.ToImage();
}

}  // namespace skins
