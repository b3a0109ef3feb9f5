// Views: texture views drawing and hit-testing by their pixels, state
// views, frame sequences and the animation timing.

#include <gmock/gmock.h>

#include <cmath>

#include "engine/gui/AnimationBase.h"
#include "engine/gui/DialogBase.h"
#include "engine/render/SequenceView.h"
#include "engine/render/StateView.h"
#include "tests/render/engine_fixture.h"

namespace {

using Views = EngineFixture;
using Picture = IMViewControl<IMTextureView>;

// 10 x 10: a solid 6 x 6 square in the middle, alpha 200 in the ring
// around it, transparent at the border.
uint32_t RingTexel(uint32_t x, uint32_t y) {
  const uint32_t edge = std::min(std::min(x, y), std::min(9 - x, 9 - y));
  if (edge >= 2) return 0xFF00FF00u;
  if (edge == 1) return 0xC800FF00u;
  return 0x0000FF00u;
}

TEST_F(Views, TextureViewIsHitOnlyWhereThePictureIsSolidEnough) {
  AddPicture(u"ring", 10, 10, RingTexel);
  IMTextureView view;
  view.SetTexture(u"ring");
  view.SetRect(RECT{100, 100, 110, 110});
  struct Case {
    int32_t x, y;
    int32_t threshold;
    uint32_t tint;
    bool hit;
  } cases[] = {
      {105, 105, 255, 0xFFFFFFFF, true},   // solid middle
      {101, 105, 255, 0xFFFFFFFF, false},  // the ring is not solid
      {101, 105, 200, 0xFFFFFFFF, true},   // ... but solid enough for 200
      {101, 105, 201, 0xFFFFFFFF, false},
      {100, 100, 1, 0xFFFFFFFF, false},    // transparent border
      {100, 100, 0, 0xFFFFFFFF, true},     // a threshold of 0 takes every pixel
      {110, 105, 0, 0xFFFFFFFF, false},    // outside the rectangle
      {105, 105, 255, 0xFF000000, true},   // an opaque tint of any colour
      {105, 105, 1, 0x80FFFFFF, false},    // a translucent tint is never hit
  };
  for (const auto& c : cases) {
    view.alphaThreshold = c.threshold;
    view.colour = c.tint;
    EXPECT_EQ(view.HitTest(POINT{c.x, c.y}), c.hit)
        << c.x << "," << c.y << " threshold " << c.threshold << " tint " << std::hex << c.tint;
  }
  // Stretched to twice its size, the solid middle scales with it.
  view.alphaThreshold = 255;
  view.colour = 0xFFFFFFFF;
  view.SetRect(RECT{0, 0, 20, 20});
  EXPECT_TRUE(view.HitTest(POINT{5, 5}));
  EXPECT_FALSE(view.HitTest(POINT{3, 10}));
}

TEST_F(Views, TurnedViewIsHitWhereItsTurnedPictureIs) {
  AddSolid(u"bar", 60, 10, 0xFFFFFFFF);
  IMTextureView view;
  view.SetTexture(u"bar");
  view.SetRect(RECT{170, 145, 230, 155});
  view.angle = static_cast<float>(M_PI / 2);
  EXPECT_TRUE(view.HitTest(POINT{200, 125}));
  EXPECT_TRUE(view.HitTest(POINT{203, 172}));
  EXPECT_FALSE(view.HitTest(POINT{180, 150}));
  EXPECT_FALSE(view.HitTest(POINT{220, 150}));
}

TEST_F(Views, PictureUnderTheMouseIsFoundByItsPixelsInTheTree) {
  AddPicture(u"ring", 10, 10, RingTexel);
  IMDialogBase root(nullptr);
  auto* below = new Picture(&root, 0);
  below->SetTexture(u"ring");
  below->SetRect(RECT{0, 0, 10, 10});
  below->alphaThreshold = 0;
  auto* above = new Picture(&root, 1);
  above->SetTexture(u"ring");
  above->SetRect(RECT{0, 0, 10, 10});
  root.Update(IMEvent(&root, kEventUpdate));
  root.OnMouseMove(IMMouseEvent(&root, WM_MOUSEMOVE, 0, 5, 5));
  EXPECT_EQ(root.GetHovered(), above);
  // Over the transparent border of the upper picture the lower one,
  // which accepts any alpha, gets the mouse.
  root.OnMouseMove(IMMouseEvent(&root, WM_MOUSEMOVE, 0, 0, 5));
  EXPECT_EQ(root.GetHovered(), below);
  // An empty view counts its whole rectangle.
  auto* panel = new IMViewControl<IMEmptyView>(&root, 5);
  panel->SetRect(RECT{0, 0, 3, 3});
  root.Update(IMEvent(&root, kEventUpdate));
  root.OnMouseMove(IMMouseEvent(&root, WM_MOUSEMOVE, 0, 0, 0));
  EXPECT_EQ(root.GetHovered(), panel);
}

TEST_F(Views, TextureViewHoldsOneReferenceAndChangesOnlyWhenItMust) {
  const uint32_t red = AddSolid(u"red", 4, 2, 0xFFFF0000);
  const uint32_t blue = AddSolid(u"blue", 2, 2, 0xFF0000FF);
  {
    IMTextureView view;
    view.SetTexture(u"red");
    EXPECT_EQ(engine->Entry(red)->refCount, 2);
    EXPECT_EQ(view.GetSourceRect(), (RECT{0, 0, 4, 2}));
    EXPECT_TRUE(view.IsDirty());
    view.Draw();
    EXPECT_FALSE(view.IsDirty());
    view.SetTexture(u"red");  // the same again
    EXPECT_FALSE(view.IsDirty());
    EXPECT_EQ(engine->Entry(red)->refCount, 2);
    view.SetRect(view.GetRect());  // the same rectangle
    EXPECT_FALSE(view.IsDirty());

    view.SetTextureHandle(blue);
    EXPECT_EQ(engine->Entry(red)->refCount, 1);
    EXPECT_EQ(engine->Entry(blue)->refCount, 2);
    EXPECT_TRUE(view.IsDirty());

    // A name with no picture behind it leaves the view empty.
    view.SetTexture(u"no such picture.png");
    EXPECT_FALSE(view.hasTexture);
    EXPECT_EQ(engine->Entry(blue)->refCount, 1);
    view.SetTexture(u"blue");
  }
  EXPECT_EQ(engine->Entry(blue)->refCount, 1);  // given back on destruction
}

TEST_F(Views, TextureViewDrawsAtItsRectangleWithItsTint) {
  AddSolid(u"white", 4, 4, 0xFFFFFFFF);
  IMTextureView view;
  view.SetTexture(u"white");
  view.SetRect(RECT{50, 60, 58, 64});
  view.colour = 0xFF29CE00;
  Frame([&] { view.Draw(); });
  EXPECT_EQ(Pixel(50, 60), 0xFF29CE00u);
  EXPECT_EQ(Pixel(57, 63), 0xFF29CE00u);
  EXPECT_EQ(Pixel(58, 63), 0xFF000000u);
}

TEST_F(Views, StateViewWithOnlyTheNormalNameShowsItInEveryState) {
  AddSolid(u"Button", 8, 4, 0xFF808080);
  AddSolid(u"ButtonNuv", 8, 4, 0xFFA0A0A0);
  IMStateView only;
  only.SetStates(u"Button", u"", u"", u"");
  for (int32_t key : {0, 1, 3, 4}) EXPECT_EQ(only.stateTextures[key], u"Button") << key;
  EXPECT_EQ(only.stateTextures.count(2), 0u);
  EXPECT_EQ(only.texture, engine->FindTexture(u"Button"));

  IMStateView full;
  full.state = 3;
  full.SetStates(u"Button", u"Button", u"ButtonNuv", u"");
  EXPECT_EQ(full.texture, engine->FindTexture(u"ButtonNuv"));
  EXPECT_EQ(full.stateTextures[4], u"Button");
}

TEST_F(Views, AnimationShowsItsFramesByElapsedTimeAndFinishesOnce) {
  AddSolid(u"frame0", 2, 2, 0xFFFF0000);
  AddSolid(u"frame1", 2, 2, 0xFF00FF00);
  IMDialogBase root(nullptr);
  auto* animation = new IMAnimationBase<IMSequenceView>(&root, 0);
  animation->AddFrame(u"frame0");
  animation->AddFrame(u"frame1");
  animation->SetFirstFrame(0);
  animation->SetLastFrame(1);
  animation->framePeriod = 10000;  // a sixth of a second
  animation->SetFrame(animation->GetFirstFrame());
  std::vector<std::string> log;
  animation->ConnectStarted([&](const IMEvent&) { log.push_back("started"); return 0L; });
  animation->ConnectFrameChanged([&](const IMEvent&) { log.push_back("frame"); return 0L; });
  animation->ConnectFinished([&](const IMEvent&) { log.push_back("finished"); return 0L; });
  root.Update(IMEvent(&root, kEventUpdate));

  animation->Play();
  struct Step {
    int advanceMs;
    int32_t frame;
    bool playing;
  } steps[] = {{0, 0, true}, {166, 0, true}, {1, 1, true}, {166, 1, true}, {1, 1, false},
               {1000, 1, false}};
  for (const auto& s : steps) {
    clock.Advance(s.advanceMs);
    root.Update(IMEvent(&root, kEventUpdate));
    EXPECT_EQ(animation->GetFrame(), s.frame) << platform::timeGetTime();
    EXPECT_EQ(animation->IsPlaying(), s.playing) << platform::timeGetTime();
  }
  EXPECT_THAT(log, ::testing::ElementsAre("started", "frame", "frame", "finished"));
  EXPECT_EQ(animation->texture, engine->FindTexture(u"frame1"));  // the last frame stays
}

TEST(SequenceView, FirstAndLastFramesAreClampedToTheFrames) {
  IMSequenceView view;
  view.AddFrame(u"a");
  view.AddFrame(u"b");
  view.SetFirstFrame(-3);
  view.SetLastFrame(7);
  EXPECT_EQ(view.GetFirstFrame(), 0);
  EXPECT_EQ(view.GetLastFrame(), 2);  // the count itself is accepted
}

}  // namespace
