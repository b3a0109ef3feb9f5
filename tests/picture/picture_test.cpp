// The colouring game's numbered pictures and sounds in data/rcdata: sizes,
// the look of blank and fill pictures, and above all that the child can
// click every region of the picture on the game screen as it is stacked.

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRcdata = fs::path(PESTREL_DATA_DIR) / "rcdata";

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kCanvasLeft = 44, kCanvasTop = 17, kCanvasRight = 756, kCanvasBottom = 457;
constexpr int kCanvasGrey = 215;

// --- The game's tables --------------------------------------------------

struct Region {
  int blank, fill;
  int x, y, width, height;
  int layer;
  bool paintedFill;  // the fill carries its own colours (accepted without a tint)
};

// By region number.
constexpr std::array<Region, 35> kRegions = {{
    {171, 172, 44, 17, 712, 185, 0, true},    {144, 145, 44, 257, 472, 200, 3, false},
    {146, 147, 364, 215, 392, 242, 4, false}, {148, 149, 544, 331, 212, 126, 6, false},
    {195, 196, 44, 203, 712, 254, 8, false},  {142, 143, 44, 341, 366, 116, 10, false},
    {140, 141, 44, 357, 238, 100, 12, false}, {150, 151, 43, 179, 714, 88, 2, false},
    {152, 153, 43, 134, 714, 106, 16, false}, {165, 166, 305, 215, 210, 36, 18, false},
    {137, 138, 256, 322, 68, 92, 20, true},   {135, 136, 48, 200, 164, 240, 22, true},
    {109, 110, 197, 366, 52, 46, 24, true},   {175, 176, 366, 26, 108, 108, 26, true},
    {131, 132, 173, 52, 182, 62, 28, true},   {178, 179, 434, 137, 70, 60, 30, true},
    {177, 191, 486, 73, 264, 240, 32, true},  {180, 190, 542, 138, 170, 276, 34, true},
    {103, 104, 514, 221, 66, 70, 36, false},  {105, 106, 580, 134, 134, 82, 38, false},
    {168, 169, 297, 170, 46, 138, 40, false}, {167, 170, 310, 228, 20, 20, 42, false},
    {167, 170, 310, 207, 20, 20, 42, false},  {167, 167, 310, 185, 20, 20, 42, false},
    {156, 156, 59, 121, 190, 64, 44, false},  {157, 158, 58, 120, 184, 42, 46, false},
    {133, 134, 643, 358, 88, 68, 48, false},  {101, 102, 443, 402, 54, 26, 48, false},
    {107, 108, 443, 398, 54, 50, 50, false},  {129, 130, 171, 258, 116, 26, 50, true},
    {126, 127, 166, 222, 130, 54, 52, false}, {116, 117, 495, 422, 52, 28, 52, false},
    {122, 123, 504, 362, 44, 74, 52, false},  {118, 119, 505, 293, 36, 40, 52, false},
    {120, 121, 491, 325, 58, 68, 52, false},
}};

struct Overlay {
  int picture;
  int x, y, width, height;
  int layer;
  int afterRegion;  // created right after this region
};

constexpr std::array<Overlay, 3> kOverlays = {{
    {159, 90, 142, 134, 32, 48, 25},
    {128, 166, 226, 130, 44, 52, 30},
    {115, 482, 305, 58, 88, 52, 34},
}};

struct Well {
  int normal, ringed;
  std::uint32_t brushColour;
};

constexpr std::array<Well, 10> kWells = {{
    {164, 163, 0xFFFF0C0C},
    {162, 161, 0xFFFF6600},
    {200, 199, 0xFFFEFE00},
    {155, 154, 0xFF15CC00},
    {174, 173, 0xFF0099FF},
    {114, 113, 0xFF0000CC},
    {194, 193, 0xFF9900CC},
    {125, 124, 0xFF5E2F00},
    {198, 197, 0xFFFFFFFF},
    {112, 111, 0xFF010101},
}};

int WellX(int index) { return 75 + 65 * index; }
constexpr int kWellY = 495;

// --- Reading pictures ---------------------------------------------------

struct Picture {
  int width = 0, height = 0;
  bool hasAlpha = false;
  std::vector<std::uint8_t> rgba;

  const std::uint8_t* At(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
  std::uint8_t Alpha(int x, int y) const { return At(x, y)[3]; }
};

fs::path PictureFile(int number) { return kRcdata / (std::to_string(number) + ".png"); }

// Any PNG the game can read, as straight R, G, B, A bytes; empty when absent.
Picture Load(int number) {
  Picture picture;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(PictureFile(number).c_str(), "rb"),
                                             &std::fclose);
  if (!file) return picture;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return Picture{};
  }
  png_init_io(png, file.get());
  png_read_info(png, info);
  const png_byte type = png_get_color_type(png, info);
  picture.hasAlpha = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  if (!picture.hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  picture.width = int(png_get_image_width(png, info));
  picture.height = int(png_get_image_height(png, info));
  picture.rgba.resize(std::size_t(picture.width) * picture.height * 4);
  for (int y = 0; y < picture.height; ++y)
    rows.push_back(&picture.rgba[std::size_t(y) * picture.width * 4]);
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return picture;
}

const Picture& Cached(int number) {
  static std::map<int, Picture> cache;
  auto it = cache.find(number);
  if (it == cache.end()) it = cache.emplace(number, Load(number)).first;
  return it->second;
}

// --- The game screen as the click test sees it ----------------------------

struct Placed {
  int picture;
  int x, y;
  int layer;
  int region;  // -1 for the background, wells and overlays
  std::uint32_t tint;
};

// In the game screen's order of creation, then stably by layer, as the
// control tree stacks them; `shownOverlays` lists the overlays made visible.
std::vector<Placed> GameScreen(bool painted, const std::vector<int>& shownOverlays) {
  std::vector<Placed> stack{{139, 0, 0, 0, -1, 0xFFFFFFFF}};
  for (int i = 0; i < 10; ++i)
    stack.push_back({kWells[i].normal, WellX(i), kWellY, 1, -1, 0xFFFFFFFF});
  for (int k = 0; k < 35; ++k) {
    const Region& r = kRegions[k];
    stack.push_back({painted ? r.fill : r.blank, r.x, r.y, r.layer, k, 0xFFFFFFFF});
    for (const Overlay& o : kOverlays) {
      if (o.afterRegion == k &&
          std::find(shownOverlays.begin(), shownOverlays.end(), o.picture) != shownOverlays.end()) {
        stack.push_back({o.picture, o.x, o.y, o.layer, -1, 0xFFFFFFFF});
      }
    }
  }
  std::stable_sort(stack.begin(), stack.end(),
                   [](const Placed& a, const Placed& b) { return a.layer < b.layer; });
  return stack;
}

constexpr int kNothing = -2;
constexpr int kOther = -1;

// For every screen pixel, the region a click there reaches: the topmost
// picture whose pixel is fully opaque, or kOther for the background, wells
// and overlays, kNothing where no picture is opaque.
std::vector<int> ClickMap(const std::vector<Placed>& stack) {
  std::vector<int> owner(kScreenWidth * kScreenHeight, kNothing);
  for (const Placed& p : stack) {
    const Picture& picture = Cached(p.picture);
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const int sx = p.x + x, sy = p.y + y;
        if (sx < 0 || sy < 0 || sx >= kScreenWidth || sy >= kScreenHeight) continue;
        if (picture.Alpha(x, y) == 255) owner[sy * kScreenWidth + sx] = p.region;
      }
    }
  }
  return owner;
}

// The side of the largest square of pixels that all reach `region`.
int LargestSquare(const std::vector<int>& owner, int region) {
  std::vector<int> run(kScreenWidth * kScreenHeight, 0);
  int best = 0;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      const int i = y * kScreenWidth + x;
      if (owner[i] != region) continue;
      const int up = y > 0 ? run[i - kScreenWidth] : 0;
      const int left = x > 0 ? run[i - 1] : 0;
      const int diag = x > 0 && y > 0 ? run[i - kScreenWidth - 1] : 0;
      run[i] = 1 + std::min({up, left, diag});
      best = std::max(best, run[i]);
    }
  }
  return best;
}

// A child's click should not need aim finer than this: each region offers
// at least this many pixels, among them a square of this side.
constexpr int kMinClickablePixels = 250;
constexpr int kMinClickableSquare = 8;

void ExpectEveryRegionClickable(const std::vector<int>& owner, const char* state) {
  std::array<int, 35> count{};
  for (int o : owner) {
    if (o >= 0) ++count[o];
  }
  std::string figures;
  for (int k = 0; k < 35; ++k) {
    const int square = LargestSquare(owner, k);
    EXPECT_GE(count[k], kMinClickablePixels) << "region " << k << ", " << state;
    EXPECT_GE(square, kMinClickableSquare) << "region " << k << ", " << state;
    figures +=
        std::to_string(k) + ":" + std::to_string(count[k]) + "/" + std::to_string(square) + " ";
  }
  // Pixels and the side of the largest square, region by region.
  testing::Test::RecordProperty(std::string("clickable_") + state, figures);
}

// --- Sizes ----------------------------------------------------------------

struct SizeCase {
  int number;
  int width, height;
  bool transparent;  // has see-through parts, so it needs an alpha channel
};

std::vector<SizeCase> SizeCases() {
  std::map<int, SizeCase> cases;
  for (const Region& r : kRegions) {
    cases[r.blank] = {r.blank, r.width, r.height, true};
    cases[r.fill] = {r.fill, r.width, r.height, true};
  }
  for (const Overlay& o : kOverlays) cases[o.picture] = {o.picture, o.width, o.height, true};
  for (const Well& w : kWells) {
    cases[w.normal] = {w.normal, 58, 58, true};
    cases[w.ringed] = {w.ringed, 64, 64, true};
  }
  for (const SizeCase& c : std::initializer_list<SizeCase>{{139, 800, 600, false},
                                                           {192, 34, 35, true},
                                                           {214, 34, 35, true},
                                                           {211, 800, 600, false},
                                                           {212, 735, 119, true},
                                                           {213, 712, 440, true}}) {
    cases[c.number] = c;
  }
  std::vector<SizeCase> list;
  for (const auto& [number, c] : cases) list.push_back(c);
  return list;
}

class PictureSize : public testing::TestWithParam<SizeCase> {};

TEST_P(PictureSize, MatchesTheGameScreen) {
  const SizeCase& c = GetParam();
  const Picture& picture = Cached(c.number);
  ASSERT_FALSE(picture.rgba.empty()) << PictureFile(c.number) << " is missing or unreadable";
  EXPECT_EQ(picture.width, c.width);
  EXPECT_EQ(picture.height, c.height);
  if (c.transparent) {
    EXPECT_TRUE(picture.hasAlpha) << "needs an alpha channel";
  }
}

INSTANTIATE_TEST_SUITE_P(Numbered, PictureSize, testing::ValuesIn(SizeCases()),
                         [](const testing::TestParamInfo<SizeCase>& info) {
                           return std::to_string(info.param.number);
                         });

// --- Blank and fill pictures ---------------------------------------------

bool Grey(const std::uint8_t* p) { return p[0] == p[1] && p[1] == p[2]; }

class RegionPictures : public testing::TestWithParam<int> {};

TEST_P(RegionPictures, BlankIsCanvasGreyInsideABlackOutline) {
  const Picture& blank = Cached(kRegions[GetParam()].blank);
  ASSERT_FALSE(blank.rgba.empty());
  int opaque = 0, canvas = 0, black = 0, transparent = 0;
  for (int y = 0; y < blank.height; ++y) {
    for (int x = 0; x < blank.width; ++x) {
      const std::uint8_t* p = blank.At(x, y);
      if (p[3] == 0) ++transparent;
      if (p[3] != 255) continue;
      ++opaque;
      ASSERT_TRUE(Grey(p) && p[0] <= kCanvasGrey) << "colour " << int(p[0]) << "," << int(p[1])
                                                  << "," << int(p[2]) << " at " << x << "," << y;
      canvas += p[0] == kCanvasGrey;
      black += p[0] <= 24;
    }
  }
  EXPECT_GT(canvas, opaque / 4) << "canvas grey inside";
  // The sky alone is bounded by the canvas on three sides and the hills
  // lie over its fourth: it has no outline and nothing outside.
  if (GetParam() != 0) {
    EXPECT_GT(black, 40) << "black outline";
    EXPECT_GT(transparent, 0) << "transparent outside the shape";
  }
}

TEST_P(RegionPictures, FillHasTheBlankShape) {
  const Region& r = kRegions[GetParam()];
  if (r.fill == r.blank) GTEST_SKIP() << "keeps its blank picture";
  const Picture& blank = Cached(r.blank);
  const Picture& fill = Cached(r.fill);
  ASSERT_EQ(fill.rgba.size(), blank.rgba.size());
  int white = 0, opaque = 0, coloured = 0, notWhite = 0;
  for (int y = 0; y < fill.height; ++y) {
    for (int x = 0; x < fill.width; ++x) {
      // Same pixels to click, whichever picture the region shows.
      ASSERT_EQ(fill.Alpha(x, y), blank.Alpha(x, y)) << "at " << x << "," << y;
      const std::uint8_t* p = fill.At(x, y);
      if (p[3] != 255) continue;
      ++opaque;
      white += p[0] == 255 && p[1] == 255 && p[2] == 255;
      coloured += !Grey(p);
      notWhite += !(p[0] == 255 && p[1] == 255 && p[2] == 255);
    }
  }
  if (r.paintedFill) {
    EXPECT_GT(notWhite, opaque / 2) << "shows its paint";
  } else {
    EXPECT_EQ(coloured, 0) << "a white mask, so the tint gives the shade";
    EXPECT_GT(white, opaque / 4);
  }
}

INSTANTIATE_TEST_SUITE_P(AllRegions, RegionPictures, testing::Range(0, 35));

// --- Clicking the picture ---------------------------------------------------

TEST(ClickablePicture, EveryRegionBeforeColouring) {
  ExpectEveryRegionClickable(ClickMap(GameScreen(false, {})), "blank");
}

TEST(ClickablePicture, EveryRegionWithAllOverlaysShown) {
  ExpectEveryRegionClickable(ClickMap(GameScreen(true, {159, 128, 115})), "painted");
}

TEST(ClickablePicture, CoversTheWholeCanvas) {
  // Otherwise the canvas grey would show between painted neighbours.
  const std::vector<int> owner = ClickMap(GameScreen(false, {}));
  int gaps = 0;
  for (int y = kCanvasTop; y < kCanvasBottom; ++y) {
    for (int x = kCanvasLeft; x < kCanvasRight; ++x) {
      if (owner[y * kScreenWidth + x] >= 0) continue;
      if (gaps++ < 20) ADD_FAILURE() << "nothing opaque at " << x << "," << y;
    }
  }
  EXPECT_EQ(gaps, 0);
}

TEST(ClickablePicture, BetweenTheLeftApplesAClickReachesTheCrown) {
  const std::vector<int> owner = ClickMap(GameScreen(false, {}));
  const Region& apples = kRegions[18];
  bool found = false;
  for (int y = apples.y; y < apples.y + apples.height && !found; ++y) {
    const int* row = &owner[y * kScreenWidth];
    for (int x = apples.x; x < apples.x + apples.width && !found; ++x) {
      if (row[x] != 16) continue;
      const bool appleLeft = std::find(row + apples.x, row + x, 18) != row + x;
      const bool appleRight =
          std::find(row + x, row + apples.x + apples.width, 18) != row + apples.x + apples.width;
      found = appleLeft && appleRight;
    }
  }
  EXPECT_TRUE(found);
}

// --- Around the picture -------------------------------------------------------

// The game's blend of a tinted picture over the screen.
void DrawOver(std::vector<std::uint8_t>& screen, const Picture& picture, int px, int py) {
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int sx = px + x, sy = py + y;
      if (sx < 0 || sy < 0 || sx >= kScreenWidth || sy >= kScreenHeight) continue;
      const std::uint8_t* in = picture.At(x, y);
      std::uint8_t* out = &screen[(std::size_t(sy) * kScreenWidth + sx) * 3];
      for (int c = 0; c < 3; ++c)
        out[c] = std::uint8_t((in[c] * in[3] + out[c] * (255 - in[3]) + 127) / 255);
    }
  }
}

TEST(InstructionPicture, IsTheGameScreenBeforeColouring) {
  std::vector<std::uint8_t> screen(kScreenWidth * kScreenHeight * 3, 0);
  for (const Placed& p : GameScreen(false, {})) DrawOver(screen, Cached(p.picture), p.x, p.y);
  const Picture& shown = Cached(211);
  ASSERT_EQ(shown.width, kScreenWidth);
  int differing = 0;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      for (int c = 0; c < 3; ++c) {
        differing +=
            std::abs(shown.At(x, y)[c] - screen[(std::size_t(y) * kScreenWidth + x) * 3 + c]) > 2;
      }
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST(BackgroundPicture, CanvasIsLightGreyAndTheWellsAreDark) {
  const Picture& background = Cached(139);
  ASSERT_EQ(background.width, kScreenWidth);
  for (int y = kCanvasTop; y < kCanvasBottom; ++y) {
    for (int x = kCanvasLeft; x < kCanvasRight; ++x) {
      const std::uint8_t* p = background.At(x, y);
      ASSERT_TRUE(Grey(p) && p[0] == kCanvasGrey) << "at " << x << "," << y;
    }
  }
  for (int i = 0; i < 10; ++i) {
    const std::uint8_t* centre = background.At(WellX(i) + 29, kWellY + 29);
    EXPECT_LT(centre[0] + centre[1] + centre[2], 3 * 80) << "well " << i;
  }
}

TEST(WellPictures, ShowTheirPaintInTheMiddle) {
  for (const Well& well : kWells) {
    for (const int number : {well.normal, well.ringed}) {
      const Picture& picture = Cached(number);
      ASSERT_FALSE(picture.rgba.empty()) << number;
      const std::uint8_t* middle = picture.At(picture.width / 2, picture.height / 2);
      for (int c = 0; c < 3; ++c) {
        const int expected = int(well.brushColour >> (16 - 8 * c)) & 0xFF;
        EXPECT_NEAR(middle[c], expected, 40) << "picture " << number << ", channel " << c;
      }
      EXPECT_EQ(picture.Alpha(0, 0), 0) << "round, picture " << number;
    }
  }
}

TEST(BrushPictures, WhiteBucketTakesTheTintAndTheDarkOneCarriesDarkPaint) {
  const auto shares = [](const Picture& p) {
    int opaque = 0, light = 0, dark = 0;
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        const std::uint8_t* q = p.At(x, y);
        if (q[3] < 128) continue;
        ++opaque;
        light += q[0] > 190 && q[1] > 190 && q[2] > 190;
        dark += q[0] < 50 && q[1] < 50 && q[2] < 50;
      }
    }
    return std::array<int, 3>{opaque, light, dark};
  };
  const auto white = shares(Cached(192));
  const auto black = shares(Cached(214));
  EXPECT_GT(white[1], white[0] / 3);
  EXPECT_GT(black[2], white[2] + 40);
  // The paint's drop ends just above the pointer, 5 right of the left edge.
  bool dropNearPointer = false;
  const Picture& brush = Cached(192);
  for (int x = 2; x <= 8; ++x) dropNearPointer |= brush.Alpha(x, 33) == 255;
  EXPECT_TRUE(dropNearPointer);
}

TEST(VeilPictures, AreTheDarkTranslucentColourWithSoftEdges) {
  for (const int number : {212, 213}) {
    const Picture& veil = Cached(number);
    ASSERT_FALSE(veil.rgba.empty()) << number;
    int strongest = 0;
    for (int y = 0; y < veil.height; ++y) {
      for (int x = 0; x < veil.width; ++x) {
        const std::uint8_t* p = veil.At(x, y);
        if (p[3] > 0) {
          ASSERT_TRUE(p[0] == 61 && p[1] == 80 && p[2] == 83) << number;
        }
        strongest = std::max<int>(strongest, p[3]);
      }
    }
    EXPECT_EQ(strongest, 115) << number;
    EXPECT_EQ(veil.Alpha(veil.width / 2, veil.height / 2), 115) << number;
    EXPECT_LT(veil.Alpha(veil.width / 2, 0), 40) << number;
    EXPECT_EQ(veil.Alpha(0, 0), 0) << number;
  }
}

// --- Sounds -----------------------------------------------------------------

struct SoundCase {
  int number;
  double shortest, longest;  // seconds
};

class SoundFile : public testing::TestWithParam<SoundCase> {};

std::uint64_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
  std::uint64_t value = 0;
  for (int i = size; i-- > 0;) value = value << 8 | bytes[at + i];
  return value;
}

TEST_P(SoundFile, IsStereoVorbisAt44000HzOfItsLength) {
  const SoundCase& c = GetParam();
  std::ifstream in(kRcdata / (std::to_string(c.number) + ".ogg"), std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GT(bytes.size(), 64u) << c.number << ".ogg is missing";
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OggS");
  // The first page holds the identification header: type 1, "vorbis",
  // version, channels, sample rate.
  const std::size_t packet = 27 + bytes[26];
  ASSERT_EQ(std::string(bytes.begin() + packet, bytes.begin() + packet + 7), "\x01vorbis");
  EXPECT_EQ(bytes[packet + 11], 2) << "channels";
  EXPECT_EQ(LittleEndian(bytes, packet + 12, 4), 44000u) << "sample rate";
  // The last page's granule position counts the samples of the whole sound.
  const std::string text(bytes.begin(), bytes.end());
  const std::size_t last = text.rfind("OggS");
  const double seconds = double(LittleEndian(bytes, last + 6, 8)) / 44000;
  EXPECT_GE(seconds, c.shortest);
  EXPECT_LE(seconds, c.longest);
}

INSTANTIATE_TEST_SUITE_P(Numbered, SoundFile,
                         testing::Values(SoundCase{215, 0.75, 0.85}, SoundCase{207, 1.3, 1.9},
                                         SoundCase{208, 1.3, 1.9}, SoundCase{209, 1.3, 1.9},
                                         SoundCase{210, 1.3, 1.9}, SoundCase{201, 38.0, 38.6}),
                         [](const testing::TestParamInfo<SoundCase>& info) {
                           return std::to_string(info.param.number);
                         });

}  // namespace
