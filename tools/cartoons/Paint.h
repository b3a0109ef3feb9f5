#pragma once
// What every cartoon scene shares: the frame geometry, colours, easing
// curves, a repeatable random sequence and a few shapes.
//
// The reward shows the 320 x 240 pictures squeezed into 320 x 200, so the
// scenes draw in that shown space (y from 0 to 200) and the frame writer
// stretches it by 1.2 vertically: circles come out round on screen. The
// cloud covers a little of every edge (about 2 px left, 6 px right, 4 px at
// the top in shown space), so nothing that matters goes near the border.

#include <cairo.h>

#include <cstdint>

namespace cartoons {

constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;
constexpr int kFrames = 25;
constexpr double kShownWidth = 320.0;
constexpr double kShownHeight = 200.0;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// 0xRRGGBB.
constexpr Rgb Hex(uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);
void SetRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);

// The rainbow, red first, and the bright party colours of confetti and
// fireworks.
extern const Rgb kRainbow[7];
extern const Rgb kParty[8];

double Clamp01(double t);
// 0 .. 1 over [from, to] of x, clamped.
double Progress(double x, double from, double to);
double EaseOutCubic(double t);
double EaseInOutSine(double t);
// Overshoots a little past 1 before settling: things that pop into view.
double EaseOutBack(double t);

// A fixed sequence of numbers, the same on every machine, so the cartoons
// are remade byte for byte.
class Random {
 public:
  // Nearby seeds give unrelated sequences: the seed is mixed first.
  explicit Random(uint32_t seed);
  double Unit();  // [0, 1)
  double Range(double from, double to) { return from + (to - from) * Unit(); }

 private:
  uint32_t state;
};

// Paths (new sub-paths) centred on (cx, cy).
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation);
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

// Fills the whole shown area with a top-to-bottom gradient.
void FillSky(cairo_t* cr, Rgb top, Rgb bottom);
// A soft four-pointed glint, for twinkles.
void Glint(cairo_t* cr, double cx, double cy, double size, Rgb c, double alpha);
// A round fluffy cloud of a few overlapping circles.
void FluffyCloud(cairo_t* cr, double cx, double cy, double scale, double alpha);
// A rolling green hill line from the left edge to the right, filled down to
// the bottom.
void Hills(cairo_t* cr, double baseY, double height, double phase, Rgb top, Rgb bottom);

}  // namespace cartoons
