// The game's regions and overlays: picture numbers, the top-left corner
// and size of each picture on the game screen, and its layer there. These
// are the game's own values; the pictures are cut to them.

#include "tools/picture/Scene.h"

namespace picture {

const std::vector<RegionPicture>& Regions() {
  using enum FillKind;
  static const std::vector<RegionPicture> regions = {
      {0, "sky", 171, 172, 44, 17, 712, 185, 0, Painted, DrawSky},
      {1, "meadow left of the road", 144, 145, 44, 257, 472, 200, 3, White, DrawMeadowByFir},
      {2, "ground under the apple tree", 146, 147, 364, 215, 392, 242, 4, White, DrawGroundByTree},
      {3, "meadow under the dog", 148, 149, 544, 331, 212, 126, 6, White, DrawMeadowByDog},
      {4, "road", 195, 196, 44, 203, 712, 254, 8, White, DrawRoad},
      {5, "sand below the small fir", 142, 143, 44, 341, 366, 116, 10, White, DrawSand},
      {6, "ground in the corner", 140, 141, 44, 357, 238, 100, 12, White, DrawCorner},
      {7, "field behind the car", 150, 151, 43, 179, 714, 88, 2, White, DrawField},
      {8, "hills", 152, 153, 43, 134, 714, 106, 16, White, DrawHills},
      {9, "river", 165, 166, 305, 215, 210, 36, 18, White, DrawRiver},
      {10, "small fir", 137, 138, 256, 322, 68, 92, 20, Painted, DrawSmallFir},
      {11, "big fir", 135, 136, 48, 200, 164, 240, 22, Painted, DrawBigFir},
      {12, "squirrel", 109, 110, 197, 366, 52, 46, 24, Painted, DrawSquirrel},
      {13, "sun", 175, 176, 366, 26, 108, 108, 26, Painted, DrawSun},
      {14, "cloud", 131, 132, 173, 52, 182, 62, 28, Painted, DrawCloud},
      {15, "bush", 178, 179, 434, 137, 70, 60, 30, Painted, DrawBush},
      {16, "crown of the apple tree", 177, 191, 486, 73, 264, 240, 32, Painted, DrawCrown},
      {17, "trunk of the apple tree", 180, 190, 542, 138, 170, 276, 34, Painted, DrawTrunk},
      {18, "apples left", 103, 104, 514, 221, 66, 70, 36, White, DrawApplesLeft},
      {19, "apples right", 105, 106, 580, 134, 134, 82, 38, White, DrawApplesRight},
      {20, "traffic light", 168, 169, 297, 170, 46, 138, 40, White, DrawTrafficLight},
      {21, "lower lamp", 167, 170, 310, 228, 20, 20, 42, White, DrawLowerLamp},
      {22, "middle lamp", 167, 170, 310, 207, 20, 20, 42, White, DrawMiddleLamp},
      {23, "upper lamp", 167, 167, 310, 185, 20, 20, 42, Keeps, DrawUpperLamp},
      {24, "house walls", 156, 156, 59, 121, 190, 64, 44, Keeps, DrawHouseWalls},
      {25, "house roofs", 157, 158, 58, 120, 184, 42, 46, White, DrawHouseRoofs},
      {26, "dog", 133, 134, 643, 358, 88, 68, 48, White, DrawDog},
      {27, "apples in the basket", 101, 102, 443, 402, 54, 26, 48, White, DrawBasketApples},
      {28, "basket", 107, 108, 443, 398, 54, 50, 50, White, DrawBasket},
      {29, "car wheels", 129, 130, 171, 258, 116, 26, 50, Painted, DrawCarWheels},
      {30, "car body", 126, 127, 166, 222, 130, 54, 52, White, DrawCarBody},
      {31, "boy's shoes", 116, 117, 495, 422, 52, 28, 52, White, DrawBoyShoes},
      {32, "boy's trousers", 122, 123, 504, 362, 44, 74, 52, White, DrawBoyTrousers},
      {33, "boy's hair", 118, 119, 505, 293, 36, 40, 52, White, DrawBoyHair},
      {34, "boy's shirt", 120, 121, 491, 325, 58, 68, 52, White, DrawBoyShirt},
  };
  return regions;
}

const std::vector<OverlayPicture>& Overlays() {
  static const std::vector<OverlayPicture> overlays = {
      {159, "house windows", 90, 142, 134, 32, 48, 25, DrawHouseWindows},
      {128, "car windows and headlight", 166, 226, 130, 44, 52, 30, DrawCarWindows},
      {115, "boy's face and hand", 482, 305, 58, 88, 52, 34, DrawBoyFaceAndHand},
  };
  return overlays;
}

}  // namespace picture
