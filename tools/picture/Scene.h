#pragma once
// The colouring picture: one country scene in screen coordinates, cut into
// the game's 35 regions and three overlays.
//
// Every region has one drawing routine, used for its blank and its fill
// picture alike. A region is drawn whole where it can be seen and carried
// on, without an outline, under the regions that lie above it in the game
// screen, so neighbours always meet on one shared outline. The game's
// layers decide who lies above whom (see RegionTable.cpp).

#include <vector>

#include "tools/picture/Pen.h"

namespace picture {

// The light-grey area of the game screen the picture fills.
inline constexpr int kCanvasLeft = 44;
inline constexpr int kCanvasTop = 17;
inline constexpr int kCanvasRight = 756;
inline constexpr int kCanvasBottom = 457;

using DrawRoutine = void (*)(Pen&);

// The paint of every part whose region takes its shade from the game's
// tint: such regions are never drawn in the painted look.
inline constexpr Paint kTinted{{1, 1, 1, 1}, {1, 1, 1, 1}, 0, 0};

enum class FillKind {
  White,    // a white mask that takes its shade from the tint
  Painted,  // already in the region's paint, shown untinted
  Keeps,    // no fill picture: the blank picture takes the tint
};

struct RegionPicture {
  int region;
  const char* depicts;
  int blank;
  int fill;  // equal to blank when the fill kind is Keeps
  int x, y, width, height;
  int layer;
  FillKind fillKind;
  DrawRoutine draw;
};

struct OverlayPicture {
  int number;
  const char* depicts;
  int x, y, width, height;
  int layer;
  int afterRegion;  // created right after this region in the game screen
  DrawRoutine draw;
};

// In region order, 0 to 34.
const std::vector<RegionPicture>& Regions();
// In the order the game screen creates them.
const std::vector<OverlayPicture>& Overlays();

// Shared lines of the land, in screen coordinates.
double HillFoot(double x);  // where the hills meet the field

// Land: SceneLand.cpp.
void DrawSky(Pen& pen);
void DrawHills(Pen& pen);
void DrawField(Pen& pen);
void DrawMeadowByFir(Pen& pen);
void DrawGroundByTree(Pen& pen);
void DrawMeadowByDog(Pen& pen);
void DrawRoad(Pen& pen);
void DrawSand(Pen& pen);
void DrawCorner(Pen& pen);
void DrawRiver(Pen& pen);

// Plants: ScenePlants.cpp.
void DrawSmallFir(Pen& pen);
void DrawBigFir(Pen& pen);
void DrawBush(Pen& pen);
void DrawCrown(Pen& pen);
void DrawTrunk(Pen& pen);
void DrawApplesLeft(Pen& pen);
void DrawApplesRight(Pen& pen);

// Things people made: SceneMade.cpp.
void DrawTrafficLight(Pen& pen);
void DrawLowerLamp(Pen& pen);
void DrawMiddleLamp(Pen& pen);
void DrawUpperLamp(Pen& pen);
void DrawHouseWalls(Pen& pen);
void DrawHouseRoofs(Pen& pen);
void DrawHouseWindows(Pen& pen);  // overlay
void DrawBasketApples(Pen& pen);
void DrawBasket(Pen& pen);
void DrawCarWheels(Pen& pen);
void DrawCarBody(Pen& pen);
void DrawCarWindows(Pen& pen);  // overlay

// Sky things, animals and the boy: SceneFigures.cpp.
void DrawSun(Pen& pen);
void DrawCloud(Pen& pen);
void DrawSquirrel(Pen& pen);
void DrawDog(Pen& pen);
void DrawBoyShoes(Pen& pen);
void DrawBoyTrousers(Pen& pen);
void DrawBoyHair(Pen& pen);
void DrawBoyShirt(Pen& pen);
void DrawBoyFaceAndHand(Pen& pen);  // overlay

}  // namespace picture
