#include "engine/platform/device/headless/FramePng.h"

#include <png.h>

#include <vector>

namespace platform {

bool WriteFramePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height,
                   int32_t pitchBytes, std::string* error) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  const auto* rows = reinterpret_cast<const uint8_t*>(pixels);
  for (int32_t y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(rows + static_cast<size_t>(y) * pitchBytes);
    uint8_t* out = rgb.data() + static_cast<size_t>(y) * width * 3;
    for (int32_t x = 0; x < width; ++x) {
      out[3 * x + 0] = static_cast<uint8_t>(row[x] >> 16);
      out[3 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
      out[3 * x + 2] = static_cast<uint8_t>(row[x]);
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr)) {
    if (error) *error = std::string("cannot write ") + path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace platform
