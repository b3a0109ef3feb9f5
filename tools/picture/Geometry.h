#pragma once
// Points and closed outlines in screen coordinates. A Path records its
// pieces so that one shape can be replayed into every picture that needs
// it (a region's blank and fill pictures, the overlay that lies over it).

#include <cairo.h>

#include <cstddef>
#include <functional>
#include <vector>

namespace picture {

struct Point {
  double x = 0;
  double y = 0;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
inline Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }

// The point at `angle` radians (clockwise on screen from +x) and `radius`.
Point Polar(Point centre, double radius, double angle);

class Path {
 public:
  Path& MoveTo(Point p);
  Path& LineTo(Point p);
  Path& CurveTo(Point c1, Point c2, Point p);
  // Arcs continue the current subpath; angles in radians, clockwise on screen.
  Path& Arc(Point centre, double radius, double from, double to);
  Path& ArcNegative(Point centre, double radius, double from, double to);
  Path& Close();

  // Whole closed subpaths.
  Path& Polygon(const std::vector<Point>& points);
  // A closed curve through every point (Catmull-Rom, so no corners).
  Path& SmoothClosed(const std::vector<Point>& points);
  Path& Circle(Point centre, double radius);
  Path& Ellipse(Point centre, double rx, double ry, double angle = 0);
  Path& RoundedRect(double left, double top, double right, double bottom, double radius);
  // A branch-like band along a smooth spine, `startWidth` wide at the
  // first point and `endWidth` at the last, with rounded ends.
  Path& Band(const std::vector<Point>& spine, double startWidth, double endWidth);

  // Open pieces continuing the current subpath.
  Path& SmoothThrough(const std::vector<Point>& points);
  // Straight steps along the curve (x, y(x)) from x0 to x1, either way.
  Path& Graph(const std::function<double(double)>& y, double x0, double x1);

  Path& Add(const Path& other);

  void Replay(cairo_t* cr) const;
  std::size_t SubpathCount() const { return starts_.size(); }
  void ReplaySubpath(cairo_t* cr, std::size_t index) const;

 private:
  enum class Kind { Move, Line, Curve, Arc, ArcNegative, Ellipse, Close };
  struct Op {
    Kind kind;
    Point a, b, c;
    double radius = 0, from = 0, to = 0;  // arcs; for ellipses rx, ry, angle
  };
  void Begin();
  void ReplayOps(cairo_t* cr, std::size_t first, std::size_t last) const;

  std::vector<Op> ops_;
  std::vector<std::size_t> starts_;
  Point current_;
};

// Catmull-Rom samples of a smooth open curve through `points`, `steps`
// per span; used where a shape needs its own outline as points.
std::vector<Point> SmoothPoints(const std::vector<Point>& points, int steps);

}  // namespace picture
