#include "tools/cartoons/Paint.h"

#include <algorithm>
#include <cmath>

namespace cartoons {

const Rgb kRainbow[7] = {Hex(0xFF3B30), Hex(0xFF9500), Hex(0xFFDD00), Hex(0x34C759),
                         Hex(0x32ADE6), Hex(0x3F51E0), Hex(0xA24BDB)};
const Rgb kParty[8] = {Hex(0xFF3B5C), Hex(0xFF9F1C), Hex(0xFFE03A), Hex(0x3DDC84),
                       Hex(0x2EC4F1), Hex(0x6C63FF), Hex(0xFF6FD8), Hex(0xFFFFFF)};

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void SetRgb(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

double Clamp01(double t) { return std::clamp(t, 0.0, 1.0); }

double Progress(double x, double from, double to) { return Clamp01((x - from) / (to - from)); }

double EaseOutCubic(double t) {
  const double u = 1.0 - Clamp01(t);
  return 1.0 - u * u * u;
}

double EaseInOutSine(double t) { return 0.5 - 0.5 * std::cos(kPi * Clamp01(t)); }

double EaseOutBack(double t) {
  const double c = 1.9;
  const double u = Clamp01(t) - 1.0;
  return 1.0 + (c + 1.0) * u * u * u + c * u * u;
}

Random::Random(uint32_t seed) {
  // A multiply-xorshift hash of the seed, never 0 (xorshift's fixed point).
  uint32_t h = seed * 0x9E3779B9u + 0x7F4A7C15u;
  h ^= h >> 16;
  h *= 0x85EBCA6Bu;
  h ^= h >> 13;
  h *= 0xC2B2AE35u;
  h ^= h >> 16;
  state = h ? h : 1u;
}

double Random::Unit() {
  // xorshift32: small, and its sequence is fixed by the seed alone.
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return (state >> 8) / 16777216.0;
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < 2 * points; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = rotation - kPi / 2 + i * kPi / points;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

void FillSky(cairo_t* cr, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kShownHeight);
  AddStop(p, 0, top);
  AddStop(p, 1, bottom);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

void Glint(cairo_t* cr, double cx, double cy, double size, Rgb c, double alpha) {
  if (size <= 0 || alpha <= 0) return;
  cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, 0, cx, cy, size);
  AddStop(halo, 0, c, 0.55 * alpha);
  AddStop(halo, 1, c, 0);
  cairo_set_source(cr, halo);
  cairo_arc(cr, cx, cy, size, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(halo);
  StarPath(cr, cx, cy, size, size * 0.18, 4, 0);
  SetRgb(cr, Mix(c, Hex(0xFFFFFF), 0.6), alpha);
  cairo_fill(cr);
}

void FluffyCloud(cairo_t* cr, double cx, double cy, double scale, double alpha) {
  const double puffs[][3] = {{-30, 4, 16}, {-12, -8, 20}, {10, -12, 22}, {30, -2, 17},
                             {42, 8, 12},  {0, 8, 18},    {-42, 10, 10}};
  const auto addPuffs = [&](double dy) {
    cairo_new_path(cr);
    for (const auto& p : puffs) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx + p[0] * scale, cy + p[1] * scale + dy, p[2] * scale, 0, 2 * kPi);
    }
  };
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // A faint blue underside first, then the white body a little higher.
  addPuffs(3 * scale);
  SetRgb(cr, Hex(0xCFE6F7), alpha);
  cairo_fill(cr);
  addPuffs(0);
  SetRgb(cr, Hex(0xFFFFFF), alpha);
  cairo_fill(cr);
}

void Hills(cairo_t* cr, double baseY, double height, double phase, Rgb top, Rgb bottom) {
  cairo_new_path(cr);
  cairo_move_to(cr, -2, kShownHeight + 2);
  for (int x = -2; x <= static_cast<int>(kShownWidth) + 2; x += 4) {
    const double y = baseY - height * (0.6 * std::sin(x * 0.021 + phase) +
                                       0.4 * std::sin(x * 0.047 + 2.0 * phase + 1.3));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, kShownWidth + 2, kShownHeight + 2);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, baseY - height, 0, kShownHeight);
  AddStop(p, 0, top);
  AddStop(p, 1, bottom);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

}  // namespace cartoons
