#include "engine/platform/device/raster/SpanCompositor.h"

#include <cstring>

#include "engine/platform/device/raster/PixelMath.h"

// Inside a chunk the work is done byte by byte: every channel of a pixel is
// one byte lane, multiplied as a 16-bit value by the matching byte of the
// tint or of the pixel's alpha repeated four times. The compiler turns these
// loops into 16-bit vector multiplies, which baseline x86-64 has; whole
// 32-bit words would need 32-bit multiplies, which it has not. The last
// pixels of a row that do not fill a chunk use the word-wide functions of
// PixelMath.h, which compute the same values.
//
// On x86-64 the compositor is built twice, for AVX2 and for the baseline,
// and the loader picks the one the processor can run; everything below
// CompositeSpan is inlined into both. Chunks of 32 pixels measured best
// for both builds on the game-screen benchmark.

#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define PESTREL_SPAN_TARGETS __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef PESTREL_SPAN_TARGETS
#define PESTREL_SPAN_TARGETS
#endif
#define PESTREL_INLINE [[gnu::always_inline]] inline

namespace platform::raster {

namespace {

constexpr int32_t kChunk = 32;
constexpr int32_t kChunkBytes = kChunk * 4;

// round(x / 255) for a product of two bytes, in 16 bits.
PESTREL_INLINE uint8_t Div255Byte(uint32_t product) {
  const auto n = static_cast<uint16_t>(product + 128);
  return static_cast<uint8_t>((n + (n >> 8)) >> 8);
}

// The diffuse colour's bytes once for every pixel of a chunk.
struct TintBytes {
  alignas(16) uint8_t bytes[kChunkBytes];

  explicit TintBytes(uint32_t diffuse) {
    for (int32_t k = 0; k < kChunk; ++k) std::memcpy(bytes + 4 * k, &diffuse, 4);
  }
};

// out = Modulate(texel | texelOr, diffuse) for one chunk.
PESTREL_INLINE void ModulateChunk(uint32_t* __restrict out, const uint32_t* __restrict texels,
                                  uint32_t texelOr, const TintBytes& tint) {
  uint32_t forced[kChunk];
  for (int32_t k = 0; k < kChunk; ++k) forced[k] = texels[k] | texelOr;
  const auto* t = reinterpret_cast<const uint8_t*>(forced);
  auto* o = reinterpret_cast<uint8_t*>(out);
  for (int32_t b = 0; b < kChunkBytes; ++b) o[b] = Div255Byte(uint32_t{t[b]} * tint.bytes[b]);
}

// frame = BlendOver(source, frame) for one chunk.
PESTREL_INLINE void BlendChunk(uint32_t* __restrict frame, const uint32_t* __restrict source) {
  uint32_t alpha[kChunk];
  for (int32_t k = 0; k < kChunk; ++k) alpha[k] = (source[k] >> 24) * 0x01010101u;
  const auto* s = reinterpret_cast<const uint8_t*>(source);
  const auto* a = reinterpret_cast<const uint8_t*>(alpha);
  auto* f = reinterpret_cast<uint8_t*>(frame);
  for (int32_t b = 0; b < kChunkBytes; ++b) {
    f[b] = Div255Byte(uint32_t{s[b]} * a[b] + uint32_t{f[b]} * (255u - a[b]));
  }
}

PESTREL_INLINE void CopySpan(uint32_t* __restrict dst, const uint32_t* __restrict src,
                             int32_t count, uint32_t texelOr) {
  if (texelOr == 0) {
    std::memcpy(dst, src, static_cast<size_t>(count) * sizeof(uint32_t));
    return;
  }
  for (int32_t i = 0; i < count; ++i) dst[i] = src[i] | texelOr;
}

PESTREL_INLINE void ModulateSpan(uint32_t* __restrict dst, const uint32_t* __restrict src,
                                 int32_t count, uint32_t texelOr, uint32_t diffuse) {
  const TintBytes tint(diffuse);
  int32_t i = 0;
  for (; i + kChunk <= count; i += kChunk) ModulateChunk(dst + i, src + i, texelOr, tint);
  for (; i < count; ++i) dst[i] = Modulate(src[i] | texelOr, diffuse);
}

template <bool kTinted>
PESTREL_INLINE void OverSpan(uint32_t* __restrict dst, const uint32_t* __restrict src,
                             int32_t count, uint32_t texelOr, uint32_t diffuse) {
  const TintBytes tint(diffuse);
  int32_t i = 0;
  for (; i + kChunk <= count; i += kChunk) {
    uint32_t source[kChunk];
    if constexpr (kTinted) {
      ModulateChunk(source, src + i, texelOr, tint);
    } else {
      for (int32_t k = 0; k < kChunk; ++k) source[k] = src[i + k] | texelOr;
    }
    uint32_t all = ~0u;
    uint32_t any = 0;
    for (int32_t k = 0; k < kChunk; ++k) {
      all &= source[k];
      any |= source[k];
    }
    if (any < 0x01000000u) continue;  // every alpha is 0: the frame stays
    if (all >= 0xFF000000u) {         // every alpha is 255: the source replaces it
      std::memcpy(dst + i, source, sizeof source);
      continue;
    }
    BlendChunk(dst + i, source);
  }
  for (; i < count; ++i) {
    const uint32_t texel = src[i] | texelOr;
    dst[i] = BlendOver(kTinted ? Modulate(texel, diffuse) : texel, dst[i]);
  }
}

}  // namespace

PESTREL_SPAN_TARGETS void CompositeSpan(uint32_t* dst, const uint32_t* src, int32_t count,
                                        const SpanMode& mode) {
  if (count <= 0) return;
  const bool tinted = mode.diffuse != kOpaqueWhite;
  // A source that can only be opaque replaces the frame whether or not
  // blending is on.
  const bool opaque = (mode.texelOr >> 24) == 0xFF && (mode.diffuse >> 24) == 0xFF;
  if (!mode.blendOver || opaque) {
    if (tinted) {
      ModulateSpan(dst, src, count, mode.texelOr, mode.diffuse);
    } else {
      CopySpan(dst, src, count, mode.texelOr);
    }
  } else if (tinted) {
    OverSpan<true>(dst, src, count, mode.texelOr, mode.diffuse);
  } else {
    OverSpan<false>(dst, src, count, mode.texelOr, mode.diffuse);
  }
}

}  // namespace platform::raster
