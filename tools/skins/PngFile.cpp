#include "tools/skins/PngFile.h"

// libpng reports errors by jumping back to a recovery point; the function
// that arms it holds nothing with a destructor, so the jump skips no
// clean-up. Everything that needs one lives in WritePng around it.

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace skins {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Returns an error text, or nullptr when the file was written.
const char* EncodeInto(std::FILE* file, int width, int height, int colourType,
                       png_bytepp rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return "cannot create the PNG writer";
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return "cannot create the PNG header";
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return "libpng failed to encode";
  }
  png_init_io(png, file);
  // The smallest files zlib can make; the tool runs rarely, the program
  // carries the bytes for ever.
  png_set_compression_level(png, 9);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
               PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return nullptr;
}

}  // namespace

void WritePng(const std::filesystem::path& path, const Image& image, Kind kind) {
  const int channels = kind == Kind::Rgba ? 4 : 3;
  std::vector<png_byte> bytes;
  bytes.reserve(image.pixels.size() * channels);
  for (const Pixel& p : image.pixels) {
    if (kind == Kind::Rgb && p.a != 255) {
      throw std::runtime_error(path.string() + ": an RGB picture has a pixel that is not opaque");
    }
    bytes.insert(bytes.end(), {p.r, p.g, p.b});
    if (kind == Kind::Rgba) bytes.push_back(p.a);
  }
  std::vector<png_bytep> rows(static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    rows[static_cast<size_t>(y)] = bytes.data() + static_cast<size_t>(y) * image.width * channels;
  }

  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot open " + path.string() + " for writing");
  const int colourType = kind == Kind::Rgba ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  if (const char* error = EncodeInto(file.get(), image.width, image.height, colourType, rows.data())) {
    throw std::runtime_error(path.string() + ": " + error);
  }
  if (std::fclose(file.release()) != 0) {
    throw std::runtime_error("cannot finish writing " + path.string());
  }
}

}  // namespace skins
