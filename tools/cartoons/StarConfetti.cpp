// «Готово!»: a smiling golden star pops up over turning sun rays, bobs,
// squeezes its eyes shut as it gathers itself, and bursts into a shower of
// tumbling confetti and little stars.

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "tools/cartoons/Paint.h"
#include "tools/cartoons/Scenes.h"

namespace cartoons {
namespace {

constexpr double kCentreX = 160;
constexpr double kCentreY = 100;
constexpr int kBang = 12;

void Background(cairo_t* cr, int frame) {
  cairo_pattern_t* p = cairo_pattern_create_radial(kCentreX, kCentreY, 10, kCentreX, kCentreY, 210);
  AddStop(p, 0, Hex(0xFFF6CF));
  AddStop(p, 0.45, Hex(0xB5E6FF));
  AddStop(p, 1, Hex(0x6CC3F5));
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  // Slowly turning rays.
  const int rays = 14;
  const double turn = frame * 0.045;
  for (int i = 0; i < rays; i += 2) {
    const double a0 = turn + 2 * kPi * i / rays;
    const double a1 = a0 + 2 * kPi / rays;
    cairo_move_to(cr, kCentreX, kCentreY);
    cairo_arc(cr, kCentreX, kCentreY, 260, a0, a1);
    cairo_close_path(cr);
  }
  SetRgb(cr, Hex(0xFFFFFF), 0.22);
  cairo_fill(cr);
}

void Face(cairo_t* cr, bool squeezed) {
  const Rgb ink = Hex(0x5A2E00);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (squeezed) {
    // Eyes shut tight: two happy arcs.
    cairo_set_line_width(cr, 3);
    SetRgb(cr, ink);
    for (double side : {-1.0, 1.0}) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, side * 11, -2, 5, kPi * 1.1, kPi * 1.9);
    }
    cairo_stroke(cr);
  } else {
    for (double side : {-1.0, 1.0}) {
      EllipsePath(cr, side * 11, -4, 4.5, 6.5);
      SetRgb(cr, ink);
      cairo_fill(cr);
      cairo_arc(cr, side * 11 + 1.5, -6.5, 1.8, 0, 2 * kPi);
      SetRgb(cr, Hex(0xFFFFFF));
      cairo_fill(cr);
    }
  }
  // Open smile with a tongue.
  cairo_new_path(cr);
  cairo_arc(cr, 0, 5, 11, 0.08 * kPi, 0.92 * kPi);
  cairo_close_path(cr);
  SetRgb(cr, Hex(0x8A2D0A));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  EllipsePath(cr, 0, 15, 7, 4.5);
  SetRgb(cr, Hex(0xFF6F7D));
  cairo_fill(cr);
  cairo_restore(cr);
  for (double side : {-1.0, 1.0}) {
    EllipsePath(cr, side * 21, 7, 5.5, 3.5);
    SetRgb(cr, Hex(0xFF7A7A), 0.55);
    cairo_fill(cr);
  }
}

void BigStar(cairo_t* cr, int frame) {
  double sx = 1, sy = 1, rotation = 0, lift = 0;
  if (frame <= 6) {
    const double e = EaseOutBack((frame + 1) / 7.0);
    sx = sy = e;
    rotation = (1 - e) * -0.9;
  } else if (frame <= 9) {
    const double wobble = std::sin((frame - 6) * 1.7);
    sx = sy = 1 + 0.05 * wobble;
    rotation = 0.08 * wobble;
    lift = -3 * wobble;
  } else {
    // Gathering itself: wider and lower, then the burst.
    const double s = Progress(frame, 9, 11);
    sx = 1 + 0.16 * s;
    sy = 1 - 0.16 * s;
    lift = 6 * s;
  }
  if (sx <= 0.01) return;
  cairo_save(cr);
  cairo_translate(cr, kCentreX, kCentreY + lift + 60 * (1 - sy) * 0.3);
  cairo_rotate(cr, rotation);
  cairo_scale(cr, sx, sy);
  // A soft glow behind.
  cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 20, 0, 0, 95);
  AddStop(glow, 0, Hex(0xFFF2A0), 0.8);
  AddStop(glow, 1, Hex(0xFFF2A0), 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, 0, 0, 95, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);

  StarPath(cr, 0, 4, 64, 30, 5, 0);
  cairo_pattern_t* body = cairo_pattern_create_radial(-12, -14, 4, 0, 4, 70);
  AddStop(body, 0, Hex(0xFFF59A));
  AddStop(body, 0.55, Hex(0xFFD530));
  AddStop(body, 1, Hex(0xFFAA00));
  cairo_set_source(cr, body);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_line_width(cr, 6);
  SetRgb(cr, Hex(0xF59B00));
  cairo_stroke(cr);
  Face(cr, frame >= 10);
  cairo_restore(cr);
}

struct Piece {
  double x, y, vx, vy;
  double angle, spin, flip;
  double w, h;
  Rgb colour;
  bool star;
};

// Where each piece is `age` frames after the burst: thrown out fast,
// slowed by the air, then drifting down and swaying.
Piece Confetto(int index, double age) {
  Random random(1000u + static_cast<uint32_t>(index) * 7919u);
  Piece p{};
  const double angle = random.Range(0, 2 * kPi);
  const double speed = 3 + 24 * std::sqrt(random.Unit());  // a filled disc, not a ring
  p.x = kCentreX + random.Range(-8, 8);
  p.y = kCentreY + random.Range(-8, 8);
  p.vx = speed * std::cos(angle);
  p.vy = speed * std::sin(angle) * 0.8 - 4;
  p.angle = random.Range(0, 2 * kPi);
  p.spin = random.Range(-0.5, 0.5);
  p.flip = random.Range(0, 2 * kPi);
  p.star = index % 9 == 0;
  p.w = p.star ? random.Range(5.5, 7.5) : random.Range(7, 10.5);
  p.h = p.star ? p.w : random.Range(3.5, 5);
  p.colour = p.star ? Hex(0xFFD21F) : kParty[index % 7];
  const double sway = random.Range(0, 2 * kPi);
  for (int step = 0; step < static_cast<int>(age); ++step) {
    p.x += p.vx + 1.1 * std::sin(step * 0.7 + sway);
    p.y += p.vy;
    p.vx *= 0.82;
    p.vy = p.vy * 0.82 + 1.25;
  }
  p.angle += p.spin * age;
  p.flip += 0.9 * age;
  return p;
}

void Confetti(cairo_t* cr, int frame) {
  if (frame < kBang) return;
  const double age = frame - kBang;
  for (int i = 0; i < 96; ++i) {
    const Piece p = Confetto(i, age + 2);
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_rotate(cr, p.angle);
    if (p.star) {
      StarPath(cr, 0, 0, p.w, p.w * 0.45, 5, 0);
      SetRgb(cr, p.colour);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1);
      SetRgb(cr, Hex(0xF08A00));
      cairo_stroke(cr);
    } else {
      // Tumbling: the piece narrows and widens as it turns over, and its
      // back is a little darker.
      const double turn = std::cos(p.flip);
      const double width = std::max(0.18, std::fabs(turn));
      cairo_scale(cr, width, 1);
      cairo_rectangle(cr, -p.w / 2, -p.h / 2, p.w, p.h);
      SetRgb(cr, turn > 0 ? p.colour : Mix(p.colour, Hex(0x000000), 0.25));
      cairo_fill(cr);
    }
    cairo_restore(cr);
  }
}

void Flash(cairo_t* cr, int frame) {
  const double age = frame - kBang;
  if (age < 0 || age > 4) return;
  if (age < 2) {
    // The pop: a spiky burst where the star was, gone a frame later.
    StarPath(cr, kCentreX, kCentreY, 80 + 30 * age, 34 + 14 * age, 12, 0.2 * age);
    SetRgb(cr, Hex(0xFFD84A), 0.95 - 0.45 * age);
    cairo_fill(cr);
    StarPath(cr, kCentreX, kCentreY, 50 + 24 * age, 22 + 10 * age, 12, 0.13);
    SetRgb(cr, Hex(0xFFFFFF), 0.9 - 0.45 * age);
    cairo_fill(cr);
  }
  const double radius = 30 + age * 34;
  cairo_set_line_width(cr, 10 * (1 - age / 4) + 1);
  cairo_arc(cr, kCentreX, kCentreY, radius, 0, 2 * kPi);
  SetRgb(cr, Hex(0xFFFFFF), 0.9 * (1 - age / 4));
  cairo_stroke(cr);
  if (age < 2) {
    cairo_pattern_t* p = cairo_pattern_create_radial(kCentreX, kCentreY, 0, kCentreX, kCentreY, 90);
    AddStop(p, 0, Hex(0xFFFFFF), 0.6 * (1 - age / 2));
    AddStop(p, 1, Hex(0xFFF7C0), 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
  }
}

void Twinkles(cairo_t* cr, int frame) {
  if (frame < 3 || frame >= kBang) return;
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * kPi / 5 + frame * 0.35;
    const double r = 82 + 6 * std::sin(frame + i);
    const double size = 5 + 3 * std::sin(frame * 1.3 + i * 2);
    Glint(cr, kCentreX + r * std::cos(a), kCentreY + 0.8 * r * std::sin(a), size, Hex(0xFFFFFF),
          0.9);
  }
}

}  // namespace

void DrawStarConfetti(cairo_t* cr, int frame) {
  Background(cr, frame);
  if (frame < kBang) BigStar(cr, frame);
  Twinkles(cr, frame);
  Flash(cr, frame);
  Confetti(cr, frame);
}

}  // namespace cartoons
