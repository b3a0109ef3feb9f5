// The paint rules of the colouring book.

#include <cstdlib>
#include <string>

#include "app/App.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/res/ResourceManager.h"

using namespace game;

namespace {

std::u16string Number(int id) {
  const std::string digits = std::to_string(id);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

void App::SelectPaint(int paint) {
  selectedPaint = paint;
  brushColour = kPaints[paint].brushColour;
  UpdateBrushLook();
}

void App::PaintRegion(int k) {
  const RegionRow& row = kRegions[k];
  const std::optional<Shade> shade = row.ShadeFor(selectedPaint);
  if (!shade) {
    ShowWrongPaint(k);
    return;
  }
  IMPicture* picture = regionPictures[k];
  if (!row.KeepsBlankPicture()) picture->SetTexture(Number(row.fillPicture));
  if (shade->kind == ShadeKind::Argb) picture->colour = shade->argb;
  if (shade->kind == ShadeKind::BrushColour) picture->colour = brushColour;
  if (shade->kind != ShadeKind::NoTint) picture->SetDirty(true);
  if (k == 24) overlays[kHouseWindows]->Show();
  if (k == 33 || k == 34) overlays[kBoyFace]->Show();
  coloured[k] = true;
  CheckCompletion();
  if (k == 30) overlays[kCarWindows]->Show();
}

void App::CheckCompletion() {
  for (bool done : coloured) {
    if (!done) {
      PlayPraisePhrase();
      return;
    }
  }
  ShowReward(gameScreen);
}

void App::PlayPraisePhrase() {
  if (!engineInstance) return;
  std::srand(platform::timeGetTime());
  if (std::rand() % 5 == 4) return;  // one accepted paint in five passes in silence
  const int phrase = std::rand() % kPraiseSoundCount;
  engineInstance->Play(engineInstance->LoadSound(Number(kFirstPraiseSound + phrase)), false);
}

void App::ShowWrongPaint(int k) {
  if (engineInstance) {
    if (engineInstance->IsPlaying(warningSound)) engineInstance->Stop(warningSound);
    warningSound = engineInstance->LoadSound(Number(kWarningSound));
    engineInstance->Play(warningSound, false);
  }
  CloseBlink();
  IMPicture* region = regionPictures[k];
  auto* blink = new WrongPaintBlink(gameScreen, gameScreen->GetLayer(region) + 1, [this] {
    wrongPaintBlink = nullptr;
  });
  for (int frame = 0; frame < 7; ++frame) {
    blink->AddFrame(Number(kRegions[k].blankPicture));
    blink->SetFrame(blink->GetFirstFrame());
  }
  blink->SetFirstFrame(0);
  blink->SetLastFrame(6);
  blink->framePeriod = 10000;
  blink->SetRect(region->GetRect());
  // The frame being left decides the look: tinted for 2/6 s, then plain
  // and tinted by turns every 1/6 s.
  blink->ConnectFrameChanged([blink](const IMEvent&) {
    blink->colour = blink->GetFrame() % 2 == 1 ? kBlinkPlain : kBlinkTint;
    blink->SetDirty(true);
    return 0L;
  });
  wrongPaintBlink = blink;
  blink->Play();
}

void App::CloseBlink() {
  if (!wrongPaintBlink) return;
  WrongPaintBlink* blink = wrongPaintBlink;
  wrongPaintBlink = nullptr;
  blink->Close();
}

long App::RemoveFinishedBlink(const IMEvent&) {
  if (wrongPaintBlink && !wrongPaintBlink->IsPlaying()) CloseBlink();
  return 0;
}
