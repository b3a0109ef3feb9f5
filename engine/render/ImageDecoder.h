#pragma once
// Decoding PNG and JPEG pictures into texture pixels.
//
// A decoder reads the picture's size, asks its target for somewhere to put
// that many pixels (the renderer creates and locks a texture there), and
// writes the rows straight into it: B, G, R, A bytes per pixel, row y at
// pixels + y * pitch, only the image's own width and height. PNG colour
// types are all brought to that form (palettes with their transparency,
// grey, 16-bit, RGB made opaque); JPEG grey, RGB and four-component images
// are converted too.
//
// Every call returns the image size on success and nothing on failure:
// data that is not a PNG (so a caller may try JPEG), damaged data (one line
// "libpng error: ..." or "libjpeg error: ..." on stderr), a target that
// gives no destination, or a picture too large to be one of ours. A
// std::bad_alloc thrown by the target (video memory exhausted) passes
// through, so that the renderer can evict a texture and try again.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

struct IMPixelDestination {
  uint8_t* pixels = nullptr;
  int32_t pitch = 0;  // bytes from one row to the next
};

struct IMImageSize {
  int32_t width = 0;
  int32_t height = 0;

  friend bool operator==(const IMImageSize&, const IMImageSize&) = default;
};

// Called once per decode with the image's size.
using IMImageTarget = std::function<std::optional<IMPixelDestination>(int32_t width, int32_t height)>;

// Pictures wider or taller than this are refused before anything is
// allocated: a damaged header must not ask for gigabytes.
constexpr int32_t kMaxImageSide = 8192;

bool IsPng(std::span<const uint8_t> data);

std::optional<IMImageSize> DecodePng(std::span<const uint8_t> data, const IMImageTarget& target);
std::optional<IMImageSize> DecodeJpeg(std::span<const uint8_t> data, const IMImageTarget& target);

// PNG, and JPEG when the data is not a PNG or the PNG decoder refuses it.
std::optional<IMImageSize> DecodeImage(std::span<const uint8_t> data, const IMImageTarget& target);

// The same for a file. The path goes through the code-page-1251 filter, as
// every name the program turns into 8-bit text does, and is then opened as
// UTF-8.
std::optional<IMImageSize> DecodePngFile(const std::u16string& path, const IMImageTarget& target);
std::optional<IMImageSize> DecodeJpegFile(const std::u16string& path, const IMImageTarget& target);
std::optional<IMImageSize> DecodeImageFile(const std::u16string& path, const IMImageTarget& target);
