// The game screen's hot path: every mouse move over it redraws the whole
// 800 x 600 frame. BM_DrawGameScreenFrame draws one frame of that load on
// the headless device the way the engine does (clear, a scene of quads,
// each with its vertex-buffer write and full state list, present);
// BM_DrawGameScreenFrameSdlSoftware draws the same quads with SDL's own
// software renderer into an 800 x 600 ARGB8888 surface, for comparison.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "bench/GameScreenLoad.h"
#include "engine/platform/device/Direct3D.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"

namespace {

using namespace platform;

uint32_t PowerOfTwo(int32_t size) {
  uint32_t p = 1;
  while (p < static_cast<uint32_t>(size)) p *= 2;
  return p;
}

void Check(Result result, const char* what) {
  if (result != Result::Ok) throw std::runtime_error(what);
}

// The device, its quad buffer and one texture per quad of the load.
struct DeviceScene {
  std::shared_ptr<HeadlessDeviceBackend> backend = std::make_shared<HeadlessDeviceBackend>();
  std::unique_ptr<Direct3D> direct3D = Direct3D::Create(backend);
  std::unique_ptr<Device> device;
  std::shared_ptr<VertexBuffer> quadBuffer;
  std::vector<bench::LoadQuad> load = bench::MakeGameScreenLoad();
  std::vector<std::shared_ptr<Texture>> textures;

  DeviceScene() {
    PresentParameters params;
    params.BackBufferWidth = 800;
    params.BackBufferHeight = 600;
    Check(direct3D->CreateDevice(0, params, &device), "device");
    Check(device->CreateVertexBuffer(4 * kTransformedVertexStride, kFvfTransformedDiffuseTex1,
                                     &quadBuffer),
          "vertex buffer");
    for (const bench::LoadQuad& quad : load) {
      std::shared_ptr<Texture> texture;
      Check(device->CreateTexture(PowerOfTwo(quad.imageWidth), PowerOfTwo(quad.imageHeight),
                                  Format::A8R8G8B8, &texture),
            "texture");
      LockedRect locked;
      Check(texture->LockRect(0, &locked), "lock");
      for (int32_t y = 0; y < quad.imageHeight; ++y) {
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                    quad.pixels.data() + static_cast<size_t>(y) * quad.imageWidth,
                    static_cast<size_t>(quad.imageWidth) * 4);
      }
      Check(texture->UnlockRect(0), "unlock");
      textures.push_back(std::move(texture));
    }
  }

  // One quad as the engine draws it.
  void Draw(const bench::LoadQuad& quad, const std::shared_ptr<Texture>& texture) {
    void* bytes = nullptr;
    if (quadBuffer->Lock(0, 4 * kTransformedVertexStride, &bytes) != Result::Ok) return;
    const float l = static_cast<float>(quad.dest.left) - 0.5f;
    const float t = static_cast<float>(quad.dest.top) - 0.5f;
    const float r = static_cast<float>(quad.dest.right) - 0.5f;
    const float b = static_cast<float>(quad.dest.bottom) - 0.5f;
    const float u = static_cast<float>(quad.imageWidth) / static_cast<float>(texture->Width());
    const float v = static_cast<float>(quad.imageHeight) / static_cast<float>(texture->Height());
    auto* vertices = static_cast<TransformedVertex*>(bytes);
    vertices[0] = {l, t, 0.0f, 1.0f, quad.tint, 0.0f, 0.0f};
    vertices[1] = {r, t, 0.0f, 1.0f, quad.tint, u, 0.0f};
    vertices[2] = {r, b, 0.0f, 1.0f, quad.tint, u, v};
    vertices[3] = {l, b, 0.0f, 1.0f, quad.tint, 0.0f, v};
    quadBuffer->Unlock();
    device->SetRenderState(RenderState::AlphaTestEnable, false);
    device->SetRenderState(RenderState::SeparateAlphaBlendEnable, false);
    device->SetRenderState(RenderState::BlendOp, BlendOp::Add);
    device->SetRenderState(RenderState::ColorWriteEnable, 0xFu);
    device->SetRenderState(RenderState::ShadeMode, Shade::Gouraud);
    device->SetRenderState(RenderState::FogEnable, false);
    device->SetRenderState(RenderState::ZWriteEnable, false);
    device->SetRenderState(RenderState::FillMode, Fill::Solid);
    device->SetRenderState(RenderState::CullMode, Cull::CounterClockwise);
    device->SetRenderState(RenderState::Lighting, false);
    device->SetRenderState(RenderState::AlphaBlendEnable, true);
    device->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
    device->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
    device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
    device->SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
    device->SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse);
    device->SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate);
    device->SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
    device->SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse);
    device->SetSamplerState(0, SamplerState::MinFilter, Filter::Linear);
    device->SetFVF(kFvfTransformedDiffuseTex1);
    device->SetStreamSource(0, quadBuffer, 0, kTransformedVertexStride);
    device->SetTexture(0, texture);
    device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 2);
  }

  void DrawFrame() {
    device->Clear(0xFF000000u);
    device->BeginScene();
    for (size_t i = 0; i < load.size(); ++i) Draw(load[i], textures[i]);
    device->EndScene();
    device->Present();
  }
};

void BM_DrawGameScreenFrame(benchmark::State& state) {
  DeviceScene scene;
  for (auto _ : state) {
    scene.DrawFrame();
    benchmark::DoNotOptimize(scene.device->BackBuffer().Data());
    benchmark::ClobberMemory();
  }
  const int64_t pixels = bench::CoveredPixels(scene.load);
  state.counters["pixels_per_frame"] = static_cast<double>(pixels);
  state.SetItemsProcessed(state.iterations() * pixels);
}
BENCHMARK(BM_DrawGameScreenFrame)->Unit(benchmark::kMillisecond);

// The same quads through SDL's software renderer.
struct SdlScene {
  SDL_Surface* surface = nullptr;
  SDL_Renderer* renderer = nullptr;
  std::vector<bench::LoadQuad> load = bench::MakeGameScreenLoad();
  std::vector<SDL_Texture*> textures;

  SdlScene() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw std::runtime_error(SDL_GetError());
    surface = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) throw std::runtime_error(SDL_GetError());
    renderer = SDL_CreateSoftwareRenderer(surface);
    if (!renderer) throw std::runtime_error(SDL_GetError());
    for (const bench::LoadQuad& quad : load) {
      SDL_Texture* texture =
          SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                            quad.imageWidth, quad.imageHeight);
      if (!texture) throw std::runtime_error(SDL_GetError());
      SDL_UpdateTexture(texture, nullptr, quad.pixels.data(), quad.imageWidth * 4);
      SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
      SDL_SetTextureColorMod(texture, (quad.tint >> 16) & 0xFF, (quad.tint >> 8) & 0xFF,
                             quad.tint & 0xFF);
      SDL_SetTextureAlphaMod(texture, quad.tint >> 24);
      textures.push_back(texture);
    }
  }
  SdlScene(const SdlScene&) = delete;
  SdlScene& operator=(const SdlScene&) = delete;
  ~SdlScene() {
    for (SDL_Texture* texture : textures) SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  void DrawFrame() {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    for (size_t i = 0; i < load.size(); ++i) {
      const bench::LoadQuad& quad = load[i];
      const SDL_Rect source{0, 0, quad.imageWidth, quad.imageHeight};
      const SDL_Rect dest{quad.dest.left, quad.dest.top, quad.dest.right - quad.dest.left,
                          quad.dest.bottom - quad.dest.top};
      SDL_RenderCopy(renderer, textures[i], &source, &dest);
    }
    SDL_RenderPresent(renderer);  // flushes the queued copies into the surface
  }
};

void BM_DrawGameScreenFrameSdlSoftware(benchmark::State& state) {
  SdlScene scene;
  for (auto _ : state) {
    scene.DrawFrame();
    benchmark::DoNotOptimize(scene.surface->pixels);
    benchmark::ClobberMemory();
  }
  const int64_t pixels = bench::CoveredPixels(scene.load);
  state.counters["pixels_per_frame"] = static_cast<double>(pixels);
  state.SetItemsProcessed(state.iterations() * pixels);
}
BENCHMARK(BM_DrawGameScreenFrameSdlSoftware)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
