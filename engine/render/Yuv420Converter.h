#pragma once
// Turns a decoded picture (planar Y'CbCr, as the Theora decoder gives it)
// into X8R8G8B8 texture rows: bytes blue, green, red and 0 in memory order.
//
// The formula is BT.601 in 6-bit fixed point with every sum held in
// saturating 16-bit arithmetic:
//   Y' = 74 (Y - 16), Cb' = Cb - 128, Cr' = Cr - 128
//   blue  = clamp((Y' + 129 Cb') >> 6)
//   green = clamp((Y' - 25 Cb' - 52 Cr') >> 6)
//   red   = clamp((Y' + 102 Cr') >> 6)
// with >> rounding down and clamp to 0 .. 255. The fourth byte is 0, so a
// video texture is never hit by the mouse.

#include <cstdint>

// One picture's planes. Strides are in bytes and may be negative (the
// decoder keeps its frames bottom-up); each plane pointer is the first
// sample of the top row. Chroma planes are subsampled by 2 in a direction
// when chromaShiftX / chromaShiftY is 1, not at all when it is 0.
struct IMYuvPicture {
  const uint8_t* y = nullptr;
  const uint8_t* cb = nullptr;
  const uint8_t* cr = nullptr;
  int32_t yStride = 0;
  int32_t uvStride = 0;
  int32_t width = 0;   // luma samples per row
  int32_t height = 0;  // luma rows
  int32_t chromaShiftX = 1;
  int32_t chromaShiftY = 1;
};

// Writes picture.width x picture.height pixels into rows `pitch` bytes apart
// from `pixels`. A 4:2:0 picture goes eight pixels of two rows at a time
// through packed 16-bit arithmetic (SSE2); other subsamplings take the
// scalar path. The result is the same as ConvertYuvReference's.
void ConvertYuvToX8R8G8B8(const IMYuvPicture& picture, uint8_t* pixels, int32_t pitch);

// The formula one pixel at a time, in plain integers: what the fast path is
// checked against.
void ConvertYuvReference(const IMYuvPicture& picture, uint8_t* pixels, int32_t pitch);
