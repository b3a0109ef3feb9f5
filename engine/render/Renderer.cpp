// The renderer half of IMResourceManager: the device, the device side of
// every texture, and drawing.
//
//   Device creation and loss ..... InitDevice, CheckDeviceLost, RestoreDevice
//   Texture residency ............ CreateDeviceTexture, MakeCpuCopy,
//                                  RecreateTexture, ReleaseDeviceTexture
//   Pixel access ................. CreateBlankTexture, GetTexturePitch,
//                                  UpdateTexture
//   Drawing ...................... DrawTexture and the frame protocol

#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>

#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/window/Window.h"
#include "engine/res/ResourceManager.h"

using platform::Format;
using platform::Result;

namespace {

constexpr uint32_t kQuadBytes = 4 * platform::kTransformedVertexStride;

int32_t NextPowerOfTwo(int32_t size) {
  int32_t p = 1;
  while (p < size) p *= 2;
  return p;
}

}  // namespace

// --- Device creation and loss ------------------------------------------

int IMResourceManager::InitDevice(bool newWindowed, int32_t width, int32_t height,
                                  int32_t newRefreshRate) {
  if (!direct3D) {
    direct3D = platform::Direct3D::Create();
    if (!direct3D) throw std::runtime_error("Can't init Direct3D");
  }
  platform::DisplayMode mode;
  if (direct3D->GetAdapterDisplayMode(0, &mode) != Result::Ok) {
    throw std::runtime_error("Can't init DisplayMode");
  }
  platform::PresentParameters params;
  params.BackBufferFormat = Format::A8R8G8B8;
  params.BackBufferCount = 3;
  params.Windowed = newWindowed;
  params.PresentationInterval = 0;
  if (newWindowed) {
    const RECT client = platform::GetClientRect();
    params.BackBufferWidth = static_cast<uint32_t>(client.right - client.left);
    params.BackBufferHeight = static_cast<uint32_t>(client.bottom - client.top);
  } else {
    params.BackBufferWidth = static_cast<uint32_t>(width);
    params.BackBufferHeight = static_cast<uint32_t>(height);
    params.FullScreenRefreshRate = static_cast<uint32_t>(newRefreshRate);
    refreshRate = newRefreshRate;
  }
  windowed = newWindowed;
  backBufferWidth = static_cast<int32_t>(params.BackBufferWidth);
  backBufferHeight = static_cast<int32_t>(params.BackBufferHeight);

  quadBuffer.reset();
  device.reset();
  if (direct3D->CreateDevice(0, params, &device) != Result::Ok || !device) {
    device.reset();
    return 1;
  }
  if (device->CreateVertexBuffer(kQuadBytes, platform::kFvfTransformedDiffuseTex1, &quadBuffer) !=
      Result::Ok) {
    quadBuffer.reset();
  }
  deviceLost = false;
  return 0;
}

bool IMResourceManager::CheckDeviceLost() {
  if (deviceLost) return true;
  if (!device || device->TestCooperativeLevel() != Result::Ok) deviceLost = true;
  return deviceLost;
}

bool IMResourceManager::RestoreDevice() {
  for (uint32_t h = 0; h < textures.size(); ++h) {
    if (textures[h] && textures[h]->texture) ReleaseDeviceTexture(h);
  }
  if (deviceLost) {
    // The device is always made anew, never reset.
    deviceLost = InitDevice(windowed, backBufferWidth, backBufferHeight, refreshRate) != 0;
  }
  return !deviceLost;
}

// --- Texture residency -------------------------------------------------

std::shared_ptr<platform::Texture> IMResourceManager::CreateDeviceTexture(int32_t width,
                                                                          int32_t height,
                                                                          Format format) {
  if (!device) return nullptr;
  std::shared_ptr<platform::Texture> texture;
  const Result result =
      device->CreateTexture(static_cast<uint32_t>(NextPowerOfTwo(width)),
                            static_cast<uint32_t>(NextPowerOfTwo(height)), format, &texture);
  if (result == Result::OutOfVideoMemory) throw std::bad_alloc();
  if (result != Result::Ok) return nullptr;
  return texture;
}

void IMResourceManager::MakeCpuCopy(uint32_t handle) {
  IMTextureEntry* entry = Entry(handle);
  if (!entry || !entry->texture) return;
  platform::LockedRect locked;
  if (entry->texture->LockRect(0, &locked) != Result::Ok) return;
  const size_t bytes = static_cast<size_t>(locked.Pitch) * entry->textureHeight;
  entry->cpuPixels = std::make_unique<uint8_t[]>(bytes);
  std::memcpy(entry->cpuPixels.get(), locked.pBits, bytes);
  entry->cpuPitch = locked.Pitch;
  entry->texture->UnlockRect(0);
}

void IMResourceManager::RecreateTexture(uint32_t handle) {
  IMTextureEntry* entry = Entry(handle);
  if (!entry || !entry->cpuPixels || entry->texture) return;
  for (;;) {
    try {
      auto texture = CreateDeviceTexture(entry->textureWidth, entry->textureHeight, entry->format);
      if (!texture) return;
      platform::LockedRect locked;
      if (texture->LockRect(0, &locked) != Result::Ok) return;
      const size_t rowBytes = static_cast<size_t>(std::min(locked.Pitch, entry->cpuPitch));
      for (int32_t y = 0; y < entry->textureHeight; ++y) {
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch,
                    entry->cpuPixels.get() + static_cast<ptrdiff_t>(y) * entry->cpuPitch, rowBytes);
      }
      texture->UnlockRect(0);
      entry->texture = std::move(texture);
      return;
    } catch (const std::bad_alloc&) {
      if (!EvictOneOtherThan(entry->name)) return;
    }
  }
}

void IMResourceManager::ReleaseDeviceTexture(uint32_t handle) {
  IMTextureEntry* entry = Entry(handle);
  if (!entry || !entry->texture) return;
  // The device keeps the texture bound to stage 0 alive; unbind it so that
  // its video memory really comes back.
  if (device) device->SetTexture(0, nullptr);
  entry->texture.reset();
}

bool IMResourceManager::EvictOneOtherThan(const std::u16string& keep) {
  for (uint32_t h = 0; h < textures.size(); ++h) {
    IMTextureEntry* entry = textures[h].get();
    if (entry && entry->texture && entry->name != keep) {
      ReleaseDeviceTexture(h);
      return true;
    }
  }
  return false;
}

// --- Pixel access ------------------------------------------------------

uint32_t IMResourceManager::CreateBlankTexture(const std::u16string& name, int32_t width,
                                               int32_t height, Format format) {
  const uint32_t existing = FindTexture(name);
  if (existing != handleCount) return AddRefTexture(existing);
  for (;;) {
    try {
      auto texture = CreateDeviceTexture(width, height, format);
      if (!texture) return handleCount;
      platform::LockedRect locked;
      if (texture->LockRect(0, &locked) == Result::Ok) {
        std::memset(locked.pBits, 0, static_cast<size_t>(locked.Pitch) * height);
        texture->UnlockRect(0);
      }
      return RegisterTexture(name, std::move(texture), IMImageSize{width, height}, format);
    } catch (const std::bad_alloc&) {
      if (!EvictOneOtherThan(name)) return handleCount;
    }
  }
}

int32_t IMResourceManager::GetTexturePitch(uint32_t handle) {
  RecreateTexture(handle);
  IMTextureEntry* entry = Entry(handle);
  if (!entry || !entry->texture) return 0;
  platform::LockedRect locked;
  if (entry->texture->LockRect(0, &locked) != Result::Ok) return 0;
  entry->texture->UnlockRect(0);
  return locked.Pitch;
}

void IMResourceManager::UpdateTexture(uint32_t handle, IMTextureWriter writer) {
  if (writer.empty()) throw boost::bad_function_call();
  RecreateTexture(handle);
  IMTextureEntry* entry = Entry(handle);
  platform::LockedRect locked;
  if (!entry || !entry->texture || entry->texture->LockRect(0, &locked) != Result::Ok) {
    platform::OutputDebugStringW(u"UpdateTexture: the texture cannot be locked");
    return;
  }
  writer(static_cast<uint8_t*>(locked.pBits), locked.Pitch, entry->imageRect.bottom);
  entry->texture->UnlockRect(0);
}

// --- Drawing -----------------------------------------------------------

void IMResourceManager::SetQuadStates() {
  using platform::RenderState;
  using platform::SamplerState;
  using platform::TextureStageState;
  device->SetRenderState(RenderState::AlphaTestEnable, false);
  device->SetRenderState(RenderState::SeparateAlphaBlendEnable, false);
  device->SetRenderState(RenderState::BlendOp, platform::BlendOp::Add);
  device->SetRenderState(RenderState::ColorWriteEnable, 0xFu);
  device->SetRenderState(RenderState::ShadeMode, platform::Shade::Gouraud);
  device->SetRenderState(RenderState::FogEnable, false);
  device->SetRenderState(RenderState::ZWriteEnable, false);
  device->SetRenderState(RenderState::FillMode, platform::Fill::Solid);
  device->SetRenderState(RenderState::CullMode, platform::Cull::CounterClockwise);
  device->SetRenderState(RenderState::AlphaBlendEnable, true);
  device->SetRenderState(RenderState::SrcBlend, platform::Blend::SrcAlpha);
  device->SetRenderState(RenderState::DestBlend, platform::Blend::InvSrcAlpha);
  device->SetTextureStageState(0, TextureStageState::ColorOp, platform::TextureOp::Modulate);
  device->SetTextureStageState(0, TextureStageState::ColorArg1, platform::TextureArg::Texture);
  device->SetTextureStageState(0, TextureStageState::ColorArg2, platform::TextureArg::Diffuse);
  device->SetTextureStageState(0, TextureStageState::AlphaOp, platform::TextureOp::Modulate);
  device->SetTextureStageState(0, TextureStageState::AlphaArg1, platform::TextureArg::Texture);
  device->SetTextureStageState(0, TextureStageState::AlphaArg2, platform::TextureArg::Diffuse);
  device->SetSamplerState(0, SamplerState::MinFilter, platform::Filter::Linear);
}

long IMResourceManager::DrawTexture(uint32_t handle, const RECT& dest, const RECT* sourceRect,
                                    uint32_t colour, float angle) {
  RecreateTexture(handle);
  IMTextureEntry* entry = Entry(handle);
  if (!entry || !entry->texture || !device || !quadBuffer) return 0;
  const RECT source = sourceRect ? *sourceRect : entry->imageRect;
  if (!(dest.left < dest.right && dest.top < dest.bottom)) return 0;
  SetQuadStates();

  // Texel edges map onto pixel edges once positions move half a pixel up
  // and left, so a 1:1 draw reproduces the picture exactly.
  const float texW = static_cast<float>(entry->textureWidth);
  const float texH = static_cast<float>(entry->textureHeight);
  const float u0 = static_cast<float>(source.left) / texW;
  const float u1 = static_cast<float>(source.right) / texW;
  const float v0 = static_cast<float>(source.top) / texH;
  const float v1 = static_cast<float>(source.bottom) / texH;
  struct Corner {
    float x, y, u, v;
  } corners[4] = {
      {static_cast<float>(dest.left), static_cast<float>(dest.top), u0, v0},
      {static_cast<float>(dest.right), static_cast<float>(dest.top), u1, v0},
      {static_cast<float>(dest.right), static_cast<float>(dest.bottom), u1, v1},
      {static_cast<float>(dest.left), static_cast<float>(dest.bottom), u0, v1},
  };
  if (angle != 0.0f) {
    // A turned rectangle keeps its distances, so every corner keeps the
    // texture coordinates of its unturned self, source origin included.
    const float cx = static_cast<float>(dest.left + dest.right) * 0.5f;
    const float cy = static_cast<float>(dest.top + dest.bottom) * 0.5f;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    for (Corner& corner : corners) {
      const float dx = corner.x - cx;
      const float dy = corner.y - cy;
      corner.x = cx + dx * c - dy * s;
      corner.y = cy + dx * s + dy * c;
    }
  }
  void* bytes = nullptr;
  if (quadBuffer->Lock(0, kQuadBytes, &bytes) != Result::Ok) return 0;
  auto* vertices = static_cast<platform::TransformedVertex*>(bytes);
  for (int i = 0; i < 4; ++i) {
    vertices[i] = platform::TransformedVertex{
        static_cast<float>(drawOriginX) + corners[i].x - 0.5f,
        static_cast<float>(drawOriginY) + corners[i].y - 0.5f,
        0.0f,
        1.0f,
        colour,
        corners[i].u,
        corners[i].v};
  }
  quadBuffer->Unlock();
  device->SetFVF(platform::kFvfTransformedDiffuseTex1);
  device->SetStreamSource(0, quadBuffer, 0, platform::kTransformedVertexStride);
  device->SetTexture(0, entry->texture);
  device->DrawPrimitive(platform::PrimitiveType::TriangleFan, 0, 2);
  return 0;
}

IMViewport IMResourceManager::GetViewport() const {
  if (!device) return IMViewport{0, 0, static_cast<uint32_t>(backBufferWidth),
                                 static_cast<uint32_t>(backBufferHeight), 0.0f, 1.0f};
  return device->GetViewport();
}

void IMResourceManager::SetViewport(const IMViewport& v) {
  if (device) device->SetViewport(v);
}

RECT IMResourceManager::ScreenRect() const {
  if (backBufferWidth <= 0 || backBufferHeight <= 0) {
    return RECT{0, 0, IMDetachedDrawSurface::kScreenWidth, IMDetachedDrawSurface::kScreenHeight};
  }
  return RECT{0, 0, backBufferWidth, backBufferHeight};
}

void IMResourceManager::Clear(uint32_t argb) {
  if (device) device->Clear(argb);
}

void IMResourceManager::BeginScene() {
  if (device) device->BeginScene();
}

void IMResourceManager::EndScene() {
  if (device) device->EndScene();
}

void IMResourceManager::Present() {
  if (device) device->Present();
}
