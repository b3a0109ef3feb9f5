// reward_sheet <file.png>: a contact sheet of the five reward cartoons, a
// few frames of each, drawn the way the reward draws them: the engine on
// its headless device plays each cartoon through IMTheoraView into the
// 320 x 200 view at (230, 176) on the screen background, with the cloud
// "oblako_png" at (137, 100) over it. Each cell is the cloud's part of the
// screen, reduced, with its word of praise and frame number beside it.

#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/device/DeviceBackend.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"
#include "engine/platform/resources/EmbeddedData.h"
#include "engine/platform/window/headless/HeadlessWindow.h"
#include "engine/render/TheoraView.h"
#include "engine/res/ResourceManager.h"

namespace {

constexpr RECT kCloudRect{137, 100, 643, 450};
constexpr RECT kViewRect{230, 176, 550, 376};
constexpr double kCellScale = 0.6;
constexpr int kCellWidth = 304;   // 506 x 0.6
constexpr int kCellHeight = 210;  // 350 x 0.6
constexpr int kGap = 10;
constexpr int kLabelWidth = 150;
constexpr int kTitleHeight = 44;
constexpr int kColumns = 4;

struct Row {
  const char16_t* cartoon;
  const char* word;
  const char* names;
  int frames[kColumns];  // frames worth seeing, in playing order
};

const Row kRows[] = {
    {u"bravo_video", "«Браво!»", "bravo_video\nbravo_sound", {2, 8, 13, 20}},
    {u"gotovo_video", "«Готово!»", "gotovo_video\ngotovo_sound", {4, 10, 13, 21}},
    {u"molodec_video", "«Молодец!»", "molodec_video\nmolodec_sound", {3, 9, 13, 20}},
    {u"otlichno_video", "«Отлично!»", "otlichno_video\notlichno_sound", {4, 7, 12, 16}},
    {u"ura_video", "«Ура!»", "ura_video\nura_sound", {2, 7, 14, 21}},
};

// The cloud's part of the last presented screen as a cairo picture.
cairo_surface_t* CutCloud(const platform::HeadlessDeviceBackend& device) {
  const int width = kCloudRect.right - kCloudRect.left;
  const int height = kCloudRect.bottom - kCloudRect.top;
  cairo_surface_t* cut = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_surface_flush(cut);
  unsigned char* bytes = cairo_image_surface_get_data(cut);
  const int stride = cairo_image_surface_get_stride(cut);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(bytes + y * stride);
    for (int x = 0; x < width; ++x) {
      row[x] = device.PixelAt(kCloudRect.left + x, kCloudRect.top + y) & 0x00FFFFFFu;
    }
  }
  cairo_surface_mark_dirty(cut);
  return cut;
}

void Text(cairo_t* cr, double x, double y, double size, bool bold, const std::string& text) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.substr(start, end - start).c_str());
    if (end == std::string::npos) break;
    start = end + 1;
    y += size * 1.3;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: reward_sheet <file.png>\n");
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  auto* window = platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>());
  std::string error;
  window->Create(u"reward_sheet", 800, 600, false, &error);
  auto device = std::make_shared<platform::HeadlessDeviceBackend>();
  platform::InstallDeviceBackend(device);
  IMResourceManager::StartEngine(false);
  IMResourceManager* engine = engineInstance;

  const auto cloudBytes = platform::FindNamedData(u"oblako_png");
  if (!cloudBytes) {
    std::fprintf(stderr, "reward_sheet: the program carries no oblako_png\n");
    return 1;
  }
  const uint32_t cloud = engine->AddTexture(u"oblako_png", cloudBytes->data(), cloudBytes->size());
  const uint32_t background = engine->LoadTexture(u"DefaultBackGround");

  const int sheetWidth = kLabelWidth + kColumns * (kCellWidth + kGap) + kGap;
  const int sheetHeight = kTitleHeight + 5 * (kCellHeight + kGap) + kGap;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetWidth, sheetHeight);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.96, 0.97, 0.98);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0.15, 0.2, 0.3);
  Text(cr, kGap, 30, 20, true, "Reward cartoons as the reward shows them (320 x 200 in the cloud)");

  int status = 0;
  int rowIndex = 0;
  for (const Row& row : kRows) {
    const auto data = platform::FindNamedData(row.cartoon);
    const int top = kTitleHeight + rowIndex * (kCellHeight + kGap) + kGap;
    cairo_set_source_rgb(cr, 0.15, 0.2, 0.3);
    Text(cr, kGap, top + 30, 19, true, row.word);
    cairo_set_source_rgb(cr, 0.35, 0.4, 0.5);
    Text(cr, kGap, top + 56, 12, false, row.names);
    if (!data) {
      std::fprintf(stderr, "reward_sheet: the program carries no cartoon %s\n", row.names);
      status = 1;
      ++rowIndex;
      continue;
    }
    IMTheoraView view;
    view.Open(data->data(), static_cast<int32_t>(data->size()));
    view.SetRect(kViewRect);
    int column = 0;
    for (int frame = 0; column < kColumns; ++frame) {
      view.SetFrame(frame);
      if (frame != row.frames[column]) continue;
      engine->Clear(0xFF000000u);
      engine->BeginScene();
      if (background != engine->HandleCount()) {
        engine->DrawTexture(background, RECT{0, 0, 800, 600}, nullptr, 0xFFFFFFFFu, 0.0f);
      }
      view.Draw();
      engine->DrawTexture(cloud, kCloudRect, nullptr, 0xFFFFFFFFu, 0.0f);
      engine->EndScene();
      engine->Present();

      cairo_surface_t* cut = CutCloud(*device);
      const int left = kLabelWidth + column * (kCellWidth + kGap) + kGap;
      cairo_save(cr);
      cairo_translate(cr, left, top);
      cairo_scale(cr, kCellScale, kCellScale);
      cairo_set_source_surface(cr, cut, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
      cairo_paint(cr);
      cairo_restore(cr);
      cairo_surface_destroy(cut);
      cairo_set_source_rgb(cr, 0.35, 0.4, 0.5);
      Text(cr, left + 4, top + kCellHeight - 4, 11, false, "frame " + std::to_string(frame));
      ++column;
    }
    ++rowIndex;
  }
  cairo_destroy(cr);
  if (cairo_surface_write_to_png(sheet, argv[1]) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "reward_sheet: cannot write %s\n", argv[1]);
    status = 1;
  }
  cairo_surface_destroy(sheet);
  engine->ReleaseTexture(cloud);
  engine->ReleaseTexture(background);
  IMResourceManager::StopEngine();
  platform::InstallDeviceBackend(nullptr);
  platform::InstallWindowBackend(nullptr);
  return status;
}
