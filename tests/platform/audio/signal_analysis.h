#pragma once
// Measurements on captured output: interleaved stereo 16-bit frames at the
// output rate.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace audiotest {

// One channel (0 left, 1 right) of `frames` frames from `first` on (to the
// end by default).
inline std::vector<double> Channel(const std::vector<int16_t>& stereo, int channel,
                                   size_t first = 0,
                                   size_t frames = std::numeric_limits<size_t>::max()) {
  std::vector<double> out;
  for (size_t f = first; f < stereo.size() / 2 && out.size() < frames; ++f) {
    out.push_back(stereo[2 * f + static_cast<size_t>(channel)]);
  }
  return out;
}

// The frequency of a single tone from its rising zero crossings, placed
// between samples by linear interpolation: precise to a few hundredths of
// a percent over a second of signal. 0 with fewer than two crossings.
inline double ZeroCrossingFrequency(const std::vector<double>& x, double rate) {
  double first = -1;
  double last = -1;
  size_t crossings = 0;
  for (size_t i = 1; i < x.size(); ++i) {
    if (x[i - 1] < 0 && x[i] >= 0) {
      const double at = static_cast<double>(i - 1) + (-x[i - 1]) / (x[i] - x[i - 1]);
      if (first < 0) first = at;
      last = at;
      ++crossings;
    }
  }
  if (crossings < 2) return 0;
  return static_cast<double>(crossings - 1) * rate / (last - first);
}

// The amplitude of the component at `frequency` (one DFT bin, evaluated
// directly): a pure tone of amplitude A there gives A.
inline double ToneAmplitude(const std::vector<double>& x, double frequency, double rate) {
  double re = 0;
  double im = 0;
  const double w = 2 * std::numbers::pi * frequency / rate;
  for (size_t n = 0; n < x.size(); ++n) {
    re += x[n] * std::cos(w * static_cast<double>(n));
    im -= x[n] * std::sin(w * static_cast<double>(n));
  }
  return 2 * std::hypot(re, im) / static_cast<double>(x.size());
}

// The longest run of samples no louder than `threshold`.
inline size_t LongestQuietRun(const std::vector<double>& x, double threshold) {
  size_t longest = 0;
  size_t run = 0;
  for (double v : x) {
    run = std::abs(v) <= threshold ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

// The first and last sample louder than `threshold`, if any.
inline std::optional<std::pair<size_t, size_t>> LoudExtent(const std::vector<double>& x,
                                                           double threshold) {
  std::optional<std::pair<size_t, size_t>> extent;
  for (size_t i = 0; i < x.size(); ++i) {
    if (std::abs(x[i]) <= threshold) continue;
    if (!extent) extent = std::pair{i, i};
    extent->second = i;
  }
  return extent;
}

// The largest change between neighbouring samples.
inline double LargestStep(const std::vector<double>& x) {
  double largest = 0;
  for (size_t i = 1; i < x.size(); ++i) largest = std::max(largest, std::abs(x[i] - x[i - 1]));
  return largest;
}

}  // namespace audiotest
