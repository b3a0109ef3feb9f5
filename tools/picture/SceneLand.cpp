// The land of the scene, back to front: sky, hills, the field behind the
// car, the grounds either side of the road, the road, the sand and the
// corner, and the river at the foot of the hills.
//
// The road comes in from the left edge, passes the car and the traffic
// light, bends at (350, 342) and runs down to the bottom edge towards the
// viewer. Everything left of it and below it is meadow, sand and corner;
// right of it the ground under the apple tree and the dog's meadow.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/picture/Scene.h"

namespace picture {

namespace {

constexpr double kPi = std::numbers::pi;

// Shapes that reach the canvas edge go past it; the pictures are clipped
// to the canvas, so no outline runs along its border.
constexpr double kOffLeft = 30;
constexpr double kOffRight = 770;
constexpr double kOffBottom = 470;

// The road: a straight stretch between y 262 and 302, a bend around
// kBend, and a stretch widening towards the bottom edge.
constexpr Point kBend{350, 342};
constexpr double kBendOuter = 80;
constexpr double kBendInner = 40;
constexpr double kRoadTop = kBend.y - kBendOuter;     // 262
constexpr double kRoadBottom = kBend.y - kBendInner;  // 302

double RoadOuterX(double y) { return kBend.x + kBendOuter + (y - kBend.y) * 27.0 / 128.0; }
double RoadInnerX(double y) { return kBend.x + kBendInner - (y - kBend.y) * 12.0 / 128.0; }

// Three hills: left under the houses, right behind the apple tree, and the
// nearest one between them in front of both.
double HillLeft(double x) { return 150 + (x - 160) * (x - 160) / 900; }
double HillRight(double x) { return 146 + (x - 650) * (x - 650) / 1100; }
double HillNear(double x) { return 182 + (x - 440) * (x - 440) / 1300; }
double HillTop(double x) { return std::min({HillLeft(x), HillRight(x), HillNear(x)}); }

double SandTop(double x) { return 347.5 + 2.5 * std::sin(x / 31); }

// A tuft of grass: three blades growing apart from a short base.
void Tuft(Pen& pen, Point base, double size = 1) {
  const double k = size;
  Path blades;
  blades.MoveTo({base.x - 1.5 * k, base.y})
      .CurveTo({base.x - 2 * k, base.y - 2.5 * k}, {base.x - 3.5 * k, base.y - 4.5 * k},
               {base.x - 5.5 * k, base.y - 5.5 * k});
  blades.MoveTo({base.x, base.y})
      .CurveTo({base.x, base.y - 3 * k}, {base.x + 0.3 * k, base.y - 5.5 * k},
               {base.x + 0.8 * k, base.y - 7.5 * k});
  blades.MoveTo({base.x + 1.5 * k, base.y})
      .CurveTo({base.x + 2 * k, base.y - 2.5 * k}, {base.x + 3.5 * k, base.y - 4 * k},
               {base.x + 5.5 * k, base.y - 5 * k});
  pen.Line(blades, 1.5);
}

// A daisy drawn in lines: five round petals about a middle.
void Flower(Pen& pen, Point centre) {
  Path petals;
  for (int i = 0; i < 5; ++i) {
    petals.Circle(Polar(centre, 3.6, i * 2 * kPi / 5 - kPi / 2), 2.3);
  }
  pen.Line(petals, 1.3);
  pen.Line(Path().Circle(centre, 1.5), 1.3);
}

// A little stone on the sand.
void Pebble(Pen& pen, Point centre, double rx, double ry) {
  pen.Line(Path().Ellipse(centre, rx, ry), 1.6);
}

}  // namespace

double HillFoot(double x) {
  const double t = (x - 390) / 370;
  return 215 + 21 * t * t + 1.5 * std::sin(x / 45);
}

void DrawSky(Pen& pen) {
  pen.Part(Path().Polygon({{kOffLeft, 5}, {kOffRight, 5}, {kOffRight, 215}, {kOffLeft, 215}}),
           Vertical(0x3DA5F4, 17, 0xBDE5FF, 205));
  // Three birds far away.
  for (Point p : {Point{104, 62}, Point{128, 48}, Point{548, 40}}) {
    Path bird;
    bird.MoveTo({p.x - 7, p.y - 1}).CurveTo({p.x - 5, p.y - 4}, {p.x - 2, p.y - 4}, {p.x, p.y});
    bird.CurveTo({p.x + 2, p.y - 4}, {p.x + 5, p.y - 4}, {p.x + 7, p.y - 1});
    pen.Line(bird, 1.7);
  }
}

void DrawHills(Pen& pen) {
  Path hills;
  hills.MoveTo({kOffLeft, HillTop(kOffLeft)});
  hills.Graph(HillTop, kOffLeft, kOffRight);
  hills.LineTo({kOffRight, HillFoot(kOffRight)});
  hills.Graph(HillFoot, kOffRight, kOffLeft);
  hills.Close();
  pen.Part(hills, kTinted);

  // The near hill's crest where it passes in front of the other two.
  Path crest;
  bool drawing = false;
  for (double x = 200; x <= 700; x += 1) {
    const bool inside = HillNear(x) > HillTop(x) + 1 && HillNear(x) < HillFoot(x);
    if (inside && !drawing) crest.MoveTo({x, HillNear(x)});
    if (inside) crest.LineTo({x, HillNear(x)});
    drawing = inside;
  }
  pen.Line(crest);
  for (Point p : {Point{64, 200}, Point{262, 196}, Point{520, 206}, Point{735, 196}}) Tuft(pen, p);
}

void DrawField(Pen& pen) {
  const auto top = [](double x) { return HillFoot(x) - 7; };
  Path field;
  field.MoveTo({kOffLeft, top(kOffLeft)});
  field.Graph(top, kOffLeft, 545);
  field.LineTo({545, 268}).LineTo({kOffLeft, 268}).Close();
  pen.Part(field, kTinted);

  // Furrows behind the car, a third and two thirds of the way down; beyond
  // the traffic light the river runs through the field and needs no lines
  // beside it.
  for (double f : {0.36, 0.7}) {
    const auto furrow = [f](double x) { return HillFoot(x) + (kRoadTop - HillFoot(x)) * f; };
    pen.Line(Path().MoveTo({kOffLeft, furrow(kOffLeft)}).Graph(furrow, kOffLeft, 310), 1.6);
  }
}

void DrawMeadowByFir(Pen& pen) {
  // Its top runs under the road, its bottom under the sand.
  pen.Part(Path().Polygon({{kOffLeft, kRoadBottom - 6},
                           {kBend.x, kRoadBottom - 6},
                           {400, 330},
                           {412, 380},
                           {402, kOffBottom},
                           {kOffLeft, kOffBottom}}),
           kTinted);
  for (Point p : {Point{224, 326}, Point{246, 338}, Point{345, 322}, Point{370, 336}}) {
    Tuft(pen, p);
  }
  Flower(pen, {232, 314});
  Flower(pen, {362, 312});
}

void DrawGroundByTree(Pen& pen) {
  // From the road's outer edge along the visible border with the field,
  // under the crown, the hills' foot and back under the road.
  // The border leaves the road where its bend is still above the field's
  // lower edge, so the field and this ground always meet.
  const double a = -78.5 * kPi / 180;
  Path ground;
  ground.MoveTo(Polar(kBend, kBendOuter - 8, a));
  ground.LineTo(Polar(kBend, kBendOuter, a));
  ground.SmoothThrough({{400, 258.5}, {440, 256}, {480, 255}, {515, 256}});
  ground.LineTo({545, 250});
  const auto under = [](double x) { return HillFoot(x) - 6; };
  ground.LineTo({545, under(545)});
  ground.Graph(under, 545, kOffRight);
  ground.LineTo({kOffRight, kOffBottom});
  ground.LineTo({RoadOuterX(kOffBottom) - 8, kOffBottom});
  ground.LineTo({RoadOuterX(kBend.y) - 8, kBend.y});
  ground.ArcNegative(kBend, kBendOuter - 8, 0, a);
  ground.Close();
  pen.Part(ground, kTinted);
  for (Point p : {Point{478, 300}, Point{470, 372}, Point{556, 340}, Point{740, 312}}) {
    Tuft(pen, p);
  }
}

void DrawMeadowByDog(Pen& pen) {
  Path meadow;
  meadow.MoveTo({548, kOffBottom});
  meadow.SmoothThrough(
      {{552, 440}, {570, 410}, {605, 386}, {650, 366}, {700, 349}, {kOffRight, 337}});
  meadow.LineTo({kOffRight, kOffBottom}).Close();
  pen.Part(meadow, kTinted);
  for (Point p : {Point{588, 440}, Point{740, 372}, Point{700, 448}, Point{575, 418}}) {
    Tuft(pen, p);
  }
  Flower(pen, {612, 432});
  Flower(pen, {742, 430});
  Flower(pen, {724, 350});
}

void DrawRoad(Pen& pen) {
  Path road;
  road.MoveTo({kOffLeft, kRoadTop});
  road.LineTo({kBend.x, kRoadTop});
  road.Arc(kBend, kBendOuter, -kPi / 2, 0);
  road.LineTo({RoadOuterX(kOffBottom), kOffBottom});
  // Under the sand the road runs on to the left, out of sight.
  road.LineTo({355, kOffBottom});
  road.LineTo({360, 352});
  road.LineTo({RoadInnerX(346), 346});
  road.ArcNegative(kBend, kBendInner, 0, -kPi / 2);
  road.LineTo({kOffLeft, kRoadBottom});
  road.Close();
  pen.Part(road, kTinted);
}

void DrawSand(Pen& pen) {
  const double joinX = 389;
  Path sand;
  sand.MoveTo({kOffLeft, SandTop(kOffLeft)});
  sand.Graph(SandTop, kOffLeft, joinX);
  sand.LineTo({RoadInnerX(SandTop(joinX)), SandTop(joinX)});
  sand.LineTo({RoadInnerX(kOffBottom), kOffBottom});
  sand.LineTo({kOffLeft, kOffBottom});
  sand.Close();
  pen.Part(sand, kTinted);
  Pebble(pen, {300, 432}, 4, 2.5);
  Pebble(pen, {338, 446}, 5, 3);
  Pebble(pen, {352, 398}, 3.5, 2.2);
  Pebble(pen, {326, 372}, 3, 2);
  Pebble(pen, {236, 356}, 3.5, 2);
}

void DrawCorner(Pen& pen) {
  Path corner;
  corner.MoveTo({kOffLeft, 362});
  corner.SmoothThrough(
      {{90, 360}, {160, 365}, {214, 383}, {252, 410}, {271, 440}, {278, kOffBottom}});
  corner.LineTo({kOffLeft, kOffBottom}).Close();
  pen.Part(corner, kTinted);
  for (Point p : {Point{60, 385}, Point{84, 446}, Point{176, 452}, Point{240, 438}}) {
    Tuft(pen, p);
  }
}

void DrawRiver(Pen& pen) {
  // Its top edge lies on the hills' outline, so the two share one line;
  // it narrows to a point behind the traffic light.
  const auto top = [](double x) { return HillFoot(x) + Pen::kOutline; };
  const auto bottom = [top](double x) {
    const double t = x - 306;
    return top(x) + 0.135 * t * (1 + 0.16 * std::sin(t / 18));
  };
  Path river;
  river.MoveTo({306, top(306)});
  river.Graph(top, 306, 525);
  river.LineTo({525, bottom(525)});
  river.Graph(bottom, 525, 306);
  river.Close();
  pen.Part(river, kTinted);

  // Small waves along the middle of the water, where it is wide enough.
  for (double x : {372.0, 402.0, 432.0, 462.0}) {
    const Point p{x, (top(x) + bottom(x)) / 2 + (int(x) % 60 == 12 ? -2 : 2)};
    Path wave;
    wave.MoveTo({p.x - 6, p.y}).CurveTo({p.x - 4, p.y - 2.5}, {p.x - 1, p.y - 2.5}, {p.x, p.y});
    wave.CurveTo({p.x + 1, p.y + 2.5}, {p.x + 4, p.y + 2.5}, {p.x + 6, p.y});
    pen.Line(wave, 1.5);
  }
}

}  // namespace picture
