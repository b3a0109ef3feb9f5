// The plants: the two firs on the left, the bush on the hill, and the
// apple tree on the right with its crown, its trunk and branches (drawn
// over the crown, so the child sees and colours them) and its apples.

#include <cmath>
#include <numbers>

#include "tools/picture/Scene.h"

namespace picture {

namespace {

constexpr double kPi = std::numbers::pi;

const Paint kFirGreen = Solid(0x1E9A3E);
const Paint kFirTopGreen = Solid(0x28AA48);
const Paint kBark = Solid(0x8B5A2B);
const Paint kLeafGreen = Solid(0x3DB63B);

// One tier of a fir: an apex, gently hollow sides and a scalloped lower
// edge of `scallops` rounded branch ends.
Path FirTier(double cx, double apexY, double baseY, double halfWidth, int scallops) {
  const double depth = 4;
  Path tier;
  tier.MoveTo({cx, apexY});
  tier.CurveTo({cx + halfWidth * 0.25, apexY + (baseY - apexY) * 0.45},
               {cx + halfWidth * 0.7, baseY - 4}, {cx + halfWidth, baseY - 2});
  const double step = 2 * halfWidth / scallops;
  for (int i = 0; i < scallops; ++i) {
    const double xs = cx + halfWidth - i * step;
    const double xe = xs - step;
    const double ys = i == 0 ? baseY - 2 : baseY;
    const double ye = i == scallops - 1 ? baseY - 2 : baseY;
    tier.CurveTo({xs - step * 0.1, ys + depth}, {xe + step * 0.1, ye + depth}, {xe, ye});
  }
  tier.CurveTo({cx - halfWidth * 0.7, baseY - 4},
               {cx - halfWidth * 0.25, apexY + (baseY - apexY) * 0.45}, {cx, apexY});
  return tier.Close();
}

struct Tier {
  double apexY, baseY, halfWidth;
  int scallops;
};

void Fir(Pen& pen, double cx, const std::vector<Tier>& tiers, double trunkHalf, double trunkTop,
         double trunkBottom) {
  pen.Part(Path().Polygon({{cx - trunkHalf, trunkTop},
                           {cx + trunkHalf, trunkTop},
                           {cx + trunkHalf, trunkBottom},
                           {cx - trunkHalf, trunkBottom}}),
           kBark);
  // Lower tiers first, so every tier lies over the apex of the one below.
  for (std::size_t i = tiers.size(); i-- > 0;) {
    const Tier& t = tiers[i];
    pen.Part(FirTier(cx, t.apexY, t.baseY, t.halfWidth, t.scallops),
             i == 0 ? kFirTopGreen : kFirGreen);
  }
}

// An apple of half-width r: two lobes give the dimple at the top; a stem
// and a little shine line.
void Apple(Pen& pen, Point c, double r) {
  Path apple;
  apple.Circle({c.x - 0.2 * r, c.y}, 0.8 * r).Circle({c.x + 0.2 * r, c.y}, 0.8 * r);
  pen.Part(apple, kTinted);
  pen.Line(Path().MoveTo({c.x, c.y - 0.6 * r}).LineTo({c.x + 0.15 * r, c.y - 1.05 * r}));
  pen.Line(Path().Arc(c, 0.52 * r, 1.05 * kPi, 1.35 * kPi), 1.5);
}

}  // namespace

void DrawSmallFir(Pen& pen) {
  Fir(pen, 290, {{324.5, 350, 17, 2}, {337, 374, 25, 3}, {352, 397, 31, 4}}, 6, 392, 411.5);
}

void DrawBigFir(Pen& pen) {
  Fir(pen, 130, {{202.5, 250, 28, 2}, {226, 298, 45, 3}, {262, 350, 62, 4}, {300, 412, 79, 5}}, 9,
      405, 437.5);
}

void DrawBush(Pen& pen) {
  Path bush;
  bush.Circle({455, 172}, 17).Circle({473, 158}, 18.5).Circle({489, 173}, 12.5);
  bush.Ellipse({470, 183}, 31, 11.5);
  pen.Part(bush, Solid(0x4CB843));
  pen.Line(Path().Arc({462, 174}, 7, 1.1 * kPi, 1.6 * kPi));
  pen.Line(Path().Arc({482, 168}, 6, 1.2 * kPi, 1.7 * kPi));
}

void DrawCrown(Pen& pen) {
  const std::vector<std::pair<Point, double>> bumps = {
      {{617, 120}, 44.5}, {{560, 150}, 42},   {{675, 135}, 44}, {{712, 190}, 35.5},
      {{528, 205}, 39.5}, {{522, 252}, 33.5}, {{615, 195}, 70}, {{570, 268}, 40},
      {{650, 268}, 40},   {{705, 245}, 38}};
  Path crown;
  for (const auto& [c, r] : bumps) crown.Circle(c, r);
  pen.Part(crown, kLeafGreen);
  // Light on the upper side of the foliage, in the painted picture only.
  for (const auto& [c, r] : bumps) {
    if (r < 60)
      pen.Touch(Path().Circle({c.x - r * 0.25, c.y - r * 0.3}, r * 0.45),
                Colour{0.45, 0.8, 0.35, 0.55});
  }
  // Little leafy curls scattered over the crown.
  for (Point p :
       {Point{540, 120}, Point{600, 96}, Point{690, 110}, Point{724, 222}, Point{506, 228},
        Point{552, 300}, Point{690, 292}, Point{660, 215}, Point{580, 186}, Point{720, 160}}) {
    pen.Line(Path().Arc(p, 7, 0.9 * kPi, 1.55 * kPi), 1.6);
  }
}

void DrawTrunk(Pen& pen) {
  Path tree;
  tree.SmoothClosed({{606, 286},
                     {640, 286},
                     {642, 340},
                     {648, 390},
                     {662, 409},
                     {640, 405},
                     {624, 410},
                     {606, 404},
                     {587, 409},
                     {598, 390},
                     {604, 340}});
  tree.Band({{612, 300}, {590, 262}, {566, 232}, {549, 212}}, 18, 8);
  tree.Band({{618, 292}, {606, 240}, {598, 200}, {594, 172}}, 16, 7);
  tree.Band({{628, 292}, {636, 230}, {640, 180}, {642, 146}}, 16, 7);
  tree.Band({{636, 300}, {664, 262}, {688, 228}, {698, 202}}, 18, 8);
  pen.Part(tree, kBark);
  // Bark and a hollow.
  pen.Line(Path().MoveTo({614, 330}).CurveTo({612, 338}, {613, 346}, {615, 354}), 1.6);
  pen.Line(Path().MoveTo({632, 352}).CurveTo({634, 362}, {633, 372}, {635, 382}), 1.6);
  pen.Line(Path().MoveTo({612, 378}).CurveTo({611, 384}, {612, 390}, {610, 396}), 1.6);
  pen.Ink(Path().Ellipse({624, 318}, 5, 7));
}

void DrawApplesLeft(Pen& pen) {
  Apple(pen, {529, 236}, 12.5);
  Apple(pen, {564.5, 242}, 12.5);
  Apple(pen, {546, 274}, 12.5);
}

void DrawApplesRight(Pen& pen) {
  Apple(pen, {597, 152}, 12.5);
  Apple(pen, {641, 184}, 12.5);
  Apple(pen, {678, 150}, 12.5);
  Apple(pen, {697, 198}, 12.5);
}

}  // namespace picture
