// PNG and JPEG decoding into B, G, R, A texture rows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/render/ImageDecoder.h"
#include "tests/render/image_encoders.h"

using testimages::EncodeJpeg;
using testimages::EncodePng;
using testimages::PngSpec;

namespace {

constexpr uint8_t kUntouched = 0xAB;

// A texture-sized buffer the decoder writes into, like a locked texture
// whose power-of-two size exceeds the image.
struct FakeTexture {
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
  std::vector<uint8_t> bytes;
  int requests = 0;

  IMImageTarget Target() {
    return [this](int32_t w, int32_t h) -> std::optional<IMPixelDestination> {
      ++requests;
      width = w;
      height = h;
      int32_t tw = 1, th = 1;
      while (tw < w) tw *= 2;
      while (th < h) th *= 2;
      pitch = tw * 4;
      bytes.assign(static_cast<size_t>(pitch) * th, kUntouched);
      return IMPixelDestination{bytes.data(), pitch};
    };
  }
  // B, G, R, A of texel (x, y) as 0xAARRGGBB.
  uint32_t At(int32_t x, int32_t y) const {
    const uint8_t* p = &bytes[static_cast<size_t>(y) * pitch + x * 4];
    return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
  }
};

struct DecodeCase {
  const char* name;
  PngSpec spec;
  std::vector<uint32_t> expected;  // ARGB, row by row
  int tolerance = 0;               // per channel
};

PngSpec Spec(uint32_t width, uint32_t height, int colourType, int bitDepth,
             std::vector<uint8_t> rows) {
  PngSpec spec;
  spec.width = width;
  spec.height = height;
  spec.colourType = colourType;
  spec.bitDepth = bitDepth;
  spec.rows = std::move(rows);
  return spec;
}
PngSpec WithPalette(PngSpec spec, std::vector<png_color> palette, std::vector<uint8_t> alpha) {
  spec.palette = std::move(palette);
  spec.paletteAlpha = std::move(alpha);
  return spec;
}
PngSpec WithGamma(PngSpec spec, double gamma) {
  spec.gamma = gamma;
  return spec;
}
PngSpec WithBackground(PngSpec spec) {
  spec.background = true;
  return spec;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        tolerance) {
      return false;
    }
  }
  return true;
}

TEST(PngDecoding, EveryColourTypeBecomesBgraRows) {
  const DecodeCase cases[] = {
      {"rgb is opaque", Spec(2, 1, PNG_COLOR_TYPE_RGB, 8, {0x10, 0x20, 0x30, 0xFF, 0x00, 0x80}),
       {0xFF102030, 0xFFFF0080}},
      {"rgba keeps alpha byte for byte",
       Spec(4, 1, PNG_COLOR_TYPE_RGBA, 8, {1, 2, 3, 0, 4, 5, 6, 1, 7, 8, 9, 127, 10, 11, 12, 255}),
       {0x00010203, 0x01040506, 0x7F070809, 0xFF0A0B0C}},
      {"palette with transparency",
       WithPalette(Spec(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2}),
                   {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {0, 128}),
       {0x00FF0000, 0x8000FF00, 0xFF0000FF}},
      {"palette of 2 bits",
       WithPalette(Spec(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {0b00011011}),
                   {{9, 9, 9}, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {}),
       {0xFF090909, 0xFF010203, 0xFF040506, 0xFF070809}},
      {"16-bit keeps the high bytes",
       Spec(1, 1, PNG_COLOR_TYPE_RGBA, 16, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}),
       {0xDE12569A}},
      {"grey becomes opaque grey rgb", Spec(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x00, 0x7F}),
       {0xFF000000, 0xFF7F7F7F}},
      {"grey of 1 bit", Spec(3, 1, PNG_COLOR_TYPE_GRAY, 1, {0b10100000}),
       {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {"grey with alpha", Spec(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x90}), {0x90404040}},
      {"gamma 1/2.2 leaves values practically unchanged",
       WithGamma(Spec(3, 1, PNG_COLOR_TYPE_RGB, 8, {0, 0, 0, 100, 150, 200, 255, 255, 255}),
                 1 / 2.2),
       {0xFF000000, 0xFF6496C8, 0xFFFFFFFF}, 1},
      {"background chunk leaves the alpha alone",
       WithBackground(Spec(2, 1, PNG_COLOR_TYPE_RGBA, 8, {1, 2, 3, 0, 4, 5, 6, 200})),
       {0x00010203, 0xC8040506}},
  };
  for (const auto& c : cases) {
    FakeTexture texture;
    const auto size = DecodePng(EncodePng(c.spec), texture.Target());
    ASSERT_TRUE(size) << c.name;
    EXPECT_EQ(*size, (IMImageSize{static_cast<int32_t>(c.spec.width),
                                  static_cast<int32_t>(c.spec.height)}))
        << c.name;
    for (size_t i = 0; i < c.expected.size(); ++i) {
      const auto x = static_cast<int32_t>(i % c.spec.width);
      const auto y = static_cast<int32_t>(i / c.spec.width);
      EXPECT_PRED3(Near, texture.At(x, y), c.expected[i], c.tolerance)
          << c.name << " at " << x << "," << y << ": " << std::hex << texture.At(x, y);
    }
  }
}

TEST(PngDecoding, WritesOnlyTheImageIntoALargerTexture) {
  const PngSpec spec = Spec(46, 79, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(46 * 79 * 3, 0x11));
  FakeTexture texture;
  ASSERT_TRUE(DecodePng(EncodePng(spec), texture.Target()));
  EXPECT_EQ(texture.pitch, 64 * 4);
  EXPECT_EQ(texture.bytes.size(), 64u * 4 * 128);
  EXPECT_EQ(texture.At(0, 0), 0xFF111111u);
  EXPECT_EQ(texture.At(45, 78), 0xFF111111u);
  EXPECT_EQ(texture.At(46, 0), 0xABABABABu);
  EXPECT_EQ(texture.At(0, 79), 0xABABABABu);
  EXPECT_EQ(texture.At(63, 127), 0xABABABABu);
}

TEST(ImageDecoding, NotAPngGoesToTheJpegDecoder) {
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 16 * 8; ++i) {
    rgb.insert(rgb.end(), {200, 40, 90});
  }
  const auto jpeg = EncodeJpeg(16, 8, 3, rgb);
  FakeTexture texture;
  EXPECT_FALSE(IsPng(jpeg));
  EXPECT_FALSE(DecodePng(jpeg, texture.Target()));
  EXPECT_EQ(texture.requests, 0);
  const auto size = DecodeImage(jpeg, texture.Target());
  ASSERT_TRUE(size);
  EXPECT_EQ(*size, (IMImageSize{16, 8}));
  EXPECT_PRED3(Near, texture.At(5, 5), 0xFFC8285Au, 3);
}

TEST(JpegDecoding, GreyBecomesGreyRgb) {
  const auto jpeg = EncodeJpeg(8, 8, 1, std::vector<uint8_t>(64, 0x60));
  FakeTexture texture;
  ASSERT_TRUE(DecodeJpeg(jpeg, texture.Target()));
  EXPECT_PRED3(Near, texture.At(3, 3), 0xFF606060u, 1);
}

TEST(ImageDecoding, DamagedDataFailsCleanlyAndSaysWhy) {
  const PngSpec spec = Spec(8, 8, PNG_COLOR_TYPE_RGBA, 8, std::vector<uint8_t>(8 * 8 * 4, 0x55));
  const auto png = EncodePng(spec);
  auto truncated = png;
  truncated.resize(png.size() / 2);
  auto badCrc = png;
  badCrc[40] ^= 0xFF;  // inside the image data
  auto hugeHeader = png;
  hugeHeader[16] = 0x7F;  // width's high byte: far beyond any picture of ours
  const auto jpeg = EncodeJpeg(8, 8, 3, std::vector<uint8_t>(8 * 8 * 3, 0x22));
  auto brokenJpeg = jpeg;
  brokenJpeg.resize(20);

  struct Case {
    const char* name;
    std::vector<uint8_t> data;
    const char* message;  // expected on stderr
  } cases[] = {
      {"truncated png", truncated, "libpng error: "},
      {"png with a bad checksum", badCrc, "libpng error: "},
      {"png claiming an enormous width", hugeHeader, "libpng error: "},
      {"signature only", std::vector<uint8_t>(png.begin(), png.begin() + 8), "libpng error: "},
      {"cut-off jpeg", brokenJpeg, "libjpeg error: "},
      {"neither", std::vector<uint8_t>(100, 0x42), "libjpeg error: "},
      {"nothing at all", {}, ""},
  };
  for (const auto& c : cases) {
    FakeTexture texture;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(DecodeImage(c.data, texture.Target())) << c.name;
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(err, ::testing::HasSubstr(c.message)) << c.name;
  }
  // The enormous width is refused before anything is allocated.
  FakeTexture texture;
  ::testing::internal::CaptureStderr();
  DecodePng(hugeHeader, texture.Target());
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(texture.requests, 0);
}

TEST(ImageDecoding, TargetFailuresAreTheCallersToHandle) {
  const auto png = EncodePng(Spec(4, 4, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(48, 1)));
  const auto jpeg = EncodeJpeg(4, 4, 3, std::vector<uint8_t>(48, 1));
  const IMImageTarget none = [](int32_t, int32_t) { return std::optional<IMPixelDestination>{}; };
  EXPECT_FALSE(DecodePng(png, none));
  EXPECT_FALSE(DecodeJpeg(jpeg, none));
  // Exhausted video memory comes out of texture creation as bad_alloc and
  // must reach the renderer, which evicts and retries.
  const IMImageTarget exhausted = [](int32_t, int32_t) -> std::optional<IMPixelDestination> {
    throw std::bad_alloc();
  };
  EXPECT_THROW(DecodePng(png, exhausted), std::bad_alloc);
  EXPECT_THROW(DecodeJpeg(jpeg, exhausted), std::bad_alloc);
}

TEST(ImageDecoding, ReadsFilesByTheirUnicodeName) {
  const auto folder = std::filesystem::temp_directory_path() / "pestrel-image-test";
  std::filesystem::create_directories(folder);
  const auto png = EncodePng(Spec(2, 2, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(12, 0x33)));
  const auto jpeg = EncodeJpeg(2, 2, 3, std::vector<uint8_t>(12, 0x33));
  const std::string pngName = (folder / "солнце.png").string();
  const std::string jpegName = (folder / "облако.jpg").string();
  std::ofstream(pngName, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                  static_cast<std::streamsize>(png.size()));
  std::ofstream(jpegName, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()),
                                                   static_cast<std::streamsize>(jpeg.size()));
  const std::u16string base = folder.u16string() + u"/";
  FakeTexture texture;
  EXPECT_TRUE(DecodePngFile(base + u"солнце.png", texture.Target()));
  EXPECT_FALSE(DecodePngFile(base + u"облако.jpg", texture.Target()));
  EXPECT_TRUE(DecodeImageFile(base + u"облако.jpg", texture.Target()));
  EXPECT_TRUE(DecodeJpegFile(base + u"облако.jpg", texture.Target()));
  EXPECT_FALSE(DecodeImageFile(base + u"нет такого.png", texture.Target()));
  EXPECT_FALSE(DecodeImageFile(base, texture.Target()));  // a folder
  std::filesystem::remove_all(folder);
}

}  // namespace
