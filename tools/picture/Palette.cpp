#include "tools/picture/Palette.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/picture/Pen.h"

namespace picture {

namespace {

constexpr double kPi = std::numbers::pi;

void SetColour(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

Colour Argb(std::uint32_t argb) { return Rgb(argb & 0xFFFFFF); }

void VerticalGradient(cairo_t* cr, double y0, std::uint32_t top, double y1, std::uint32_t bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  const Colour a = Rgb(top), b = Rgb(bottom);
  cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(p, 1, b.r, b.g, b.b);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void RoundedRect(cairo_t* cr, double l, double t, double r, double b, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, r - radius, t + radius, radius, -kPi / 2, 0);
  cairo_arc(cr, r - radius, b - radius, radius, 0, kPi / 2);
  cairo_arc(cr, l + radius, b - radius, radius, kPi / 2, kPi);
  cairo_arc(cr, l + radius, t + radius, radius, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

// A dark round hollow in the palette panel.
void PanelWell(cairo_t* cr, double cx, double cy) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy - 6, 4, cx, cy, 29);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.10, 0.11, 0.04);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.22, 0.23, 0.11);
  cairo_arc(cr, cx, cy, 29, 0, 2 * kPi);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Light catches the lower rim of the hollow.
  cairo_arc(cr, cx, cy, 29.5, 0.15 * kPi, 0.85 * kPi);
  cairo_set_source_rgba(cr, 1, 1, 0.85, 0.35);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

}  // namespace

const std::vector<PaintWell>& Paints() {
  static const std::vector<PaintWell> paints = {
      {"red", 0xFFFF0C0C, 164, 163, 75, 495},         {"orange", 0xFFFF6600, 162, 161, 140, 495},
      {"yellow", 0xFFFEFE00, 200, 199, 205, 495},     {"green", 0xFF15CC00, 155, 154, 270, 495},
      {"light blue", 0xFF0099FF, 174, 173, 335, 495}, {"blue", 0xFF0000CC, 114, 113, 400, 495},
      {"purple", 0xFF9900CC, 194, 193, 465, 495},     {"brown", 0xFF5E2F00, 125, 124, 530, 495},
      {"white", 0xFFFFFFFF, 198, 197, 595, 495},      {"black", 0xFF010101, 112, 111, 660, 495},
  };
  return paints;
}

Image DrawBackground() {
  return Render(0, 0, 800, 600, [](cairo_t* cr) {
    // The bluish-grey frame.
    cairo_rectangle(cr, 0, 0, 800, 600);
    VerticalGradient(cr, 0, 0x8397AA, 600, 0x56687A);
    cairo_fill(cr);

    // A soft shadow and a dark edge around the canvas.
    for (int i = 4; i >= 1; --i) {
      cairo_rectangle(cr, 44 + 1 - i, 17 + 2 - i, 712 + 2 * i, 440 + 2 * i);
      cairo_set_source_rgba(cr, 0.1, 0.12, 0.16, 0.07);
      cairo_fill(cr);
    }
    cairo_rectangle(cr, 42.5, 15.5, 715, 443);
    cairo_set_source_rgb(cr, 0.17, 0.21, 0.26);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_rectangle(cr, 44, 17, 712, 440);
    const double grey = kCanvasGrey / 255.0;
    cairo_set_source_rgb(cr, grey, grey, grey);
    cairo_fill(cr);

    // The olive palette panel and its ten hollows.
    RoundedRect(cr, 37.5, 473.5, 771.5, 591.5, 16);
    VerticalGradient(cr, 473, 0xA6A952, 592, 0x777A2E);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.29, 0.30, 0.12);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, 40, 476, 769, 589, 14);
    cairo_set_source_rgba(cr, 1, 1, 0.8, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (const PaintWell& well : Paints()) {
      PanelWell(cr, well.x + kWellSize / 2.0, well.y + kWellSize / 2.0);
    }
  });
}

Image DrawWell(std::uint32_t brushColour, bool ringed) {
  const int size = ringed ? kRingedWellSize : kWellSize;
  return Render(0, 0, size, size, [brushColour, size, ringed](cairo_t* cr) {
    const double c = size / 2.0;
    // The dark pot.
    cairo_pattern_t* pot = cairo_pattern_create_radial(c, c - 8, 6, c, c, 29);
    cairo_pattern_add_color_stop_rgb(pot, 0, 0.09, 0.10, 0.04);
    cairo_pattern_add_color_stop_rgb(pot, 1, 0.25, 0.26, 0.13);
    cairo_arc(cr, c, c, 28.7, 0, 2 * kPi);
    cairo_set_source(cr, pot);
    cairo_fill(cr);
    cairo_pattern_destroy(pot);
    cairo_arc(cr, c, c, 25.6, 0, 2 * kPi);
    cairo_set_source_rgb(cr, 0.40, 0.41, 0.25);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);

    // The paint, lit from the upper left; its middle shows the paint's own colour.
    const Colour paint = Argb(brushColour);
    const Colour light = Mix(paint, {1, 1, 1, 1}, 0.45);
    const Colour shade = Mix(paint, {0, 0, 0, 1}, 0.25);
    cairo_pattern_t* p = cairo_pattern_create_radial(c - 8, c - 9, 1, c - 3, c - 3, 27);
    cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 0.35, paint.r, paint.g, paint.b);
    cairo_pattern_add_color_stop_rgb(p, 0.7, paint.r, paint.g, paint.b);
    cairo_pattern_add_color_stop_rgb(p, 1, shade.r, shade.g, shade.b);
    cairo_arc(cr, c, c, 23.4, 0, 2 * kPi);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgb(cr, 0.06, 0.06, 0.02);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // A glint.
    cairo_save(cr);
    cairo_translate(cr, c - 9, c - 10);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, 6.5, 3.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_fill(cr);

    if (ringed) {
      cairo_arc(cr, c, c, 30.2, 0, 2 * kPi);
      cairo_set_source_rgb(cr, 1.0, 0.93, 0.55);
      cairo_set_line_width(cr, 3);
      cairo_stroke(cr);
      cairo_arc(cr, c, c, 31.4, 0, 2 * kPi);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
  });
}

Image DrawBrush(bool darkPaint) {
  return Render(0, 0, 34, 35, [darkPaint](cairo_t* cr) {
    const Colour ink = Rgb(0x1A1A1A);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    const Colour paint = darkPaint ? Rgb(0x161616) : Rgb(0xFFFFFF);

    // The stream of paint ends in a drop just above the pointer, which the
    // game keeps 5 pixels right of the picture's left edge and 2 below it.
    cairo_new_path(cr);
    cairo_move_to(cr, 9.5, 19);
    cairo_curve_to(cr, 6, 22, 4, 25, 3.8, 29.5);
    cairo_line_to(cr, 7.6, 29.5);
    cairo_curve_to(cr, 8.2, 26.5, 10.5, 24.5, 14.5, 23.5);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 5.7, 30.6, 3.1, 0, 2 * kPi);
    SetColour(cr, paint);
    cairo_fill_preserve(cr);
    SetColour(cr, ink);
    cairo_stroke(cr);

    // The bucket, tipped so that its mouth faces down to the left.
    cairo_save(cr);
    cairo_translate(cr, 13, 17.5);
    cairo_rotate(cr, -107 * kPi / 180);
    // Wire handle on the upper side.
    cairo_new_path(cr);
    cairo_arc(cr, 9, 6.5, 5.5, -kPi / 2, kPi / 2);
    SetColour(cr, ink);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Body, lighter towards the top.
    cairo_new_path(cr);
    cairo_move_to(cr, -8.5, 0);
    cairo_line_to(cr, -6.5, 14);
    cairo_curve_to(cr, -4, 16, 4, 16, 6.5, 14);
    cairo_line_to(cr, 8.5, 0);
    cairo_close_path(cr);
    cairo_pattern_t* metal = cairo_pattern_create_linear(-8.5, 0, 8.5, 0);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.80, 0.82, 0.85);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.97, 0.97, 0.98);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    SetColour(cr, ink);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // The paint in the mouth.
    cairo_save(cr);
    cairo_scale(cr, 8.5, 3);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    SetColour(cr, paint);
    cairo_fill_preserve(cr);
    SetColour(cr, ink);
    cairo_stroke(cr);
    cairo_restore(cr);

    if (darkPaint) {
      cairo_new_path(cr);
      cairo_arc(cr, 4.7, 29.6, 0.9, 0, 2 * kPi);
      cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
      cairo_fill(cr);
    }
  });
}

Image DrawVeil(int width, int height) {
  // Straight pixels rather than cairo: the colour must stay exact where
  // the alpha fades out towards the rounded edge.
  constexpr double kSoftness = 10;
  constexpr double kCorner = 14;
  Image veil{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      // Distance inwards from the rounded rectangle's edge.
      const double dx = std::max(kCorner - std::min(px, width - px), 0.0);
      const double dy = std::max(kCorner - std::min(py, height - py), 0.0);
      const double inside = dx > 0 && dy > 0 ? kCorner - std::hypot(dx, dy)
                                             : std::min({px, width - px, py, height - py});
      const double t = std::clamp(inside / kSoftness, 0.0, 1.0);
      std::uint8_t* out = veil.At(x, y);
      out[0] = 61;
      out[1] = 80;
      out[2] = 83;
      out[3] = std::uint8_t(std::lround(115 * t * t * (3 - 2 * t)));
    }
  }
  return veil;
}

}  // namespace picture
