#pragma once
// A frame-by-frame animation: a list of named pictures, one shown at a time.

#include <string>
#include <vector>

#include "engine/render/AnimationView.h"
#include "engine/render/TextureView.h"

class IMSequenceView : public IMTextureView, public IMAnimationView {
 public:
  void AddFrame(const std::u16string& name) { frames.push_back(name); }
  // Shows frame n; n must name an added frame.
  void SetFrame(int32_t n) override;
  int32_t GetFrame() const override { return frame; }
  int32_t GetFirstFrame() const override { return firstFrame; }
  int32_t GetLastFrame() const override { return lastFrame; }
  // Clamped into 0 .. the number of frames (that number itself allowed).
  void SetFirstFrame(int32_t n) override { firstFrame = Clamp(n); }
  void SetLastFrame(int32_t n) override { lastFrame = Clamp(n); }
  size_t FrameCount() const { return frames.size(); }

 private:
  int32_t Clamp(int32_t n) const;

  int32_t frame = 0;
  int32_t firstFrame = 0;
  int32_t lastFrame = 0;
  std::vector<std::u16string> frames;
};
