// Sample lines as the screens show them: Russian and Latin at the heights
// the program uses, regular and bold, in the screens' dark blue on the
// default background. With PESTREL_TEXT_SCREENSHOT set to a path the frame
// is also saved there as a PNG (docs/text.png is made this way).

#include <gmock/gmock.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/text/Utf.h"
#include "engine/render/TextView.h"
#include "tests/render/engine_fixture.h"

namespace {

using TextScreenshot = EngineFixture;

constexpr uint32_t kTextColour = 0xFF072134u;
constexpr uint32_t kBandColour = 0xFFD8D9D9u;  // rows 0 to 63
constexpr uint32_t kPageColour = 0xFFE5E6E6u;  // the rest

TEST_F(TextScreenshot, SampleLinesAreInkedAntiAliasedAndOnTheirLines) {
  AddSolid(u"band", 1, 1, kBandColour);
  AddSolid(u"page", 1, 1, kPageColour);
  const std::u16string russian = u"Съешь же ещё этих мягких французских булок, да выпей чаю!";
  const std::u16string latin = u"The quick brown fox jumps over the lazy dog. 0123456789";

  struct Line {
    std::unique_ptr<IMTextView> view;
    uint32_t height;
  };
  std::vector<Line> lines;
  int32_t y = 8;
  for (const int32_t height : {14, 16, 18, 24, 25}) {
    for (const bool bold : {false, true}) {
      for (const std::u16string* sample : {&russian, &latin}) {
        auto view = std::make_unique<IMTextView>();
        view->SetStyle(IMTextStyle{.colour = kTextColour, .bold = bold, .height = height});
        view->SetText(platform::Utf8ToUtf16(std::to_string(height)) + u"  " + *sample);
        view->SetRect(RECT{12, y, 12 + view->GetSourceRect().right, y + height});
        y += height + 3;
        lines.push_back(Line{std::move(view), static_cast<uint32_t>(height)});
      }
    }
    y += 4;
  }
  ASSERT_LT(y, 600);
  for (const Line& line : lines) ASSERT_LE(line.view->GetRect().right, 800);

  Frame([&] {
    engine->DrawTexture(engine->FindTexture(u"band"), RECT{0, 0, 800, 64}, nullptr, 0xFFFFFFFFu, 0);
    engine->DrawTexture(engine->FindTexture(u"page"), RECT{0, 64, 800, 600}, nullptr, 0xFFFFFFFFu,
                        0);
    for (const Line& line : lines) line.view->Draw();
  });
  if (const char* path = std::getenv("PESTREL_TEXT_SCREENSHOT")) {
    std::string error;
    EXPECT_TRUE(device->SaveFramePng(path, &error)) << error;
  }

  for (const Line& line : lines) {
    const RECT r = line.view->GetRect();
    SCOPED_TRACE(testing::Message() << "line at " << r.top);
    // Solid strokes in the text colour, and edge pixels between it and the
    // ground: anti-aliased, not thresholded.
    int solid = 0, edge = 0;
    for (int32_t py = r.top; py < r.bottom; ++py) {
      for (int32_t px = r.left; px < r.right; ++px) {
        const uint32_t p = Pixel(px, py);
        const uint32_t ground = py < 64 ? kBandColour : kPageColour;
        if (ColourNear(p, kTextColour, 2)) {
          ++solid;
        } else if (p != ground) {
          ++edge;
        }
      }
    }
    EXPECT_GT(solid, 100);
    EXPECT_GT(edge, 100);
    // Nothing is drawn below the cell or in the row just above it.
    for (int32_t px = r.left; px < r.right; ++px) {
      EXPECT_EQ(Pixel(px, r.bottom), r.bottom < 64 ? kBandColour : kPageColour);
      EXPECT_EQ(Pixel(px, r.top - 1), r.top - 1 < 64 ? kBandColour : kPageColour);
    }
  }
}

}  // namespace
