#pragma once
// IMAnimationBase<V>: a control that plays its animated view's frames once,
// from the first to the last, at one frame per framePeriod (in units of
// 1/60000 s; 2400 is 25 frames a second).
//
// The frame shown is worked out from the time since Play at every update,
// never counted, so a slow pass skips frames rather than slowing the
// animation. When the pass is over the last frame stays on screen and
// Finished is emitted; playing again takes another Play.

#include <cstdint>

#include "engine/gui/ViewControl.h"
#include "engine/platform/clock/CurrentClock.h"

template <class V>
class IMAnimationBase : public IMViewControl<V> {
 public:
  IMAnimationBase(IMDialogBase* parent, int32_t layer) : IMViewControl<V>(parent, layer) {}

  // Starts a pass from the frame now shown (callers set it first).
  void Play() {
    EmitSignal(Started, IMEvent(this, kEventGeneric));
    EmitSignal(FrameChanged, IMEvent(this, kEventGeneric));
    playing = true;
    startCounter = platform::QueryPerformanceCounter();
  }
  bool IsPlaying() const { return playing; }

  // Cuts the animation's own signals too, as Destroy cuts the control's.
  void Destroy() override {
    Started.disconnect_all_slots();
    Finished.disconnect_all_slots();
    FrameChanged.disconnect_all_slots();
    IMViewControl<V>::Destroy();
  }

  void OnUpdate() override {
    if (!playing) return;
    const int64_t first = this->GetFirstFrame();
    const int64_t last = this->GetLastFrame();
    const int64_t span = last - first + 1;
    if (framePeriod <= 0 || span <= 0) {
      Finish();
      return;
    }
    const int64_t elapsed = platform::QueryPerformanceCounter() - startCounter;
    const int64_t n = elapsed * 60000 / platform::QueryPerformanceFrequency() / framePeriod;
    const int64_t target = first + n % span;
    if (target == this->GetFrame()) return;
    if (n <= last - first) {
      EmitSignal(FrameChanged, IMEvent(this, kEventGeneric));
      this->SetFrame(static_cast<int32_t>(target));
    } else {
      Finish();
    }
  }

  boost::signals2::connection ConnectStarted(const IMEventSignal::slot_type& slot) {
    return Started.connect(slot);
  }
  boost::signals2::connection ConnectFinished(const IMEventSignal::slot_type& slot) {
    return Finished.connect(slot);
  }
  boost::signals2::connection ConnectFrameChanged(const IMEventSignal::slot_type& slot) {
    return FrameChanged.connect(slot);
  }

  int64_t startCounter = 0;
  int32_t framePeriod = 2400;
  bool playing = false;
  IMEventSignal Started;
  IMEventSignal Finished;
  IMEventSignal FrameChanged;

 private:
  void Finish() {
    playing = false;
    EmitSignal(Finished, IMEvent(this, kEventGeneric));
  }
};
