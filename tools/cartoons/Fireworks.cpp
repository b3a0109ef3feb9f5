// «Браво!»: six rockets rise one after another from behind the hills and
// burst into rings of sparks that spread, droop and twinkle out, so that
// something is bursting on every frame.

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "tools/cartoons/Paint.h"
#include "tools/cartoons/Scenes.h"

namespace cartoons {
namespace {

struct Burst {
  double launch;  // frame the rocket leaves the hills
  double bang;    // frame it bursts
  double x, y;    // where it bursts
  double radius;
  Rgb outer, inner;
  double startX;  // where the rocket starts
};

const Burst kBursts[] = {
    {-5, 1, 92, 62, 54, Hex(0xFFD23F), Hex(0xFF6F3C), 110},
    {0, 6, 228, 56, 58, Hex(0xFF5FC8), Hex(0xFFFFFF), 212},
    {7, 12, 160, 92, 50, Hex(0x4DF2C2), Hex(0xFFE66D), 150},
    {11, 16, 72, 104, 46, Hex(0xFF4D4D), Hex(0xFFD23F), 90},
    {14, 19, 250, 98, 48, Hex(0x7DA7FF), Hex(0xFF9EF5), 232},
    {18, 22, 150, 50, 44, Hex(0xFFB13D), Hex(0x8DFF6A), 170},
};

void Sky(cairo_t* cr, int frame) {
  FillSky(cr, Hex(0x17104A), Hex(0x5B3A9C));
  // Far stars that twinkle, each at its own pace.
  Random random(7);
  for (int i = 0; i < 46; ++i) {
    const double x = random.Range(4, 312);
    const double y = random.Range(6, 150);
    const double phase = random.Range(0, 2 * kPi);
    const double size = random.Range(0.6, 1.5);
    const double twinkle = 0.55 + 0.45 * std::sin(frame * 0.9 + phase);
    cairo_arc(cr, x, y, size, 0, 2 * kPi);
    SetRgb(cr, Hex(0xFFF8E0), 0.35 + 0.6 * twinkle);
    cairo_fill(cr);
  }
}

void Town(cairo_t* cr) {
  Hills(cr, 182, 10, 0.4, Hex(0x2A1B5E), Hex(0x1A1040));
  // Little houses with lit windows on the hill line.
  const double houses[][3] = {{38, 176, 1.0}, {122, 180, 0.85}, {205, 178, 1.1}, {284, 175, 0.9}};
  for (const auto& h : houses) {
    const double x = h[0], base = h[1], s = h[2];
    cairo_new_path(cr);
    cairo_rectangle(cr, x - 11 * s, base - 14 * s, 22 * s, 16 * s);
    SetRgb(cr, Hex(0x24164F));
    cairo_fill(cr);
    cairo_move_to(cr, x - 14 * s, base - 13 * s);
    cairo_line_to(cr, x, base - 25 * s);
    cairo_line_to(cr, x + 14 * s, base - 13 * s);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_rectangle(cr, x - 6 * s, base - 9 * s, 5 * s, 5 * s);
    cairo_rectangle(cr, x + 2 * s, base - 9 * s, 5 * s, 5 * s);
    SetRgb(cr, Hex(0xFFD76A));
    cairo_fill(cr);
  }
}

void Glow(cairo_t* cr, double x, double y, double radius, Rgb c, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
  AddStop(p, 0, c, alpha);
  AddStop(p, 1, c, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, radius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Rocket(cairo_t* cr, const Burst& b, double frame) {
  const double t = Progress(frame, b.launch, b.bang);
  if (frame < b.launch || frame >= b.bang) return;
  const auto at = [&](double u) {
    const double e = EaseOutCubic(u);
    return std::pair<double, double>{b.startX + (b.x - b.startX) * e, 204 + (b.y - 204) * e};
  };
  const auto [hx, hy] = at(t);
  const auto [tx, ty] = at(std::max(0.0, t - 0.3));
  cairo_pattern_t* trail = cairo_pattern_create_linear(tx, ty, hx, hy);
  AddStop(trail, 0, Hex(0xFFB347), 0);
  AddStop(trail, 1, Hex(0xFFE9A8), 0.95);
  cairo_set_source(cr, trail);
  cairo_set_line_width(cr, 2.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, tx, ty);
  cairo_line_to(cr, hx, hy);
  cairo_stroke(cr);
  cairo_pattern_destroy(trail);
  // Sparks dropping off the trail.
  Random random(static_cast<uint32_t>(b.x * 31 + frame * 7));
  for (int i = 0; i < 5; ++i) {
    const auto [sx, sy] = at(std::max(0.0, t - random.Range(0.05, 0.3)));
    cairo_arc(cr, sx + random.Range(-3, 3), sy + random.Range(0, 5), 0.9, 0, 2 * kPi);
    SetRgb(cr, Hex(0xFFD98A), 0.8);
    cairo_fill(cr);
  }
  Glow(cr, hx, hy, 7, Hex(0xFFF1C1), 0.9);
  cairo_arc(cr, hx, hy, 2, 0, 2 * kPi);
  SetRgb(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
}

void Explosion(cairo_t* cr, const Burst& b, double frame) {
  const double age = frame - b.bang;
  if (age < 0 || age > 11) return;
  // The first instant lights the sky around the burst.
  if (age < 2.5) Glow(cr, b.x, b.y, b.radius * 1.3, b.outer, 0.55 * (1 - age / 2.5));
  const auto rings = {std::pair<int, double>{24, 1.0}, std::pair<int, double>{14, 0.55}};
  int ringIndex = 0;
  for (const auto& [count, scale] : rings) {
    const Rgb colour = ringIndex == 0 ? b.outer : b.inner;
    Random random(static_cast<uint32_t>(b.x * 13 + b.y * 7 + ringIndex));
    for (int i = 0; i < count; ++i) {
      const double angle = 2 * kPi * i / count + random.Range(-0.08, 0.08);
      const double reach = b.radius * scale * random.Range(0.85, 1.08);
      const auto at = [&](double a) {
        const double r = reach * EaseOutCubic(a / 7.5);
        const double droop = 0.32 * a * a;
        return std::pair<double, double>{b.x + r * std::cos(angle),
                                         b.y + r * std::sin(angle) + droop};
      };
      const double fade = 1.0 - Progress(age, 5.5 + random.Range(0, 2.5), 11);
      if (fade <= 0) continue;
      const auto [hx, hy] = at(age);
      const auto [tx, ty] = at(std::max(0.0, age - 1.1));
      const auto [fx, fy] = at(std::max(0.0, age - 2.8));
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      // A faint tail behind the bright streak.
      cairo_set_line_width(cr, 1.6 * scale + 0.4);
      SetRgb(cr, colour, 0.35 * fade);
      cairo_move_to(cr, fx, fy);
      cairo_line_to(cr, tx, ty);
      cairo_stroke(cr);
      cairo_set_line_width(cr, 2.8 * scale + 0.6);
      SetRgb(cr, colour, 0.85 * fade);
      cairo_move_to(cr, tx, ty);
      cairo_line_to(cr, hx, hy);
      cairo_stroke(cr);
      // The spark heads glitter as they die away.
      const bool lit = age < 5 || (i + static_cast<int>(frame)) % 3 != 0;
      if (lit) {
        cairo_arc(cr, hx, hy, 1.6 * scale + 0.4, 0, 2 * kPi);
        SetRgb(cr, Mix(colour, Hex(0xFFFFFF), 0.7), fade);
        cairo_fill(cr);
      }
    }
    ++ringIndex;
  }
  if (age < 1.5) {
    cairo_arc(cr, b.x, b.y, 5 * (1.5 - age), 0, 2 * kPi);
    SetRgb(cr, Hex(0xFFFFFF), 0.9);
    cairo_fill(cr);
  }
}

}  // namespace

void DrawFireworks(cairo_t* cr, int frame) {
  Sky(cr, frame);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  for (const Burst& b : kBursts) Explosion(cr, b, frame);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  for (const Burst& b : kBursts) Rocket(cr, b, frame);
  Town(cr);
}

}  // namespace cartoons
