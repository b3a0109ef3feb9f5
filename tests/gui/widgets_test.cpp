// Buttons, pictures and dialogs on a running engine.

#include <gmock/gmock.h>

#include "engine/gui/Button.h"
#include "engine/gui/DialogBase.h"
#include "engine/gui/StaticPicture.h"
#include "engine/platform/window/VirtualKeys.h"
#include "tests/render/engine_fixture.h"

using ::testing::ElementsAre;

namespace {

class Widgets : public EngineFixture {
 protected:
  Widgets() {
    AddSolid(u"Go", 40, 20, 0xFF00A000);
    AddSolid(u"GoNuv", 40, 20, 0xFF00E000);
    AddSolid(u"GoKlick", 40, 20, 0xFF006000);
    AddSolid(u"Cover", 800, 600, 0xFF808080);
  }
  void Pass() { root.Update(IMEvent(&root, kEventUpdate)); }
  void Move(int32_t x, int32_t y, uint32_t keys = 0) {
    root.OnMouseMove(IMMouseEvent(&root, WM_MOUSEMOVE, keys, x, y));
  }
  void Button(uint32_t message, uint32_t keys, int32_t x, int32_t y) {
    root.OnMouseButton(IMMouseEvent(&root, message, keys, x, y));
  }
  IMButtonBase<IMStateView>* MakeButton(int32_t x, int32_t y) {
    return root.CreateButton(x, y, u"Go", u"Go", u"GoNuv", u"GoKlick", 0);
  }
  // The state picture the button shows now.
  std::u16string Shown(IMButtonBase<IMStateView>* b) {
    return engine->Entry(b->texture)->name;
  }

  IMDialogBase root{nullptr};
};

TEST_F(Widgets, ButtonsOfOneFamilyShareTheirTextures) {
  auto* a = MakeButton(0, 0);
  auto* b = MakeButton(100, 0);
  Pass();
  EXPECT_EQ(a->GetRect(), (RECT{0, 0, 40, 20}));
  EXPECT_EQ(b->GetRect(), (RECT{100, 0, 140, 20}));
  // Each shows the normal picture and holds one reference on it, beside
  // the registration's.
  EXPECT_EQ(a->texture, b->texture);
  EXPECT_EQ(engine->Entry(a->texture)->refCount, 3);
  Move(10, 10);
  Move(110, 10);
  EXPECT_EQ(engine->Entry(engine->FindTexture(u"GoNuv"))->refCount, 2);
}

TEST_F(Widgets, ButtonPictureFollowsPressLeaveReturnAndRelease) {
  auto* button = MakeButton(0, 0);
  Pass();
  int clicks = 0;
  button->ConnectClicked([&](const IMMouseEvent&) { return ++clicks; });
  std::vector<std::u16string> seen;
  const auto look = [&] { seen.push_back(Shown(button)); };
  look();
  Move(10, 10);
  look();
  Button(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  look();
  Move(300, 300, MK_LBUTTON);
  look();
  Move(12, 12, MK_LBUTTON);
  look();
  Button(WM_LBUTTONUP, 0, 12, 12);
  look();
  EXPECT_THAT(seen, ElementsAre(u"Go", u"GoNuv", u"GoKlick", u"Go", u"GoKlick", u"GoNuv"));
  EXPECT_EQ(clicks, 1);
}

TEST_F(Widgets, DisablingUnderTheMouseShowsTheDisabledPictureAtOnce) {
  AddSolid(u"GoOff", 40, 20, 0xFF909090);
  auto* button = root.CreateButton(0, 0, u"Go", u"GoOff", u"GoNuv", u"GoKlick", 0);
  Pass();
  Move(5, 5);
  ASSERT_EQ(Shown(button), u"GoNuv");
  button->Disable();
  EXPECT_EQ(Shown(button), u"GoOff");
  int clicks = 0;
  button->ConnectClicked([&](const IMMouseEvent&) { return ++clicks; });
  Button(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Button(WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Shown(button), u"GoOff");
  button->Enable();
  EXPECT_EQ(Shown(button), u"GoNuv");
}

TEST_F(Widgets, ButtonShownAgainShowsItsCurrentState) {
  auto* button = MakeButton(0, 0);
  Pass();
  Move(5, 5);
  button->Hide();  // the hover goes to nobody ...
  Move(300, 300);  // ... and the mouse leaves while it is hidden
  button->Show();
  EXPECT_EQ(Shown(button), u"Go");
}

TEST_F(Widgets, ButtonCreatedUnderARestingMouseWaitsForTheMouseToMove) {
  Move(10, 10);
  auto* button = MakeButton(0, 0);
  Pass();
  EXPECT_EQ(Shown(button), u"Go");
  Move(11, 10);
  EXPECT_EQ(Shown(button), u"GoNuv");
}

TEST_F(Widgets, FullScreenDialogAboveTakesTheMouseFromTheScreenBelow) {
  auto* button = MakeButton(0, 0);
  int clicks = 0;
  button->ConnectClicked([&](const IMMouseEvent&) { return ++clicks; });
  auto* prompt = new IMDialogBase(&root, std::nullopt, 1099);
  prompt->CreatePicture(0, 0, u"Cover", 0);
  Pass();
  Pass();
  Move(10, 10);
  Button(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  Button(WM_LBUTTONUP, 0, 10, 10);
  EXPECT_EQ(Shown(button), u"Go");
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(root.GetHovered(), prompt);
}

TEST_F(Widgets, KeyHandlersBoundToDialogsRunInOrderAndDieWithTheirDialog) {
  std::vector<std::string> log;
  auto* first = CreateDialog(&root, 0, 0, 100, 100, 0);
  auto* second = CreateDialog(&root, 0, 0, 100, 100, 0);
  Pass();
  struct Closer {
    static long OnKey(std::vector<std::string>* log, const char* name, IMDialogBase* dialog,
                      const IMKeyboardEvent& e) {
      if (e.wParam == static_cast<uint32_t>(VK_ESCAPE)) {
        log->push_back(name);
        dialog->Close();
      }
      return 0;
    }
  };
  using boost::placeholders::_1;
  root.ConnectKeyDown(boost::bind(&Closer::OnKey, &log, "first", first, _1));
  root.ConnectKeyDown(boost::bind(&Closer::OnKey, &log, "second", second, _1));
  root.OnKeyboard(IMKeyboardEvent(&root, WM_KEYDOWN, VK_ESCAPE, 0));
  EXPECT_THAT(log, ElementsAre("first", "second"));
  Pass();  // both are deleted here
  root.OnKeyboard(IMKeyboardEvent(&root, WM_KEYDOWN, VK_ESCAPE, 0));
  EXPECT_THAT(log, ElementsAre("first", "second"));
}

TEST_F(Widgets, PictureTakesItsImageSizeAndTint) {
  auto* picture = root.CreatePicture(30, 40, u"Go", 2, 0xFF000000);
  Pass();
  EXPECT_EQ(picture->GetRect(), (RECT{30, 40, 70, 60}));
  EXPECT_EQ(root.GetLayer(picture), 2);
  Frame([&] { root.Draw(IMEvent(&root, kEventDraw)); }, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(30, 40), 0xFF000000u);  // drawn as its shape in black
  EXPECT_EQ(Pixel(70, 40), 0xFFFFFFFFu);
}

}  // namespace
