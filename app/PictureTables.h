#pragma once
// The colouring book's data: the ten paints, the 35 regions of the picture
// with the paints each accepts and the shade each paint gives, and the
// three overlays. Pictures are numbered resources of the program.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace game {

constexpr int kPaintCount = 10;
constexpr int kRegionCount = 35;

enum Paint : int {
  kRed = 0,
  kOrange = 1,
  kYellow = 2,
  kGreen = 3,
  kLightBlue = 4,
  kBlue = 5,
  kPurple = 6,
  kBrown = 7,
  kWhite = 8,
  kBlack = 9,
};

struct PaintRow {
  const char* name;
  uint32_t brushColour;
  int wellPicture;         // 58 x 58, the paint in its dark well
  int highlightedPicture;  // 64 x 64, the same with a ring
  int x, y;                // the well button's top-left corner
};

extern const std::array<PaintRow, kPaintCount> kPaints;

// What an accepted paint does to a region's tint.
enum class ShadeKind {
  Argb,         // the tint becomes `argb`
  BrushColour,  // the tint becomes the paint's brush colour
  NoTint,       // the tint stays; the fill picture shows its own colours
};

struct Shade {
  int paint;
  ShadeKind kind;
  uint32_t argb = 0;
};

struct RegionRow {
  const char* depicts;
  int blankPicture;
  int fillPicture;  // equal to blankPicture when the region keeps its blank picture
  int width, height;
  int x, y;
  int layer;
  std::vector<Shade> shades;  // the accepted paints; every other paint is refused

  // The shade of `paint`, or nothing when the region refuses it.
  std::optional<Shade> ShadeFor(int paint) const;
  bool KeepsBlankPicture() const { return fillPicture == blankPicture; }
};

extern const std::array<RegionRow, kRegionCount> kRegions;

enum Overlay : int { kHouseWindows = 0, kCarWindows = 1, kBoyFace = 2 };

struct OverlayRow {
  const char* depicts;
  int picture;
  int width, height;
  int x, y;
  int layer;
};

extern const std::array<OverlayRow, 3> kOverlays;

// Pictures and sounds of the game screen.
constexpr int kBackgroundPicture = 139;
constexpr int kBrushPicture = 192;       // a white bucket, tinted with the brush colour
constexpr int kBlackBrushPicture = 214;  // the same with dark paint, untinted
constexpr int kWarningSound = 215;
constexpr int kFirstPraiseSound = 207;  // 207 to 210
constexpr int kPraiseSoundCount = 4;

// The wrong-paint blink's two looks.
constexpr uint32_t kBlinkTint = 0x64960000u;
constexpr uint32_t kBlinkPlain = 0xFFFFFFFFu;

}  // namespace game
