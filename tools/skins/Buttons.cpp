#include "tools/skins/Buttons.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/skins/Canvas.h"
#include "tools/skins/Palette.h"

namespace skins {
namespace {

// Room kept free between a caption and the sides of its button.
constexpr double kCaptionMargin = 11;
// The dark edge drawn round each letter, in pixels.
constexpr double kOutlineWidth = 3.0;
constexpr double kButtonRadius = 12;

struct ButtonLook {
  Colour top, bottom, rim, outline;
  double gloss;  // opacity of the highlight over the upper half
};

ButtonLook LookOf(ButtonHue hue, ButtonState state) {
  if (hue == ButtonHue::Green) {
    switch (state) {
      case ButtonState::Normal:
        return {Rgb(0x8FD95B), Rgb(0x3E9F2E), Rgb(0x2C6F20), Rgb(0x1C4D14), 0.42};
      case ButtonState::Hover:
        return {Rgb(0xAAEC74), Rgb(0x4FB93B), Rgb(0x327D24), Rgb(0x1F5516), 0.50};
      case ButtonState::Pressed:
        return {Rgb(0x5FA93D), Rgb(0x37842A), Rgb(0x22571A), Rgb(0x163D10), 0.18};
    }
  }
  switch (state) {
    case ButtonState::Normal:
      return {Rgb(0xFF9E6C), Rgb(0xE5492B), Rgb(0xA3301B), Rgb(0x6E1C0E), 0.42};
    case ButtonState::Hover:
      return {Rgb(0xFFB889), Rgb(0xF55F3C), Rgb(0xB2381F), Rgb(0x7A2010), 0.50};
    case ButtonState::Pressed:
      return {Rgb(0xDB6E46), Rgb(0xBC3B22), Rgb(0x842515), Rgb(0x5A160B), 0.18};
  }
  throw std::logic_error("unknown button state");
}

// Throws unless the text can be set, then returns its ink extents.
cairo_text_extents_t Measure(const Typeface& face, cairo_t* cr, double size,
                             std::string_view text) {
  face.Select(cr, size);
  face.RequireGlyphs(cr, text);
  const std::string copy(text);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, copy.c_str(), &extents);
  return extents;
}

// The height of a capital letter, so that captions with and without
// descenders share one baseline.
double CapHeight(const Typeface& face, cairo_t* cr, double size) {
  return -Measure(face, cr, size, "Н").y_bearing;
}

// Puts the text's outline on the path with its ink centred at cx and its
// capitals centred at cy, the baseline on a whole pixel for crisp stems.
void CentredTextPath(const Typeface& face, cairo_t* cr, double size, std::string_view text,
                     double cx, double cy) {
  const cairo_text_extents_t extents = Measure(face, cr, size, text);
  const double baseline = std::round(cy + CapHeight(face, cr, size) / 2);
  const std::string copy(text);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - extents.x_bearing - extents.width / 2, baseline);
  cairo_text_path(cr, copy.c_str());
}

// A soft shadow under a shape: a few widening, fainter copies.
void DropShadow(cairo_t* cr, Rect body, double radius, double offset) {
  for (int i = 0; i < 3; ++i) {
    const double spread = 0.5 * i;
    RoundedRect(cr, body.Moved(0, offset).Inset(-spread), radius + spread);
    SetColour(cr, Rgb(0x10200A, 0.13 - 0.035 * i));
    cairo_fill(cr);
  }
}

// Highlights on the face: a bright line along the top inner edge and a
// gloss over the upper half that fades towards the middle.
void Highlights(cairo_t* cr, Rect face, double radius, double gloss) {
  cairo_save(cr);
  RoundedRect(cr, face, radius);
  cairo_clip(cr);
  RoundedRect(cr, face.Inset(0.5), radius - 0.5);
  cairo_pattern_t* line = cairo_pattern_create_linear(0, face.y, 0, face.y + face.h / 2);
  cairo_pattern_add_color_stop_rgba(line, 0, 1, 1, 1, gloss + 0.2);
  cairo_pattern_add_color_stop_rgba(line, 1, 1, 1, 1, 0);
  cairo_set_source(cr, line);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_pattern_destroy(line);

  const Rect shine{face.x + 3, face.y + 1.5, face.w - 6, face.h * 0.45};
  RoundedRect(cr, shine, std::min(radius - 2, shine.h / 2));
  FillVertical(cr, shine.y, Rgb(0xFFFFFF, gloss), shine.Bottom(), Rgb(0xFFFFFF, gloss * 0.15));
  cairo_new_path(cr);
  cairo_restore(cr);
}

}  // namespace

double FitCaptionSize(const Typeface& face, const std::vector<Caption>& captions) {
  Canvas scratch(1, 1);
  for (double size = 16; size >= 10; size -= 0.5) {
    bool fits = true;
    for (const Caption& caption : captions) {
      const cairo_text_extents_t extents = Measure(face, scratch.cr(), size, caption.text);
      fits = fits && extents.width + kOutlineWidth + 2 * kCaptionMargin <= caption.buttonWidth;
    }
    if (fits) return size;
  }
  throw std::runtime_error("the button captions do not fit their buttons");
}

Image PaintPushButton(const Typeface& face, int width, int height, std::string_view caption,
                      double captionSize, ButtonHue hue, ButtonState state) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  const ButtonLook look = LookOf(hue, state);
  const bool pressed = state == ButtonState::Pressed;

  // The pressed button sits one pixel lower, nearer its shadow.
  const Rect body = Rect{1, 1, width - 2.0, height - 5.0}.Moved(0, pressed ? 1 : 0);
  DropShadow(cr, body, kButtonRadius, pressed ? 1 : 2);

  RoundedRect(cr, body, kButtonRadius);
  SetColour(cr, look.rim);
  cairo_fill(cr);
  const Rect faceRect = body.Inset(1.25);
  RoundedRect(cr, faceRect, kButtonRadius - 1.25);
  FillVertical(cr, faceRect.y, look.top, faceRect.Bottom(), look.bottom);
  cairo_new_path(cr);
  Highlights(cr, faceRect, kButtonRadius - 1.25, look.gloss);

  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, kOutlineWidth);
  const double cx = body.x + body.w / 2;
  const double cy = body.y + body.h / 2;
  // A faint shadow a pixel below the letters lifts them off the face.
  CentredTextPath(face, cr, captionSize, caption, cx, cy + 1);
  SetColour(cr, Colour{look.outline.r, look.outline.g, look.outline.b, 0.45});
  cairo_stroke(cr);
  CentredTextPath(face, cr, captionSize, caption, cx, cy);
  SetColour(cr, look.outline);
  cairo_stroke_preserve(cr);
  SetColour(cr, palette::kWhite);
  cairo_fill(cr);
  return canvas.ToImage();
}

Image PaintKeyCap(const Typeface& face, int width, int height, std::string_view label) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  SetColour(cr, Rgb(palette::kBackground));
  cairo_paint(cr);

  // The whole key, whose darker lower edge is the side of the cap.
  const Rect key{0.5, 0.5, width - 1.0, height - 1.0};
  RoundedRect(cr, key, 4);
  FillVertical(cr, key.y, Rgb(0xD3D8DE), key.Bottom(), Rgb(0xA9B1BB));
  SetColour(cr, Rgb(0x7A8591));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  // The top the finger presses, raised above the side.
  const Rect top{2.5, 1.5, width - 5.0, height - 6.5};
  RoundedRect(cr, top, 3);
  FillVertical(cr, top.y, Rgb(0xFFFFFF), top.Bottom(), Rgb(0xEAEDF1));
  SetColour(cr, Rgb(0xC2C9D1));
  cairo_stroke(cr);

  CentredTextPath(face, cr, 11, label, top.x + top.w / 2, top.y + top.h / 2);
  SetColour(cr, palette::kText);
  cairo_fill(cr);
  return canvas.ToImage();
}

Image PaintExitButton(int width, int height) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  const Rect box{0.5, 0.5, width - 1.0, height - 1.0};
  RoundedRect(cr, box, 4.5);
  FillVertical(cr, box.y, Rgb(0xFF7D63), box.Bottom(), Rgb(0xD4301E));
  SetColour(cr, Rgb(0x931C10));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Highlights(cr, box.Inset(0.5), 4, 0.38);

  // The cross, with a darker edge so that it stays sharp on the red.
  const double c = width / 2.0;
  const double arm = width * 0.19;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (const auto& [w, colour] : {std::pair{3.8, Rgb(0x8A1A0E, 0.55)}, std::pair{2.4, palette::kWhite}}) {
    cairo_move_to(cr, c - arm, c - arm);
    cairo_line_to(cr, c + arm, c + arm);
    cairo_move_to(cr, c + arm, c - arm);
    cairo_line_to(cr, c - arm, c + arm);
    cairo_set_line_width(cr, w);
    SetColour(cr, colour);
    cairo_stroke(cr);
  }
  return canvas.ToImage();
}

}  // namespace skins
