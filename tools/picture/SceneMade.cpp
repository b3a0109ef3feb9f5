// Things people made: the traffic light and its lamps, the row of three
// houses with their roofs and windows, the basket of apples, and the car
// with its wheels and windows.
//
// Windows, the headlight and the boy's face (SceneFigures.cpp) are drawn
// twice: as lines in the region beneath, so the blank picture shows them,
// and once more, in their own colours, in the overlay that the game shows
// when that region is painted. Both use one path, so they cover each other
// exactly.

#include <numbers>

#include "tools/picture/Scene.h"

namespace picture {

namespace {

constexpr double kPi = std::numbers::pi;

const Colour kPane = Rgb(0xA6DCFF);
const Colour kShine = {1, 1, 1, 0.85};

Path Box(double left, double top, double right, double bottom) {
  return Path().Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

// A lamp of the traffic light: one picture serves all three lamps.
void Lamp(Pen& pen, Point centre) {
  pen.Part(Path().Circle(centre, 7.4), kTinted);
  pen.Line(Path().Arc(centre, 4.2, 1.1 * kPi, 1.45 * kPi), 1.4);
}

// --- Houses -------------------------------------------------------------

struct Window {
  double left, top, right, bottom;
};

const Window kWindows[] = {
    {92.5, 155, 106, 168.5}, {120, 144.5, 134, 155.5}, {150, 144.5, 164, 155.5},
    {120, 160, 134, 171.5},  {185, 158, 199, 171.5},   {207.5, 158, 221.5, 171.5},
};

// The frame and cross of a window, the same in the walls and the overlay.
void WindowLines(Pen& pen, const Window& w) {
  pen.Line(Box(w.left, w.top, w.right, w.bottom));
  const double mx = (w.left + w.right) / 2, my = (w.top + w.bottom) / 2;
  Path cross;
  cross.MoveTo({mx, w.top}).LineTo({mx, w.bottom});
  cross.MoveTo({w.left, my}).LineTo({w.right, my});
  pen.Line(cross, 1.6);
}

void Door(Pen& pen, double left, double top, double right, double bottom) {
  const double r = (right - left) / 2;
  Path door;
  door.MoveTo({left, bottom}).LineTo({left, top + r});
  door.Arc({left + r, top + r}, r, kPi, 2 * kPi);
  door.LineTo({right, bottom});
  pen.Line(door);
  pen.Ink(Path().Circle({right - 3, (top + bottom) / 2 + 3}, 1.3));
}

// Tile rows across a roof, each inset from the roof's sides.
void TileRow(Pen& pen, double y, double left, double right) {
  pen.Line(Path().MoveTo({left, y}).LineTo({right, y}), 1.6);
}

// --- Car ----------------------------------------------------------------

constexpr Point kRearWheel{184, 271};
constexpr Point kFrontWheel{274, 271};

Path RearWindow() { return Path().Polygon({{201, 243}, {207, 230}, {223, 229}, {223, 243}}); }
Path FrontWindow() {
  return Path().Polygon({{229, 243}, {229, 229}, {246, 229}, {250, 231.5}, {260, 243}});
}
Path Headlight() { return Path().Ellipse({288.5, 253}, 3.2, 4); }

}  // namespace

void DrawTrafficLight(Pen& pen) {
  pen.Part(Box(315, 250, 325, 300), kTinted);
  pen.Part(Path().RoundedRect(308.5, 298.5, 331.5, 305.5, 3), kTinted);
  pen.Part(Path().RoundedRect(300, 173, 340, 255, 8), kTinted);
  // A visor over each lamp.
  for (double y : {195.0, 217.0, 238.0}) {
    pen.Line(Path().Arc({320, y}, 12, 1.15 * kPi, 1.85 * kPi), 1.8);
  }
}

void DrawLowerLamp(Pen& pen) { Lamp(pen, {320, 238}); }
void DrawMiddleLamp(Pen& pen) { Lamp(pen, {320, 217}); }
void DrawUpperLamp(Pen& pen) { Lamp(pen, {320, 195}); }

void DrawHouseWalls(Pen& pen) {
  // Each wall's gable and the chimney's foot stay under the roofs.
  pen.Part(Box(213, 124, 222, 150), kTinted);
  pen.Part(Path().Polygon({{64, 182.5}, {64, 148}, {88, 126}, {112, 148}, {112, 182.5}}), kTinted);
  pen.Part(
      Path().Polygon({{112, 182.5}, {112, 139}, {125, 128}, {159, 128}, {172, 139}, {172, 182.5}}),
      kTinted);
  pen.Part(Path().Polygon({{172, 182.5}, {172, 153}, {203.5, 130}, {231, 153}, {231, 182.5}}),
           kTinted);
  pen.Part(Box(231, 161, 246.5, 182.5), kTinted);
  for (const Window& w : kWindows) WindowLines(pen, w);
  Door(pen, 70, 160, 83, 182.5);
  Door(pen, 149, 161, 163, 182.5);
  Door(pen, 234.5, 167, 243, 182.5);
}

void DrawHouseRoofs(Pen& pen) {
  pen.Part(Path().Polygon({{60.5, 150}, {88, 122.5}, {115.5, 150}}), kTinted);
  pen.Part(Path().Polygon({{108, 141}, {123, 124}, {161, 124}, {176, 141}}), kTinted);
  pen.Part(Path().Polygon({{168, 155}, {203.5, 126}, {239.5, 155}}), kTinted);
  TileRow(pen, 141, 79, 97);
  TileRow(pen, 133, 88 - 7, 88 + 7);
  TileRow(pen, 132.5, 119, 165);
  TileRow(pen, 146, 184, 223);
  TileRow(pen, 137, 195, 212);
}

void DrawHouseWindows(Pen& pen) {
  for (const Window& w : kWindows) {
    pen.Touch(Box(w.left, w.top, w.right, w.bottom), kPane);
    // A streak of light across the upper left pane.
    pen.Touch(Path().Polygon({{w.left + 2, w.top + 5},
                              {w.left + 5, w.top + 2},
                              {w.left + 7, w.top + 2},
                              {w.left + 2, w.top + 7}}),
              kShine);
    WindowLines(pen, w);
  }
}

void DrawBasketApples(Pen& pen) {
  for (Point c : {Point{457, 417}, Point{483, 417}, Point{470, 415}}) {
    const double r = 11;
    Path apple;
    apple.Circle({c.x - 0.2 * r, c.y}, 0.8 * r).Circle({c.x + 0.2 * r, c.y}, 0.8 * r);
    pen.Part(apple, kTinted);
    pen.Line(Path().MoveTo({c.x, c.y - 0.6 * r}).LineTo({c.x + 0.15 * r, c.y - 1.05 * r}));
  }
}

void DrawBasket(Pen& pen) {
  // A thin handle and a low rim leave the apples plenty of room to be clicked.
  const Point pivot{470, 424};
  Path handle;
  handle.MoveTo({pivot.x - 21, pivot.y});
  handle.Arc(pivot, 21, kPi, 2 * kPi);
  handle.LineTo({pivot.x + 17.5, pivot.y});
  handle.ArcNegative(pivot, 17.5, 2 * kPi, kPi);
  handle.Close();
  pen.Part(handle, kTinted);
  pen.Part(Path().Polygon({{448, 428}, {492, 428}, {487.5, 445.5}, {452.5, 445.5}}), kTinted);
  pen.Part(Path().RoundedRect(445.5, 422, 494.5, 429, 3), kTinted);
  // Wicker.
  Path weave;
  for (double x : {459.0, 470.0, 481.0}) {
    weave.MoveTo({x, 430}).LineTo({x + (x - 470) * 0.08, 444});
  }
  weave.MoveTo({451, 437}).LineTo({489, 437});
  pen.Line(weave, 1.5);
}

void DrawCarWheels(Pen& pen) {
  for (Point c : {kRearWheel, kFrontWheel}) {
    pen.Part(Path().Circle(c, 10.5), Solid(0x262626));
    pen.Part(Path().Circle(c, 3.8), Solid(0xC9CDD2));
  }
}

void DrawCarBody(Pen& pen) {
  Path body;
  body.MoveTo({168.5, 268});
  body.SmoothThrough({{169, 252},
                      {176, 246.5},
                      {192, 245},
                      {198, 231},
                      {207, 225},
                      {244, 224.5},
                      {253, 227.5},
                      {266, 243},
                      {284, 246},
                      {292, 250.5},
                      {293.5, 259},
                      {292, 268}});
  body.LineTo({kFrontWheel.x + 15.5, 271});
  body.ArcNegative(kFrontWheel, 15.5, 0, -kPi);
  body.LineTo({kRearWheel.x + 15.5, 271});
  body.ArcNegative(kRearWheel, 15.5, 0, -kPi);
  body.Close();
  pen.Part(body, kTinted);

  pen.Line(RearWindow());
  pen.Line(FrontWindow());
  pen.Line(Headlight());
  // Door seam and handle, rear light and bumpers.
  pen.Line(Path().MoveTo({226, 229}).LineTo({226, 268}));
  pen.Line(Path().MoveTo({231, 251}).LineTo({238, 251}), 2.2);
  pen.Line(Box(169.5, 251, 173.5, 257), 1.6);
  pen.Line(Path().MoveTo({281, 263}).LineTo({292, 263}), 1.6);
  pen.Line(Path().MoveTo({170, 263}).LineTo({166.5 + 10, 263}), 1.6);
}

void DrawCarWindows(Pen& pen) {
  pen.Touch(RearWindow(), kPane);
  pen.Touch(FrontWindow(), kPane);
  pen.Touch(Path().Polygon({{232, 240}, {240, 231}, {244, 231}, {236, 240}}), kShine);
  pen.Touch(Path().Polygon({{204, 240}, {210, 232}, {214, 232}, {208, 240}}), kShine);
  pen.Line(RearWindow());
  pen.Line(FrontWindow());
  pen.Touch(Headlight(), Rgb(0xFFF3A6));
  pen.Line(Headlight());
}

}  // namespace picture
