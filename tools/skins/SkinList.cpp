#include "tools/skins/SkinList.h"

#include <stdexcept>

#include "tools/skins/Buttons.h"
#include "tools/skins/Plain.h"
#include "tools/skins/Widgets.h"

namespace skins {
namespace {

constexpr int kButtonHeight = 47;

struct ButtonFamily {
  const char* name;
  int width;
  const char* caption;
  ButtonHue hue;
};

// The push buttons: the name of the normal picture, its width and the
// caption it carries.
const ButtonFamily kButtonFamilies[] = {
    {"PrintButton", 84, "Печать", ButtonHue::Green},
    {"SaveAsButton", 148, "Сохранить как...", ButtonHue::Green},
    {"RetryButton", 109, "Повторить", ButtonHue::Green},
    {"CloseButton", 111, "Закрыть", ButtonHue::RedOrange},
    {"StartPopStartButton", 84, "Пуск", ButtonHue::Green},
    {"SubmitButton", 109, "Применить", ButtonHue::Green},
    {"OptionsButton", 109, "Настройки", ButtonHue::Green},
    {"CancelButton", 111, "Отмена", ButtonHue::RedOrange},
};

const ButtonFamily& Family(const std::string& name) {
  for (const ButtonFamily& family : kButtonFamilies) {
    if (name == family.name) return family;
  }
  throw std::logic_error("no button family " + name);
}

class Builder {
 public:
  explicit Builder(const Typeface& face) : face_(face) {
    std::vector<Caption> captions;
    for (const ButtonFamily& family : kButtonFamilies) {
      captions.push_back({family.caption, family.width});
    }
    captionSize_ = FitCaptionSize(face, captions);
  }

  void Add(std::string name, int width, int height, Kind kind, std::function<Image()> paint) {
    skins_.push_back({std::move(name), width, height, kind, std::move(paint)});
  }

  // One picture of a push button, named the family's name plus the state's
  // suffix ("", "Nuv", "Klick").
  void AddButton(const std::string& familyName, ButtonState state) {
    const ButtonFamily& family = Family(familyName);
    const char* suffix = state == ButtonState::Hover ? "Nuv" : state == ButtonState::Pressed ? "Klick" : "";
    const Typeface& face = face_;
    const double size = captionSize_;
    Add(familyName + suffix, family.width, kButtonHeight, Kind::Rgba, [&face, &family, size, state] {
      return PaintPushButton(face, family.width, kButtonHeight, family.caption, size, family.hue, state);
    });
  }

  void AddKeyCap(const std::string& name, const char* label) {
    const Typeface& face = face_;
    Add(name, 37, 25, Kind::Rgb, [&face, label] { return PaintKeyCap(face, 37, 25, label); });
  }

  std::vector<Skin> Take() { return std::move(skins_); }

 private:
  const Typeface& face_;
  double captionSize_;
  std::vector<Skin> skins_;
};

}  // namespace

std::vector<Skin> AllSkins(const Typeface& face) {
  Builder b(face);
  using enum Kind;
  b.Add("DefaultBackGround", 800, 600, Rgb, [] { return PaintScreenBackground(800, 600); });
  b.Add("ExitButton", 21, 21, Rgba, [] { return PaintExitButton(21, 21); });
  for (const char* family : {"PrintButton", "SaveAsButton", "RetryButton", "CloseButton", "StartPopStartButton"}) {
    b.AddButton(family, ButtonState::Normal);
  }
  b.AddKeyCap("EscButton", "Esc");
  b.AddKeyCap("F1Button", "F1");
  b.AddKeyCap("F12Button", "F12");
  for (const char* family : {"SubmitButton", "OptionsButton", "CancelButton"}) {
    b.AddButton(family, ButtonState::Normal);
  }
  for (const ButtonState state : {ButtonState::Pressed, ButtonState::Hover}) {
    for (const ButtonFamily& family : kButtonFamilies) b.AddButton(family.name, state);
  }

  b.Add("SliderSliderVertical", 19, 10, Rgba, [] { return PaintVerticalSliderThumb(19, 10, false); });
  b.Add("SliderSliderVerticalHover", 19, 10, Rgba, [] { return PaintVerticalSliderThumb(19, 10, true); });
  b.Add("SliderSliderHorizontal", 11, 20, Rgba, [] { return PaintHorizontalSliderThumb(11, 20, false); });
  b.Add("SliderSliderHorizontalHover", 11, 20, Rgba, [] { return PaintHorizontalSliderThumb(11, 20, true); });

  b.Add("ScrollSlider", 16, 2, Rgb, [] { return PaintScrollThumbRow(16, 2); });
  b.Add("ScrollSliderHorizontal", 2, 16, Rgb, [] { return PaintScrollThumbColumn(2, 16); });
  b.Add("ScrollBackground", 16, 16, Rgb, [] { return PaintScrollTrack(16, 16); });
  b.Add("ScrollButtonUp", 16, 16, Rgba, [] { return PaintScrollButton(16, 16, Direction::Up); });
  b.Add("ScrollButtonDown", 16, 16, Rgba, [] { return PaintScrollButton(16, 16, Direction::Down); });

  for (const bool enabled : {true, false}) {
    const std::string dis = enabled ? "" : "Dis";
    for (const bool checked : {false, true}) {
      const std::string value = checked ? "Checked" : "Unchecked";
      b.Add("CheckBox" + dis + value, 16, 16, Rgb,
            [=] { return PaintCheckBox(16, 16, checked, enabled); });
    }
    for (const bool checked : {false, true}) {
      const std::string value = checked ? "Checked" : "Unchecked";
      b.Add("RadioButton" + dis + value, 16, 16, Rgba,
            [=] { return PaintRadioButton(16, 16, checked, enabled); });
    }
  }

  b.Add("EditBarBackGround", 1, 1, Rgb, [] { return PaintSolid(1, 1, Opaque(0xFFFFFF)); });
  b.Add("EditBarCornerLT", 8, 8, Rgba, [] { return PaintFrameCorner(8, Corner::LeftTop); });
  b.Add("EditBarCornerRT", 8, 8, Rgba, [] { return PaintFrameCorner(8, Corner::RightTop); });
  b.Add("EditBarCornerLB", 8, 8, Rgba, [] { return PaintFrameCorner(8, Corner::LeftBottom); });
  b.Add("EditBarCornerRB", 8, 8, Rgba, [] { return PaintFrameCorner(8, Corner::RightBottom); });
  b.Add("EditBarBorderL", 8, 1, Rgb, [] { return PaintFrameSide(8, 1, 1); });
  b.Add("EditBarBorderR", 8, 1, Rgb, [] { return PaintFrameSide(8, 1, 7); });
  b.Add("EditBarBorderT", 1, 8, Rgb, [] { return PaintFrameSide(1, 8, 1); });
  b.Add("EditBarBorderB", 1, 8, Rgb, [] { return PaintFrameSide(1, 8, 7); });
  b.Add("EditBarKaretka", 1, 19, Rgb, [] { return PaintSolid(1, 19, Opaque(0x000000)); });
  b.Add("SelectionMask", 1, 1, Rgba, [] { return PaintSolid(1, 1, Pixel{0x00, 0x56, 0xFF, 28}); });
  return b.Take();
}

}  // namespace skins
