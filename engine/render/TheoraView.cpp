#include "engine/render/TheoraView.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "engine/res/ResourceManager.h"

namespace {

// Views opened in this process so far: the number in the texture names.
// Only the window's thread opens views.
int32_t openedViews = 0;

std::u16string Decimal(int32_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

}  // namespace

IMTheoraView::~IMTheoraView() { ReleaseTextures(); }

void IMTheoraView::ReleaseTextures() {
  if (hasTextures && engineInstance) {
    engineInstance->ReleaseTexture(frontTexture);
    engineInstance->ReleaseTexture(backTexture);
  }
  hasTextures = false;
}

void IMTheoraView::Open(const uint8_t* data, int32_t size) {
  frameReady = false;
  ReleaseTextures();
  frame = 0;
  lastFrame = kUnknownLastFrame;
  decodedIndex = 0;
  targetIndex = 0;
  decoder.Open(data, size);

  const int32_t width = decoder.FrameWidth();
  const int32_t height = decoder.FrameHeight();
  const std::u16string serial = Decimal(openedViews++);
  if (engineInstance) {
    frontTexture = engineInstance->CreateBlankTexture(u"IMTheoraView1" + serial, width, height,
                                                      platform::Format::X8R8G8B8);
    backTexture = engineInstance->CreateBlankTexture(u"IMTheoraView2" + serial, width, height,
                                                     platform::Format::X8R8G8B8);
    // A failed creation hands back the no-texture value, which a later
    // texture may take as its handle: it must never be released as ours.
    // Without both textures the video plays unseen.
    const bool frontMade = engineInstance->Entry(frontTexture) != nullptr;
    const bool backMade = engineInstance->Entry(backTexture) != nullptr;
    hasTextures = frontMade && backMade;
    if (!hasTextures) {
      if (frontMade) engineInstance->ReleaseTexture(frontTexture);
      if (backMade) engineInstance->ReleaseTexture(backTexture);
    } else {
      SetTextureHandle(frontTexture);
    }
  }
  SetSourceRect(RECT{0, 0, width, height});

  if (!decoder.DecodeNextPicture()) {
    // Nothing will ever be shown; an animation that plays this view
    // anyway ends at once.
    lastFrame = 0;
    throw std::runtime_error("eof searched. terminate...");
  }
  ConvertIntoBackTexture();
  frameReady = true;
}

void IMTheoraView::SetFrame(int32_t n) {
  frame = n;
  if (!frameReady) return;
  frameReady = false;
  if (hasTextures) {
    SetTextureHandle(backTexture);
    std::swap(frontTexture, backTexture);
  }
  targetIndex = n < kUnknownLastFrame ? n + 1 : n;
  try {
    DecodeStep();
  } catch (...) {
    lastFrame = frame;
    throw;
  }
  frameReady = true;
}

void IMTheoraView::DecodeStep() {
  if (decodedIndex > targetIndex) {
    decoder.Rewind();
    decodedIndex = -1;
  }
  // The frames before the target are decoded (each picture builds on the
  // one before) but never converted, so a late call skips rather than
  // slowing down.
  while (decodedIndex < targetIndex && targetIndex < lastFrame) {
    if (!decoder.DecodeNextPicture()) {
      lastFrame = decodedIndex;
      break;
    }
    ++decodedIndex;
  }
  if (decodedIndex == targetIndex && engineInstance && !engineInstance->CheckDeviceLost()) {
    ConvertIntoBackTexture();
  }
}

void IMTheoraView::ConvertIntoBackTexture() {
  if (!hasTextures || !engineInstance) return;
  const IMYuvPicture picture = decoder.Picture();
  // The picture is written only as far as the locked texture reaches, so a
  // stream whose coded size exceeds its texture cannot write past it.
  engineInstance->UpdateTexture(backTexture,
                                [picture](uint8_t* pixels, int32_t pitch, int32_t imageHeight) {
                                  if (!picture.y || pitch <= 0) return;
                                  IMYuvPicture visible = picture;
                                  visible.width = std::min(visible.width, pitch / 4);
                                  visible.height = std::min(visible.height, imageHeight);
                                  ConvertYuvToX8R8G8B8(visible, pixels, pitch);
                                });
}
