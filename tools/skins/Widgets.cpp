#include "tools/skins/Widgets.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/skins/Canvas.h"
#include "tools/skins/Palette.h"

namespace skins {
namespace {

constexpr Colour kTrack = Rgb(0xECEDEF);
constexpr Colour kTrackEdge = Rgb(0xD6D9DE);

Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Pixel ToPixel(Colour c) {
  auto channel = [](double v) { return static_cast<uint8_t>(std::lround(v * 255)); };
  return {channel(c.r), channel(c.g), channel(c.b), 255};
}

// The colour of the thumb's cross-section at position i of n: a rim on
// each side, a lit left half fading to the darker right, and the track's
// groove in the outermost pixels so the thumb looks narrower than
// the bar and the groove runs on past it.
Pixel ThumbSection(int i, int n) {
  if (i == 0 || i == n - 1) return ToPixel(kTrackEdge);
  if (i == 1 || i == n - 2) return ToPixel(palette::kBlueRim);
  if (i == 2) return ToPixel(Mix(palette::kBlueLight, palette::kWhite, 0.5));
  const double t = static_cast<double>(i - 2) / (n - 5);
  return ToPixel(Mix(palette::kBlueLight, palette::kBlue, t));
}

void StrokeChevron(cairo_t* cr, double cx, double cy, double half, double rise) {
  cairo_move_to(cr, cx - half, cy + rise / 2);
  cairo_line_to(cr, cx, cy - rise / 2);
  cairo_line_to(cr, cx + half, cy + rise / 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2);
  SetColour(cr, palette::kBlueInk);
  cairo_stroke(cr);
}

struct BoxLook {
  Colour frame, fillTop, fillBottom, markLight, mark;
};

BoxLook BoxLookOf(bool enabled) {
  if (enabled) {
    return {palette::kFrame, palette::kWhite, Rgb(0xEEF2F6), palette::kGreenLight, palette::kGreen};
  }
  return {palette::kFrameDisabled, Rgb(0xF4F4F4), Rgb(0xE9E9E9), Rgb(0xC4C6C8), Rgb(0x9C9FA2)};
}

// The slider thumbs share their body and cap colours.
struct CapColours {
  Colour light, base, dark;
};

CapColours CapOf(bool hover) {
  if (hover) return {palette::kOrangeLight, palette::kOrange, palette::kOrangeDark};
  return {palette::kGreenLight, palette::kGreen, palette::kGreenDark};
}

constexpr Colour kThumbRim = Rgb(0x7D8A98);

}  // namespace

Image PaintScrollThumbRow(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.at(x, y) = ThumbSection(x, width);
  }
  return image;
}

Image PaintScrollThumbColumn(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.at(x, y) = ThumbSection(y, height);
  }
  return image;
}

Image PaintScrollTrack(int width, int height) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  SetColour(cr, kTrack);
  cairo_paint(cr);
  // A faint groove along both long sides.
  cairo_rectangle(cr, 0, 0, 1, height);
  cairo_rectangle(cr, width - 1, 0, 1, height);
  SetColour(cr, kTrackEdge);
  cairo_fill(cr);
  return canvas.ToImage();
}

Image PaintScrollButton(int width, int height, Direction direction) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  const Rect box{0.5, 0.5, width - 1.0, height - 1.0};
  RoundedRect(cr, box, 3);
  FillVertical(cr, box.y, palette::kBlueLight, box.Bottom(), palette::kBlue);
  SetColour(cr, palette::kBlueRim);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  RoundedRect(cr, box.Inset(1), 2);
  SetColour(cr, Rgb(0xFFFFFF, 0.45));
  cairo_stroke(cr);

  const double rise = direction == Direction::Up ? 3.5 : -3.5;
  StrokeChevron(cr, width / 2.0, height / 2.0, 3.5, rise);
  return canvas.ToImage();
}

Image PaintCheckBox(int width, int height, bool checked, bool enabled) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  const BoxLook look = BoxLookOf(enabled);
  SetColour(cr, Rgb(palette::kBackground));
  cairo_paint(cr);

  const Rect box{1.5, 1.5, width - 3.0, height - 3.0};
  RoundedRect(cr, box, 2.5);
  FillVertical(cr, box.y, look.fillTop, box.Bottom(), look.fillBottom);
  SetColour(cr, look.frame);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  if (checked) {
    const double s = width / 16.0;
    cairo_move_to(cr, 4.2 * s, 8.3 * s);
    cairo_line_to(cr, 6.9 * s, 11.0 * s);
    cairo_line_to(cr, 12.0 * s, 5.0 * s);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.3);
    SetColour(cr, look.mark);
    cairo_stroke(cr);
  }
  return canvas.ToImage();
}

Image PaintRadioButton(int width, int height, bool checked, bool enabled) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  const BoxLook look = BoxLookOf(enabled);
  const double cx = width / 2.0;
  const double cy = height / 2.0;
  const double radius = std::min(width, height) / 2.0 - 1;

  cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
  FillVertical(cr, cy - radius, look.fillTop, cy + radius, look.fillBottom);
  SetColour(cr, look.frame);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  if (checked) {
    const double dot = radius * 0.55;
    cairo_arc(cr, cx, cy, dot, 0, 2 * std::numbers::pi);
    // Lit from the upper left, like a bead.
    cairo_pattern_t* bead =
        cairo_pattern_create_radial(cx - dot * 0.35, cy - dot * 0.4, 0, cx, cy, dot);
    cairo_pattern_add_color_stop_rgb(bead, 0, look.markLight.r, look.markLight.g, look.markLight.b);
    cairo_pattern_add_color_stop_rgb(bead, 1, look.mark.r, look.mark.g, look.mark.b);
    cairo_set_source(cr, bead);
    cairo_fill(cr);
    cairo_pattern_destroy(bead);
  }
  return canvas.ToImage();
}

Image PaintVerticalSliderThumb(int width, int height, bool hover) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  const CapColours cap = CapOf(hover);
  const Rect body{0.5, 0.5, width - 1.0, height - 1.0};
  const double capWidth = std::round(width * 0.3);

  cairo_save(cr);
  RoundedRect(cr, body, 3);
  cairo_clip(cr);
  RoundedRect(cr, body, 3);
  FillVertical(cr, body.y, palette::kWhite, body.Bottom(), Rgb(0xE3E7EC));
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, 0, capWidth, height);
  FillVertical(cr, 0, cap.light, height, cap.base);
  cairo_new_path(cr);
  cairo_rectangle(cr, capWidth, 0, 1, height);
  SetColour(cr, cap.dark);
  cairo_fill(cr);
  cairo_restore(cr);

  // Two grooves to take hold of.
  for (const double x : {capWidth + (width - capWidth) / 2 - 1.5, capWidth + (width - capWidth) / 2 + 1.5}) {
    cairo_rectangle(cr, std::round(x), 2.5, 1, height - 5.0);
  }
  SetColour(cr, Rgb(0xA9B3BE));
  cairo_fill(cr);

  RoundedRect(cr, body, 3);
  SetColour(cr, kThumbRim);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return canvas.ToImage();
}

Image PaintHorizontalSliderThumb(int width, int height, bool hover) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  const CapColours cap = CapOf(hover);
  const double left = 0.5;
  const double right = width - 0.5;
  const double cx = width / 2.0;
  const double shoulder = height - (width / 2.0) - 0.5;  // where the point begins
  const double capHeight = std::round(height * 0.28);

  // A tall shape with a rounded top and a point at the bottom.
  auto outline = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, left, shoulder);
    cairo_line_to(cr, left, 2.5);
    cairo_arc(cr, left + 2, 2.5, 2, std::numbers::pi, 1.5 * std::numbers::pi);
    cairo_arc(cr, right - 2, 2.5, 2, 1.5 * std::numbers::pi, 2 * std::numbers::pi);
    cairo_line_to(cr, right, shoulder);
    cairo_line_to(cr, cx, height - 0.5);
    cairo_close_path(cr);
  };

  cairo_save(cr);
  outline();
  cairo_clip(cr);
  outline();
  FillHorizontal(cr, left, palette::kWhite, right, Rgb(0xE1E6EB));
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, 0, width, capHeight);
  FillVertical(cr, 0, cap.light, capHeight, cap.base);
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, capHeight, width, 1);
  SetColour(cr, cap.dark);
  cairo_fill(cr);
  cairo_restore(cr);

  // The tick: a short mark down the middle that points at the value.
  cairo_rectangle(cr, std::floor(cx), capHeight + 3, 1, shoulder - capHeight - 2);
  SetColour(cr, cap.base);
  cairo_fill(cr);

  outline();
  SetColour(cr, kThumbRim);
  cairo_set_line_width(cr, 1);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  return canvas.ToImage();
}

}  // namespace skins
