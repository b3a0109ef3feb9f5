#pragma once
// The pen every shape of the scene is drawn with. One drawing routine per
// region serves all of its pictures: the pen decides the colours from its
// look, so a region's blank and fill pictures always share one outline and
// one opaque area, which the game's click test depends on.

#include <cairo.h>

#include <cstdint>

#include "tools/picture/Geometry.h"

namespace picture {

enum class Look {
  Blank,    // canvas grey inside every outline
  White,    // white inside, so the game's tint gives the shade
  Painted,  // the colours the routine names
};

struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB.
Colour Rgb(std::uint32_t hex);
Colour Mix(Colour a, Colour b, double t);

// A solid colour, or a vertical gradient from `top` at y0 to `bottom` at y1
// in screen coordinates.
struct Paint {
  Colour top;
  Colour bottom;
  double y0 = 0, y1 = 0;
};

Paint Solid(std::uint32_t hex);
Paint Solid(Colour c);
Paint Vertical(std::uint32_t top, double y0, std::uint32_t bottom, double y1);

inline constexpr std::uint8_t kCanvasGrey = 215;

class Pen {
 public:
  // Outlines are this wide and lie just outside their shape, so a shape
  // drawn later covers the outline of what it overlaps and keeps its own.
  static constexpr double kOutline = 2.5;
  // Lines inside a shape (doors, bark, leaves) are a little lighter.
  static constexpr double kDetail = 2.0;

  Pen(cairo_t* cr, Look look) : cr_(cr), look_(look) {}

  Look look() const { return look_; }

  // A closed part with its outline; all subpaths of `path` form one
  // shape, outlined around their union.
  void Part(const Path& path, const Paint& paint);
  // A part's area without an outline: where a region continues under the
  // regions above it, so that no gap can open along their shared edge.
  void Under(const Path& path, const Paint& paint);
  // A black line inside a shape.
  void Line(const Path& path, double width = kDetail);
  // A black filled detail such as an eye or a nose.
  void Ink(const Path& path);
  // A touch of colour that only the painted look shows (cheeks, shine).
  void Touch(const Path& path, Colour colour);
  // Cut a shape and its outline out of what is drawn so far, so that the
  // picture below shows through there (overlays under a neighbour's edge).
  void Erase(const Path& path);

  cairo_t* context() const { return cr_; }

 private:
  void SetPaint(const Paint& paint);

  cairo_t* cr_;
  Look look_;
};

}  // namespace picture
