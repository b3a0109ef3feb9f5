#pragma once
// The per-pixel arithmetic every draw path shares, on 0xAARRGGBB words.
//
// Rounding. Products of two 8-bit values are divided by 255 and rounded to
// the nearest integer (there are no halves: 255 is odd). Modulation rounds
// once, and blending rounds once more on the modulated source, so:
//   source  = round(texel × diffuse / 255)                   per channel
//   blended = round((source × a + frame × (255 − a)) / 255)   a = source alpha
// A white texel under tint T gives exactly T; alpha 255 gives exactly the
// source and alpha 0 exactly the frame. The frame's alpha channel is blended
// like the colour channels (nothing shows it).
//
// The hot functions work on two channels at once: a word masked with
// 0x00FF00FF holds blue in bits 0-7 and red in bits 16-23, each with eight
// free bits above it, so a product of two 8-bit values cannot spill into
// its neighbour. They use only lane-wise integer operations, so loops over
// them vectorise.

#include <algorithm>
#include <cstdint>

#include "engine/platform/device/DeviceTypes.h"

namespace platform::raster {

inline constexpr uint32_t kLowBytes = 0x00FF00FFu;
inline constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;

// round(x / 255) for 0 <= x <= 65025 (the largest product of two bytes).
constexpr uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// Div255 on both 16-bit halves of a word whose halves are each <= 65025;
// the results land in bits 0-7 and 16-23.
constexpr uint32_t Div255Pair(uint32_t pair) {
  pair += 0x00800080u;
  return ((pair + ((pair >> 8) & kLowBytes)) >> 8) & kLowBytes;
}

// round(t × d / 255) per channel.
constexpr uint32_t Modulate(uint32_t texel, uint32_t diffuse) {
  const uint32_t blueRed = (texel & 0xFFu) * (diffuse & 0xFFu) |
                           (((texel >> 16) & 0xFFu) * ((diffuse >> 16) & 0xFFu)) << 16;
  const uint32_t greenAlpha =
      ((texel >> 8) & 0xFFu) * ((diffuse >> 8) & 0xFFu) | ((texel >> 24) * (diffuse >> 24)) << 16;
  return Div255Pair(blueRed) | Div255Pair(greenAlpha) << 8;
}

// The source over the frame with the source's own alpha:
// round((s × a + d × (255 − a)) / 255) per channel, a = source alpha.
constexpr uint32_t BlendOver(uint32_t source, uint32_t frame) {
  const uint32_t a = source >> 24;
  const uint32_t ia = 255 - a;
  const uint32_t blueRed = (source & kLowBytes) * a + (frame & kLowBytes) * ia;
  const uint32_t greenAlpha = ((source >> 8) & kLowBytes) * a + ((frame >> 8) & kLowBytes) * ia;
  return Div255Pair(blueRed) | Div255Pair(greenAlpha) << 8;
}

// The weight 0..255 a blend factor gives for a source alpha.
constexpr uint32_t FactorWeight(Blend factor, uint32_t sourceAlpha) {
  switch (factor) {
    case Blend::Zero:
      return 0;
    case Blend::One:
      return 255;
    case Blend::SrcAlpha:
      return sourceAlpha;
    case Blend::InvSrcAlpha:
      return 255 - sourceAlpha;
  }
  return 0;
}

// Any pair of factors: min(255, round((s × fs + d × fd) / 255)) per channel.
constexpr uint32_t BlendFactors(uint32_t source, uint32_t frame, Blend sourceFactor,
                                Blend frameFactor) {
  const uint32_t fs = FactorWeight(sourceFactor, source >> 24);
  const uint32_t fd = FactorWeight(frameFactor, source >> 24);
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sum = ((source >> shift) & 0xFFu) * fs + ((frame >> shift) & 0xFFu) * fd;
    out |= std::min<uint32_t>(255, (sum + 127) / 255) << shift;
  }
  return out;
}

}  // namespace platform::raster
