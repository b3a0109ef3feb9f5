// The sun and the cloud, the squirrel, the dog and the boy.
//
// The boy's face belongs to his hair's region and his left hand to his
// shirt's, so the blank picture shows the whole boy; once either is
// painted the game lays the skin-coloured overlay over face and hand.

#include <cmath>
#include <numbers>

#include "tools/picture/Scene.h"

namespace picture {

namespace {

constexpr double kPi = std::numbers::pi;

const Colour kSkin = Rgb(0xFFD6B4);
const Colour kBlush = {1.0, 0.55, 0.5, 0.55};

// --- The boy's shapes, shared by his regions and the overlay -------------

Path Face() { return Path().Ellipse({523, 316}, 12.5, 13.5); }
Path Ears() { return Path().Circle({511, 318}, 3).Circle({535, 318}, 3); }
Path Hair() {
  return Path().SmoothClosed({{510, 314},
                              {508.5, 305},
                              {513, 299},
                              {523, 295.8},
                              {533, 298.5},
                              {537.5, 305},
                              {536, 314},
                              {533.5, 309.5},
                              {529.5, 307.5},
                              {526, 310.5},
                              {522.5, 307},
                              {518.5, 310.5},
                              {514.5, 307.5},
                              {512, 311}});
}
Path Hand() { return Path().Ellipse({500, 380}, 5.8, 8).Circle({505, 376.5}, 2.6); }
Path LeftSleeve() { return Path().Band({{509, 338}, {503, 352}, {500, 370}}, 12, 10); }
Path RightSleeve() { return Path().Band({{536, 338}, {540, 352}, {541, 371}}, 11, 9); }
Path Torso() {
  return Path().Polygon(
      {{506, 336}, {516, 331.5}, {523, 337}, {530, 331.5}, {540, 336}, {543, 378}, {504, 378}});
}

void FaceFeatures(Pen& pen) {
  pen.Ink(Path().Circle({518.5, 316}, 1.7));
  pen.Ink(Path().Circle({527.5, 316}, 1.7));
  pen.Line(Path().Arc({523, 320.5}, 5.5, 0.2 * kPi, 0.8 * kPi), 1.6);
  pen.Line(Path().MoveTo({523, 318}).LineTo({522, 321}), 1.4);
}

}  // namespace

void DrawSun(Pen& pen) {
  const Point centre{420, 80};
  std::vector<Point> star;
  for (int i = 0; i < 24; ++i) {
    star.push_back(Polar(centre, i % 2 == 0 ? 50.5 : 37, i * kPi / 12 - kPi / 2));
  }
  pen.Part(Path().SmoothClosed(star), Solid(0xFFC61A));
  pen.Part(Path().Circle(centre, 31), Solid(0xFFE81F));
  pen.Touch(Path().Circle({403, 88}, 5), kBlush);
  pen.Touch(Path().Circle({437, 88}, 5), kBlush);
  pen.Ink(Path().Ellipse({409, 73}, 2.6, 3.4));
  pen.Ink(Path().Ellipse({431, 73}, 2.6, 3.4));
  pen.Line(Path().Arc({420, 81}, 13, 0.2 * kPi, 0.8 * kPi));
}

void DrawCloud(Pen& pen) {
  Path cloud;
  cloud.Circle({199, 92}, 19.5).Circle({233, 77}, 23).Circle({272, 74}, 19.5);
  cloud.Circle({306, 79}, 22).Circle({333, 93}, 18.5);
  // The base reaches up between the puffs, so their union has no pockets.
  cloud.RoundedRect(190, 76, 340, 111.5, 11.5);
  pen.Part(cloud, Vertical(0xFFFFFF, 70, 0xDDE8F4, 112));
  // Puffs curling inside the cloud.
  pen.Line(Path().Arc({214, 96}, 9, 1.0 * kPi, 1.45 * kPi), 1.6);
  pen.Line(Path().Arc({288, 86}, 10, 1.05 * kPi, 1.45 * kPi), 1.6);
}

void DrawSquirrel(Pen& pen) {
  const Paint fur = Solid(0xF07A1E);
  // The bushy tail curls up behind the squirrel and over towards its head.
  pen.Part(Path().SmoothClosed({{222, 406},
                                {234, 404},
                                {243, 396},
                                {246, 384},
                                {244.5, 373.5},
                                {238.5, 369},
                                {230.5, 369.5},
                                {226, 374.5},
                                {231, 378.5},
                                {236, 381},
                                {236.5, 389},
                                {231, 396},
                                {223, 398.5}}),
           Solid(0xE6651A));
  pen.Line(Path().MoveTo({239.5, 377}).CurveTo({242, 383}, {241.5, 390}, {237.5, 396.5}), 1.5);
  pen.Part(Path().Ellipse({219.5, 395}, 12, 13.5), fur);
  pen.Part(Path().Ellipse({214, 399}, 5.5, 7.5), Solid(0xFFD2A3));
  pen.Part(Path().Ellipse({218, 406.5}, 8.5, 3), fur);
  // A pointed ear with a tuft, the head, and an acorn held in the paws.
  pen.Part(Path().Polygon({{209.5, 375}, {214.5, 368.8}, {216.5, 377}}), Solid(0xDD6012));
  pen.Part(Path().Circle({210, 382}, 9.2), fur);
  pen.Part(Path().Ellipse({205.5, 394.5}, 3.4, 3.8), Solid(0xA8682A));
  pen.Part(Path().Ellipse({205.5, 390.6}, 4.2, 1.8), Solid(0x7A4A1C));
  pen.Part(Path().Ellipse({209.5, 393}, 3, 2.3), fur);
  pen.Ink(Path().Circle({206.5, 379.5}, 2));
  pen.Touch(Path().Circle({205.8, 378.8}, 0.7), Colour{1, 1, 1, 1});
  pen.Ink(Path().Circle({201.3, 383.5}, 1.7));
  pen.Line(Path().MoveTo({202.5, 386.5}).CurveTo({204, 387.5}, {205.5, 387.5}, {207, 386.5}), 1.3);
}

void DrawDog(Pen& pen) {
  // Far legs first, then the tail, the body and the near legs.
  pen.Part(Path().RoundedRect(671, 398, 679, 421.5, 3), kTinted);
  pen.Part(Path().RoundedRect(706, 398, 714, 421.5, 3), kTinted);
  pen.Part(Path().Band({{713, 390}, {720, 380}, {722.5, 368}}, 7, 5), kTinted);
  pen.Part(Path().Ellipse({690, 395}, 27, 13.5), kTinted);
  pen.Part(Path().RoundedRect(662, 402, 671, 423.5, 3.5), kTinted);
  pen.Part(Path().RoundedRect(696, 402, 705, 423.5, 3.5), kTinted);
  pen.Line(Path().Ellipse({700, 391}, 7, 5), 1.6);
  // Head, snout and the floppy ear.
  pen.Part(Path().Band({{675, 383}, {682, 391}}, 5, 5), kTinted);
  pen.Part(Path().Circle({666, 377}, 14.5), kTinted);
  pen.Part(Path().Ellipse({654.5, 385}, 8, 6), kTinted);
  pen.Part(
      Path().SmoothClosed({{670, 366}, {680, 364}, {684, 374}, {682, 388}, {676, 392}, {672, 383}}),
      kTinted);
  pen.Ink(Path().Ellipse({648, 382}, 2.8, 2.4));
  pen.Ink(Path().Circle({661, 373}, 2));
  pen.Line(Path().MoveTo({648.5, 388.5}).CurveTo({651, 390.5}, {655, 390.5}, {658, 388.5}), 1.6);
}

void DrawBoyShoes(Pen& pen) {
  pen.Part(Path().SmoothClosed({{498.5, 444},
                                {503, 435},
                                {513, 431},
                                {522, 430.5},
                                {523.5, 438},
                                {523, 447.5},
                                {500, 447.5}}),
           kTinted);
  pen.Part(Path().SmoothClosed(
               {{526, 444}, {530, 435}, {538, 430.5}, {544.5, 432}, {544.5, 447.5}, {527, 447.5}}),
           kTinted);
  Path laces;
  laces.MoveTo({509, 435}).LineTo({513, 438});
  laces.MoveTo({532, 436}).LineTo({536, 439});
  pen.Line(laces, 1.5);
}

void DrawBoyTrousers(Pen& pen) {
  Path legs;
  legs.Polygon({{507, 366}, {526, 366}, {526, 401}, {521.5, 433.5}, {508.5, 433.5}, {507, 400}});
  legs.Polygon({{524, 366}, {545, 366}, {545.5, 400}, {543.5, 433.5}, {530, 433.5}, {526, 401}});
  pen.Part(legs, kTinted);
  Path seams;
  seams.MoveTo({526, 379}).LineTo({526, 398});
  seams.MoveTo({538, 379}).CurveTo({539, 384}, {542, 386}, {545, 386});
  pen.Line(seams, 1.6);
}

void DrawBoyHair(Pen& pen) {
  pen.Part(Ears(), kTinted);
  pen.Part(Face(), kTinted);
  pen.Part(Hair(), kTinted);
  FaceFeatures(pen);
}

void DrawBoyShirt(Pen& pen) {
  pen.Part(Torso(), kTinted);
  pen.Part(Hand(), kTinted);
  pen.Part(LeftSleeve(), kTinted);
  pen.Part(RightSleeve(), kTinted);
  Path collar;
  collar.MoveTo({516, 331.5}).LineTo({519, 341}).LineTo({523, 337});
  collar.LineTo({527, 341}).LineTo({530, 331.5});
  pen.Line(collar, 1.6);
  for (double y : {349.0, 359.0, 369.0}) pen.Line(Path().Circle({523, y}, 1.4), 1.4);
}

void DrawBoyFaceAndHand(Pen& pen) {
  const Paint skin = Solid(kSkin);
  pen.Part(Ears(), skin);
  pen.Part(Face(), skin);
  pen.Touch(Path().Circle({514.5, 322}, 2.8), kBlush);
  pen.Touch(Path().Circle({531.5, 322}, 2.8), kBlush);
  FaceFeatures(pen);
  // The hair and the shirt lie over face and hand, in the order the
  // regions draw them; their outlines come from the pictures below.
  pen.Erase(Hair());
  pen.Erase(Torso());
  pen.Part(Hand(), skin);
  pen.Erase(LeftSleeve());
}

}  // namespace picture
