// The letterbox mapping: scale and bars for the window sizes the program
// meets, and the agreement of window, client and screen positions.

#include "engine/platform/window/sdl/Letterbox.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct FitCase {
  int32_t width;
  int32_t height;
  double scale;
  RECT picture;
};

class LetterboxFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(LetterboxFit, ScalesToFitAndCentres) {
  const FitCase& c = GetParam();
  const Letterbox box(800, 600, RECT{0, 0, c.width, c.height});
  EXPECT_DOUBLE_EQ(box.Scale(), c.scale);
  EXPECT_EQ(box.Picture(), c.picture);
}

TEST_P(LetterboxFit, PictureCornersAreClientCorners) {
  const FitCase& c = GetParam();
  const Letterbox box(800, 600, RECT{0, 0, c.width, c.height});
  const RECT p = box.Picture();
  EXPECT_EQ(box.WindowToClient(POINT{p.left, p.top}), (POINT{0, 0}));
  EXPECT_EQ(box.WindowToClient(POINT{p.right - 1, p.bottom - 1}), (POINT{799, 599}));
  // The first pixel of a bar, or past the window, is already outside.
  EXPECT_EQ(box.WindowToClient(POINT{p.left - 1, p.top - 1}), (POINT{-1, -1}));
  EXPECT_EQ(box.WindowToClient(POINT{p.right, p.bottom}), (POINT{800, 600}));
}

TEST_P(LetterboxFit, ClientPointsRoundTripThroughWindowPixels) {
  const FitCase& c = GetParam();
  const Letterbox box(800, 600, RECT{0, 0, c.width, c.height});
  for (const POINT client : {POINT{0, 0}, POINT{799, 0}, POINT{0, 599}, POINT{799, 599},
                             POINT{478, 378}, POINT{1, 1}, POINT{-3, 700}}) {
    const POINT window = box.ClientToWindow(client);
    EXPECT_EQ(box.WindowToClient(window), client) << client.x << "," << client.y;
    if (PtInRect(RECT{0, 0, 800, 600}, client)) {
      EXPECT_TRUE(PtInRect(box.Picture(), window)) << window.x << "," << window.y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(LetterboxWindowSizes, LetterboxFit,
                         ::testing::Values(FitCase{800, 600, 1.0, RECT{0, 0, 800, 600}},
                                           FitCase{1024, 768, 1.28, RECT{0, 0, 1024, 768}},
                                           FitCase{1920, 1080, 1.8, RECT{240, 0, 1680, 1080}},
                                           FitCase{1280, 1024, 1.6, RECT{0, 32, 1280, 992}},
                                           FitCase{1280, 720, 1.2, RECT{160, 0, 1120, 720}},
                                           // 1066.7 pixels across round to 1067.
                                           FitCase{1280, 800, 1067.0 / 800.0,
                                                   RECT{106, 0, 1173, 800}}),
                         [](const ::testing::TestParamInfo<FitCase>& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

TEST(LetterboxMapping, PointsInsideTheWindowMapTheWayTheScaleSays) {
  const Letterbox box(800, 600, RECT{0, 0, 1024, 768});
  EXPECT_EQ(box.WindowToClient(POINT{612, 484}), (POINT{478, 378}));
  // 1.28 window pixels per client pixel: pixel 2 still shows client pixel 1.
  EXPECT_EQ(box.WindowToClient(POINT{2, 2}), (POINT{1, 1}));
  EXPECT_EQ(box.WindowToClient(POINT{3, 3}), (POINT{2, 2}));
}

TEST(LetterboxMapping, PositionsLeftOfThePictureAreNegative) {
  const Letterbox box(800, 600, RECT{0, 0, 1280, 720});
  // 170 window pixels left of the picture are 141.7 client pixels.
  EXPECT_EQ(box.WindowToClient(POINT{-10, 800}), (POINT{-142, 666}));
}

struct ScreenCase {
  const char* name;
  RECT window;    // display pixels
  POINT origin;   // ClientToScreen(0, 0)
  POINT display;  // a real pointer position
  POINT screen;   // what GetCursorPos gives for it
};

class LetterboxScreen : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(LetterboxScreen, ScreenPointsAreClientPointsFromTheDisplayCorner) {
  const ScreenCase& c = GetParam();
  const Letterbox box(800, 600, c.window);
  EXPECT_EQ(box.ClientOrigin(), c.origin);
  EXPECT_EQ(box.ClientToScreen(POINT{0, 0}), c.origin);
  EXPECT_EQ(box.DisplayToScreen(c.display), c.screen);
  // GetCursorPos - ClientToScreen(0, 0) is the client point a mouse message
  // at the same place carries.
  const POINT client =
      box.WindowToClient(POINT{c.display.x - c.window.left, c.display.y - c.window.top});
  EXPECT_EQ(box.ScreenToClient(c.screen), client);
}

TEST_P(LetterboxScreen, WarpingToAScreenPointLandsOnItsClientPoint) {
  const ScreenCase& c = GetParam();
  const Letterbox box(800, 600, c.window);
  for (const POINT client : {POINT{0, 0}, POINT{799, 599}, POINT{478, 378}}) {
    const POINT screen = box.ClientToScreen(client);
    const POINT display = box.ScreenToDisplay(screen);
    EXPECT_EQ(box.DisplayToScreen(display), screen);
    EXPECT_EQ(box.WindowToClient(POINT{display.x - c.window.left, display.y - c.window.top}),
              client);
  }
}

INSTANTIATE_TEST_SUITE_P(
    LetterboxWindows, LetterboxScreen,
    ::testing::Values(ScreenCase{"Windowed", RECT{100, 50, 900, 650}, POINT{100, 50},
                                 POINT{150, 80}, POINT{150, 80}},
                      ScreenCase{"FullScreen1024x768", RECT{0, 0, 1024, 768}, POINT{0, 0},
                                 POINT{612, 484}, POINT{478, 378}},
                      // The bar is 240 pixels, 133.3 client pixels: the origin rounds to
                      // 133, and the cursor is counted from it.
                      ScreenCase{"FullScreen1920x1080", RECT{0, 0, 1920, 1080}, POINT{133, 0},
                                 POINT{240 + 180, 90}, POINT{133 + 100, 50}},
                      ScreenCase{"FullScreen1280x1024", RECT{0, 0, 1280, 1024}, POINT{0, 20},
                                 POINT{16, 32 + 16}, POINT{10, 20 + 10}}),
    [](const ::testing::TestParamInfo<ScreenCase>& info) { return std::string(info.param.name); });

TEST(LetterboxMapping, AnEmptyWindowKeepsPositionsFinite) {
  const Letterbox box(800, 600, RECT{0, 0, 0, 0});
  EXPECT_DOUBLE_EQ(box.Scale(), 1.0);
  EXPECT_EQ(box.WindowToClient(POINT{10, 20}), (POINT{10, 20}));
}

}  // namespace
}  // namespace platform
