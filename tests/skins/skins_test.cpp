// The skin pictures in data/named: each is there with the size and PNG
// kind the controls are laid out for, the pictures whose pixels are fixed
// have exactly those pixels, and every push button has three distinct
// states of one size with a caption on an opaque rounded face.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#ifndef PESTREL_DATA_DIR
#error "PESTREL_DATA_DIR names the folder of the program's data"
#endif

namespace {

namespace fs = std::filesystem;

enum class Kind { Rgb, Rgba };

struct SkinCase {
  const char* name;
  int width;
  int height;
  Kind kind;
};

const SkinCase kSkins[] = {
    {"DefaultBackGround", 800, 600, Kind::Rgb},
    {"ExitButton", 21, 21, Kind::Rgba},
    {"PrintButton", 84, 47, Kind::Rgba},
    {"SaveAsButton", 148, 47, Kind::Rgba},
    {"RetryButton", 109, 47, Kind::Rgba},
    {"CloseButton", 111, 47, Kind::Rgba},
    {"StartPopStartButton", 84, 47, Kind::Rgba},
    {"EscButton", 37, 25, Kind::Rgb},
    {"F1Button", 37, 25, Kind::Rgb},
    {"F12Button", 37, 25, Kind::Rgb},
    {"SubmitButton", 109, 47, Kind::Rgba},
    {"OptionsButton", 109, 47, Kind::Rgba},
    {"CancelButton", 111, 47, Kind::Rgba},
    {"PrintButtonKlick", 84, 47, Kind::Rgba},
    {"SaveAsButtonKlick", 148, 47, Kind::Rgba},
    {"RetryButtonKlick", 109, 47, Kind::Rgba},
    {"CloseButtonKlick", 111, 47, Kind::Rgba},
    {"StartPopStartButtonKlick", 84, 47, Kind::Rgba},
    {"SubmitButtonKlick", 109, 47, Kind::Rgba},
    {"OptionsButtonKlick", 109, 47, Kind::Rgba},
    {"CancelButtonKlick", 111, 47, Kind::Rgba},
    {"PrintButtonNuv", 84, 47, Kind::Rgba},
    {"SaveAsButtonNuv", 148, 47, Kind::Rgba},
    {"RetryButtonNuv", 109, 47, Kind::Rgba},
    {"CloseButtonNuv", 111, 47, Kind::Rgba},
    {"StartPopStartButtonNuv", 84, 47, Kind::Rgba},
    {"SubmitButtonNuv", 109, 47, Kind::Rgba},
    {"OptionsButtonNuv", 109, 47, Kind::Rgba},
    {"CancelButtonNuv", 111, 47, Kind::Rgba},
    {"SliderSliderVertical", 19, 10, Kind::Rgba},
    {"SliderSliderVerticalHover", 19, 10, Kind::Rgba},
    {"SliderSliderHorizontal", 11, 20, Kind::Rgba},
    {"SliderSliderHorizontalHover", 11, 20, Kind::Rgba},
    {"ScrollSlider", 16, 2, Kind::Rgb},
    {"ScrollSliderHorizontal", 2, 16, Kind::Rgb},
    {"ScrollBackground", 16, 16, Kind::Rgb},
    {"ScrollButtonUp", 16, 16, Kind::Rgba},
    {"ScrollButtonDown", 16, 16, Kind::Rgba},
    {"CheckBoxUnchecked", 16, 16, Kind::Rgb},
    {"CheckBoxChecked", 16, 16, Kind::Rgb},
    {"RadioButtonUnchecked", 16, 16, Kind::Rgba},
    {"RadioButtonChecked", 16, 16, Kind::Rgba},
    {"CheckBoxDisUnchecked", 16, 16, Kind::Rgb},
    {"CheckBoxDisChecked", 16, 16, Kind::Rgb},
    {"RadioButtonDisUnchecked", 16, 16, Kind::Rgba},
    {"RadioButtonDisChecked", 16, 16, Kind::Rgba},
    {"EditBarBackGround", 1, 1, Kind::Rgb},
    {"EditBarCornerLT", 8, 8, Kind::Rgba},
    {"EditBarCornerRT", 8, 8, Kind::Rgba},
    {"EditBarCornerLB", 8, 8, Kind::Rgba},
    {"EditBarCornerRB", 8, 8, Kind::Rgba},
    {"EditBarBorderL", 8, 1, Kind::Rgb},
    {"EditBarBorderR", 8, 1, Kind::Rgb},
    {"EditBarBorderT", 1, 8, Kind::Rgb},
    {"EditBarBorderB", 1, 8, Kind::Rgb},
    {"EditBarKaretka", 1, 19, Kind::Rgb},
    {"SelectionMask", 1, 1, Kind::Rgba},
};

struct Pixel {
  uint8_t r, g, b, a;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "(" << int{p.r} << ", " << int{p.g} << ", " << int{p.b} << ", alpha " << int{p.a} << ")";
}

constexpr Pixel Opaque(uint32_t rgb) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 255};
}

uint32_t BigEndian(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// A skin file as the engine gets it: the header fields, the chunks in
// order, and the pixels decoded to RGBA (opaque for an RGB file).
struct SkinFile {
  int width = 0;
  int height = 0;
  int bitDepth = 0;
  int colourType = -1;
  std::vector<std::string> chunks;
  std::vector<Pixel> pixels;

  Pixel at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

fs::path SkinPath(const std::string& name) { return fs::path(PESTREL_DATA_DIR) / "named" / (name + ".png"); }

// Fails the test (and returns an empty file) unless the file is a PNG
// that libpng decodes.
SkinFile Load(const std::string& name) {
  SkinFile file;
  std::ifstream in(SkinPath(name), std::ios::binary);
  const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 33 || std::memcmp(bytes.data(), kSignature, 8) != 0) {
    ADD_FAILURE() << SkinPath(name) << " is missing or not a PNG file";
    return {};
  }
  for (size_t at = 8; at + 12 <= bytes.size();) {
    const uint32_t length = BigEndian(&bytes[at]);
    file.chunks.emplace_back(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
    at += 12 + size_t{length};
  }
  file.width = static_cast<int>(BigEndian(&bytes[16]));
  file.height = static_cast<int>(BigEndian(&bytes[20]));
  file.bitDepth = bytes[24];
  file.colourType = bytes[25];

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    ADD_FAILURE() << name << ": " << image.message;
    return {};
  }
  image.format = PNG_FORMAT_RGBA;
  file.pixels.resize(size_t{image.width} * image.height);
  if (!png_image_finish_read(&image, nullptr, file.pixels.data(), 0, nullptr)) {
    ADD_FAILURE() << name << ": " << image.message;
    return {};
  }
  return file;
}

// Test names and failure messages name the skin, not the case's bytes.
void PrintTo(const SkinCase& c, std::ostream* out) { *out << c.name; }

class EverySkin : public testing::TestWithParam<SkinCase> {};

TEST_P(EverySkin, HasItsSizeAndKindAndOnlyTheChunksItNeeds) {
  const SkinCase& skin = GetParam();
  const SkinFile file = Load(skin.name);
  EXPECT_EQ(file.width, skin.width);
  EXPECT_EQ(file.height, skin.height);
  EXPECT_EQ(file.bitDepth, 8);
  EXPECT_EQ(file.colourType, skin.kind == Kind::Rgba ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB);
  // A time stamp would change the bytes on every run, a gamma or colour
  // profile chunk the colours in some decoders.
  for (const std::string& chunk : file.chunks) {
    EXPECT_TRUE(chunk == "IHDR" || chunk == "IDAT" || chunk == "IEND") << skin.name << " has " << chunk;
  }
  ASSERT_FALSE(file.chunks.empty());
  EXPECT_EQ(file.chunks.back(), "IEND");
}

INSTANTIATE_TEST_SUITE_P(Skins, EverySkin, testing::ValuesIn(kSkins),
                         [](const testing::TestParamInfo<SkinCase>& info) { return std::string(info.param.name); });

// The pictures with every pixel fixed, each given as the colour it must
// have at each position.
struct FixedCase {
  const char* name;
  std::function<Pixel(int x, int y)> expected;
};

constexpr Pixel kWhite = Opaque(0xFFFFFF);
constexpr Pixel kFrameInk = Opaque(0x000D0D);

const FixedCase kFixed[] = {
    {"DefaultBackGround", [](int, int y) { return y < 64 ? Opaque(0xD8D9D9) : Opaque(0xE5E6E6); }},
    {"EditBarBackGround", [](int, int) { return kWhite; }},
    {"EditBarBorderL", [](int x, int) { return x == 1 ? kFrameInk : kWhite; }},
    {"EditBarBorderR", [](int x, int) { return x == 7 ? kFrameInk : kWhite; }},
    {"EditBarBorderT", [](int, int y) { return y == 1 ? kFrameInk : kWhite; }},
    {"EditBarBorderB", [](int, int y) { return y == 7 ? kFrameInk : kWhite; }},
    {"EditBarKaretka", [](int, int) { return Opaque(0x000000); }},
    {"SelectionMask", [](int, int) { return Pixel{0x00, 0x56, 0xFF, 28}; }},
};

void PrintTo(const FixedCase& c, std::ostream* out) { *out << c.name; }

class FixedSkin : public testing::TestWithParam<FixedCase> {};

TEST_P(FixedSkin, HasExactlyItsPixels) {
  const FixedCase& skin = GetParam();
  const SkinFile file = Load(skin.name);
  int wrong = 0;
  for (int y = 0; y < file.height; ++y) {
    for (int x = 0; x < file.width; ++x) {
      const Pixel expected = skin.expected(x, y);
      // One message per picture is enough to see what went wrong.
      if (file.at(x, y) != expected && wrong++ == 0) {
        ADD_FAILURE() << skin.name << " at (" << x << ", " << y << ") is " << file.at(x, y) << ", not "
                      << expected;
      }
    }
  }
  EXPECT_EQ(wrong, 0) << "wrong pixels in " << skin.name;
}

INSTANTIATE_TEST_SUITE_P(Skins, FixedSkin, testing::ValuesIn(kFixed),
                         [](const testing::TestParamInfo<FixedCase>& info) { return std::string(info.param.name); });

// The edit field's corners continue the sides' frame lines where they
// meet them: the left and top sides draw theirs one pixel in from the
// edge, the right and bottom sides in the outermost pixel.
struct CornerCase {
  const char* name;
  int lineColumn;  // where the vertical side's line enters the corner
  int lineRow;     // where the horizontal side's line enters it
  int innerColumn;  // the corner's column next to the horizontal side
  int innerRow;     // the corner's row next to the vertical side
};

const CornerCase kCorners[] = {
    {"EditBarCornerLT", 1, 1, 7, 7},
    {"EditBarCornerRT", 7, 1, 0, 7},
    {"EditBarCornerLB", 1, 7, 7, 0},
    {"EditBarCornerRB", 7, 7, 0, 0},
};

void PrintTo(const CornerCase& c, std::ostream* out) { *out << c.name; }

class EditBarCorner : public testing::TestWithParam<CornerCase> {};

TEST_P(EditBarCorner, JoinsTheFrameLinesOfItsSides) {
  const CornerCase& corner = GetParam();
  const SkinFile file = Load(corner.name);
  ASSERT_EQ(file.width, 8);
  ASSERT_EQ(file.height, 8);
  EXPECT_EQ(file.at(corner.lineColumn, corner.innerRow), kFrameInk);
  EXPECT_EQ(file.at(corner.innerColumn, corner.lineRow), kFrameInk);
  // The far corner of the picture lies outside the rounded frame.
  const int outerX = corner.innerColumn == 7 ? 0 : 7;
  const int outerY = corner.innerRow == 7 ? 0 : 7;
  EXPECT_EQ(file.at(outerX, outerY).a, 0);
  // Inside the frame it is the field's white.
  EXPECT_EQ(file.at(corner.innerColumn, corner.innerRow), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Skins, EditBarCorner, testing::ValuesIn(kCorners),
                         [](const testing::TestParamInfo<CornerCase>& info) { return std::string(info.param.name); });

const char* const kButtonFamilies[] = {"PrintButton", "SaveAsButton", "RetryButton", "CloseButton",
                                       "StartPopStartButton", "SubmitButton", "OptionsButton", "CancelButton"};

class ButtonFamily : public testing::TestWithParam<const char*> {};

TEST_P(ButtonFamily, HasThreeDistinctStatesOfOneSize) {
  const std::string base = GetParam();
  const SkinFile states[] = {Load(base), Load(base + "Nuv"), Load(base + "Klick")};
  for (const SkinFile& state : states) {
    EXPECT_EQ(state.width, states[0].width);
    EXPECT_EQ(state.height, states[0].height);
  }
  EXPECT_NE(states[0].pixels, states[1].pixels) << base << " looks the same under the mouse";
  EXPECT_NE(states[0].pixels, states[2].pixels) << base << " looks the same pressed";
  EXPECT_NE(states[1].pixels, states[2].pixels) << base << " looks the same under the mouse and pressed";
}

// Each state is a rounded shape: clear in its corners, opaque across the
// middle row, and carrying white letters there.
TEST_P(ButtonFamily, EveryStateIsARoundedFaceWithACaption) {
  const std::string base = GetParam();
  for (const std::string& name : {base, base + "Nuv", base + "Klick"}) {
    const SkinFile file = Load(name);
    ASSERT_GT(file.width, 0) << name;
    EXPECT_EQ(file.at(0, 0).a, 0) << name;
    EXPECT_EQ(file.at(file.width - 1, 0).a, 0) << name;
    EXPECT_EQ(file.at(0, file.height - 1).a, 0) << name;
    EXPECT_EQ(file.at(file.width - 1, file.height - 1).a, 0) << name;

    const int middle = file.height / 2;
    int white = 0;
    for (int x = 2; x < file.width - 2; ++x) {
      const Pixel p = file.at(x, middle);
      EXPECT_EQ(p.a, 255) << name << " at (" << x << ", " << middle << ")";
      if (p.r > 240 && p.g > 240 && p.b > 240) ++white;
    }
    // Even a short caption crosses the middle row with a few strokes.
    EXPECT_GE(white, 6) << name << " has no caption";
  }
}

INSTANTIATE_TEST_SUITE_P(Skins, ButtonFamily, testing::ValuesIn(kButtonFamilies),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
