#include "tools/skins/ContactSheet.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "tools/skins/Canvas.h"
#include "tools/skins/Palette.h"
#include "tools/skins/PngFile.h"

namespace skins {
namespace {

constexpr int kSheetWidth = 1480;
constexpr int kSheetHeight = 2000;

// A cairo surface holding a copy of the picture, premultiplied as cairo
// wants it.
cairo_surface_t* ToSurface(const Image& image) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const Pixel p = image.at(x, y);
      auto pre = [&p](unsigned c) { return (c * p.a + 127) / 255; };
      row[x] = (uint32_t{p.a} << 24) | (pre(p.r) << 16) | (pre(p.g) << 8) | pre(p.b);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

class Sheet {
 public:
  explicit Sheet(const std::map<std::string, Image>& skins)
      : skins_(skins), canvas_(kSheetWidth, kSheetHeight), cr_(canvas_.cr()) {
    SetColour(cr_, Rgb(palette::kBackground));
    cairo_paint(cr_);
    cairo_select_font_face(cr_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, 11);
  }

  const Image& Get(const std::string& name) const {
    const auto found = skins_.find(name);
    if (found == skins_.end()) throw std::runtime_error("the sheet wants the skin " + name);
    return found->second;
  }

  // Draws the skin with its top-left at (x, y), stretched to w × h
  // (smoothly, as the program stretches) or, with 0, at its own size
  // times the scale (in hard pixels, to judge every one of them).
  void Put(const std::string& name, double x, double y, double scale = 1, double w = 0, double h = 0) {
    const Image& image = Get(name);
    cairo_surface_t* surface = ToSurface(image);
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    const bool stretched = w > 0;
    if (stretched) {
      cairo_scale(cr_, w / image.width, h / image.height);
    } else {
      cairo_scale(cr_, scale, scale);
    }
    cairo_set_source_surface(cr_, surface, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr_);
    cairo_pattern_set_filter(pattern, stretched ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_rectangle(cr_, 0, 0, image.width, image.height);
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(surface);
  }

  void Label(const std::string& text, double x, double y) {
    SetColour(cr_, palette::kText);
    cairo_move_to(cr_, x, y);
    cairo_show_text(cr_, text.c_str());
  }

  // A chessboard under the enlarged pieces shows their transparency.
  void Checker(double x, double y, double w, double h) {
    for (int j = 0; j * 8 < h; ++j) {
      for (int i = 0; i * 8 < w; ++i) {
        cairo_rectangle(cr_, x + i * 8, y + j * 8, std::min(8.0, w - i * 8), std::min(8.0, h - j * 8));
        SetColour(cr_, (i + j) % 2 ? Rgb(0xFFFFFF) : Rgb(0xCCCCCC));
        cairo_fill(cr_);
      }
    }
  }

  void Buttons(double top) {
    const char* families[] = {"PrintButton", "SaveAsButton", "RetryButton", "CloseButton",
                              "StartPopStartButton", "SubmitButton", "OptionsButton", "CancelButton"};
    double y = top;
    for (const char* family : families) {
      const std::string base = family;
      double x = 20;
      for (const char* suffix : {"", "Nuv", "Klick"}) {
        Put(base + suffix, x, y + 24);
        x += 160;
      }
      for (const char* suffix : {"", "Nuv", "Klick"}) {
        Checker(x, y, Get(base).width * 2, 94);
        Put(base + suffix, x, y, 2);
        x += 310;
      }
      y += 104;
    }
  }

  // Returns the bottom of the last row.
  double SmallPieces(double top) {
    const char* names[] = {
        "ExitButton", "EscButton", "F1Button", "F12Button",
        "SliderSliderVertical", "SliderSliderVerticalHover", "SliderSliderHorizontal",
        "SliderSliderHorizontalHover", "ScrollSlider", "ScrollSliderHorizontal", "ScrollBackground",
        "ScrollButtonUp", "ScrollButtonDown", "CheckBoxUnchecked", "CheckBoxChecked",
        "RadioButtonUnchecked", "RadioButtonChecked", "CheckBoxDisUnchecked", "CheckBoxDisChecked",
        "RadioButtonDisUnchecked", "RadioButtonDisChecked", "EditBarBackGround", "EditBarCornerLT",
        "EditBarCornerRT", "EditBarCornerLB", "EditBarCornerRB", "EditBarBorderL", "EditBarBorderR",
        "EditBarBorderT", "EditBarBorderB", "EditBarKaretka", "SelectionMask"};
    double x = 20;
    double y = top;
    for (const char* name : names) {
      const Image& image = Get(name);
      const double scale = 6;
      if (x + image.width * scale > kSheetWidth - 20) {
        x = 20;
        y += 200;
      }
      Checker(x, y, image.width * scale, image.height * scale);
      Put(name, x, y, scale);
      Put(name, x, y + image.height * scale + 6);
      Label(name, x, y + image.height * (scale + 1) + 22);
      x += std::max(image.width * scale, 150.0) + 24;
    }
    return y + 200;
  }

  // The pieces put together: an edit field with caret and a selected
  // line, a scroll bar, and the start screen's key legend.
  void Assembled(double top) {
    const double x = 20;
    const double y = top;
    EditField(x, y, 260, 20, 1);
    EditField(x + 300, y, 60, 20, 4);
    // A scroll bar as the program builds it, 14 pixels wide.
    const double sx = x + 600;
    Put("ScrollBackground", sx, y, 1, 14, 160);
    Put("ScrollButtonUp", sx, y, 1, 14, 14);
    Put("ScrollSlider", sx, y + 40, 1, 14, 50);
    Put("ScrollButtonDown", sx, y + 146, 1, 14, 14);
    Put("ScrollBackground", sx + 40, y, 4, 14 * 4, 160);
    Put("ScrollButtonUp", sx + 40, y, 1, 14 * 4, 14 * 4);
    Put("ScrollSlider", sx + 40, y + 60, 1, 14 * 4, 40);
    Put("ScrollButtonDown", sx + 40, y + 104, 1, 14 * 4, 14 * 4);

    Put("EscButton", x, y + 70);
    Label("- пропустить инструкцию;", x + 45, y + 86);
    Put("F1Button", x + 215, y + 70);
    Label("- повторить инструкцию;", x + 260, y + 86);
    Put("F12Button", x + 420, y + 70);
    Label("- выход", x + 465, y + 86);
    Put("ExitButton", x + 540, y + 72);
    Put("StartPopStartButton", x + 420, y + 110);
  }

  void EditField(double x, double y, double w, double h, double scale) {
    const double c = 8 * scale;
    Put("EditBarBackGround", x, y, 1, w * scale, h * scale);
    Put("EditBarBorderT", x + c, y, 1, w * scale - 2 * c, c);
    Put("EditBarBorderB", x + c, y + h * scale - c, 1, w * scale - 2 * c, c);
    Put("EditBarBorderL", x, y + c, 1, c, h * scale - 2 * c);
    Put("EditBarBorderR", x + w * scale - c, y + c, 1, c, h * scale - 2 * c);
    Put("EditBarCornerLT", x, y, scale);
    Put("EditBarCornerRT", x + w * scale - c, y, scale);
    Put("EditBarCornerLB", x, y + h * scale - c, scale);
    Put("EditBarCornerRB", x + w * scale - c, y + h * scale - c, scale);
    Put("SelectionMask", x + 3 * scale, y + 3 * scale, 1, (w - 6) * scale, (h - 6) * scale);
    Put("EditBarKaretka", x + 20 * scale, y + 2 * scale, 1, scale, 16 * scale);
  }

  void Write(const std::filesystem::path& path) { WritePng(path, canvas_.ToImage(), Kind::Rgb); }

 private:
  const std::map<std::string, Image>& skins_;
  Canvas canvas_;
  cairo_t* cr_;
};

}  // namespace

void WriteContactSheet(const std::filesystem::path& path, const std::map<std::string, Image>& skins) {
  Sheet sheet(skins);
  sheet.Put("DefaultBackGround", 0, 0);
  sheet.Buttons(80);
  const double bottom = sheet.SmallPieces(80 + 8 * 104 + 10);
  sheet.Assembled(bottom + 10);
  sheet.Write(path);
}

}  // namespace skins
