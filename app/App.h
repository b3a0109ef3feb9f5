#pragma once
// App, the colouring game: the picture, the palette, the paint rules,
// completion and the game screen.

#include <array>
#include <cstdint>
#include <functional>

#include "app/PictureTables.h"
#include "engine/gui/AnimationBase.h"
#include "engine/gui/DialogBase.h"
#include "engine/gui/StaticPicture.h"
#include "engine/render/SequenceView.h"
#include "engine/render/TextureView.h"

using IMPicture = IMStaticPictureBase<IMTextureView>;

// The red blink over a region that refused a paint. It tells its owner when
// it is deleted, however it was closed (by the game, or with the container
// it lies in), so that the owner never keeps a pointer to a deleted blink.
class WrongPaintBlink : public IMAnimationBase<IMSequenceView> {
 public:
  WrongPaintBlink(IMDialogBase* parent, int32_t layer, std::function<void()> gone)
      : IMAnimationBase<IMSequenceView>(parent, layer), gone(std::move(gone)) {}
  ~WrongPaintBlink() override {
    if (gone) gone();
  }

 private:
  std::function<void()> gone;
};

class App {
 public:
  App();
  virtual ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // --- Paint rules ------------------------------------------------------
  // Selects paint 0..9 and gives the brush its look.
  void SelectPaint(int paint);
  // A click on region 0..34 with the selected paint: fills it, or refuses
  // the paint with the warning sound and the blink.
  void PaintRegion(int region);
  // The praise phrase after an accepted paint, or the reward once all 35
  // regions have taken a paint.
  void CheckCompletion();
  void PlayPraisePhrase();
  void ShowWrongPaint(int region);
  // Once per frame of the game screen: a blink whose pass is over goes.
  long RemoveFinishedBlink(const IMEvent&);

  // --- Game screen ------------------------------------------------------
  // Lays the picture, the palette and the brush out in `screen`.
  void BuildGameScreen(IMDialogBase* screen);
  long MoveBrush(const IMMouseEvent& e);
  long EnterGameScreen(const IMMouseEvent&);
  long LeaveGameScreen(const IMMouseEvent&);
  void UpdateBrushLook();

  // The finished picture's reward, over `screen`: the shell's.
  virtual void ShowReward(IMDialogBase* screen) = 0;

  // --- State ------------------------------------------------------------
  int selectedPaint = game::kWhite;
  uint32_t brushColour = 0xFFFFFFFFu;
  std::array<bool, game::kRegionCount> coloured{};
  WrongPaintBlink* wrongPaintBlink = nullptr;
  IMDialogBase* gameScreen = nullptr;
  std::array<IMPicture*, game::kRegionCount> regionPictures{};
  std::array<IMPicture*, 3> overlays{};
  IMPicture* brush = nullptr;
  uint32_t warningSound = 0;  // the warning started last, 0 before the first

 private:
  void CloseBlink();
  void HideSystemCursor();
  void ShowSystemCursor();

  bool cursorHiddenByGame = false;
};
