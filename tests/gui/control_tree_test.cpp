// The control tree: deferred structure, hover, clicks, focus, keyboard
// routing, the close cascade, drawing and automatic disconnection.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gui/DialogBase.h"
#include "engine/platform/window/Messages.h"
#include "engine/render/DrawSurface.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Leaf = IMViewControl<IMEmptyView>;
using Log = std::vector<std::string>;

// Appends "label.Signal code" to the log for every emission of `signal`.
template <class Signal>
void Tap(Signal& signal, Log& log, const std::string& what) {
  signal.connect([&log, what](const auto& e) {
    log.push_back(what + " " + std::to_string(e.type));
    return 0L;
  });
}

void TapAll(IMControl& c, Log& log, const std::string& label) {
  Tap(c.Drawn, log, label + ".Drawn");
  Tap(c.Closing, log, label + ".Closing");
  Tap(c.Updated, log, label + ".Updated");
  Tap(c.Disabled, log, label + ".Disabled");
  Tap(c.Enabled, log, label + ".Enabled");
  Tap(c.Hidden, log, label + ".Hidden");
  Tap(c.Shown, log, label + ".Shown");
  Tap(c.Invalidated, log, label + ".Invalidated");
  Tap(c.FocusGained, log, label + ".FocusGained");
  Tap(c.FocusLost, log, label + ".FocusLost");
  Tap(c.MouseMoved, log, label + ".MouseMoved");
  Tap(c.MouseButton, log, label + ".MouseButton");
  Tap(c.Clicked, log, label + ".Clicked");
  Tap(c.MouseEntered, log, label + ".MouseEntered");
  Tap(c.MouseLeft, log, label + ".MouseLeft");
  Tap(c.DoubleClicked, log, label + ".DoubleClicked");
  Tap(c.KeyMessage, log, label + ".KeyMessage");
  Tap(c.KeyDown, log, label + ".KeyDown");
  Tap(c.KeyUp, log, label + ".KeyUp");
}

// Only the mouse and button signals, for tests about input.
void TapInput(IMControl& c, Log& log, const std::string& label) {
  Tap(c.MouseButton, log, label + ".MouseButton");
  Tap(c.Clicked, log, label + ".Clicked");
  Tap(c.MouseEntered, log, label + ".MouseEntered");
  Tap(c.MouseLeft, log, label + ".MouseLeft");
  Tap(c.DoubleClicked, log, label + ".DoubleClicked");
}

class ControlTree : public ::testing::Test {
 protected:
  template <class Control = Leaf>
  Control* Add(IMDialogBase* parent, RECT rect, int32_t layer = 0) {
    auto* c = new Control(parent, layer);
    c->SetRect(rect);
    return c;
  }
  IMDialogBase* AddContainer(IMDialogBase* parent, RECT rect, int32_t layer = 0) {
    return new IMDialogBase(parent, rect, layer);
  }
  void Pass() { root.Update(IMEvent(&root, kEventUpdate)); }
  void Move(int32_t x, int32_t y, uint32_t keys = 0) {
    root.OnMouseMove(IMMouseEvent(&root, WM_MOUSEMOVE, keys, x, y));
  }
  void Button(uint32_t message, uint32_t keys, int32_t x, int32_t y) {
    root.OnMouseButton(IMMouseEvent(&root, message, keys, x, y));
  }
  void LeftClickAt(int32_t x, int32_t y) {
    Move(x, y);
    Button(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Button(WM_LBUTTONUP, 0, x, y);
  }
  void Key(uint32_t message, uint32_t vk) {
    root.OnKeyboard(IMKeyboardEvent(&root, message, vk, 0));
  }

  IMDialogBase root{nullptr};
  Log log;
};

TEST_F(ControlTree, TopmostChildWinsByLayerThenByOrder) {
  // Three overlapping children: b was added after a in the same layer,
  // high was added first but sits in a higher layer.
  auto* high = Add(&root, {0, 0, 100, 100}, 5);
  auto* a = Add(&root, {0, 0, 100, 100}, 1);
  auto* b = Add(&root, {50, 50, 150, 150}, 1);
  auto* low = Add(&root, {0, 0, 300, 300}, -3);
  Pass();

  struct Case {
    int32_t x, y;
    IMControl* expected;
  } cases[] = {
      {10, 10, high}, {99, 99, high}, {100, 100, b}, {149, 60, b},
      {150, 150, low}, {299, 0, low}, {300, 0, nullptr},
  };
  for (const auto& c : cases) {
    Move(c.x, c.y);
    EXPECT_EQ(root.GetHovered(), c.expected) << c.x << "," << c.y;
  }

  // Hidden children are passed over.
  high->Hide();
  Move(10, 10);
  EXPECT_EQ(root.GetHovered(), a);
  EXPECT_EQ(root.GetLayer(high), 5);
  EXPECT_EQ(root.GetLayer(low), -3);
}

TEST_F(ControlTree, NewChildHearsEnterBeforeOldChildHearsLeave) {
  auto* a = Add(&root, {0, 0, 100, 100});
  auto* b = Add(&root, {100, 0, 200, 100});
  Pass();
  TapInput(*a, log, "a");
  TapInput(*b, log, "b");

  Move(50, 50, MK_SHIFT);
  Move(150, 50, MK_SHIFT);
  Move(500, 500);
  EXPECT_THAT(log, ElementsAre("a.MouseEntered 523", "b.MouseEntered 523", "a.MouseLeft 675",
                               "b.MouseLeft 675"));
  EXPECT_FALSE(a->IsMouseOver());
  EXPECT_FALSE(b->IsMouseOver());
  EXPECT_EQ(root.GetHovered(), nullptr);
}

TEST_F(ControlTree, EventsReachChildrenInTheirParentsCoordinates) {
  auto* panel = AddContainer(&root, {100, 200, 400, 500});
  auto* inner = Add(panel, {10, 20, 30, 40});
  Pass();
  std::vector<IMMouseEvent> seen;
  inner->ConnectMouseEntered([&](const IMMouseEvent& e) { seen.push_back(e); return 0L; });
  inner->ConnectMouseMoved([&](const IMMouseEvent& e) { seen.push_back(e); return 0L; });
  inner->ConnectMouseButton([&](const IMMouseEvent& e) { seen.push_back(e); return 0L; });

  Move(115, 225, MK_CONTROL);
  Button(WM_RBUTTONDOWN, MK_RBUTTON, 115, 225);
  ASSERT_EQ(seen.size(), 3u);
  // Enter is built by the panel: its source is the panel until the child
  // re-emits it; what the child's slots see has the child as source.
  for (const auto& e : seen) {
    EXPECT_EQ(e.source, inner);
    EXPECT_EQ(e.x, 15);
    EXPECT_EQ(e.y, 25);
  }
  EXPECT_EQ(seen[0].type, kEventMouseEnter);
  EXPECT_EQ(seen[0].wParam, MK_CONTROL);
  EXPECT_EQ(seen[1].type, static_cast<int32_t>(WM_MOUSEMOVE));
  EXPECT_EQ(seen[2].type, static_cast<int32_t>(WM_RBUTTONDOWN));
  EXPECT_EQ(panel->GetLastMouseX(), 15);
  EXPECT_EQ(root.GetLastMouseY(), 225);
}

TEST_F(ControlTree, ClickNeedsPressAndReleaseOnTheSameControl) {
  auto* a = Add(&root, {0, 0, 100, 100});
  auto* b = Add(&root, {100, 0, 200, 100});
  Pass();
  TapInput(*a, log, "a");
  TapInput(*b, log, "b");
  Tap(root.Clicked, log, "root.Clicked");

  LeftClickAt(50, 50);
  EXPECT_THAT(log, ElementsAre("a.MouseEntered 523", "a.MouseButton 513", "root.Clicked 524",
                               "a.Clicked 524", "a.MouseButton 514"));
  log.clear();

  // Press over a, release over b: only the root saw both.
  Button(WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
  Move(150, 50, MK_LBUTTON);
  Button(WM_LBUTTONUP, 0, 150, 50);
  EXPECT_THAT(log, ElementsAre("a.MouseButton 513", "b.MouseEntered 523", "a.MouseLeft 675",
                               "root.Clicked 524", "b.MouseButton 514"));
  // a kept its pressed flag across the leave ...
  EXPECT_TRUE(a->IsPressed());
  EXPECT_FALSE(b->IsPressed());
  log.clear();

  // ... so a press over b and a release over a makes a emit the click.
  Button(WM_RBUTTONDOWN, MK_RBUTTON, 150, 50);
  Move(50, 50, MK_RBUTTON);
  Button(WM_RBUTTONUP, 0, 50, 50);
  EXPECT_THAT(log, ElementsAre("b.MouseButton 516", "a.MouseEntered 523", "b.MouseLeft 675",
                               "root.Clicked 525", "a.Clicked 525", "a.MouseButton 517"));
  EXPECT_FALSE(a->IsPressed());
}

TEST_F(ControlTree, ButtonStateFollowsTheKeyBitsOfEveryMessage) {
  auto* a = Add(&root, {0, 0, 100, 100});
  Pass();
  Move(10, 10);
  struct Case {
    uint32_t message, wParam;
    bool pressedAfter;
  } cases[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON, true},
      {WM_LBUTTONUP, MK_SHIFT | MK_CONTROL, false},
      {WM_MBUTTONDOWN, MK_MBUTTON, true},
      {WM_MBUTTONUP, MK_RBUTTON, true},  // the right button is still held
      {WM_RBUTTONUP, 0, false},
      {WM_MOUSEWHEEL, (120u << 16) | MK_RBUTTON, true},
      // A wheel turn counts a button only when the low word names exactly one.
      {WM_MOUSEWHEEL, (120u << 16) | MK_LBUTTON | MK_RBUTTON, false},
      {WM_MOUSEWHEEL, (static_cast<uint32_t>(-120) << 16), false},
  };
  for (const auto& c : cases) {
    Button(c.message, c.wParam, 10, 10);
    EXPECT_EQ(a->IsPressed(), c.pressedAfter) << c.message << " " << c.wParam;
  }
}

TEST_F(ControlTree, LeftDoubleClickGivesMouseButtonAndDoubleClicked) {
  auto* a = Add(&root, {0, 0, 100, 100});
  Pass();
  Move(10, 10);
  TapInput(*a, log, "a");
  Button(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  Button(WM_LBUTTONUP, 0, 10, 10);
  Button(WM_LBUTTONDBLCLK, MK_LBUTTON, 10, 10);
  Button(WM_LBUTTONUP, 0, 10, 10);
  EXPECT_THAT(log, ElementsAre("a.MouseButton 513", "a.Clicked 524", "a.MouseButton 514",
                               "a.MouseButton 515", "a.DoubleClicked 515", "a.Clicked 524",
                               "a.MouseButton 514"));
}

TEST_F(ControlTree, DisabledControlHearsMovesAndKeysButNotButtons) {
  auto* a = Add(&root, {0, 0, 100, 100});
  Pass();
  TapAll(*a, log, "a");
  Move(500, 500);
  a->Disable();
  EXPECT_FALSE(a->IsEnabled());
  EXPECT_TRUE(a->IsDirty());
  log.clear();

  Move(10, 10);
  Button(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  Button(WM_LBUTTONUP, 0, 10, 10);
  Button(WM_LBUTTONDBLCLK, MK_LBUTTON, 10, 10);
  Move(500, 10);
  a->SetFocus(true);  // a leaf cannot take the focus unless it says so
  a->SetCanFocus(true);
  a->SetFocus(true);
  Key(WM_KEYDOWN, 'A');
  Key(WM_CHAR, 'a');
  Key(WM_SYSKEYUP, 'B');
  a->OnClick(IMMouseEvent(&root, 999, 0, 1, 2));
  EXPECT_THAT(log, ElementsAre("a.MouseEntered 523", "a.MouseMoved 512", "a.MouseLeft 675",
                               "a.FocusGained 17", "a.KeyDown 256", "a.KeyMessage 256",
                               "a.KeyMessage 258", "a.KeyUp 261", "a.KeyMessage 261",
                               // OnClick emits whatever the state, with the caller's code
                               "a.Clicked 999"));
  // The pressed flag still follows the buttons while disabled.
  EXPECT_TRUE(a->IsPressed());
  log.clear();

  // Enabled again, the release it sees completes a click.
  a->Enable();
  Move(10, 10);
  Button(WM_LBUTTONUP, 0, 10, 10);
  EXPECT_THAT(log, ElementsAre("a.Enabled 0", "a.Invalidated 0", "a.MouseEntered 523",
                               "a.MouseMoved 512", "a.Clicked 524", "a.MouseButton 514"));
}

TEST_F(ControlTree, ChildCreatedInAHandlerWaitsForTheNextUpdate) {
  auto* button = Add(&root, {0, 0, 100, 100});
  Pass();
  Leaf* created = nullptr;
  button->ConnectClicked([&](const IMMouseEvent&) {
    created = Add(&root, {0, 0, 800, 600}, 7);
    TapAll(*created, log, "created");
    return 0L;
  });
  LeftClickAt(50, 50);
  ASSERT_NE(created, nullptr);

  // Not live yet: no hit test, no update, no drawing.
  Move(60, 60);
  EXPECT_EQ(root.GetHovered(), button);
  root.Draw(IMEvent(&root, kEventDraw));
  EXPECT_THAT(log, IsEmpty());
  EXPECT_EQ(root.GetLayer(created), 0);

  Pass();
  EXPECT_EQ(root.GetLayer(created), 7);
  EXPECT_THAT(log, ElementsAre("created.Updated 16"));
  log.clear();
  Move(61, 61);
  EXPECT_EQ(root.GetHovered(), created);
}

// Draws record which view drew, where the drawing origin was and which
// viewport clipped it.
struct DrawRecord {
  std::string label;
  int32_t originX, originY;
  IMViewport viewport;
};
std::vector<DrawRecord>* drawRecords = nullptr;

class TraceView : public IMView {
 public:
  std::string label;
  void Draw() override {
    IMDrawSurface& s = CurrentDrawSurface();
    drawRecords->push_back({label, s.drawOriginX, s.drawOriginY, s.GetViewport()});
    dirty = false;
  }
};
using Traced = IMViewControl<TraceView>;

class ControlTreeDrawing : public ControlTree {
 protected:
  ControlTreeDrawing() { drawRecords = &records; }
  ~ControlTreeDrawing() override { drawRecords = nullptr; }

  Traced* AddTraced(IMDialogBase* parent, RECT rect, const std::string& label,
                    int32_t layer = 0) {
    auto* c = Add<Traced>(parent, rect, layer);
    c->label = label;
    return c;
  }
  void Frame() { root.Draw(IMEvent(&root, kEventDraw)); }
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const auto& r : records) labels.push_back(r.label);
    return labels;
  }

  std::vector<DrawRecord> records;
};

TEST_F(ControlTreeDrawing, DrawsLayersUpwardAndLaterChildrenOnTop) {
  AddTraced(&root, {0, 0, 10, 10}, "top", 9);
  AddTraced(&root, {0, 0, 10, 10}, "first", 0);
  AddTraced(&root, {0, 0, 10, 10}, "second", 0);
  AddTraced(&root, {0, 0, 10, 10}, "bottom", -1);
  auto* hidden = AddTraced(&root, {0, 0, 10, 10}, "hidden", 3);
  hidden->Hide();
  Pass();
  ASSERT_TRUE(root.IsDirty());
  Frame();
  EXPECT_THAT(Labels(), ElementsAre("bottom", "first", "second", "top"));
  // A frame clears every flag in the tree.
  EXPECT_FALSE(root.IsDirty());
  EXPECT_FALSE(hidden->IsDirty());
}

TEST_F(ControlTreeDrawing, ContainersOffsetAndClipTheirChildren) {
  Tap(root.Drawn, log, "root.Drawn");
  auto* panel = AddContainer(&root, {100, 50, 300, 250});
  Tap(panel->Drawn, log, "panel.Drawn");
  auto* nested = AddContainer(panel, {150, 150, 400, 400});  // sticks out of the panel
  Tap(nested->Drawn, log, "nested.Drawn");
  AddTraced(nested, {5, 5, 20, 20}, "deep");
  AddTraced(panel, {0, 0, 10, 10}, "shallow");
  // Wholly outside the panel's visible part: neither its children nor its
  // own Drawn.
  auto* outside = AddContainer(panel, {200, 0, 260, 40});
  Tap(outside->Drawn, log, "outside.Drawn");
  AddTraced(outside, {0, 0, 10, 10}, "invisible");
  Pass();
  Pass();  // the nested containers become live one level per pass
  Pass();

  auto& surface = CurrentDrawSurface();
  const IMViewport full = surface.GetViewport();
  Frame();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].label, "deep");
  EXPECT_EQ(records[0].originX, 250);
  EXPECT_EQ(records[0].originY, 200);
  EXPECT_EQ(records[0].viewport, (IMViewport{250, 200, 50, 50, 0.0f, 1.0f}));
  EXPECT_EQ(records[1].label, "shallow");
  EXPECT_EQ(records[1].originX, 100);
  EXPECT_EQ(records[1].originY, 50);
  EXPECT_EQ(records[1].viewport, (IMViewport{100, 50, 200, 200, 0.0f, 1.0f}));
  EXPECT_THAT(log, ElementsAre("nested.Drawn 15", "panel.Drawn 15", "root.Drawn 15"));
  // Everything is put back for whoever draws next.
  EXPECT_EQ(surface.GetViewport(), full);
  EXPECT_EQ(surface.drawOriginX, 0);
  EXPECT_EQ(surface.drawOriginY, 0);
}

TEST_F(ControlTreeDrawing, ClosedChildIsDrawnUntilTheFlushThenDeleted) {
  auto* closer = Add(&root, {0, 0, 100, 100});
  auto* doomed = AddTraced(&root, {200, 0, 300, 100}, "doomed");
  bool deleted = false;
  struct Watch : Leaf {
    using Leaf::Leaf;
    bool* flag = nullptr;
    ~Watch() override { *flag = true; }
  };
  auto* watch = new Watch(doomed->GetParent(), 0);
  watch->flag = &deleted;
  Pass();
  closer->ConnectClicked([&](const IMMouseEvent&) {
    doomed->Close();
    watch->Close();
    watch->Close();  // a second close queues nothing more
    return 0L;
  });
  LeftClickAt(50, 50);
  EXPECT_FALSE(deleted);
  Frame();
  EXPECT_THAT(Labels(), ElementsAre("doomed"));
  Pass();
  EXPECT_TRUE(deleted);
  records.clear();
  Frame();
  EXPECT_THAT(Labels(), IsEmpty());
}

TEST_F(ControlTree, ControlClosedBeforeItBecameLiveIsDeletedAtOnce) {
  bool deleted = false;
  struct Watch : Leaf {
    using Leaf::Leaf;
    bool* flag = nullptr;
    ~Watch() override { *flag = true; }
  };
  auto* w = new Watch(&root, 0);
  w->flag = &deleted;
  w->Close();
  EXPECT_TRUE(deleted);
  Pass();
  EXPECT_TRUE(root.GetLayers().empty());
}

TEST_F(ControlTree, FocusGivenDeepSetsTheWholeChainAndKeysTravelDownIt) {
  auto* screen = AddContainer(&root, {0, 0, 800, 600});
  auto* form = AddContainer(screen, {10, 10, 400, 400});
  auto* field = Add(form, {0, 0, 100, 20});
  auto* other = AddContainer(&root, {0, 0, 10, 10}, 1);
  field->SetCanFocus(true);
  Pass();
  Pass();
  Pass();
  other->SetFocus(true);
  ASSERT_EQ(root.GetFocusedChild(), other);

  field->SetFocus(true);
  EXPECT_TRUE(field->HasFocus());
  EXPECT_TRUE(form->HasFocus());
  EXPECT_TRUE(screen->HasFocus());
  EXPECT_TRUE(root.HasFocus());
  EXPECT_FALSE(other->HasFocus());  // the sibling on the way up lost it
  EXPECT_EQ(root.GetFocusedChild(), screen);
  EXPECT_EQ(screen->GetFocusedChild(), form);
  EXPECT_EQ(form->GetFocusedChild(), field);

  for (IMControl* c : {static_cast<IMControl*>(&root), static_cast<IMControl*>(screen),
                       static_cast<IMControl*>(form), static_cast<IMControl*>(field),
                       static_cast<IMControl*>(other)}) {
    const std::string label = c == &root     ? "root"
                              : c == screen  ? "screen"
                              : c == form    ? "form"
                              : c == field   ? "field"
                                             : "other";
    c->ConnectKeyDown([this, label](const IMKeyboardEvent& e) {
      // Keys pass down unchanged; each level re-emits with itself as source.
      log.push_back(label + ".KeyDown " + std::to_string(e.wParam));
      return 0L;
    });
  }
  Key(WM_KEYDOWN, 27);
  EXPECT_THAT(log, ElementsAre("root.KeyDown 27", "screen.KeyDown 27", "form.KeyDown 27",
                               "field.KeyDown 27"));
  log.clear();

  // Taking the focus from a container clears its whole subtree.
  screen->SetFocus(false);
  EXPECT_FALSE(form->HasFocus());
  EXPECT_FALSE(field->HasFocus());
  EXPECT_EQ(root.GetFocusedChild(), nullptr);
  Key(WM_KEYDOWN, 27);
  EXPECT_THAT(log, ElementsAre("root.KeyDown 27"));
}

TEST_F(ControlTree, LeftPressMovesTheFocusToAFocusableChild) {
  auto* a = AddContainer(&root, {0, 0, 100, 100});
  auto* b = AddContainer(&root, {100, 0, 200, 100});
  auto* label = Add(&root, {200, 0, 300, 100});  // cannot take the focus
  Pass();
  LeftClickAt(50, 50);
  EXPECT_TRUE(a->HasFocus());
  Move(150, 50);
  Button(WM_RBUTTONDOWN, MK_RBUTTON, 150, 50);  // only the left button moves it
  EXPECT_TRUE(a->HasFocus());
  LeftClickAt(150, 50);
  EXPECT_FALSE(a->HasFocus());
  EXPECT_TRUE(b->HasFocus());
  LeftClickAt(250, 50);
  EXPECT_TRUE(b->HasFocus());
  EXPECT_FALSE(label->HasFocus());
}

TEST_F(ControlTree, HidingTheHoveredChildUnderARestingMouseTakesTheHover) {
  auto* under = Add(&root, {0, 0, 100, 100});
  auto* over = Add(&root, {0, 0, 100, 100}, 1);
  Pass();
  Move(10, 10);
  ASSERT_EQ(root.GetHovered(), over);
  TapInput(*under, log, "under");
  TapInput(*over, log, "over");

  over->Hide();
  EXPECT_THAT(log, ElementsAre("under.MouseEntered 523", "over.MouseLeft 675"));
  EXPECT_EQ(root.GetHovered(), under);
  log.clear();

  // Shown again under the same resting mouse, it takes the hover back.
  over->Show();
  EXPECT_THAT(log, ElementsAre("over.MouseEntered 523", "under.MouseLeft 675"));

  // Moving a child through its rectangle does not re-check.
  log.clear();
  over->SetRect({500, 500, 600, 600});
  EXPECT_THAT(log, IsEmpty());
  EXPECT_EQ(root.GetHovered(), over);
}

TEST_F(ControlTree, CloseCascadeDestroysTheSubtreeAndCutsItsSlots) {
  auto* screen = AddContainer(&root, {0, 0, 800, 600});
  auto* panel = AddContainer(screen, {0, 0, 400, 400});
  auto* leaf = Add(panel, {0, 0, 10, 10});
  Pass();
  Pass();
  Pass();
  Tap(screen->Closing, log, "screen.Closing");
  int leafUpdates = 0;
  leaf->ConnectUpdated([&](const IMEvent&) { ++leafUpdates; return 0L; });

  screen->Close();
  EXPECT_THAT(log, ElementsAre("screen.Closing 16"));
  // Destroyed but not yet deleted: the leaf's slots are already cut.
  leaf->Update(IMEvent(&root, kEventUpdate));
  EXPECT_EQ(leafUpdates, 0);
  Pass();
  EXPECT_TRUE(root.GetLayers().empty());
}

TEST_F(ControlTree, DestroyedContainerDeletesChildrenItStillOwns) {
  // Children that are live and pending when their container goes away
  // without a close: AddressSanitizer reports them if they leak.
  int deleted = 0;
  struct Watch : Leaf {
    using Leaf::Leaf;
    int* count = nullptr;
    ~Watch() override { ++*count; }
  };
  {
    IMDialogBase container(nullptr);
    auto* live = new Watch(&container, 0);
    live->count = &deleted;
    container.Update(IMEvent(&container, kEventUpdate));
    auto* pending = new Watch(&container, 3);
    pending->count = &deleted;
    auto* queued = new Watch(&container, 0);
    queued->count = &deleted;
    container.Update(IMEvent(&container, kEventUpdate));
    queued->Close();
  }
  EXPECT_EQ(deleted, 3);
}

struct Listener : Leaf {
  using Leaf::Leaf;
  static inline int calls = 0;
  long OnKey(const IMKeyboardEvent&) {
    ++calls;
    return 1;
  }
};

TEST_F(ControlTree, SlotsBoundToADestroyedControlNoLongerRun) {
  auto* bound = new Listener(&root, 0);
  auto* lambda = new Listener(&root, 0);
  auto* survivor = new Listener(&root, 0);
  Pass();
  Listener::calls = 0;
  root.ConnectKeyDown(boost::bind(&Listener::OnKey, bound, boost::placeholders::_1));
  root.ConnectKeyDown(TrackControl<IMKeyboardEvent>(
      lambda, [lambda](const IMKeyboardEvent& e) { return lambda->OnKey(e); }));
  root.ConnectKeyDown(boost::bind(&Listener::OnKey, survivor, boost::placeholders::_1));
  Key(WM_KEYDOWN, 32);
  EXPECT_EQ(Listener::calls, 3);

  bound->Close();
  lambda->Close();
  Pass();  // both deleted here
  Key(WM_KEYDOWN, 32);
  EXPECT_EQ(Listener::calls, 4);
  EXPECT_EQ(root.KeyDown.num_slots(), 1u);
}

TEST_F(ControlTree, SignalsWithoutSlotsAreSkippedAndRootChangesMarkDirty) {
  // Nothing connected anywhere: every emission is skipped without a throw.
  root.SetDirty(false);
  auto* a = Add(&root, {0, 0, 100, 100});
  EXPECT_TRUE(root.IsDirty());  // a waits to become live; the root is marked
  Pass();
  root.Draw(IMEvent(&root, kEventDraw));
  EXPECT_FALSE(root.IsDirty());
  LeftClickAt(10, 10);
  Key(WM_KEYDOWN, 13);
  a->Hide();
  EXPECT_TRUE(root.IsDirty());
  root.SetDirty(false);
  EXPECT_FALSE(a->IsDirty());
  a->SetRect({1, 1, 2, 2});
  EXPECT_TRUE(root.IsDirty());
}

}  // namespace
