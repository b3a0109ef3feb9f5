// The text view: keys and shared textures, editing, styles, marks, layout
// with and without wrap (an edit laid out from its position must agree
// with laying the whole text out afresh), drawing only the visible lines,
// and the text picture of a dialog.

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "engine/gui/DialogBase.h"
#include "engine/gui/StaticPicture.h"
#include "engine/render/TextView.h"
#include "tests/render/engine_fixture.h"

namespace {

using TextView = EngineFixture;

uint32_t TextureOf(const IMTextView& view, int32_t index) { return view.GetItem(index)->texture; }

TEST_F(TextView, KeyIsFaceCharacterAndStyleInSignedDecimal) {
  EXPECT_EQ(
      IMTextView::MakeKey(u"Arial", u'A', 16, 0xFFFFFFFFu, false, false, false, 0x00AFAFAFu, false),
      u"ArialA16-1000115137750");
  EXPECT_EQ(IMTextView::MakeKey(u"Arial", u'Ж', 25, 0xFF072134u, true, true, false, 0, true),
            u"ArialЖ25-1630996411001");
  IMTextView view;
  view.SetText(u"A");
  EXPECT_EQ(view.GetItem(0)->key, u"ArialA16-1000115137750");
  EXPECT_EQ(engine->Entry(TextureOf(view, 0))->name, view.GetItem(0)->key);
}

TEST_F(TextView, ViewsWithTheSameStyleShareOneTexturePerCharacter) {
  auto first = std::make_unique<IMTextView>();
  IMTextView second;
  first->SetText(u"A");
  second.SetText(u"AA");
  const uint32_t a = TextureOf(second, 0);
  EXPECT_EQ(TextureOf(*first, 0), a);
  EXPECT_EQ(engine->Entry(a)->refCount, 3);
  first.reset();
  EXPECT_EQ(engine->Entry(a)->refCount, 2);
  second.DeleteText(0, 2);
  EXPECT_EQ(engine->Entry(a), nullptr) << "the last reference went with the last item";
}

TEST_F(TextView, SetTextGivesTheOldTexturesBackBeforeMakingTheNewOnes) {
  IMTextView view;
  view.SetText(u"Ж");
  // An evicted texture that is kept stays evicted until drawn; one that is
  // rendered again comes back resident.
  engine->ReleaseDeviceTexture(TextureOf(view, 0));
  view.SetText(u"Ж");
  EXPECT_TRUE(engine->Entry(TextureOf(view, 0))->texture) << "rendered again";
  EXPECT_EQ(engine->Entry(TextureOf(view, 0))->refCount, 1);

  // Held by another view, the texture is shared instead.
  IMTextView other;
  other.SetText(u"Ж");
  engine->ReleaseDeviceTexture(TextureOf(view, 0));
  view.SetText(u"Ж");
  EXPECT_FALSE(engine->Entry(TextureOf(view, 0))->texture);
  EXPECT_EQ(engine->Entry(TextureOf(view, 0))->refCount, 2);
}

class WrappedText : public EngineFixture {
 protected:
  int32_t Advance(char16_t ch) {
    IMTextView probe;
    probe.SetText(std::u16string(1, ch));
    return probe.GetItemRect(0).right;
  }
  static std::vector<RECT> Rects(const IMTextView& view) {
    std::vector<RECT> rects;
    for (int32_t i = 0; i < view.GetItemCount(); ++i) rects.push_back(view.GetItemRect(i));
    return rects;
  }
};

TEST_F(WrappedText, SecondWordThatDoesNotFitStartsTheNextLine) {
  // Two words of 50 to 100 pixels each.
  const int32_t w = Advance(u'Ш');
  const int32_t n = (75 + w - 1) / w;
  const std::u16string word(static_cast<size_t>(n), u'Ш');
  ASSERT_GE(n * w, 50);
  ASSERT_LE(n * w, 95);

  IMTextView view;
  view.SetSize(100, 50);
  view.wrap = true;
  view.SetText(word + u" " + word);
  EXPECT_EQ(view.GetLineStarts(), (std::vector<int32_t>{0, n + 1}));
  EXPECT_EQ(view.GetItemRect(n + 1), (RECT{0, 16, w, 32}));
  EXPECT_EQ(view.GetItemRect(2 * n).right, n * w);
  EXPECT_EQ(view.GetItemRect(n).top, 0) << "the space stays on the first line";
  // The extent ends after the space that ends the first line.
  EXPECT_EQ(view.GetSourceRect(), (RECT{0, 0, view.GetItemRect(n).right, 32}));

  // Without wrap the same text is one line.
  view.wrap = false;
  view.SetText(word + u" " + word);
  EXPECT_EQ(view.GetLineStarts(), (std::vector<int32_t>{0}));
  EXPECT_EQ(view.GetItemRect(n + 1).top, 0);
  EXPECT_GT(view.GetSourceRect().right, 100);
}

TEST_F(WrappedText, AWordLongerThanTheLineBreaksAtTheCharacterThatDoesNotFit) {
  const int32_t w = Advance(u'Ш');
  IMTextView view;
  view.SetSize(100, 50);
  view.wrap = true;
  view.SetText(std::u16string(12, u'Ш'));
  const int32_t perLine = 100 / w;
  EXPECT_EQ(view.GetLineStarts()[1], perLine);
  EXPECT_EQ(view.GetItemRect(perLine), (RECT{0, 16, w, 32}));
  for (const RECT& r : Rects(view)) {
    EXPECT_LE(r.right, 100);
    EXPECT_LT(r.left, r.right);
  }
}

TEST_F(WrappedText, EditsLaidOutFromTheirPositionAgreeWithAFreshLayout) {
  IMTextView view;
  view.SetSize(120, 400);
  view.wrap = true;
  view.SetText(u"один два три четыре пять шесть семь");
  struct Edit {
    const char* name;
    int32_t position;
    std::u16string insert;  // or delete `count`
    int32_t count;
  } edits[] = {
      {"a word into the second line", 9, u"ХХХ", 0},
      {"letters off the first word", 1, u"", 3},
      {"words at the end", -1, u" восемь девять десять", 0},
      {"a long word at the start", 0, u"ШШШШШШШШШШШШ", 0},
      {"a space that lets a word move up", 12, u"", 1},
      {"a line feed in the middle", 20, u"\n", 0},
      {"everything after the first letter", 1, u"", 1000},
  };
  for (const Edit& e : edits) {
    SCOPED_TRACE(e.name);
    const int32_t position = e.position < 0 ? view.GetItemCount() : e.position;
    if (e.count > 0) {
      view.DeleteText(position, e.count);
    } else {
      view.InsertText(position, e.insert);
    }
    IMTextView fresh;
    fresh.SetSize(120, 400);
    fresh.wrap = true;
    fresh.SetText(view.GetPlainText());
    // Only a word that could move back up a line (after a deletion) may
    // stay where it was; these edits are chosen not to need that.
    EXPECT_EQ(Rects(view), Rects(fresh));
    EXPECT_EQ(view.GetLineStarts(), fresh.GetLineStarts());
    EXPECT_EQ(view.GetSourceRect(), fresh.GetSourceRect());
  }
}

TEST_F(WrappedText, LineFeedBreaksTheLineOnlyWithWrap) {
  IMTextView view;
  view.SetSize(500, 100);
  view.SetText(u"ab\ncd");
  const RECT feed = view.GetItemRect(2);
  EXPECT_EQ(feed.right - feed.left, 1) << "a line feed is one transparent pixel";
  EXPECT_EQ(engine->CpuAlphaAt(TextureOf(view, 2), 0, 0), 0);
  EXPECT_EQ(view.GetItemRect(3).left, feed.right);
  EXPECT_EQ(view.GetItemRect(3).top, 0);
  EXPECT_EQ(view.GetLineStarts(), (std::vector<int32_t>{0}));
  EXPECT_EQ(view.GetSourceRect().bottom, 16);

  view.wrap = true;
  view.SetText(u"ab\ncd");
  EXPECT_EQ(view.GetItemRect(3).left, 0);
  EXPECT_EQ(view.GetItemRect(3).top, 16);
  EXPECT_EQ(view.GetLineStarts(), (std::vector<int32_t>{0, 3}));
  EXPECT_EQ(view.GetSourceRect().bottom, 32);
}

TEST_F(TextView, MarksShowSpaceTabAndLineBreaksAsTheirPictures) {
  IMTextView view;
  view.showMarks = true;
  view.SetText(u"a b\tc\r\n");
  struct Case {
    int32_t index;
    int32_t width, height;
  } cases[] = {{1, 3, 3}, {3, 10, 5}, {5, 11, 21}, {6, 11, 21}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    const IMTextItem* item = view.GetItem(c.index);
    EXPECT_TRUE(item->marker);
    EXPECT_EQ(item->key.back(), u'1');
    const RECT r = item->rect;
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.bottom - r.top, c.height);
  }
  EXPECT_EQ(view.GetItem(0)->key.back(), u'0');
  // The dot is the marks' dark colour, opaque.
  const IMTextureEntry* dot = engine->Entry(TextureOf(view, 1));
  uint32_t texel = 0;
  std::memcpy(&texel, dot->cpuPixels.get() + dot->cpuPitch + 4, 4);
  EXPECT_EQ(texel, 0xFF201C19u);

  // Switched off, the same items show characters again.
  view.showMarks = false;
  view.SetStyle(IMTextStyle{});
  EXPECT_FALSE(view.GetItem(1)->marker);
  EXPECT_EQ(view.GetItem(1)->key.back(), u'0');
  EXPECT_EQ(view.GetItemRect(1).bottom, 16);
}

TEST_F(TextView, StyleChangesReachEveryItemAndItsTexture) {
  IMTextView view;
  view.SetText(u"Ба");
  const std::u16string oldKey = view.GetItem(0)->key;
  const int32_t oldWidth = view.GetSourceRect().right;

  view.SetTextColour(0xFF072134u);
  EXPECT_EQ(view.GetItemColour(0), 0xFF072134u);
  EXPECT_EQ(view.GetItemColour(1), 0xFF072134u);
  EXPECT_EQ(engine->FindTexture(oldKey), engine->HandleCount()) << "the old texture is given back";
  EXPECT_EQ(engine->Entry(TextureOf(view, 0))->name, view.GetItem(0)->key);

  view.SetHeight(25);
  EXPECT_EQ(view.GetSourceRect().bottom, 25);
  EXPECT_GT(view.GetSourceRect().right, oldWidth);
  EXPECT_EQ(view.GetItemRect(1).left, view.GetItemRect(0).right) << "laid out again";

  view.SetBold(true);
  view.SetStyle(IMTextStyle{.fontName = u"Times New Roman", .background = 0xFFFFFFFFu});
  EXPECT_TRUE(view.GetItem(0)->bold);
  EXPECT_EQ(view.GetItemFont(1), u"Times New Roman");
  EXPECT_EQ(view.GetItem(1)->background, 0xFFFFFFFFu);

  // New characters take the current style.
  view.InsertText(2, u"Ж");
  EXPECT_EQ(view.GetItem(2)->key, view.GetItem(2)->key.substr(0, 15) + u"Ж25-16309964100-10");

  view.SetChar(u'В', 0);
  EXPECT_EQ(view.GetPlainText(), u"ВаЖ");
  EXPECT_EQ(view.GetItemChar(0), u'В');
  EXPECT_EQ(engine->Entry(TextureOf(view, 0))->name, view.GetItem(0)->key);
}

TEST_F(TextView, EditsOutsideTheTextChangeNothing) {
  IMTextView view;
  view.SetText(u"abc");
  const uint32_t c = TextureOf(view, 2);
  view.InsertText(-1, u"x");
  view.InsertText(4, u"x");
  view.DeleteText(-1, 1);
  view.DeleteText(4, 1);
  view.DeleteText(3, 1);
  view.DeleteText(0, 0);
  EXPECT_EQ(view.GetPlainText(), u"abc");
  EXPECT_EQ(view.GetItemRect(3), RECT{});
  EXPECT_EQ(view.GetItemChar(-1), u'\0');
  EXPECT_EQ(view.GetItemFont(7), u"");
  EXPECT_EQ(view.GetItemColour(3), 0u);
  // A deletion running past the end stops at the last item.
  view.DeleteText(1, 100);
  EXPECT_EQ(view.GetPlainText(), u"a");
  EXPECT_EQ(engine->Entry(c), nullptr);
  EXPECT_EQ(view.GetSourceRect().right, view.GetItemRect(0).right);
}

// Words of four equal capitals, each word on a line of its own, each line's
// letter found nowhere else.
TEST_F(WrappedText, DrawingVisitsOnlyTheLinesInsideTheClip) {
  std::u16string text;
  std::vector<char16_t> letters;
  for (char16_t ch = u'А'; ch <= u'Я' && letters.size() < 40; ++ch) {
    const int32_t w = Advance(ch);
    if (w >= 9 && w <= 17) letters.push_back(ch);
  }
  for (char16_t ch = u'A'; ch <= u'Z' && letters.size() < 40; ++ch) {
    const int32_t w = Advance(ch);
    if (w >= 9 && w <= 17) letters.push_back(ch);
  }
  ASSERT_GE(letters.size(), 26u);
  for (const char16_t ch : letters) text += std::u16string(4, ch) + u" ";
  IMTextView view;
  view.SetRect(RECT{10, 0, 80, 1000});
  view.wrap = true;
  view.SetText(text);
  ASSERT_EQ(view.GetLineStarts().size(), letters.size());

  for (uint32_t h = 0; h < engine->HandleCount(); ++h) engine->ReleaseDeviceTexture(h);
  const IMViewport saved = engine->GetViewport();
  Frame([&] {
    engine->SetViewport(IMViewport{0, 300, 800, 40, 0.0f, 1.0f});
    view.Draw();
    EXPECT_EQ(engine->GetViewport(), (IMViewport{0, 300, 800, 40, 0.0f, 1.0f}));
    EXPECT_EQ(engine->drawOriginX, 0);
    engine->SetViewport(saved);
  });
  // Lines are 16 pixels apart: lines 18 to 21 meet rows 300 to 339.
  for (size_t line = 0; line < letters.size(); ++line) {
    SCOPED_TRACE(line);
    const bool resident =
        engine->Entry(TextureOf(view, static_cast<int32_t>(line * 5)))->texture != nullptr;
    if (line >= 18 && line <= 21) {
      EXPECT_TRUE(resident);
    } else if (line < 17 || line > 22) {
      EXPECT_FALSE(resident);
    }
  }
  // Drawn inside the clip only.
  bool inside = false;
  for (int32_t y = 300; y < 340; ++y) {
    for (int32_t x = 10; x < 80; ++x) inside = inside || Pixel(x, y) != 0xFF000000u;
  }
  EXPECT_TRUE(inside);
  for (int32_t x = 0; x < 100; ++x) {
    EXPECT_EQ(Pixel(x, 299), 0xFF000000u);
    EXPECT_EQ(Pixel(x, 340), 0xFF000000u);
  }
}

TEST_F(TextView, TextPictureIsSizedToItsTextAtItsPosition) {
  IMDialogBase root(nullptr);
  auto* picture = root.CreateTextPicture(30, 40, u"Привет", 2);
  EXPECT_EQ(picture->GetPlainText(), u"Привет");
  const RECT extent = picture->GetSourceRect();
  EXPECT_EQ(extent.left, 0);
  EXPECT_GT(extent.right, 30);
  EXPECT_EQ(extent.bottom, 16);
  EXPECT_EQ(picture->GetRect(), (RECT{30, 40, 30 + extent.right, 56}));
  // It is hit anywhere in its rectangle, like any text view.
  EXPECT_TRUE(picture->HitTest(31, 41));
  EXPECT_FALSE(picture->HitTest(29, 41));
}

}  // namespace
