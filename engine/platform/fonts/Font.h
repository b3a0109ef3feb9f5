#pragma once
// One font of the font service: a face at one size and style, as made by
// FontLibrary::CreateFont. It answers the questions GDI answers of a font
// selected into a device context: its text metrics, the ABC widths of a
// character and the character's outline in the native form (FontTypes.h).
// Characters the face lacks are answered with its default glyph, as GDI
// does.
//
// Each question loads the glyph afresh; callers that ask often cache the
// answers (the engine's font cache does).

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "engine/platform/fonts/FontTypes.h"

namespace platform {

class FontLibrary;

class Font {
  struct Key {};  // only FontLibrary makes fonts

 public:
  struct State;
  Font(Key, std::unique_ptr<State> state);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const TextMetrics& Metrics() const;
  // Nothing when the glyph cannot be loaded. A character without an
  // outline (space) has A = 0, B = 0 and C = its advance.
  std::optional<AbcWidths> CharAbcWidths(char16_t ch) const;
  // Fills `metrics` and returns the size in bytes of the character's native
  // outline. With an empty `buffer` only the size is returned; otherwise
  // the outline is written to the buffer, and nothing (with `metrics`
  // untouched) comes back when it would not fit. Nothing also when the
  // glyph cannot be loaded. A character without an outline has size 0 and
  // a 1 x 1 black box at the origin.
  std::optional<uint32_t> GlyphOutline(char16_t ch, GlyphMetrics& metrics,
                                       std::span<uint8_t> buffer) const;

  // The family and the file fontconfig chose, for diagnostics and tests.
  const std::string& FamilyName() const;
  const std::string& FilePath() const;
  // Whether bold or italic is drawn by slanting or thickening the outlines
  // because the chosen face has no such style of its own.
  bool IsSyntheticBold() const;
  bool IsSyntheticItalic() const;

 private:
  friend class FontLibrary;
  // Loads the glyph of `ch` into the face's slot, styled as the font asks.
  bool LoadGlyph(char16_t ch) const;

  std::unique_ptr<State> state;
};

}  // namespace platform
