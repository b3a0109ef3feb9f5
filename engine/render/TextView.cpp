// IMTextView: items, their textures, layout and drawing.
//
//   Keys and textures ..... MakeKey, ChooseTexture, ReleaseItem
//   Editing ............... InsertText, DeleteText, SetText, SetStyle, SetChar
//   Item getters .......... GetItem*, GetPlainText
//   Layout ................ Relayout
//   Drawing ............... Draw, LineTop

#include "engine/render/TextView.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "engine/platform/resources/EmbeddedData.h"
#include "engine/res/ResourceManager.h"

namespace {

bool IsLineBreak(char16_t ch) { return ch == u'\n' || ch == u'\r'; }
bool HasMark(char16_t ch) { return ch == u' ' || ch == u'\t' || IsLineBreak(ch); }

// The marker pictures of the program's data.
const char16_t* MarkName(char16_t ch) {
  switch (ch) {
    case u' ':
      return u"TextMarkSpace";
    case u'\t':
      return u"TextMarkTab";
    default:
      return u"TextMarkParagraph";
  }
}

void AppendNumber(std::u16string& out, int32_t value) {
  for (const char c : std::to_string(value)) out += static_cast<char16_t>(c);
}

IMImageSize ImageSizeOf(uint32_t texture) {
  if (texture == IMTextItem::kNoTexture || !engineInstance) return IMImageSize{};
  const IMTextureEntry* entry = engineInstance->Entry(texture);
  if (!entry) return IMImageSize{};
  return IMImageSize{entry->imageRect.right - entry->imageRect.left,
                     entry->imageRect.bottom - entry->imageRect.top};
}

}  // namespace

// --- Keys and textures ---------------------------------------------------

std::u16string IMTextView::MakeKey(const std::u16string& fontName, char16_t ch, int32_t height,
                                   uint32_t colour, bool bold, bool underline, bool italic,
                                   uint32_t background, bool marker) {
  std::u16string key = fontName;
  key += ch;
  AppendNumber(key, height);
  AppendNumber(key, static_cast<int32_t>(colour));
  AppendNumber(key, bold);
  AppendNumber(key, underline);
  AppendNumber(key, italic);
  AppendNumber(key, static_cast<int32_t>(background));
  AppendNumber(key, marker);
  return key;
}

bool IMTextView::ChooseTexture(IMTextItem& item) {
  const uint32_t old = item.texture;
  const IMImageSize oldSize = ImageSizeOf(old);
  const char16_t ch = item.character;
  item.marker = showMarks && HasMark(ch);
  item.key = MakeKey(item.fontName, ch, item.height, item.colour, item.bold, item.underline,
                     item.italic, item.background, item.marker);

  item.texture = IMTextItem::kNoTexture;
  if (IMResourceManager* engine = engineInstance) {
    uint32_t handle = engine->HandleCount();
    if (item.marker) {
      if (const auto data = platform::FindNamedData(MarkName(ch))) {
        handle = engine->AddTexture(item.key, data->data(), data->size());
      }
    } else if (ch == u'\n') {
      // A line feed shows nothing: one transparent pixel.
      handle = engine->CreateBlankTexture(item.key, 1, 1, platform::Format::A8R8G8B8);
    } else {
      // Tab and carriage return look like a space.
      handle = engine->CreateTextTexture(item.key, HasMark(ch) ? u' ' : ch, nullptr, item.colour,
                                         item.height, item.fontName, item.italic, item.bold,
                                         item.underline, item.background);
    }
    if (handle != engine->HandleCount()) item.texture = handle;
    // The old texture goes only now, so that a texture the item keeps is
    // never freed and rendered again in between.
    if (old != IMTextItem::kNoTexture) engine->ReleaseTexture(old);
  }
  const IMImageSize newSize = ImageSizeOf(item.texture);
  return !(newSize == oldSize);
}

void IMTextView::ReleaseItem(IMTextItem& item) {
  if (item.texture != IMTextItem::kNoTexture && engineInstance) {
    engineInstance->ReleaseTexture(item.texture);
  }
  item.texture = IMTextItem::kNoTexture;
}

IMTextView::~IMTextView() {
  for (IMTextItem& item : items) ReleaseItem(item);
}

// --- Editing -------------------------------------------------------------

void IMTextView::InsertText(int32_t position, const std::u16string& text) {
  if (position < 0 || position > GetItemCount()) return;
  std::vector<IMTextItem> fresh;
  fresh.reserve(text.size());
  for (const char16_t ch : text) {
    IMTextItem item;
    item.character = ch;
    item.colour = colour;
    item.underline = underline;
    item.bold = bold;
    item.italic = italic;
    item.height = height;
    item.fontName = fontName;
    item.background = background;
    ChooseTexture(item);
    fresh.push_back(std::move(item));
  }
  items.insert(items.begin() + position, std::make_move_iterator(fresh.begin()),
               std::make_move_iterator(fresh.end()));
  Relayout(position);
}

void IMTextView::DeleteText(int32_t position, int32_t count) {
  if (position < 0 || position > GetItemCount() || count <= 0) return;
  const auto first = items.begin() + position;
  const auto last = first + std::min<ptrdiff_t>(count, items.end() - first);
  if (first == last) return;
  for (auto it = first; it != last; ++it) ReleaseItem(*it);
  items.erase(first, last);
  Relayout(position);
}

void IMTextView::SetText(const std::u16string& text) {
  for (IMTextItem& item : items) ReleaseItem(item);
  items.clear();
  lineStarts.assign(1, 0);
  SetSourceRect(RECT{});
  InsertText(0, text);
}

void IMTextView::SetStyle(const IMTextStyle& style) {
  if (style.colour) colour = *style.colour;
  if (style.underline) underline = *style.underline;
  if (style.bold) bold = *style.bold;
  if (style.italic) italic = *style.italic;
  if (style.height) height = *style.height;
  if (style.fontName) fontName = *style.fontName;
  if (style.background) background = *style.background;
  bool resized = false;
  for (IMTextItem& item : items) {
    if (style.colour) item.colour = *style.colour;
    if (style.underline) item.underline = *style.underline;
    if (style.bold) item.bold = *style.bold;
    if (style.italic) item.italic = *style.italic;
    if (style.height) item.height = *style.height;
    if (style.fontName) item.fontName = *style.fontName;
    if (style.background) item.background = *style.background;
    if (ChooseTexture(item)) resized = true;
  }
  if (resized) Relayout(0);
  dirty = true;
}

void IMTextView::SetChar(char16_t ch, int32_t index) {
  if (index < 0 || index >= GetItemCount() || items[index].character == ch) return;
  items[index].character = ch;
  SetStyle(IMTextStyle{});
}

// --- Item getters --------------------------------------------------------

const IMTextItem* IMTextView::GetItem(int32_t index) const {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  return &items[index];
}

uint32_t IMTextView::GetItemColour(int32_t index) const {
  const IMTextItem* item = GetItem(index);
  return item ? item->colour : 0;
}

std::u16string IMTextView::GetItemFont(int32_t index) const {
  const IMTextItem* item = GetItem(index);
  return item ? item->fontName : std::u16string();
}

RECT IMTextView::GetItemRect(int32_t index) const {
  const IMTextItem* item = GetItem(index);
  return item ? item->rect : RECT{};
}

char16_t IMTextView::GetItemChar(int32_t index) const {
  const IMTextItem* item = GetItem(index);
  return item ? item->character : u'\0';
}

std::u16string IMTextView::GetPlainText() const {
  std::u16string text;
  text.reserve(items.size());
  for (const IMTextItem& item : items) text += item.character;
  return text;
}

// --- Layout --------------------------------------------------------------
//
// Without wrap every item stands on one line at y = 0, line breaks
// included. With wrap a line ends after a line break, or before the item
// that would cross the view's right edge: the word that item belongs to
// (the items after the last space of the line) moves to the next line
// whole. A word with no space before it on its line moves only from the
// item that does not fit; an item wider than the whole line stays where
// the line starts. A space never moves to the next line: it may hang over
// the edge, and counts only up to the edge in the extent. A line is as
// high as its highest item, and at least lineHeight.
//
// Items before `from` keep their rectangles; the pen, the line height and
// the last space are found again from them.

void IMTextView::Relayout(int32_t from) {
  const int32_t count = GetItemCount();
  from = std::clamp(from, 0, count);
  if (from == 0) {
    lineStarts.assign(1, 0);
  } else {
    std::erase_if(lineStarts, [from](int32_t start) { return start >= from; });
  }
  const int32_t width = GetWidth();
  int32_t x = 0;
  int32_t y = 0;
  int32_t currentLineHeight = lineHeight;
  int32_t lastSpace = count;
  int32_t tallest = 0;
  const auto newLine = [&] {
    y += currentLineHeight;
    currentLineHeight = lineHeight;
    x = 0;
    lastSpace = count;
  };
  const auto place = [&](IMTextItem& item) {
    const IMImageSize size = ImageSizeOf(item.texture);
    item.rect = wrap ? RECT{x, y, x + size.width, y + size.height}
                     : RECT{x, 0, x + size.width, size.height};
    x += size.width;
    currentLineHeight = std::max(currentLineHeight, size.height);
    tallest = std::max(tallest, size.height);
  };

  for (int32_t i = 0; i < count; ++i) {
    IMTextItem& item = items[i];
    const bool space = item.character == u' ';
    if (i < from) {
      const IMImageSize size = ImageSizeOf(item.texture);
      if (wrap && item.rect.top != y) {
        // The line was begun by a wrap.
        y = item.rect.top;
        currentLineHeight = lineHeight;
        lastSpace = count;
      }
      if (space) lastSpace = i;
      x = item.rect.right;
      currentLineHeight = std::max(currentLineHeight, size.height);
      tallest = std::max(tallest, size.height);
      if (wrap && IsLineBreak(item.character)) newLine();
      continue;
    }
    if (!wrap) {
      place(item);
      continue;
    }
    if (space) lastSpace = i;
    const int32_t w = ImageSizeOf(item.texture).width;
    if (x + w > width && x > 0 && !space) {
      const int32_t first = lastSpace < i ? lastSpace + 1 : i;
      newLine();
      lineStarts.push_back(first);
      for (int32_t j = first; j <= i; ++j) place(items[j]);
      continue;
    }
    place(item);
    if (IsLineBreak(item.character)) {
      newLine();
      lineStarts.push_back(i + 1);
    }
  }

  RECT bounds{};
  if (count > 0 && !wrap) {
    bounds = RECT{0, 0, x, tallest};
  } else if (count > 0) {
    int32_t right = 0;
    for (const IMTextItem& item : items) {
      right = std::max(right, item.character == u' '
                                  ? std::min(item.rect.right, std::max(width, item.rect.left))
                                  : item.rect.right);
    }
    bounds = RECT{0, 0, right, y + currentLineHeight};
  }
  SetSourceRect(bounds);
  dirty = true;
}

// --- Drawing -------------------------------------------------------------

int32_t IMTextView::LineTop(size_t line, int32_t viewTop) const {
  return viewTop + items[static_cast<size_t>(lineStarts[line])].rect.top;
}

void IMTextView::Draw() {
  IMResourceManager* engine = engineInstance;
  if (!engine || items.empty()) {
    dirty = false;
    return;
  }
  const IMViewport saved = engine->GetViewport();
  const RECT visible{static_cast<int32_t>(saved.X), static_cast<int32_t>(saved.Y),
                     static_cast<int32_t>(saved.X + saved.Width),
                     static_cast<int32_t>(saved.Y + saved.Height)};
  const RECT view = OffsetRect(GetRect(), engine->drawOriginX, engine->drawOriginY);
  const RECT clip = IntersectRect(visible, view);
  if (IsRectEmpty(clip)) {
    dirty = false;
    return;
  }
  engine->SetViewport(IMViewport{static_cast<uint32_t>(clip.left), static_cast<uint32_t>(clip.top),
                                 static_cast<uint32_t>(clip.right - clip.left),
                                 static_cast<uint32_t>(clip.bottom - clip.top), 0.0f, 1.0f});
  const int32_t savedX = engine->drawOriginX;
  const int32_t savedY = engine->drawOriginY;
  engine->drawOriginX = view.left;
  engine->drawOriginY = view.top;

  // A text ending in a line break has a last line start with no item.
  size_t lines = lineStarts.size();
  while (lines > 1 && static_cast<size_t>(lineStarts[lines - 1]) >= items.size()) --lines;

  // The first line: the last whose top is at or above the clip's top.
  size_t lo = 0;
  size_t hi = lines - 1;
  while (hi - lo > 1) {
    const size_t mid = (lo + hi) / 2;
    if (LineTop(mid, view.top) > clip.top) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  const size_t firstLine = lo;
  // The end: the first line whose top is at or below the clip's bottom.
  lo = 0;
  hi = lines - 1;
  while (hi - lo > 1) {
    const size_t mid = (lo + hi) / 2;
    if (LineTop(mid, view.top) < clip.bottom) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  const size_t begin = static_cast<size_t>(lineStarts[firstLine]);
  const size_t end = hi == lines - 1 ? items.size() : static_cast<size_t>(lineStarts[hi]);

  for (size_t i = begin; i < end; ++i) {
    const IMTextItem& item = items[i];
    // The colour lives in the character textures: items are never tinted.
    if (item.texture != IMTextItem::kNoTexture) {
      engine->DrawTexture(item.texture, item.rect, nullptr, 0xFFFFFFFFu, 0.0f);
    }
  }

  engine->drawOriginX = savedX;
  engine->drawOriginY = savedY;
  engine->SetViewport(saved);
  dirty = false;
}
