#include "engine/render/ImageDecoder.h"

// Both libraries report errors by jumping back to a recovery point. The
// functions that set one hold every object with a destructor from before
// the jump is armed, and the work after it is done in helpers without any,
// so that a jump skips nothing that needed cleaning up.

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "engine/platform/text/Cp1251.h"
#include "engine/platform/text/Utf.h"

namespace {

constexpr size_t kPngSignatureSize = 8;
// No picture of ours comes near this; a larger file is not one.
constexpr std::streamoff kMaxImageFileSize = 64 * 1024 * 1024;

bool SizeIsAcceptable(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= static_cast<uint64_t>(kMaxImageSide) &&
         height <= static_cast<uint64_t>(kMaxImageSide);
}

// --- PNG ---------------------------------------------------------------

// Reads the blob after its signature. Reading past the end is an error:
// the blob's chunk structure is not trusted to end it.
struct PngMemorySource {
  const uint8_t* data;
  size_t size;
  size_t offset;
};

void ReadPngFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngMemorySource*>(png_get_io_ptr(png));
  if (length > source->size - source->offset) png_error(png, "unexpected end of data");
  std::memcpy(out, source->data + source->offset, length);
  source->offset += length;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  std::fprintf(stderr, "libpng error: %s\n", message);
  png_longjmp(png, 1);
}

struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngReader() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  }
};

// Brings every colour type to 8-bit B, G, R, A.
void RequestBgraRows(png_structp png, png_infop info) {
  const int depth = png_get_bit_depth(png, info);
  const int colourType = png_get_color_type(png, info);
  const bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (depth == 16) png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (hasTransparency) png_set_tRNS_to_alpha(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTransparency;
  if (!hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  double fileGamma = 0.0;
  if (png_get_gAMA(png, info, &fileGamma) && fileGamma > 0.0) png_set_gamma(png, 2.2, fileGamma);
  // A bKGD chunk is left alone: compositing against it would throw the
  // alpha channel away.
}

std::optional<IMImageSize> DecodePngRows(png_structp png, png_infop info,
                                         std::vector<png_bytep>& rows,
                                         const IMImageTarget& target) {
  png_set_sig_bytes(png, kPngSignatureSize);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!SizeIsAcceptable(width, height)) png_error(png, "picture too large");
  RequestBgraRows(png, info);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) {
    png_error(png, "unexpected pixel layout");
  }
  const std::optional<IMPixelDestination> destination =
      target(static_cast<int32_t>(width), static_cast<int32_t>(height));
  if (!destination || !destination->pixels) return std::nullopt;
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = destination->pixels + static_cast<ptrdiff_t>(y) * destination->pitch;
  }
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return IMImageSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

// --- JPEG --------------------------------------------------------------

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf recovery;
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
  char message[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, message);
  std::fprintf(stderr, "libjpeg error: %s\n", message);
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->recovery, 1);
}

struct JpegReader {
  jpeg_decompress_struct info{};
  bool created = false;
  ~JpegReader() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

void ConvertJpegRow(const uint8_t* in, int components, uint32_t width, uint8_t* out) {
  for (uint32_t x = 0; x < width; ++x, in += components, out += 4) {
    if (components == 1) {
      out[0] = out[1] = out[2] = in[0];
      out[3] = 255;
    } else {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = components == 4 ? in[3] : 255;
    }
  }
}

std::optional<IMImageSize> DecodeJpegRows(jpeg_decompress_struct& info, std::vector<uint8_t>& row,
                                          const IMImageTarget& target) {
  jpeg_read_header(&info, TRUE);
  if (!SizeIsAcceptable(info.image_width, info.image_height)) return std::nullopt;
  jpeg_start_decompress(&info);
  const uint32_t width = info.output_width;
  const uint32_t height = info.output_height;
  const int components = info.output_components;
  if (!SizeIsAcceptable(width, height)) return std::nullopt;
  if (components != 1 && components != 3 && components != 4) return std::nullopt;
  const std::optional<IMPixelDestination> destination =
      target(static_cast<int32_t>(width), static_cast<int32_t>(height));
  if (!destination || !destination->pixels) return std::nullopt;
  row.resize(static_cast<size_t>(width) * components);
  while (info.output_scanline < height) {
    const uint32_t y = info.output_scanline;
    JSAMPROW rowPointer = row.data();
    if (jpeg_read_scanlines(&info, &rowPointer, 1) != 1) return std::nullopt;
    ConvertJpegRow(row.data(), components, width,
                   destination->pixels + static_cast<ptrdiff_t>(y) * destination->pitch);
  }
  jpeg_finish_decompress(&info);
  return IMImageSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) {
  std::ifstream file(platform::Utf16ToUtf8(platform::FilterCp1251(path)),
                     std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  if (size <= 0 || size > kMaxImageFileSize) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  file.seekg(0);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

}  // namespace

bool IsPng(std::span<const uint8_t> data) {
  return data.size() >= kPngSignatureSize && png_sig_cmp(data.data(), 0, kPngSignatureSize) == 0;
}

std::optional<IMImageSize> DecodePng(std::span<const uint8_t> data, const IMImageTarget& target) {
  if (!IsPng(data)) return std::nullopt;
  PngReader reader;
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, nullptr);
  if (!reader.png) return std::nullopt;
  reader.info = png_create_info_struct(reader.png);
  if (!reader.info) return std::nullopt;
  PngMemorySource source{data.data(), data.size(), kPngSignatureSize};
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(reader.png))) return std::nullopt;
  png_set_read_fn(reader.png, &source, ReadPngFromMemory);
  return DecodePngRows(reader.png, reader.info, rows, target);
}

std::optional<IMImageSize> DecodeJpeg(std::span<const uint8_t> data, const IMImageTarget& target) {
  if (data.empty()) return std::nullopt;
  JpegReader reader;
  JpegErrors errors;
  reader.info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnJpegError;
  std::vector<uint8_t> row;
  if (setjmp(errors.recovery)) return std::nullopt;
  jpeg_create_decompress(&reader.info);
  reader.created = true;
  jpeg_mem_src(&reader.info, data.data(), static_cast<unsigned long>(data.size()));
  return DecodeJpegRows(reader.info, row, target);
}

std::optional<IMImageSize> DecodeImage(std::span<const uint8_t> data, const IMImageTarget& target) {
  if (auto size = DecodePng(data, target)) return size;
  return DecodeJpeg(data, target);
}

std::optional<IMImageSize> DecodePngFile(const std::u16string& path, const IMImageTarget& target) {
  const auto bytes = ReadFile(path);
  if (!bytes) return std::nullopt;
  return DecodePng(*bytes, target);
}

std::optional<IMImageSize> DecodeJpegFile(const std::u16string& path,
                                          const IMImageTarget& target) {
  const auto bytes = ReadFile(path);
  if (!bytes) return std::nullopt;
  return DecodeJpeg(*bytes, target);
}

std::optional<IMImageSize> DecodeImageFile(const std::u16string& path,
                                           const IMImageTarget& target) {
  const auto bytes = ReadFile(path);
  if (!bytes) return std::nullopt;
  return DecodeImage(*bytes, target);
}
