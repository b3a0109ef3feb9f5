// «Ура!»: a bright flag with "Ура!" on it shoots up its pole from behind
// the hill and waves in the wind, while balloons float up past it.

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "tools/cartoons/Paint.h"
#include "tools/cartoons/Scenes.h"

namespace cartoons {
namespace {

constexpr double kPoleX = 46;
constexpr double kFlagWidth = 184;
constexpr double kFlagHeight = 96;
constexpr double kFlagTop = 28;

// How far the flag still has to rise: it is hoisted over frames 0-6 and
// stops at the top of its pole.
double HoistDrop(int frame) { return 110 * (1 - EaseOutCubic(Progress(frame, 0, 6))); }

double WavePhase(double u, int frame) { return u * 0.045 - frame * 0.9; }
// Vertical displacement of the flag's column u (0 at the pole): a main wave
// running out to the fly end with a quicker ripple on it.
double Wave(double u, int frame) {
  const double reach = std::pow(u / kFlagWidth, 0.8);
  return reach *
         (10.5 * std::sin(WavePhase(u, frame)) + 2.5 * std::sin(2.3 * WavePhase(u, frame) + 1));
}

void FlatFlag(cairo_t* cr) {
  cairo_pattern_t* cloth = cairo_pattern_create_linear(0, 0, kFlagWidth, kFlagHeight);
  AddStop(cloth, 0, Hex(0xFF3B5C));
  AddStop(cloth, 1, Hex(0xFF8A1F));
  cairo_rectangle(cr, 0, 0, kFlagWidth, kFlagHeight);
  cairo_set_source(cr, cloth);
  cairo_fill(cr);
  cairo_pattern_destroy(cloth);
  // Gold bands with little white stars along the top and bottom.
  for (double y : {5.0, kFlagHeight - 13}) {
    cairo_rectangle(cr, 0, y, kFlagWidth, 8);
    SetRgb(cr, Hex(0xFFD23F));
    cairo_fill(cr);
    for (double x = 10; x < kFlagWidth; x += 18) {
      StarPath(cr, x, y + 4, 3.4, 1.5, 5, 0);
    }
    SetRgb(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
  }
  // The cheer itself, white with a dark rim so it reads from afar.
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 52);
  const char* text = "Ура!";
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  const double tx = (kFlagWidth - extents.width) / 2 - extents.x_bearing;
  const double ty = (kFlagHeight - extents.height) / 2 - extents.y_bearing;
  cairo_new_path(cr);
  cairo_move_to(cr, tx, ty);
  cairo_text_path(cr, text);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 6);
  SetRgb(cr, Hex(0x9E1030));
  cairo_stroke_preserve(cr);
  SetRgb(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
}

void WavingFlag(cairo_t* cr, int frame) {
  const double top = kFlagTop + HoistDrop(frame);
  // Column by column, each shifted by the wave and lit by its slope.
  for (int u = 0; u < static_cast<int>(kFlagWidth); ++u) {
    const double dy = Wave(u + 0.5, frame);
    cairo_save(cr);
    cairo_rectangle(cr, kPoleX + 3 + u, top + dy - 1, 1, kFlagHeight + 2);
    cairo_clip(cr);
    cairo_translate(cr, kPoleX + 3, top + dy);
    FlatFlag(cr);
    const double slope = std::cos(WavePhase(u + 0.5, frame)) * std::pow(u / kFlagWidth, 0.5);
    cairo_rectangle(cr, 0, 0, kFlagWidth, kFlagHeight);
    if (slope > 0) {
      SetRgb(cr, Hex(0xFFFFFF), 0.22 * slope);
    } else {
      SetRgb(cr, Hex(0x3A0010), -0.3 * slope);
    }
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

void Pole(cairo_t* cr) {
  cairo_pattern_t* metal = cairo_pattern_create_linear(kPoleX - 3, 0, kPoleX + 3, 0);
  AddStop(metal, 0, Hex(0x9A9AA8));
  AddStop(metal, 0.4, Hex(0xFFFFFF));
  AddStop(metal, 1, Hex(0x7C7C8C));
  cairo_rectangle(cr, kPoleX - 3, kFlagTop - 6, 6, kShownHeight);
  cairo_set_source(cr, metal);
  cairo_fill(cr);
  cairo_pattern_destroy(metal);
  cairo_pattern_t* knob =
      cairo_pattern_create_radial(kPoleX - 2, kFlagTop - 12, 1, kPoleX, kFlagTop - 10, 7);
  AddStop(knob, 0, Hex(0xFFF4B0));
  AddStop(knob, 1, Hex(0xE0A000));
  cairo_arc(cr, kPoleX, kFlagTop - 10, 7, 0, 2 * kPi);
  cairo_set_source(cr, knob);
  cairo_fill(cr);
  cairo_pattern_destroy(knob);
}

void Balloons(cairo_t* cr, int frame) {
  struct Balloon {
    double x, startY, speed, phase;
    Rgb colour;
  };
  const Balloon balloons[] = {
      {268, 120, 5.0, 0.0, Hex(0x2EC4F1)}, {148, 196, 4.2, 1.7, Hex(0xFFD23F)},
      {296, 210, 5.5, 3.1, Hex(0x7C5CFF)}, {200, 236, 5.8, 4.4, Hex(0x3DDC84)},
      {258, 286, 6.2, 2.2, Hex(0xFF6FD8)}, {104, 262, 5.4, 5.3, Hex(0xFF5A4E)}};
  for (const Balloon& b : balloons) {
    const double y = b.startY - b.speed * frame;
    const double x = b.x + 5 * std::sin(frame * 0.35 + b.phase);
    if (y < -60 || y > kShownHeight + 40) continue;
    // String first, waving a little.
    cairo_move_to(cr, x, y + 21);
    cairo_curve_to(cr, x - 5, y + 32, x + 5, y + 40, x - 1, y + 54);
    cairo_set_line_width(cr, 1);
    SetRgb(cr, Hex(0x6A6A7A), 0.8);
    cairo_stroke(cr);
    EllipsePath(cr, x, y, 15, 19);
    cairo_pattern_t* skin = cairo_pattern_create_radial(x - 5, y - 7, 1, x, y, 20);
    AddStop(skin, 0, Mix(b.colour, Hex(0xFFFFFF), 0.7));
    AddStop(skin, 0.5, b.colour);
    AddStop(skin, 1, Mix(b.colour, Hex(0x000000), 0.25));
    cairo_set_source(cr, skin);
    cairo_fill(cr);
    cairo_pattern_destroy(skin);
    cairo_move_to(cr, x - 3.5, y + 22.5);
    cairo_line_to(cr, x + 3.5, y + 22.5);
    cairo_line_to(cr, x, y + 18.5);
    cairo_close_path(cr);
    SetRgb(cr, Mix(b.colour, Hex(0x000000), 0.25));
    cairo_fill(cr);
  }
}

// Paper confetti drifting down over everything.
void Confetti(cairo_t* cr, int frame) {
  for (int i = 0; i < 30; ++i) {
    Random random(500u + static_cast<uint32_t>(i));
    const double x0 = random.Range(8, 306);
    const double y0 = random.Range(-120, 150);
    const double fall = random.Range(2.5, 4.5);
    const double sway = random.Range(0, 2 * kPi);
    const double y = y0 + fall * frame;
    if (y < -8 || y > kShownHeight + 8) continue;
    const double x = x0 + 6 * std::sin(frame * 0.4 + sway);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, sway + frame * random.Range(-0.3, 0.3));
    cairo_scale(cr, std::max(0.2, std::fabs(std::cos(frame * 0.7 + sway))), 1);
    cairo_rectangle(cr, -4, -2, 8, 4);
    SetRgb(cr, kParty[i % 7]);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

}  // namespace

void DrawHurrahFlag(cairo_t* cr, int frame) {
  FillSky(cr, Hex(0x55C1FF), Hex(0xE0F7FF));
  FluffyCloud(cr, 250 - frame * 0.5, 40, 0.75, 0.95);
  FluffyCloud(cr, 130 + frame * 0.4, 24, 0.5, 0.85);
  Balloons(cr, frame);
  Pole(cr);
  WavingFlag(cr, frame);
  Hills(cr, 184, 8, 0.9, Hex(0x7ADB5C), Hex(0x3FAE48));
  Confetti(cr, frame);
  // Twinkles around the cheer once the flag is up.
  if (frame >= 7) {
    for (int i = 0; i < 3; ++i) {
      const double t = std::fmod(frame * 0.21 + i * 0.33, 1.0);
      const double x = kPoleX + 40 + i * 62;
      const double y = kFlagTop + 10 + 60 * std::fmod(i * 0.37 + 0.2, 1.0);
      Glint(cr, x, y + Wave(x - kPoleX, frame), 7 * std::sin(kPi * t), Hex(0xFFFFFF), 0.95);
    }
  }
}

}  // namespace cartoons
