#pragma once
// The outline of one character as an AGG vertex source: the polygons of
// the font's native outline, moved up by the font's descent so that y = 0
// is the bottom of the character cell, plus the underline band when the
// character is underlined. AGG reads it through rewind and vertex.
//
// Commands are AGG's: 1 move-to, 2 line-to, 3 quadratic curve (control
// point, then end point, each with command 3), 0x5F end of a closed
// polygon, 0 stop.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/platform/fonts/FontTypes.h"

class IMGlyphPath {
 public:
  static constexpr unsigned kMoveTo = 1;
  static constexpr unsigned kLineTo = 2;
  static constexpr unsigned kCurve3 = 3;
  static constexpr unsigned kEndPolygon = 0x5F;  // end, close and counter-clockwise flags
  static constexpr unsigned kStop = 0;

  // Replaces the path with the character whose native outline is
  // `outline` (its byte count `outlineSize`, 0xFFFFFFFF when the outline
  // call failed: the path is then empty). The underline band, when asked
  // for, spans the advance between 1/15 and 1/2 of the descent above the
  // cell's bottom. A buffer that ends inside a record ends the path there.
  void Build(const platform::TextMetrics& metrics, const platform::AbcWidths& widths,
             std::span<const uint8_t> outline, uint32_t outlineSize, bool underline);

  // The AGG vertex source. rewind starts reading from the first command;
  // vertex returns the next command with its point, and kStop (with 0, 0)
  // from the end on.
  void rewind(unsigned pathId);
  unsigned vertex(double* x, double* y);

  int32_t Advance() const { return advance; }
  int32_t CellHeight() const { return cellHeight; }
  size_t CommandCount() const { return commands.size(); }

 private:
  void Add(unsigned command, double x, double y);
  void AddPolygons(std::span<const uint8_t> outline, double descent);

  std::vector<uint8_t> commands;
  std::vector<double> vertices;  // x, y per command
  size_t readPosition = 0;
  int32_t advance = 0;     // A + B + C
  int32_t cellHeight = 0;  // tmHeight
};
