#pragma once
// What an animation control drives in its view: which frame is shown and
// the range of frames one pass plays.

#include <cstdint>

class IMAnimationView {
 public:
  virtual ~IMAnimationView() = default;
  virtual void SetFrame(int32_t frame) = 0;
  virtual int32_t GetFrame() const = 0;
  virtual int32_t GetFirstFrame() const = 0;
  virtual int32_t GetLastFrame() const = 0;
  virtual void SetFirstFrame(int32_t frame) = 0;
  virtual void SetLastFrame(int32_t frame) = 0;
};
