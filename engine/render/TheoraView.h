#pragma once
// IMTheoraView plays an Ogg Theora video lying in memory as an animated
// texture view. IMAnimationBase<IMTheoraView> decides from its clock which
// frame is due and calls SetFrame; the view shows the frame it decoded on
// the previous call and decodes the next one ahead into a second texture,
// so the texture on screen is never the one being written.
//
// Everything runs on the window's thread inside the tree's update; nothing
// waits. Decoding is IMTheoraDecoder's, the pixel conversion
// ConvertYuvToX8R8G8B8's.
//
// The two textures are X8R8G8B8 (opaque whatever their fourth byte, which
// is 0) at the picture size, registered as "IMTheoraView1<n>" and
// "IMTheoraView2<n>", n counting the views opened in this process from 0.
// With the default alphaThreshold the view never takes a click.

#include <cstdint>

#include "engine/render/AnimationView.h"
#include "engine/render/TextureView.h"
#include "engine/render/TheoraDecoder.h"

class IMTheoraView : public IMTextureView, public IMAnimationView {
 public:
  IMTheoraView() = default;
  // Gives back both textures (the shown one stays referenced by the
  // texture view until its own destructor).
  ~IMTheoraView() override;

  // Reads the headers, makes the two textures, shows the first (black),
  // sets the source rectangle to the whole picture and decodes frame 0
  // into the other. `data` must outlive the view. Throws
  // std::runtime_error on a broken stream (IMTheoraDecoder's messages),
  // and "eof searched. terminate..." when the stream ends before its first
  // picture. Opening again starts over with new textures.
  void Open(const uint8_t* data, int32_t size);

  // Shows the frame prepared by the previous call (or by Open) and
  // prepares frame n + 1: frames up to it are decoded, only it is
  // converted. Consecutive n thus show consecutive frames; after a jump the
  // first call still shows the frame prepared before it. A frame earlier
  // than the one decoded rewinds to the first byte. Reaching the end of the
  // data sets the last frame to the last one decoded.
  //
  // Before Open, or after a decode step has thrown, it only records n: the
  // picture stays, and after a throw the last frame becomes the one on
  // screen so that an animation's pass ends there. Throws as Open.
  void SetFrame(int32_t n) override;
  int32_t GetFrame() const override { return frame; }
  int32_t GetFirstFrame() const override { return firstFrame; }
  // 2147483647 until a decode step reaches the end of the data.
  int32_t GetLastFrame() const override { return lastFrame; }
  void SetFirstFrame(int32_t n) override { firstFrame = n; }
  void SetLastFrame(int32_t n) override { lastFrame = n; }

  // The texture being prepared (the one SetFrame shows next).
  uint32_t BackTexture() const { return backTexture; }

 private:
  static constexpr int32_t kUnknownLastFrame = 2147483647;

  // Decodes up to targetIndex, rewinding first when it lies behind, and
  // converts it into backTexture unless the device is lost.
  void DecodeStep();
  void ConvertIntoBackTexture();
  void ReleaseTextures();

  IMTheoraDecoder decoder;
  int32_t frame = 0;
  int32_t lastFrame = kUnknownLastFrame;
  int32_t firstFrame = 0;
  uint32_t frontTexture = 0;
  uint32_t backTexture = 0;
  bool hasTextures = false;
  int32_t decodedIndex = 0;  // the frame in the decoder's picture; -1 after a rewind
  int32_t targetIndex = 0;   // the frame the current step must reach
  // The back texture holds the frame the next SetFrame shows: set when a
  // step completes, clear while one runs and after one has thrown.
  bool frameReady = false;
};
