// Setting the exercise description into the start screen's text picture:
// 830 characters at height 18 in the screens' dark blue, word-wrapped at
// 593 pixels.
//
//   cold font cache   a new engine each time: fonts, outlines and every
//                     character texture are made from nothing
//   warm font cache   the engine's fonts and outlines are known; the text's
//                     own textures are rendered again, as SetText gives
//                     them back first
//   textures held     another view holds every character, so only the
//                     references and the layout remain

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/platform/device/DeviceBackend.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"
#include "engine/platform/window/headless/HeadlessWindow.h"
#include "engine/render/TextView.h"
#include "engine/res/ResourceManager.h"

namespace {

const std::u16string kDescription =
    u"   На экране изображена контурная картинка для раскраски и "
    u"палитра с цветами. Игра обосновывает использование основной "
    u"кнопки мыши как инструмента для переноса свойств (цвета) с "
    u"образца (краски) на экземпляр (контур). Пользователь "
    u"выбирает из представленной палитры необходимые цвета и с "
    u"помощью мышки раскрашивает картинку, нажимая сначала на "
    u"нужной краске, а затем на контуре, который необходимо "
    u"закрасить. Во избежание неправильной закраски для некоторых "
    u"контуров количество возможных цветов ограничено. Таким "
    u"образом, огни светофора можно покрасить только красным, "
    u"желтым и зеленым цветами соответственно, а яблоки не могут "
    u"быть синими.  Работу с данным приложением можно остановить "
    u"в любой момент, по желанию, однако при закраске всех "
    u"контуров срабатывает объективный критерий завершения и "
    u"запускается поощрительная анимация.";

enum class Cache { Cold, Warm, TexturesHeld };

// The engine on the headless window and device, as the tests run it.
class HeadlessEngine {
 public:
  HeadlessEngine() {
    auto* window = platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>());
    std::string error;
    window->Create(u"bench", 800, 600, false, &error);
    platform::InstallDeviceBackend(std::make_shared<platform::HeadlessDeviceBackend>());
    IMResourceManager::StartEngine(false);
  }
  ~HeadlessEngine() {
    IMResourceManager::StopEngine();
    platform::InstallDeviceBackend(nullptr);
    platform::InstallWindowBackend(nullptr);
  }
  HeadlessEngine(const HeadlessEngine&) = delete;
  HeadlessEngine& operator=(const HeadlessEngine&) = delete;
};

std::unique_ptr<IMTextView> DescriptionView() {
  auto view = std::make_unique<IMTextView>();
  view->SetStyle(IMTextStyle{.colour = 0xFF072134u, .height = 18});
  view->SetRect(RECT{0, 0, 593, 415});
  view->wrap = true;
  return view;
}

void BM_SetTextDescription(benchmark::State& state) {
  const auto cache = static_cast<Cache>(state.range(0));
  if (kDescription.size() != 830) {
    state.SkipWithError("the description is not the program's 830 characters");
    return;
  }
  auto engine = std::make_unique<HeadlessEngine>();
  auto view = DescriptionView();
  auto holder = DescriptionView();
  view->SetText(kDescription);
  if (cache == Cache::TexturesHeld) holder->SetText(kDescription);
  for (auto _ : state) {
    if (cache == Cache::Cold) {
      state.PauseTiming();
      view.reset();
      holder.reset();
      engine.reset();
      engine = std::make_unique<HeadlessEngine>();
      view = DescriptionView();
      holder = DescriptionView();
      state.ResumeTiming();
    }
    view->SetText(kDescription);
    benchmark::DoNotOptimize(view->GetSourceRect());
  }
  state.counters["lines"] = static_cast<double>(view->GetLineStarts().size());
  state.counters["chars/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kDescription.size()), benchmark::Counter::kIsRate);
  view.reset();
  holder.reset();
}
BENCHMARK(BM_SetTextDescription)
    ->ArgName("cache")
    ->Arg(static_cast<int>(Cache::Cold))
    ->Arg(static_cast<int>(Cache::Warm))
    ->Arg(static_cast<int>(Cache::TexturesHeld))
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
