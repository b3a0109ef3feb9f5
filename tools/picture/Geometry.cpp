#include "tools/picture/Geometry.h"

#include <cmath>
#include <numbers>

namespace picture {

namespace {

constexpr double kPi = std::numbers::pi;

// Bezier control points of the Catmull-Rom span p1 -> p2.
void CatmullRomSpan(Point p0, Point p1, Point p2, Point p3, Point& c1, Point& c2) {
  c1 = p1 + (p2 - p0) * (1.0 / 6.0);
  c2 = p2 - (p3 - p1) * (1.0 / 6.0);
}

Point BezierAt(Point p0, Point c1, Point c2, Point p1, double t) {
  const double u = 1 - t;
  return p0 * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) + p1 * (t * t * t);
}

double Length(Point v) { return std::hypot(v.x, v.y); }

}  // namespace

Point Polar(Point centre, double radius, double angle) {
  return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

void Path::Begin() { starts_.push_back(ops_.size()); }

Path& Path::MoveTo(Point p) {
  Begin();
  ops_.push_back({Kind::Move, p, {}, {}});
  current_ = p;
  return *this;
}

Path& Path::LineTo(Point p) {
  ops_.push_back({Kind::Line, p, {}, {}});
  current_ = p;
  return *this;
}

Path& Path::CurveTo(Point c1, Point c2, Point p) {
  ops_.push_back({Kind::Curve, c1, c2, p});
  current_ = p;
  return *this;
}

Path& Path::Arc(Point centre, double radius, double from, double to) {
  if (starts_.empty()) Begin();
  ops_.push_back({Kind::Arc, centre, {}, {}, radius, from, to});
  current_ = Polar(centre, radius, to);
  return *this;
}

Path& Path::ArcNegative(Point centre, double radius, double from, double to) {
  if (starts_.empty()) Begin();
  ops_.push_back({Kind::ArcNegative, centre, {}, {}, radius, from, to});
  current_ = Polar(centre, radius, to);
  return *this;
}

Path& Path::Close() {
  ops_.push_back({Kind::Close, {}, {}, {}});
  return *this;
}

Path& Path::Polygon(const std::vector<Point>& points) {
  MoveTo(points.front());
  for (std::size_t i = 1; i < points.size(); ++i) LineTo(points[i]);
  return Close();
}

Path& Path::SmoothClosed(const std::vector<Point>& points) {
  const std::size_t n = points.size();
  MoveTo(points[0]);
  for (std::size_t i = 0; i < n; ++i) {
    Point c1, c2;
    CatmullRomSpan(points[(i + n - 1) % n], points[i], points[(i + 1) % n], points[(i + 2) % n], c1,
                   c2);
    CurveTo(c1, c2, points[(i + 1) % n]);
  }
  return Close();
}

Path& Path::SmoothThrough(const std::vector<Point>& points) {
  std::vector<Point> all{current_};
  all.insert(all.end(), points.begin(), points.end());
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    const Point p0 = i == 0 ? all[0] : all[i - 1];
    const Point p3 = i + 2 < all.size() ? all[i + 2] : all[i + 1];
    Point c1, c2;
    CatmullRomSpan(p0, all[i], all[i + 1], p3, c1, c2);
    CurveTo(c1, c2, all[i + 1]);
  }
  return *this;
}

Path& Path::Graph(const std::function<double(double)>& y, double x0, double x1) {
  const double step = x1 > x0 ? 1.0 : -1.0;
  for (double x = x0; step > 0 ? x < x1 : x > x1; x += step) LineTo({x, y(x)});
  return LineTo({x1, y(x1)});
}

Path& Path::Circle(Point centre, double radius) { return Ellipse(centre, radius, radius); }

Path& Path::Ellipse(Point centre, double rx, double ry, double angle) {
  Begin();
  ops_.push_back({Kind::Ellipse, centre, {}, {}, rx, ry, angle});
  current_ = Polar(centre, rx, angle);
  return *this;
}

Path& Path::RoundedRect(double left, double top, double right, double bottom, double radius) {
  MoveTo({left + radius, top});
  Arc({right - radius, top + radius}, radius, -kPi / 2, 0);
  Arc({right - radius, bottom - radius}, radius, 0, kPi / 2);
  Arc({left + radius, bottom - radius}, radius, kPi / 2, kPi);
  Arc({left + radius, top + radius}, radius, kPi, 3 * kPi / 2);
  return Close();
}

Path& Path::Band(const std::vector<Point>& spine, double startWidth, double endWidth) {
  const std::vector<Point> line = SmoothPoints(spine, 10);
  std::vector<double> along{0};
  for (std::size_t i = 1; i < line.size(); ++i) {
    along.push_back(along.back() + Length(line[i] - line[i - 1]));
  }
  std::vector<Point> left, right;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const Point ahead = line[std::min(i + 1, line.size() - 1)];
    const Point behind = line[i == 0 ? 0 : i - 1];
    const Point d = ahead - behind;
    const double len = Length(d);
    const Point normal{-d.y / len, d.x / len};
    const double half = (startWidth + (endWidth - startWidth) * along[i] / along.back()) / 2;
    left.push_back(line[i] + normal * half);
    right.push_back(line[i] - normal * half);
  }
  MoveTo(left.front());
  for (std::size_t i = 1; i < left.size(); ++i) LineTo(left[i]);
  // Round the far end, then come back along the other side and round the start.
  const auto cap = [this](Point centre, Point from, Point to) {
    const double a0 = std::atan2(from.y - centre.y, from.x - centre.x);
    double a1 = std::atan2(to.y - centre.y, to.x - centre.x);
    while (a1 > a0) a1 -= 2 * kPi;
    ArcNegative(centre, Length(from - centre), a0, a1);
  };
  cap(line.back(), left.back(), right.back());
  for (std::size_t i = right.size(); i-- > 0;) LineTo(right[i]);
  cap(line.front(), right.front(), left.front());
  return Close();
}

Path& Path::Add(const Path& other) {
  for (std::size_t start : other.starts_) starts_.push_back(start + ops_.size());
  ops_.insert(ops_.end(), other.ops_.begin(), other.ops_.end());
  current_ = other.current_;
  return *this;
}

void Path::ReplayOps(cairo_t* cr, std::size_t first, std::size_t last) const {
  for (std::size_t i = first; i < last; ++i) {
    const Op& op = ops_[i];
    switch (op.kind) {
      case Kind::Move:
        cairo_move_to(cr, op.a.x, op.a.y);
        break;
      case Kind::Line:
        cairo_line_to(cr, op.a.x, op.a.y);
        break;
      case Kind::Curve:
        cairo_curve_to(cr, op.a.x, op.a.y, op.b.x, op.b.y, op.c.x, op.c.y);
        break;
      case Kind::Arc:
        cairo_arc(cr, op.a.x, op.a.y, op.radius, op.from, op.to);
        break;
      case Kind::ArcNegative:
        cairo_arc_negative(cr, op.a.x, op.a.y, op.radius, op.from, op.to);
        break;
      case Kind::Ellipse: {
        // The path keeps device coordinates, so the matrix only shapes the arc.
        cairo_save(cr);
        cairo_translate(cr, op.a.x, op.a.y);
        cairo_rotate(cr, op.to);
        cairo_scale(cr, op.radius, op.from);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_close_path(cr);
        cairo_restore(cr);
        break;
      }
      case Kind::Close:
        cairo_close_path(cr);
        break;
    }
  }
}

void Path::Replay(cairo_t* cr) const { ReplayOps(cr, 0, ops_.size()); }

void Path::ReplaySubpath(cairo_t* cr, std::size_t index) const {
  const std::size_t last = index + 1 < starts_.size() ? starts_[index + 1] : ops_.size();
  ReplayOps(cr, starts_[index], last);
}

std::vector<Point> SmoothPoints(const std::vector<Point>& points, int steps) {
  std::vector<Point> out{points.front()};
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const Point p0 = i == 0 ? points[0] : points[i - 1];
    const Point p3 = i + 2 < points.size() ? points[i + 2] : points[i + 1];
    Point c1, c2;
    CatmullRomSpan(p0, points[i], points[i + 1], p3, c1, c2);
    for (int s = 1; s <= steps; ++s) {
      out.push_back(BezierAt(points[i], c1, c2, points[i + 1], double(s) / steps));
    }
  }
  return out;
}

}  // namespace picture
