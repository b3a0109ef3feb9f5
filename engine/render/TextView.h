#pragma once
// The view of a piece of text: one item per UTF-16 code unit, each showing
// a character texture (CreateTextTexture, keyed by face, character, size,
// colour, styles and background, so equal characters share a texture) or,
// with showMarks, a small marker picture for space, tab and line breaks.
// Items are laid out on one line, or word-wrapped at the view's width; the
// source rectangle always holds the extent of the laid-out text. Drawing
// visits only the lines that meet the visible area.
//
// Every item holds one reference to its texture, given back when the item
// is deleted or chooses another texture, and by the view's destructor.
// Owners switch wrap and showMarks by setting the fields; the next edit
// (or SetStyle with no values) applies them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/render/View.h"

// One character of a text view. Rectangles are relative to the view's
// top-left corner.
struct IMTextItem {
  static constexpr uint32_t kNoTexture = 0xFFFFFFFFu;

  uint32_t texture = kNoTexture;  // one reference held, unless kNoTexture
  char16_t character = 0;
  RECT rect{};
  uint32_t colour = 0;
  bool underline = false;
  bool bold = false;
  bool italic = false;
  int32_t height = 0;
  std::u16string fontName;
  std::u16string key;
  uint32_t background = 0;
  bool marker = false;  // shows a marker picture in place of the character
};

// The values SetStyle changes; an absent one stays as it is.
struct IMTextStyle {
  std::optional<uint32_t> colour{};
  std::optional<bool> underline{};
  std::optional<bool> bold{};
  std::optional<bool> italic{};
  std::optional<int32_t> height{};
  std::optional<std::u16string> fontName{};
  std::optional<uint32_t> background{};
};

class IMTextView : public IMView {
 public:
  IMTextView() = default;
  // Gives back every item's texture by handle.
  ~IMTextView() override;

  // Inserts the characters before the item at `position`, in the view's
  // current style, and lays the text out again from there. Nothing when
  // position is negative or beyond the item count.
  virtual void InsertText(int32_t position, const std::u16string& text);
  // Deletes up to `count` items from `position` (fewer at the end of the
  // text) and lays out again from there. Nothing when position is
  // negative or beyond the item count, or count is not positive.
  virtual void DeleteText(int32_t position, int32_t count);

  // Replaces the whole text. The old items give their textures back before
  // the new ones are made, so a character no one else shows is rendered
  // afresh.
  void SetText(const std::u16string& text);
  std::u16string GetPlainText() const;

  // Makes the given values the view's current ones and applies them to
  // every item; every item chooses its texture again (so a change of
  // showMarks takes effect too). Lays out again when some texture changed
  // its size. Marks the view dirty.
  void SetStyle(const IMTextStyle& style);
  void SetTextColour(uint32_t value) { SetStyle(IMTextStyle{.colour = value}); }
  void SetBackground(uint32_t value) { SetStyle(IMTextStyle{.background = value}); }
  void SetHeight(int32_t value) { SetStyle(IMTextStyle{.height = value}); }
  void SetBold(bool value) { SetStyle(IMTextStyle{.bold = value}); }
  // Shows `ch` in the item at `index`; nothing when there is no such item
  // or it already shows ch.
  void SetChar(char16_t ch, int32_t index);

  // The item's values; zero (an empty name, a zero rectangle) when there
  // is no item at `index`.
  uint32_t GetItemColour(int32_t index) const;
  std::u16string GetItemFont(int32_t index) const;
  RECT GetItemRect(int32_t index) const;
  char16_t GetItemChar(int32_t index) const;
  int32_t GetItemCount() const { return static_cast<int32_t>(items.size()); }
  const IMTextItem* GetItem(int32_t index) const;
  // The index of the first item of every line; a text ending in a line
  // break (wrap on) has a last start equal to the item count.
  const std::vector<int32_t>& GetLineStarts() const { return lineStarts; }

  // Draws the items of the lines that meet both the device viewport and the
  // view's rectangle, clipped to them, untinted. Restores the viewport and
  // the drawing origin, and clears dirty.
  void Draw() override;

  // The text key of a character texture: face, character, height, colour,
  // bold, underline, italic, background and marker flag, the numbers in
  // signed decimal with nothing between the fields.
  static std::u16string MakeKey(const std::u16string& fontName, char16_t ch, int32_t height,
                                uint32_t colour, bool bold, bool underline, bool italic,
                                uint32_t background, bool marker);

  // The current style, given to new characters.
  uint32_t colour = 0xFFFFFFFFu;
  uint32_t background = 0x00AFAFAFu;  // transparent grey
  bool wrap = false;                  // break lines at the view's width
  bool underline = false;
  bool bold = false;
  bool italic = false;
  bool showMarks = false;  // space, tab and line breaks as marker pictures
  int32_t height = 16;
  std::u16string fontName = u"Arial";
  int32_t lineHeight = 16;  // the least height of a line

 private:
  // Takes the texture the item's character and style call for, then gives
  // back the one it held. true when the image size changed.
  bool ChooseTexture(IMTextItem& item);
  // Places items from `from` on, keeping the rectangles of those before.
  void Relayout(int32_t from);
  void ReleaseItem(IMTextItem& item);
  // The absolute top of line `line`, in pixels.
  int32_t LineTop(size_t line, int32_t viewTop) const;

  std::vector<IMTextItem> items;
  std::vector<int32_t> lineStarts{0};
};
