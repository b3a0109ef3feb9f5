// The font service on the faces installed here: which face a name gives,
// the cell a height asks for, ABC widths against the outlines, and the
// outline buffer's size contract.

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/fonts/FontLibrary.h"
#include "tests/platform/fonts/outline_reader.h"

namespace {

using platform::Font;
using platform::FontLibrary;
using platform::FontRequest;
using platform::GlyphMetrics;

class Fonts : public ::testing::Test {
 protected:
  std::unique_ptr<Font> Make(const std::u16string& face, int32_t height, bool bold = false,
                             bool italic = false) {
    FontRequest request;
    request.faceName = face;
    request.height = height;
    request.weight = bold ? platform::kWeightBold : platform::kWeightNormal;
    request.italic = italic;
    return library->CreateFont(request);
  }
  // The whole outline of `ch`, read back.
  std::vector<testfonts::Polygon> Outline(const Font& font, char16_t ch, GlyphMetrics* metrics) {
    const auto size = font.GlyphOutline(ch, *metrics, {});
    EXPECT_TRUE(size.has_value());
    std::vector<uint8_t> buffer(size.value_or(0) + 1);
    EXPECT_EQ(font.GlyphOutline(ch, *metrics, buffer), size);
    buffer.resize(size.value_or(0));
    bool ok = false;
    auto polygons = testfonts::ReadOutline(buffer, &ok);
    EXPECT_TRUE(ok);
    return polygons;
  }

  std::unique_ptr<FontLibrary> library = FontLibrary::Create();
};

TEST_F(Fonts, ArialIsLiberationSansAndAPositiveHeightIsTheCell) {
  ASSERT_TRUE(library);
  // Liberation Sans keeps Arial's Windows ascent 1854 and descent 434 of
  // 2048 units, so the cell splits as GDI splits Arial's.
  struct Case {
    int32_t height;
    int32_t ascent, descent;
  } cases[] = {{14, 11, 3}, {16, 13, 3}, {18, 15, 3}, {24, 19, 5}, {25, 20, 5}};
  for (const bool bold : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "height " << c.height << (bold ? " bold" : ""));
      const auto font = Make(u"Arial", c.height, bold);
      ASSERT_TRUE(font);
      EXPECT_EQ(font->FamilyName(), "Liberation Sans");
      EXPECT_EQ(font->FilePath().find("Bold") != std::string::npos, bold) << font->FilePath();
      EXPECT_FALSE(font->IsSyntheticBold());
      const auto& m = font->Metrics();
      EXPECT_EQ(m.tmHeight, c.height);
      EXPECT_EQ(m.tmAscent, c.ascent);
      EXPECT_EQ(m.tmDescent, c.descent);
      EXPECT_EQ(m.tmWeight, bold ? 700 : 400);
      EXPECT_GT(m.tmAveCharWidth, c.height / 3);
      EXPECT_LT(m.tmAveCharWidth, c.height * 2 / 3);
    }
  }
}

TEST_F(Fonts, NegativeHeightIsTheEmAndZeroMakesNoFont) {
  const auto font = Make(u"Arial", -16);
  ASSERT_TRUE(font);
  // An em of 16 pixels needs a cell of 16 * 2288 / 2048, about 18.
  EXPECT_EQ(font->Metrics().tmAscent, 14);
  EXPECT_EQ(font->Metrics().tmDescent, 3);
  EXPECT_EQ(font->Metrics().tmInternalLeading, 1);
  EXPECT_FALSE(Make(u"Arial", 0));
}

TEST_F(Fonts, AFaceThatIsNotFoundFallsBackToTheDefaultSansFace) {
  const auto sans = Make(u"sans-serif", 16);
  ASSERT_TRUE(sans);
  for (const std::u16string face : {u"Нет такого шрифта", u"NoSuchFace", u""}) {
    const auto font = Make(face, 16);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->FamilyName(), sans->FamilyName());
    GlyphMetrics metrics;
    EXPECT_FALSE(Outline(*font, u'Ж', &metrics).empty());
  }
}

TEST_F(Fonts, AbcWidthsAgreeWithTheOutlineAndItsMetrics) {
  for (const bool bold : {false, true}) {
    const auto font = Make(u"Arial", 25, bold);
    ASSERT_TRUE(font);
    for (const char16_t ch : std::u16string(u"AЖmjfW.р\u0301")) {
      SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<int>(ch));
      const auto abc = font->CharAbcWidths(ch);
      ASSERT_TRUE(abc);
      GlyphMetrics metrics;
      const auto polygons = Outline(*font, ch, &metrics);
      ASSERT_FALSE(polygons.empty());
      EXPECT_EQ(abc->abcA + static_cast<int32_t>(abc->abcB) + abc->abcC, metrics.gmCellIncX);
      EXPECT_EQ(abc->abcA, metrics.gmptGlyphOrigin.x);
      EXPECT_EQ(abc->abcB, metrics.gmBlackBoxX);
      // Every on-curve point lies in the black box, y upward from the
      // baseline.
      const double left = metrics.gmptGlyphOrigin.x;
      const double top = metrics.gmptGlyphOrigin.y;
      const double right = left + metrics.gmBlackBoxX;
      const double bottom = top - metrics.gmBlackBoxY;
      for (const auto& polygon : polygons) {
        EXPECT_EQ(polygon.records.back().points.back(), polygon.start) << "not closed";
        for (const auto& record : polygon.records) {
          EXPECT_TRUE(record.type == platform::kCurveLine ||
                      record.type == platform::kCurveQSpline);
          const auto& end = record.points.back();
          EXPECT_GE(end.x, left);
          EXPECT_LE(end.x, right);
          EXPECT_GE(end.y, bottom);
          EXPECT_LE(end.y, top);
        }
      }
    }
    // The Cyrillic er reaches below the baseline; the capital H stands on it
    // and reaches about the cap height (0.72 em, the em being 22 pixels).
    GlyphMetrics er, en;
    Outline(*font, u'р', &er);
    Outline(*font, u'Н', &en);
    EXPECT_LT(er.gmptGlyphOrigin.y - static_cast<int32_t>(er.gmBlackBoxY), -2);
    EXPECT_EQ(en.gmptGlyphOrigin.y - static_cast<int32_t>(en.gmBlackBoxY), 0);
    EXPECT_NEAR(en.gmptGlyphOrigin.y, 16, 1);
  }
  // Bold is wider.
  EXPECT_GT(Make(u"Arial", 25, true)->CharAbcWidths(u'm')->abcB,
            Make(u"Arial", 25)->CharAbcWidths(u'm')->abcB);
  // A combining accent takes no room of its own.
  const auto accent = Make(u"Arial", 25)->CharAbcWidths(u'\u0301');
  EXPECT_EQ(accent->abcA + static_cast<int32_t>(accent->abcB) + accent->abcC, 0);
}

TEST_F(Fonts, SpaceHasAnAdvanceButNoOutline) {
  const auto font = Make(u"Arial", 16);
  const auto abc = font->CharAbcWidths(u' ');
  ASSERT_TRUE(abc);
  EXPECT_EQ(abc->abcB, 0u);
  EXPECT_GT(abc->abcC, 2);
  GlyphMetrics metrics;
  EXPECT_EQ(font->GlyphOutline(u' ', metrics, {}), 0u);
  EXPECT_EQ(metrics.gmBlackBoxX, 1u);
  EXPECT_EQ(metrics.gmCellIncX, abc->abcC);
}

TEST_F(Fonts, OutlineFailsWhenItExceedsTheCallersBuffer) {
  const auto font = Make(u"Arial", 18);
  GlyphMetrics metrics;
  const auto size = font->GlyphOutline(u'Ж', metrics, {});
  ASSERT_TRUE(size);
  ASSERT_GT(*size, 16u);

  std::vector<uint8_t> exact(*size, 0xCD);
  EXPECT_EQ(font->GlyphOutline(u'Ж', metrics, exact), size);

  GlyphMetrics untouched;
  untouched.gmCellIncX = 77;
  std::vector<uint8_t> small(*size - 1, 0xCD);
  EXPECT_FALSE(font->GlyphOutline(u'Ж', untouched, small));
  EXPECT_EQ(untouched.gmCellIncX, 77);
  EXPECT_TRUE(std::all_of(small.begin(), small.end(), [](uint8_t b) { return b == 0xCD; }));
}

TEST_F(Fonts, ACharacterTheFaceLacksGetsItsDefaultGlyph) {
  const auto font = Make(u"Arial", 18);
  GlyphMetrics metrics;
  // A private-use character no installed face maps.
  EXPECT_FALSE(Outline(*font, u'\uE000', &metrics).empty());
  EXPECT_GT(metrics.gmCellIncX, 0);
}

TEST_F(Fonts, UnderlineAndCharacterSetAreRecordedInTheMetrics) {
  FontRequest request;
  request.faceName = u"Arial";
  request.height = 16;
  request.underline = true;
  const auto font = library->CreateFont(request);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Metrics().tmUnderlined, 1);
  EXPECT_EQ(font->Metrics().tmCharSet, platform::kRussianCharset);
}

}  // namespace
