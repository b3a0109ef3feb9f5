#include "engine/render/Yuv420Converter.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// What a 16-bit saturating add or subtract gives for an exact sum.
int32_t Saturate16(int32_t v) { return std::clamp(v, -32768, 32767); }
uint8_t Clamp8(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

const uint8_t* Row(const uint8_t* plane, int32_t stride, int32_t row) {
  return plane + static_cast<ptrdiff_t>(stride) * row;
}

void ConvertPixel(int32_t y, int32_t cb, int32_t cr, uint8_t* out) {
  const int32_t luma = 74 * (y - 16);
  const int32_t blueChroma = cb - 128;
  const int32_t redChroma = cr - 128;
  // Arithmetic shifts of negative sums round down, as the packed shifts do.
  out[0] = Clamp8(Saturate16(luma + 129 * blueChroma) >> 6);
  out[1] = Clamp8(Saturate16(Saturate16(luma - 25 * blueChroma) - 52 * redChroma) >> 6);
  out[2] = Clamp8(Saturate16(luma + 102 * redChroma) >> 6);
  out[3] = 0;
}

// Pixels [fromX, width) of luma row `row`.
void ConvertRowScalar(const IMYuvPicture& p, int32_t row, int32_t fromX, uint8_t* pixels,
                      int32_t pitch) {
  const uint8_t* luma = Row(p.y, p.yStride, row);
  const uint8_t* cb = Row(p.cb, p.uvStride, row >> p.chromaShiftY);
  const uint8_t* cr = Row(p.cr, p.uvStride, row >> p.chromaShiftY);
  uint8_t* out = pixels + static_cast<ptrdiff_t>(pitch) * row;
  for (int32_t x = fromX; x < p.width; ++x) {
    const int32_t c = x >> p.chromaShiftX;
    ConvertPixel(luma[x], cb[c], cr[c], out + 4 * x);
  }
}

#if defined(__SSE2__)

// Eight pixels of one row from their luma and the chroma terms they share.
inline void StoreEight(__m128i luma, __m128i blueTerm, __m128i greenBlueTerm, __m128i greenRedTerm,
                       __m128i redTerm, uint8_t* out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i blue = _mm_srai_epi16(_mm_adds_epi16(luma, blueTerm), 6);
  const __m128i green =
      _mm_srai_epi16(_mm_subs_epi16(_mm_subs_epi16(luma, greenBlueTerm), greenRedTerm), 6);
  const __m128i red = _mm_srai_epi16(_mm_adds_epi16(luma, redTerm), 6);
  // packus clamps to 0 .. 255: exactly the clamp of the formula.
  const __m128i blueGreen =
      _mm_unpacklo_epi8(_mm_packus_epi16(blue, blue), _mm_packus_epi16(green, green));
  const __m128i redZero = _mm_unpacklo_epi8(_mm_packus_epi16(red, red), zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(blueGreen, redZero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi16(blueGreen, redZero));
}

inline __m128i LoadLuma(const uint8_t* samples) {
  const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples));
  const __m128i wide = _mm_unpacklo_epi8(bytes, _mm_setzero_si128());
  return _mm_mullo_epi16(_mm_sub_epi16(wide, _mm_set1_epi16(16)), _mm_set1_epi16(74));
}

// Four chroma samples, centred on 0 and each doubled to cover two pixels.
inline __m128i LoadChroma(const uint8_t* samples) {
  int32_t four;
  std::memcpy(&four, samples, sizeof four);
  const __m128i wide = _mm_unpacklo_epi8(_mm_cvtsi32_si128(four), _mm_setzero_si128());
  const __m128i centred = _mm_sub_epi16(wide, _mm_set1_epi16(128));
  return _mm_unpacklo_epi16(centred, centred);
}

// Luma rows `row` and `row` + 1, which share one chroma row; the pixels
// left over past the last multiple of eight go the scalar way.
void ConvertRowPair(const IMYuvPicture& p, int32_t row, uint8_t* pixels, int32_t pitch) {
  const uint8_t* luma0 = Row(p.y, p.yStride, row);
  const uint8_t* luma1 = Row(p.y, p.yStride, row + 1);
  const uint8_t* cb = Row(p.cb, p.uvStride, row >> 1);
  const uint8_t* cr = Row(p.cr, p.uvStride, row >> 1);
  uint8_t* out0 = pixels + static_cast<ptrdiff_t>(pitch) * row;
  uint8_t* out1 = out0 + pitch;
  const int32_t wholeSteps = p.width & ~7;
  for (int32_t x = 0; x < wholeSteps; x += 8) {
    const __m128i blueChroma = LoadChroma(cb + x / 2);
    const __m128i redChroma = LoadChroma(cr + x / 2);
    const __m128i blueTerm = _mm_mullo_epi16(blueChroma, _mm_set1_epi16(129));
    const __m128i greenBlueTerm = _mm_mullo_epi16(blueChroma, _mm_set1_epi16(25));
    const __m128i greenRedTerm = _mm_mullo_epi16(redChroma, _mm_set1_epi16(52));
    const __m128i redTerm = _mm_mullo_epi16(redChroma, _mm_set1_epi16(102));
    StoreEight(LoadLuma(luma0 + x), blueTerm, greenBlueTerm, greenRedTerm, redTerm, out0 + 4 * x);
    StoreEight(LoadLuma(luma1 + x), blueTerm, greenBlueTerm, greenRedTerm, redTerm, out1 + 4 * x);
  }
  ConvertRowScalar(p, row, wholeSteps, pixels, pitch);
  ConvertRowScalar(p, row + 1, wholeSteps, pixels, pitch);
}

#endif

}  // namespace

void ConvertYuvReference(const IMYuvPicture& picture, uint8_t* pixels, int32_t pitch) {
  for (int32_t row = 0; row < picture.height; ++row) {
    ConvertRowScalar(picture, row, 0, pixels, pitch);
  }
}

void ConvertYuvToX8R8G8B8(const IMYuvPicture& picture, uint8_t* pixels, int32_t pitch) {
#if defined(__SSE2__)
  if (picture.chromaShiftX == 1 && picture.chromaShiftY == 1) {
    int32_t row = 0;
    for (; row + 1 < picture.height; row += 2) ConvertRowPair(picture, row, pixels, pitch);
    if (row < picture.height) ConvertRowScalar(picture, row, 0, pixels, pitch);
    return;
  }
#endif
  ConvertYuvReference(picture, pixels, pitch);
}
