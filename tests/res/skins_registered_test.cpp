// The skins the program carries, registered at engine start-up, and a
// picture of the button families for people to judge the look.

#include <gmock/gmock.h>

#include <cstdlib>

#include "engine/gui/Button.h"
#include "engine/gui/DialogBase.h"
#include "engine/platform/text/Utf.h"
#include "engine/res/SkinTable.h"
#include "tests/render/engine_fixture.h"

namespace {

using Skins = EngineFixture;

TEST_F(Skins, EverySkinIsRegisteredInTableOrderAndReleasedAtShutDown) {
  for (size_t i = 0; i < kSkinNames.size(); ++i) {
    EXPECT_EQ(engine->FindTexture(kSkinNames[i]), i) << platform::Utf16ToUtf8(kSkinNames[i]);
  }
  EXPECT_EQ(engine->FindTexture(u"DefaultBackGround"), 0u);
  EXPECT_EQ(engine->FindTexture(u"SelectionMask"), 56u);
  EXPECT_EQ(engine->Entry(0)->imageRect, (RECT{0, 0, 800, 600}));

  // A control's own reference outlives the registration's.
  const uint32_t held = engine->LoadTexture(u"PrintButton");
  engine->ReleaseTextureByName(u"PrintButton");
  ASSERT_NE(engine->Entry(held), nullptr);
  EXPECT_EQ(engine->Entry(held)->refCount, 1);
  engine->ReleaseTexture(held);
  EXPECT_EQ(engine->Entry(held), nullptr);
}

TEST_F(Skins, ButtonFamiliesInTheirThreeStates) {
  IMDialogBase root(nullptr);
  root.CreatePicture(0, 0, u"DefaultBackGround", 0);
  const char16_t* families[] = {u"PrintButton",   u"SaveAsButton", u"RetryButton",
                                u"CloseButton",   u"StartPopStartButton", u"SubmitButton",
                                u"OptionsButton", u"CancelButton"};
  int32_t y = 20;
  for (const char16_t* family : families) {
    const std::u16string name = family;
    int32_t x = 20;
    for (const std::u16string& state : {name, name + u"Nuv", name + u"Klick"}) {
      root.CreatePicture(x, y, state, 1);
      x += 180;
    }
    y += 60;
  }
  int32_t x = 20;
  for (const char16_t* skin : {u"EscButton", u"F1Button", u"F12Button", u"ExitButton",
                               u"ScrollButtonUp", u"ScrollButtonDown", u"CheckBoxChecked",
                               u"RadioButtonChecked"}) {
    root.CreatePicture(x, y + 10, skin, 1);
    x += 60;
  }
  root.Update(IMEvent(&root, kEventUpdate));
  Frame([&] { root.Draw(IMEvent(&root, kEventDraw)); });
  // The background's two bands, under and around the buttons.
  EXPECT_EQ(Pixel(799, 10), 0xFFD8D9D9u);
  EXPECT_EQ(Pixel(799, 300), 0xFFE5E6E6u);
  if (const char* folder = std::getenv("PESTREL_SCREENSHOTS")) {
    device->SaveFramePng(std::string(folder) + "/skins.png");
  }
}

}  // namespace
