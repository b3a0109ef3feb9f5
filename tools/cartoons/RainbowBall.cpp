// «Отлично!»: a striped beach ball drops in from the upper left and bounces
// across a sunny meadow in ever smaller hops, squashing on every landing,
// with a rainbow streaming behind it.

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "tools/cartoons/Paint.h"
#include "tools/cartoons/Scenes.h"

namespace cartoons {
namespace {

constexpr double kBallRadius = 19;
constexpr double kGround = 178;
constexpr double kRestY = kGround - kBallRadius;

struct Hop {
  double start, end, height;  // frames of the two landings, height of the arc
};
// The first "hop" is the drop from the top of its arc at frame 0.
constexpr Hop kHops[] = {{-7, 7, 121}, {7, 16, 95}, {16, 22, 52}, {22, 25, 20}};

// The ball's centre at time f (frames, fractional).
std::pair<double, double> Centre(double f) {
  const double x = 22 + 11.5 * f;
  for (const Hop& h : kHops) {
    if (f <= h.end) {
      const double mid = (h.start + h.end) / 2;
      const double u = (f - mid) / ((h.end - h.start) / 2);
      return {x, kRestY - h.height * (1 - u * u)};
    }
  }
  return {x, kRestY};
}

bool Lands(int frame) { return frame == 7 || frame == 16 || frame == 22; }
bool NearLanding(int frame) {
  return frame == 6 || frame == 8 || frame == 15 || frame == 17 || frame == 21 || frame == 23;
}

void Meadow(cairo_t* cr, int frame) {
  FillSky(cr, Hex(0x4DB8FF), Hex(0xD6F4FF));
  // A sun peeping in at the corner.
  cairo_pattern_t* sun = cairo_pattern_create_radial(292, 26, 4, 292, 26, 60);
  AddStop(sun, 0, Hex(0xFFF6B0), 1);
  AddStop(sun, 0.35, Hex(0xFFE55C), 1);
  AddStop(sun, 0.36, Hex(0xFFF6B0), 0.5);
  AddStop(sun, 1, Hex(0xFFF6B0), 0);
  cairo_set_source(cr, sun);
  cairo_paint(cr);
  cairo_pattern_destroy(sun);
  FluffyCloud(cr, 70 - frame * 0.5, 34, 0.7, 0.95);
  FluffyCloud(cr, 200 + frame * 0.4, 52, 0.55, 0.9);
  Hills(cr, 160, 12, 0.3, Hex(0xA5E67A), Hex(0x78CF62));
  // The lawn the ball bounces on.
  cairo_rectangle(cr, -2, kGround, kShownWidth + 4, kShownHeight - kGround + 2);
  cairo_pattern_t* lawn = cairo_pattern_create_linear(0, kGround, 0, kShownHeight);
  AddStop(lawn, 0, Hex(0x6BD35A));
  AddStop(lawn, 1, Hex(0x3FA94A));
  cairo_set_source(cr, lawn);
  cairo_fill(cr);
  cairo_pattern_destroy(lawn);
  // Tufts along the lawn's edge.
  SetRgb(cr, Hex(0x4CB84E));
  for (int x = 4; x < 320; x += 13) {
    cairo_move_to(cr, x - 4, kGround + 1);
    cairo_line_to(cr, x, kGround - 5 - (x % 3));
    cairo_line_to(cr, x + 4, kGround + 1);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
}

void Rainbow(cairo_t* cr, int frame) {
  const double head = frame;
  const double tail = std::max(0.0, head - 9.0);
  if (head - tail < 0.2) return;
  const double step = 0.08;
  const double band = 4.4;
  for (int b = 0; b < 7; ++b) {
    const double offset = (3 - b) * band;
    for (double s = tail; s < head - 1e-9; s += step) {
      const double s1 = std::min(head, s + step);
      const auto [x0, y0] = Centre(s);
      const auto [x1, y1] = Centre(s1);
      const double dx = x1 - x0, dy = y1 - y0;
      const double len = std::hypot(dx, dy);
      if (len < 1e-6) continue;
      // The normal that points up: red rides on top.
      const double nx = dy / len, ny = -dx / len;
      const double along = (s - tail) / (head - tail);
      cairo_move_to(cr, x0 + nx * offset, y0 + ny * offset);
      cairo_line_to(cr, x1 + nx * offset, y1 + ny * offset);
      cairo_set_line_width(cr, band + 0.7);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
      SetRgb(cr, kRainbow[b], 0.95 * std::pow(along, 0.8));
      cairo_stroke(cr);
    }
  }
  // Glitter shed by the rainbow.
  Random random(static_cast<uint32_t>(frame) * 97u + 5u);
  for (int i = 0; i < 4; ++i) {
    const double s = tail + (head - tail) * random.Range(0.1, 0.8);
    const auto [x, y] = Centre(s);
    Glint(cr, x + random.Range(-10, 10), y + random.Range(-18, 18), random.Range(3, 6),
          Hex(0xFFFFFF), 0.9);
  }
}

void Ball(cairo_t* cr, int frame) {
  const auto [x, y] = Centre(frame);
  const double height = kRestY - y;
  // Shadow on the lawn, smaller and fainter while the ball is high.
  const double near = 1 - std::min(1.0, height / 130);
  EllipsePath(cr, x, kGround + 4, kBallRadius * (0.5 + 0.6 * near), 3.5 * (0.5 + 0.5 * near));
  SetRgb(cr, Hex(0x1E6B2A), 0.35 * near + 0.1);
  cairo_fill(cr);

  double sx = 1, sy = 1;
  if (Lands(frame)) {
    sx = 1.28;
    sy = 0.74;
  } else if (NearLanding(frame)) {
    sx = 0.9;
    sy = 1.12;
  }
  cairo_save(cr);
  // Squashed against the lawn, it keeps touching it.
  cairo_translate(cr, x, Lands(frame) ? kGround - kBallRadius * sy : y);
  cairo_scale(cr, sx, sy);
  cairo_arc(cr, 0, 0, kBallRadius, 0, 2 * kPi);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  const Rgb stripes[] = {Hex(0xFF3B4E), Hex(0xFFFFFF), Hex(0xFFC928),
                         Hex(0xFFFFFF), Hex(0x2D8CFF), Hex(0xFFFFFF)};
  const double roll = (x - 22) / kBallRadius;
  for (int i = 0; i < 6; ++i) {
    const double a0 = roll + i * kPi / 3;
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, kBallRadius + 1, a0, a0 + kPi / 3);
    cairo_close_path(cr);
    SetRgb(cr, stripes[i]);
    cairo_fill(cr);
  }
  // Light from the upper left and shade below.
  cairo_pattern_t* shade = cairo_pattern_create_radial(-6, -7, 2, 0, 0, kBallRadius * 1.05);
  AddStop(shade, 0, Hex(0xFFFFFF), 0.65);
  AddStop(shade, 0.45, Hex(0xFFFFFF), 0);
  AddStop(shade, 0.8, Hex(0x000000), 0.05);
  AddStop(shade, 1, Hex(0x000000), 0.28);
  cairo_set_source(cr, shade);
  cairo_paint(cr);
  cairo_pattern_destroy(shade);
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, kBallRadius, 0, 2 * kPi);
  cairo_set_line_width(cr, 1.6);
  SetRgb(cr, Hex(0x8A2030), 0.8);
  cairo_stroke(cr);
  cairo_restore(cr);

  if (Lands(frame)) {
    // Little dust puffs at the landing.
    for (double side : {-1.0, 1.0}) {
      for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, x + side * (24 + 6 * k), kGround - 3 - 2 * k, 3.5 - k, 0, 2 * kPi);
        SetRgb(cr, Hex(0xFFFFFF), 0.7);
        cairo_fill(cr);
      }
    }
  }
}

}  // namespace

void DrawRainbowBall(cairo_t* cr, int frame) {
  Meadow(cr, frame);
  Rainbow(cr, frame);
  Ball(cr, frame);
}

}  // namespace cartoons
