// Character textures: the glyph path read from native outlines, the font
// cache, and the textures rendered from them (size, colours and coverage,
// placement on the baseline, sharing by key, video memory running out).

#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/render/GlyphPath.h"
#include "tests/render/engine_fixture.h"

namespace {

using platform::PointFx;

// --- Glyph path on hand-made outlines ------------------------------------

class OutlineBytes {
 public:
  void Polygon(double x, double y) {
    polygonAt = bytes.size();
    platform::OutlinePolygonHeader header;
    header.start = Fx(x, y);
    Put(&header, sizeof header);
    Size();
  }
  void Curve(uint16_t type, std::vector<std::pair<double, double>> points) {
    platform::OutlineCurve curve{type, static_cast<uint16_t>(points.size())};
    Put(&curve, sizeof curve);
    for (auto [x, y] : points) {
      const PointFx p = Fx(x, y);
      Put(&p, sizeof p);
    }
    Size();
  }
  std::vector<uint8_t> bytes;

 private:
  static PointFx Fx(double x, double y) {
    return PointFx{platform::FixedFromRaw(static_cast<int32_t>(x * 65536)),
                   platform::FixedFromRaw(static_cast<int32_t>(y * 65536))};
  }
  void Put(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    bytes.insert(bytes.end(), b, b + n);
  }
  void Size() {
    const auto size = static_cast<uint32_t>(bytes.size() - polygonAt);
    std::memcpy(bytes.data() + polygonAt, &size, sizeof size);
  }
  size_t polygonAt = 0;
};

struct Vertex {
  unsigned command;
  double x, y;
  friend bool operator==(const Vertex&, const Vertex&) = default;
  friend std::ostream& operator<<(std::ostream& o, const Vertex& v) {
    return o << "{" << v.command << ", " << v.x << ", " << v.y << "}";
  }
};

std::vector<Vertex> ReadAll(IMGlyphPath& path) {
  std::vector<Vertex> out;
  path.rewind(0);
  for (;;) {
    Vertex v{};
    v.command = path.vertex(&v.x, &v.y);
    out.push_back(v);
    if (v.command == IMGlyphPath::kStop) return out;
  }
}

platform::TextMetrics Metrics(int32_t height, int32_t descent) {
  platform::TextMetrics m;
  m.tmHeight = height;
  m.tmDescent = descent;
  m.tmAscent = height - descent;
  return m;
}

TEST(GlyphPath, ReadsPolygonsLiftedByTheDescentWithSplinesSplitAtImpliedPoints) {
  OutlineBytes outline;
  outline.Polygon(1, -0.5);
  outline.Curve(platform::kCurveLine, {{3, -0.5}});
  // Controls (4, 1) and (-1, 2) imply the on-curve point halfway, (1.5, 1.5).
  outline.Curve(platform::kCurveQSpline, {{4, 1}, {-1, 2}, {1, 3}});
  outline.Curve(platform::kCurveCSpline, {{9, 9}, {9, 9}, {9, 9}});  // skipped
  outline.Curve(platform::kCurveLine, {{1, -0.5}});
  IMGlyphPath path;
  path.Build(Metrics(20, 4), platform::AbcWidths{1, 5, 2}, outline.bytes,
             static_cast<uint32_t>(outline.bytes.size()), false);
  EXPECT_EQ(path.Advance(), 8);
  EXPECT_EQ(path.CellHeight(), 20);
  const std::vector<Vertex> expected = {
      {1, 1, 3.5}, {2, 3, 3.5}, {3, 4, 5},    {3, 1.5, 5.5}, {3, -1, 6},
      {3, 1, 7},   {2, 1, 3.5}, {0x5F, 0, 0}, {0, 0, 0},
  };
  EXPECT_EQ(ReadAll(path), expected);
  // Reading again from the start gives the same, and past the end only
  // stops.
  EXPECT_EQ(ReadAll(path), expected);
  double x = 1, y = 1;
  EXPECT_EQ(path.vertex(&x, &y), IMGlyphPath::kStop);
}

TEST(GlyphPath, UnderlineIsABandBetweenAFifteenthAndAHalfOfTheDescent) {
  IMGlyphPath path;
  path.Build(Metrics(25, 5), platform::AbcWidths{0, 0, 7}, {}, 0, true);
  const std::vector<Vertex> expected = {{1, 0, 2.5},      {2, 7, 2.5},  {2, 7, 5.0 / 15},
                                        {2, 0, 5.0 / 15}, {0x5F, 0, 0}, {0, 0, 0}};
  EXPECT_EQ(ReadAll(path), expected);
}

TEST(GlyphPath, FailedOrDamagedOutlinesEndThePathCleanly) {
  OutlineBytes outline;
  outline.Polygon(0, 0);
  outline.Curve(platform::kCurveLine, {{1, 0}, {1, 1}});
  IMGlyphPath path;
  // The outline call failed: nothing but the stop.
  path.Build(Metrics(16, 3), platform::AbcWidths{0, 4, 0}, outline.bytes, 0xFFFFFFFFu, false);
  EXPECT_EQ(ReadAll(path), (std::vector<Vertex>{{0, 0, 0}}));
  // Cut inside the curve record: the record is not read past the end.
  std::vector<uint8_t> cut(outline.bytes.begin(), outline.bytes.end() - 4);
  std::memcpy(cut.data(), &outline.bytes[0], 4);
  path.Build(Metrics(16, 3), platform::AbcWidths{0, 4, 0}, cut,
             static_cast<uint32_t>(outline.bytes.size()), false);
  const auto vertices = ReadAll(path);
  EXPECT_EQ(vertices.back().command, IMGlyphPath::kStop);
  EXPECT_LE(vertices.size(), 2u);
}

// --- Font cache and character textures -----------------------------------

class CharacterTextures : public EngineFixture {
 protected:
  uint32_t Texel(uint32_t handle, int32_t x, int32_t y) {
    const IMTextureEntry* entry = engine->Entry(handle);
    uint32_t texel = 0;
    std::memcpy(&texel, entry->cpuPixels.get() + static_cast<size_t>(y) * entry->cpuPitch + x * 4,
                4);
    return texel;
  }
  RECT ImageOf(uint32_t handle) { return engine->Entry(handle)->imageRect; }
  uint32_t Make(const std::u16string& key, char16_t ch, int32_t height,
                uint32_t colour = 0xFF000000u, uint32_t background = 0x00AFAFAFu,
                bool underline = false, bool bold = false, const RECT* size = nullptr) {
    return engine->CreateTextTexture(key, ch, size, colour, height, u"Arial", false, bold,
                                     underline, background);
  }
  // Rows of the image holding a pixel of more than half coverage.
  std::vector<int32_t> InkedRows(uint32_t handle) {
    std::vector<int32_t> rows;
    const RECT image = ImageOf(handle);
    for (int32_t y = 0; y < image.bottom; ++y) {
      for (int32_t x = 0; x < image.right; ++x) {
        if ((Texel(handle, x, y) >> 24) > 128) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  }
};

TEST_F(CharacterTextures, FontRecordsAreSharedByFaceHeightBoldAndItalicButNotUnderline) {
  const uint32_t plain = engine->GetFont(u"Arial", 16, false, false, false);
  EXPECT_EQ(engine->GetFont(u"Arial", 16, false, false, true), plain);
  EXPECT_EQ(engine->FontCount(), 1u);
  const uint32_t others[] = {engine->GetFont(u"Arial", 18, false, false, false),
                             engine->GetFont(u"Arial", 16, true, false, false),
                             engine->GetFont(u"Arial", 16, false, true, false),
                             engine->GetFont(u"Times New Roman", 16, false, false, false)};
  EXPECT_EQ(engine->FontCount(), 5u);
  for (const uint32_t other : others) EXPECT_NE(other, plain);
  EXPECT_EQ(engine->GetTextMetrics(plain).tmHeight, 16);

  // An underlined character still uses the one record; its underline is
  // drawn by the path, into the descent below the baseline.
  const uint32_t underlined = Make(u"u", u'x', 16, 0xFF000000u, 0x00AFAFAFu, true);
  const uint32_t bare = Make(u"b", u'x', 16);
  EXPECT_EQ(engine->FontCount(), 5u);
  const auto descent = engine->GetTextMetrics(plain).tmDescent;
  EXPECT_THAT(InkedRows(underlined), testing::Contains(testing::Gt(15 - descent)));
  EXPECT_THAT(InkedRows(bare), testing::Each(testing::Le(15 - descent)));
}

TEST_F(CharacterTextures, CachedAnswersAgreeAndAreKept) {
  const uint32_t font = engine->GetFont(u"Arial", 18, false, false, false);
  const auto abc = engine->GetCharWidths(font, u'Ж');
  const auto metrics = engine->GetGlyphMetrics(font, u'Ж');
  EXPECT_EQ(abc.abcA + static_cast<int32_t>(abc.abcB) + abc.abcC, metrics.gmCellIncX);
  EXPECT_EQ(engine->GetGlyphOutline(font, u'Ж').size(), engine->GetGlyphOutlineSize(font, u'Ж'));
  EXPECT_EQ(engine->GetGlyphOutlineSize(font, u' '), 0u);
  // The same span each time: the outline is kept, not asked again.
  EXPECT_EQ(engine->GetGlyphOutline(font, u'Ж').data(), engine->GetGlyphOutline(font, u'Ж').data());
}

TEST_F(CharacterTextures, TextureIsAdvanceByCellWithZeroSizesWidenedToOnePixel) {
  const uint32_t font = engine->GetFont(u"Arial", 18, false, false, false);
  const auto abc = engine->GetCharWidths(font, u'Ж');
  const uint32_t zh = Make(u"zh", u'Ж', 18);
  EXPECT_EQ(ImageOf(zh), (RECT{0, 0, abc.abcA + static_cast<int32_t>(abc.abcB) + abc.abcC, 18}));
  // A combining accent has no advance.
  EXPECT_EQ(ImageOf(Make(u"accent", u'\u0301', 18)), (RECT{0, 0, 1, 18}));
  // A size given wins, and a zero height is widened too.
  const RECT given{5, 5, 25, 5};
  EXPECT_EQ(ImageOf(Make(u"given", u'Ж', 18, 0xFF000000u, 0x00AFAFAFu, false, false, &given)),
            (RECT{0, 0, 20, 1}));
}

TEST_F(CharacterTextures, CoverageBlendsTheTextColourOverTheBackground) {
  // A space with an underline at height 25 (descent 5) covers, counted up
  // from the bottom row: 2/3 of row 0, all of row 1, half of row 2.
  const uint32_t band = Make(u"band", u' ', 25, 0xFF000000u, 0x00AFAFAFu, true);
  const int32_t bottom = ImageOf(band).bottom - 1;
  EXPECT_EQ(Texel(band, 1, bottom - 1), 0xFF000000u) << "fully covered";
  EXPECT_EQ(Texel(band, 1, 0), 0x00AFAFAFu) << "uncovered";
  const uint32_t half = Texel(band, 1, bottom - 2);
  EXPECT_NEAR(static_cast<int>(half >> 24), 128, 3);
  const int grey = static_cast<int>(half & 0xFF);
  EXPECT_GT(grey, 0x20);
  EXPECT_LT(grey, 0x90);
  EXPECT_EQ((half >> 8) & 0xFF, half & 0xFF);
}

TEST_F(CharacterTextures, CharacterStandsUprightOnTheBaseline) {
  for (const int32_t height : {14, 18, 25}) {
    SCOPED_TRACE(height);
    const uint32_t font = engine->GetFont(u"Arial", height, false, false, false);
    const auto& m = engine->GetTextMetrics(font);
    const uint32_t t = Make(u"T" + std::u16string(1, static_cast<char16_t>(height)), u'Т', height);
    const auto rows = InkedRows(t);
    ASSERT_FALSE(rows.empty());
    // The stem ends on the baseline, tmDescent rows above the bottom; the
    // bar is at the top, the cap height (0.69 em) above the baseline.
    EXPECT_EQ(rows.back(), height - 1 - m.tmDescent);
    const int32_t capTop =
        m.tmAscent - static_cast<int32_t>(std::lround(0.69 * (height - m.tmInternalLeading)));
    EXPECT_NEAR(rows.front(), capTop, 1);
    // The bar is wider than the stem.
    auto inked = [&](int32_t y) {
      int n = 0;
      for (int32_t x = 0; x < ImageOf(t).right; ++x) n += (Texel(t, x, y) >> 24) > 128;
      return n;
    };
    EXPECT_GT(inked(rows.front()), 2 * inked(rows.back()));
  }
}

TEST_F(CharacterTextures, SecondRequestForAKeyOnlyAddsAReference) {
  const uint32_t first = Make(u"key", u'Ж', 18, 0xFF000000u);
  const uint32_t handles = engine->HandleCount();
  const uint64_t memory = device->VideoMemoryInUse();
  // The key decides: a different colour under the same key renders nothing.
  const uint32_t second = Make(u"key", u'Ж', 18, 0xFFFF0000u);
  EXPECT_EQ(second, first);
  EXPECT_EQ(engine->Entry(first)->refCount, 2);
  EXPECT_EQ(engine->HandleCount(), handles);
  EXPECT_EQ(device->VideoMemoryInUse(), memory);
  const RECT image = ImageOf(first);
  for (int32_t y = 0; y < image.bottom; ++y) {
    for (int32_t x = 0; x < image.right; ++x) {
      const uint32_t texel = Texel(first, x, y);
      // Black over grey stays grey; red would lift the red channel.
      EXPECT_EQ((texel >> 16) & 0xFF, (texel >> 8) & 0xFF) << x << "," << y;
    }
  }
}

TEST_F(CharacterTextures, OutOfVideoMemoryEvictsAnotherTextureAndRetries) {
  const uint32_t other = AddSolid(u"other", 64, 64, 0xFF00FF00u);
  device->SetVideoMemoryBudget(device->VideoMemoryInUse() + 1024);
  const uint32_t zh = Make(u"zh", u'Ж', 25);
  ASSERT_NE(zh, engine->HandleCount());
  EXPECT_TRUE(engine->Entry(zh)->texture);
  EXPECT_FALSE(engine->Entry(other)->texture) << "the other texture stays registered, evicted";
  EXPECT_THAT(InkedRows(zh), testing::Not(testing::IsEmpty()));
  // With nothing left to evict the request fails cleanly.
  device->SetVideoMemoryBudget(0);
  EXPECT_EQ(Make(u"big", u'Ж', 25, 0xFF000000u, 0x00AFAFAFu, false, true), engine->HandleCount());
}

}  // namespace
