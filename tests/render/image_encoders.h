#pragma once
// Small PNG and JPEG encoders for the decoder tests, so that every input is
// made in the test from known pixels.

#include <jpeglib.h>
#include <png.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace testimages {

struct PngSpec {
  uint32_t width = 1;
  uint32_t height = 1;
  int colourType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  std::vector<uint8_t> rows;  // packed rows, as libpng takes them
  std::vector<png_color> palette;
  std::vector<uint8_t> paletteAlpha;  // tRNS for a palette image
  std::optional<double> gamma;
  bool background = false;  // write a bKGD chunk
};

inline void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

inline std::vector<uint8_t> EncodePng(const PngSpec& spec) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, nullptr);
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!spec.palette.empty()) {
    png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
  }
  if (!spec.paletteAlpha.empty()) {
    png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()),
                 nullptr);
  }
  if (spec.gamma) png_set_gAMA(png, info, *spec.gamma);
  if (spec.background) {
    png_color_16 colour{};
    colour.red = colour.green = colour.blue = 0x80;
    png_set_bKGD(png, info, &colour);
  }
  png_write_info(png, info);
  const size_t rowBytes = spec.rows.size() / spec.height;
  for (uint32_t y = 0; y < spec.height; ++y) {
    png_write_row(png, spec.rows.data() + y * rowBytes);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// Encodes rows of `components` bytes per pixel (1 grey, 3 RGB) at high
// quality.
inline std::vector<uint8_t> EncodeJpeg(uint32_t width, uint32_t height, int components,
                                       const std::vector<uint8_t>& pixels) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < height) {
    JSAMPROW row = const_cast<uint8_t*>(pixels.data()) + info.next_scanline * width * components;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}

}  // namespace testimages
