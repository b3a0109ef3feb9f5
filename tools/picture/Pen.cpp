#include "tools/picture/Pen.h"

namespace picture {

Colour Rgb(std::uint32_t hex) {
  return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, 1};
}

Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Paint Solid(Colour c) { return {c, c, 0, 0}; }
Paint Solid(std::uint32_t hex) { return Solid(Rgb(hex)); }
Paint Vertical(std::uint32_t top, double y0, std::uint32_t bottom, double y1) {
  return {Rgb(top), Rgb(bottom), y0, y1};
}

void Pen::SetPaint(const Paint& paint) {
  if (look_ == Look::Blank) {
    const double grey = kCanvasGrey / 255.0;
    cairo_set_source_rgb(cr_, grey, grey, grey);
    return;
  }
  if (look_ == Look::White) {
    cairo_set_source_rgb(cr_, 1, 1, 1);
    return;
  }
  if (paint.y1 <= paint.y0) {
    cairo_set_source_rgba(cr_, paint.top.r, paint.top.g, paint.top.b, paint.top.a);
    return;
  }
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, paint.y0, 0, paint.y1);
  cairo_pattern_add_color_stop_rgba(gradient, 0, paint.top.r, paint.top.g, paint.top.b,
                                    paint.top.a);
  cairo_pattern_add_color_stop_rgba(gradient, 1, paint.bottom.r, paint.bottom.g, paint.bottom.b,
                                    paint.bottom.a);
  cairo_set_source(cr_, gradient);
  cairo_pattern_destroy(gradient);
}

void Pen::Part(const Path& path, const Paint& paint) {
  // A stroke twice the outline's width, half of it then hidden by the fill,
  // leaves the outline outside the shape and merges overlapping subpaths.
  cairo_new_path(cr_);
  path.Replay(cr_);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_set_line_width(cr_, 2 * kOutline);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr_);
  Under(path, paint);
}

void Pen::Under(const Path& path, const Paint& paint) {
  // Each subpath on its own, so that their directions never cut holes.
  SetPaint(paint);
  for (std::size_t i = 0; i < path.SubpathCount(); ++i) {
    cairo_new_path(cr_);
    path.ReplaySubpath(cr_, i);
    cairo_fill(cr_);
  }
}

void Pen::Line(const Path& path, double width) {
  cairo_new_path(cr_);
  path.Replay(cr_);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_set_line_width(cr_, width);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr_);
}

void Pen::Ink(const Path& path) {
  cairo_new_path(cr_);
  path.Replay(cr_);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_fill(cr_);
}

void Pen::Touch(const Path& path, Colour colour) {
  if (look_ != Look::Painted) return;
  cairo_new_path(cr_);
  path.Replay(cr_);
  cairo_set_source_rgba(cr_, colour.r, colour.g, colour.b, colour.a);
  cairo_fill(cr_);
}

void Pen::Erase(const Path& path) {
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
  cairo_new_path(cr_);
  path.Replay(cr_);
  cairo_set_line_width(cr_, 2 * kOutline);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr_);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

}  // namespace picture
