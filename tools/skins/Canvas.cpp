#include "tools/skins/Canvas.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace skins {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    throw std::runtime_error("cannot create a cairo surface");
  }
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

Image Canvas::ToImage() const {
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(std::string("cairo: ") + cairo_status_to_string(cairo_status(cr_)));
  }
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  Image image(width_, height_);
  for (int y = 0; y < height_; ++y) {
    // ARGB32 is one native-endian 32-bit word per pixel.
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < width_; ++x) {
      const uint32_t word = row[x];
      const unsigned a = word >> 24;
      auto plain = [a](unsigned premultiplied) {
        return static_cast<uint8_t>(a == 0 ? 0 : (premultiplied * 255 + a / 2) / a);
      };
      image.at(x, y) = {plain((word >> 16) & 0xFF), plain((word >> 8) & 0xFF), plain(word & 0xFF),
                        static_cast<uint8_t>(a)};
    }
  }
  return image;
}

void SetColour(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, Rect r, double radius) {
  const double quarter = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.Right() - radius, r.y + radius, radius, -quarter, 0);
  cairo_arc(cr, r.Right() - radius, r.Bottom() - radius, radius, 0, quarter);
  cairo_arc(cr, r.x + radius, r.Bottom() - radius, radius, quarter, 2 * quarter);
  cairo_arc(cr, r.x + radius, r.y + radius, radius, 2 * quarter, 3 * quarter);
  cairo_close_path(cr);
}

namespace {

void FillWithGradient(cairo_t* cr, cairo_pattern_t* gradient, Colour from, Colour to) {
  cairo_pattern_add_color_stop_rgba(gradient, 0, from.r, from.g, from.b, from.a);
  cairo_pattern_add_color_stop_rgba(gradient, 1, to.r, to.g, to.b, to.a);
  cairo_set_source(cr, gradient);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(gradient);
}

}  // namespace

void FillVertical(cairo_t* cr, double y0, Colour top, double y1, Colour bottom) {
  FillWithGradient(cr, cairo_pattern_create_linear(0, y0, 0, y1), top, bottom);
}

void FillHorizontal(cairo_t* cr, double x0, Colour left, double x1, Colour right) {
  FillWithGradient(cr, cairo_pattern_create_linear(x0, 0, x1, 0), left, right);
}

}  // namespace skins
