// «Молодец!»: a round smiling sun with turning, pulsing rays floats over a
// meadow; halfway through it raises a brow, winks with a grin and a glint,
// and opens its eye again.

#include <cmath>
#include <initializer_list>

#include "tools/cartoons/Paint.h"
#include "tools/cartoons/Scenes.h"

namespace cartoons {
namespace {

constexpr double kSunX = 160;
constexpr double kSunY = 92;
constexpr double kRadius = 48;

// 0 open .. 1 shut: the wink closes over frames 8-11, stays shut to 15
// and opens again by 18.
double WinkAmount(int frame) {
  if (frame < 8) return 0;
  if (frame <= 11) return EaseInOutSine(Progress(frame, 8, 11));
  if (frame <= 15) return 1;
  return 1 - EaseInOutSine(Progress(frame, 15, 18));
}

void Meadow(cairo_t* cr, int frame) {
  FillSky(cr, Hex(0x3FB4F2), Hex(0xC9F0FF));
  FluffyCloud(cr, 48 + frame * 0.8, 44, 0.8, 0.95);
  FluffyCloud(cr, 272 - frame * 0.6, 62, 0.65, 0.9);
  Hills(cr, 176, 9, 1.0, Hex(0x8BE05A), Hex(0x4DB848));
  Hills(cr, 190, 6, 2.4, Hex(0x5CCB4A), Hex(0x2F9E3E));
  // Flowers nodding on the front hill.
  const double flowers[][2] = {{30, 188},  {78, 193},  {118, 186},
                               {204, 191}, {250, 187}, {294, 192}};
  int i = 0;
  for (const auto& f : flowers) {
    const double nod = 1.5 * std::sin(frame * 0.6 + i);
    const Rgb petal = kParty[(i * 3) % 7];
    for (int k = 0; k < 5; ++k) {
      const double a = k * 2 * kPi / 5 + i;
      cairo_arc(cr, f[0] + nod + 3.2 * std::cos(a), f[1] + 3.2 * std::sin(a), 2.6, 0, 2 * kPi);
      SetRgb(cr, petal);
      cairo_fill(cr);
    }
    cairo_arc(cr, f[0] + nod, f[1], 2, 0, 2 * kPi);
    SetRgb(cr, Hex(0xFFE14D));
    cairo_fill(cr);
    ++i;
  }
}

void Rays(cairo_t* cr, int frame, double bob) {
  const int rays = 12;
  const double turn = frame * 0.06;
  for (int i = 0; i < rays; ++i) {
    const double a = turn + 2 * kPi * i / rays;
    const double pulse = 1 + 0.12 * std::sin(frame * 0.9 + (i % 2) * kPi);
    const double inner = kRadius + 6;
    const double outer = kRadius + (i % 2 ? 22 : 30) * pulse;
    const double half = i % 2 ? 0.12 : 0.15;
    cairo_move_to(cr, kSunX + inner * std::cos(a - half), kSunY + bob + inner * std::sin(a - half));
    cairo_line_to(cr, kSunX + outer * std::cos(a), kSunY + bob + outer * std::sin(a));
    cairo_line_to(cr, kSunX + inner * std::cos(a + half), kSunY + bob + inner * std::sin(a + half));
    cairo_close_path(cr);
  }
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetRgb(cr, Hex(0xFFB627));
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  SetRgb(cr, Hex(0xFFCE3A));
  cairo_fill(cr);
}

void Eye(cairo_t* cr, double x, double y, double shut) {
  const Rgb ink = Hex(0x4A2A00);
  if (shut > 0.85) {
    // A shut eye is a happy curve.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3.2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y + 3, 6, kPi * 1.15, kPi * 1.85);
    SetRgb(cr, ink);
    cairo_stroke(cr);
    return;
  }
  const double open = 1 - shut;
  EllipsePath(cr, x, y, 5.5, 8 * open + 0.8);
  SetRgb(cr, ink);
  cairo_fill(cr);
  if (open > 0.4) {
    cairo_arc(cr, x + 1.8, y - 3 * open, 2, 0, 2 * kPi);
    SetRgb(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
  }
}

void Face(cairo_t* cr, int frame, double bob) {
  const double wink = WinkAmount(frame);
  const double cy = kSunY + bob;
  Eye(cr, kSunX - 16, cy - 8, 0);
  Eye(cr, kSunX + 16, cy - 8, wink);
  // The open eye's brow lifts while the other eye winks.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 3);
  SetRgb(cr, Hex(0xC77700));
  cairo_new_sub_path(cr);
  cairo_arc(cr, kSunX - 16, cy - 14 - 5 * wink, 7, kPi * 1.2, kPi * 1.8);
  cairo_stroke(cr);
  cairo_new_sub_path(cr);
  cairo_arc(cr, kSunX + 16, cy - 16 + 2 * wink, 7, kPi * 1.2, kPi * 1.8);
  cairo_stroke(cr);
  // The smile widens into a grin with the wink.
  const double grin = 0.2 + 0.8 * wink;
  cairo_new_path(cr);
  cairo_move_to(cr, kSunX - 20 - 3 * grin, cy + 8 - 2 * grin);
  cairo_curve_to(cr, kSunX - 10, cy + 22 + 6 * grin, kSunX + 10, cy + 22 + 6 * grin,
                 kSunX + 20 + 3 * grin, cy + 8 - 2 * grin);
  cairo_curve_to(cr, kSunX + 10, cy + 14 + 4 * grin, kSunX - 10, cy + 14 + 4 * grin,
                 kSunX - 20 - 3 * grin, cy + 8 - 2 * grin);
  cairo_close_path(cr);
  SetRgb(cr, Hex(0x9C3B0C));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2.4);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetRgb(cr, Hex(0x7A2C06));
  cairo_stroke(cr);
  for (double side : {-1.0, 1.0}) {
    EllipsePath(cr, kSunX + side * 29, cy + 8, 7, 4.5);
    SetRgb(cr, Hex(0xFF6F61), 0.35 + 0.3 * wink);
    cairo_fill(cr);
  }
  // The glint of the wink.
  if (frame >= 11 && frame <= 17) {
    const double t = Progress(frame, 11, 17);
    Glint(cr, kSunX + 44, cy - 30 - 6 * t, 14 * std::sin(kPi * t) + 3, Hex(0xFFFFFF), 1);
    Glint(cr, kSunX + 58, cy - 12, 8 * std::sin(kPi * t), Hex(0xFFFFFF), 0.9);
  }
}

}  // namespace

void DrawWinkingSun(cairo_t* cr, int frame) {
  Meadow(cr, frame);
  const double bob = -3 * std::sin(frame * 2 * kPi / 24);
  // Warm light around the sun.
  cairo_pattern_t* halo =
      cairo_pattern_create_radial(kSunX, kSunY + bob, kRadius, kSunX, kSunY + bob, kRadius * 2.6);
  AddStop(halo, 0, Hex(0xFFF3A6), 0.75);
  AddStop(halo, 1, Hex(0xFFF3A6), 0);
  cairo_set_source(cr, halo);
  cairo_paint(cr);
  cairo_pattern_destroy(halo);
  Rays(cr, frame, bob);
  cairo_pattern_t* body =
      cairo_pattern_create_radial(kSunX - 14, kSunY + bob - 16, 6, kSunX, kSunY + bob, kRadius);
  AddStop(body, 0, Hex(0xFFF7B0));
  AddStop(body, 0.6, Hex(0xFFDA3A));
  AddStop(body, 1, Hex(0xFFB81C));
  cairo_set_source(cr, body);
  cairo_arc(cr, kSunX, kSunY + bob, kRadius, 0, 2 * kPi);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_line_width(cr, 3);
  SetRgb(cr, Hex(0xF7A600));
  cairo_stroke(cr);
  Face(cr, frame, bob);
}

}  // namespace cartoons
