// Event records and the packing of window messages into them.

#include <gtest/gtest.h>

#include "engine/gui/Events.h"
#include "engine/platform/window/Messages.h"

namespace {

struct PositionCase {
  int32_t x;
  int32_t y;
};

// A position outside the client area (a button held while the pointer
// leaves the window) must keep its sign: the low and high words are
// sign-extended, never read as unsigned.
TEST(MessagePositions, SurviveThePackingIntoLParamWithTheirSign) {
  const PositionCase cases[] = {{0, 0},      {799, 599}, {-5, 700},    {700, -5},
                                {-1, -1},    {32767, -32768}, {-32768, 32767}};
  for (const auto& c : cases) {
    const int32_t lParam = MakeLParam(c.x, c.y);
    EXPECT_EQ(LParamX(lParam), c.x) << c.x << "," << c.y;
    EXPECT_EQ(LParamY(lParam), c.y) << c.x << "," << c.y;
  }
  // The raw words as a window system delivers them.
  EXPECT_EQ(LParamX(static_cast<int32_t>(0x02BCFFFBu)), -5);
  EXPECT_EQ(LParamY(static_cast<int32_t>(0x02BCFFFBu)), 700);
  EXPECT_EQ(WheelDelta(static_cast<uint32_t>(-120) << 16), -120);
  EXPECT_EQ(WheelDelta((120u << 16) | MK_LBUTTON), 120);
}

struct TextCase {
  int32_t message;
  uint32_t wParam;
  std::u16string text;
};

TEST(KeyboardEventText, IsTheTypedCharacterAndNeverAControlKey) {
  const TextCase cases[] = {
      {WM_CHAR, 0x0430, u"а"},       // Cyrillic small a
      {WM_CHAR, 'A', u"A"},          //
      {WM_CHAR, ' ', u" "},          //
      {WM_CHAR, 7, u"\a"},           // below backspace still counts as text
      {WM_CHAR, 8, u""},             // backspace
      {WM_CHAR, 9, u""},             // tab
      {WM_CHAR, 10, u""},            // line feed
      {WM_CHAR, 11, u"\v"},          //
      {WM_CHAR, 13, u""},            // Enter
      {WM_CHAR, 27, u""},            // Esc
      {WM_CHAR, 0x1D11E, u"\xD11E"}, // only the low 16 bits are the unit
      {WM_KEYDOWN, 'A', u""},        //
      {WM_KEYUP, 0x0430, u""},       //
      {WM_SYSKEYDOWN, 'A', u""},     //
      {WM_DEADCHAR, 'a', u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IMKeyboardEvent(nullptr, c.message, c.wParam, 0).GetText(), c.text)
        << "message " << c.message << " wParam " << c.wParam;
  }
}

TEST(MouseEvent, KeepsItsCodeAndCarriesNoLParam) {
  const IMMouseEvent click(nullptr, kEventClickLeft, MK_SHIFT, -5, 700);
  EXPECT_TRUE(click.Is(kEventClickLeft));
  EXPECT_TRUE(click.IsMessage(kEventClickLeft));
  // A click is its own code, not the button release that completed it.
  EXPECT_FALSE(click.IsMessage(WM_LBUTTONUP));
  EXPECT_EQ(click.lParam, 0);
  EXPECT_EQ(click.wParam, MK_SHIFT);
  EXPECT_EQ(click.x, -5);
  EXPECT_EQ(click.y, 700);
}

}  // namespace
