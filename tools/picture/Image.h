#pragma once
// Pictures as straight (not premultiplied) R, G, B, A bytes, the way the
// game's PNG files hold them, with the game's own way of drawing one
// picture over another under a tint.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace picture {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  std::uint8_t* At(int x, int y) { return &rgba[(std::size_t(y) * width + x) * 4]; }
  const std::uint8_t* At(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
};

// Renders `draw` on a transparent width x height surface whose origin is
// the screen point (left, top), and returns the un-premultiplied pixels.
Image Render(int left, int top, int width, int height, const std::function<void(cairo_t*)>& draw);

// Writes an 8-bit RGBA PNG, or RGB when `withAlpha` is false; no time or
// text chunks, so the same picture always gives the same file.
bool WritePng(const Image& image, const std::string& path, bool withAlpha);

// The game's blend: colour = texel x tint, alpha = texel alpha x tint
// alpha, laid over `screen` at (x, y).
void DrawOver(Image& screen, const Image& picture, int x, int y, std::uint32_t tint = 0xFFFFFFFF);

}  // namespace picture
