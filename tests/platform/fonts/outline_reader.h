#pragma once
// Reads a native outline buffer back into plain records, for comparing.

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "engine/platform/fonts/FontTypes.h"

namespace testfonts {

struct Pt {
  double x = 0;
  double y = 0;
  friend bool operator==(const Pt&, const Pt&) = default;
};

struct Record {
  uint16_t type = 0;
  std::vector<Pt> points;
  friend bool operator==(const Record&, const Record&) = default;
};

struct Polygon {
  uint32_t type = 0;
  Pt start;
  std::vector<Record> records;
};

inline Pt ToPt(platform::PointFx p) {
  return Pt{platform::FixedToDouble(p.x), platform::FixedToDouble(p.y)};
}

// Empty, with `ok` false, when the sizes in the buffer do not add up.
inline std::vector<Polygon> ReadOutline(std::span<const uint8_t> bytes, bool* ok) {
  std::vector<Polygon> polygons;
  *ok = false;
  size_t at = 0;
  while (at < bytes.size()) {
    platform::OutlinePolygonHeader header;
    if (at + sizeof header > bytes.size()) return {};
    std::memcpy(&header, bytes.data() + at, sizeof header);
    if (header.size < sizeof header || at + header.size > bytes.size()) return {};
    Polygon polygon{header.type, ToPt(header.start), {}};
    size_t record = at + sizeof header;
    const size_t end = at + header.size;
    while (record < end) {
      platform::OutlineCurve curve;
      if (record + sizeof curve > end) return {};
      std::memcpy(&curve, bytes.data() + record, sizeof curve);
      record += sizeof curve;
      if (record + curve.count * sizeof(platform::PointFx) > end) return {};
      Record r{curve.type, {}};
      for (uint16_t i = 0; i < curve.count; ++i) {
        platform::PointFx p;
        std::memcpy(&p, bytes.data() + record, sizeof p);
        record += sizeof p;
        r.points.push_back(ToPt(p));
      }
      polygon.records.push_back(std::move(r));
    }
    polygons.push_back(std::move(polygon));
    at = end;
  }
  *ok = true;
  return polygons;
}

}  // namespace testfonts
