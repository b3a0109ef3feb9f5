#include "tools/cartoons/Cloud.h"

#include "tools/cartoons/Paint.h"

namespace cartoons {
namespace {

constexpr Rgb kBody = Hex(0xEDFFFD);  // 237, 255, 253
constexpr double kWindowRadius = 12;

// Puffs along the rim: centre and radius. They keep 4 px inside the
// picture (and room below for the shadow), mirrored about its middle.
constexpr double kPuffs[][3] = {
    {80, 50, 44},   {166, 48, 44},  {253, 46, 44},  {340, 48, 44},  {426, 50, 44},  {444, 78, 44},
    {458, 140, 44}, {458, 215, 44}, {444, 274, 44}, {426, 294, 44}, {340, 296, 44}, {253, 297, 44},
    {166, 296, 44}, {80, 294, 44},  {62, 274, 44},  {48, 215, 44},  {48, 140, 44},  {62, 78, 44},
};

void CloudPath(cairo_t* cr, double dx, double dy) {
  cairo_new_path(cr);
  for (const auto& p : kPuffs) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, p[0] + dx, p[1] + dy, p[2], 0, 2 * kPi);
  }
  cairo_new_sub_path(cr);
  cairo_rectangle(cr, 50 + dx, 50 + dy, 406, 250);
}

void WindowPath(cairo_t* cr) {
  const double l = kWindowLeft, t = kWindowTop, r = kWindowRight, b = kWindowBottom;
  const double k = kWindowRadius;
  cairo_new_path(cr);
  cairo_move_to(cr, l + k, t);
  cairo_arc(cr, r - k, t + k, k, -kPi / 2, 0);
  cairo_arc(cr, r - k, b - k, k, 0, kPi / 2);
  cairo_arc(cr, l + k, b - k, k, kPi / 2, kPi);
  cairo_arc(cr, l + k, t + k, k, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

}  // namespace

cairo_surface_t* DrawCloud() {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kCloudWidth, kCloudHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

  // A faint shadow below, so the cloud floats over the picture.
  for (int i = 3; i >= 1; --i) {
    CloudPath(cr, 0, 2.0 * i);
    SetRgb(cr, Hex(0x2A6C80), 0.06);
    cairo_fill(cr);
  }
  // Outline, then the body over it.
  CloudPath(cr, 0, 0);
  cairo_set_line_width(cr, 5);
  SetRgb(cr, Hex(0xA8DDE6));
  cairo_stroke(cr);
  CloudPath(cr, 0, 0);
  SetRgb(cr, kBody);
  cairo_fill(cr);

  // A soft rim round the window, deeper than the body, then the window
  // itself cut out clean.
  WindowPath(cr);
  cairo_set_line_width(cr, 7);
  SetRgb(cr, Hex(0xBFEAEF));
  cairo_stroke(cr);
  WindowPath(cr);
  cairo_set_line_width(cr, 3);
  SetRgb(cr, Hex(0x9FD6E0));
  cairo_stroke(cr);
  WindowPath(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);

  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace cartoons
