#include "tools/picture/Image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace picture {

Image Render(int left, int top, int width, int height, const std::function<void(cairo_t*)>& draw) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, -left, -top);
  draw(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);

  Image image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4)};
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = row[x];
      const unsigned a = p >> 24;
      std::uint8_t* out = image.At(x, y);
      out[3] = std::uint8_t(a);
      if (a == 0) continue;  // fully transparent pixels stay black
      // Cairo keeps colour premultiplied by alpha; PNG wants it straight.
      for (int c = 0; c < 3; ++c) {
        const unsigned v = (p >> (16 - 8 * c)) & 0xFF;
        out[c] = std::uint8_t(std::min(255u, (v * 255 + a / 2) / a));
      }
    }
  }
  cairo_surface_destroy(surface);
  return image;
}

bool WritePng(const Image& image, const std::string& path, bool withAlpha) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<std::uint8_t> row(std::size_t(image.width) * 4);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, image.width, image.height, 8,
               withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* in = image.At(0, y);
    std::size_t n = 0;
    for (int x = 0; x < image.width; ++x) {
      for (int c = 0; c < (withAlpha ? 4 : 3); ++c) row[n++] = in[x * 4 + c];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

void DrawOver(Image& screen, const Image& picture, int x, int y, std::uint32_t tint) {
  const unsigned tint_[4] = {(tint >> 16) & 0xFF, (tint >> 8) & 0xFF, tint & 0xFF, tint >> 24};
  for (int py = 0; py < picture.height; ++py) {
    const int sy = y + py;
    if (sy < 0 || sy >= screen.height) continue;
    for (int px = 0; px < picture.width; ++px) {
      const int sx = x + px;
      if (sx < 0 || sx >= screen.width) continue;
      const std::uint8_t* in = picture.At(px, py);
      const unsigned alpha = in[3] * tint_[3] / 255;
      if (alpha == 0) continue;
      std::uint8_t* out = screen.At(sx, sy);
      for (int c = 0; c < 3; ++c) {
        const unsigned colour = in[c] * tint_[c] / 255;
        out[c] = std::uint8_t((colour * alpha + out[c] * (255 - alpha) + 127) / 255);
      }
      out[3] = std::uint8_t(alpha + out[3] * (255 - alpha) / 255);
    }
  }
}

}  // namespace picture
