// The registry half of IMResourceManager and the engine's life cycle.

#include "engine/res/ResourceManager.h"

#include <stdexcept>

#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/resources/EmbeddedData.h"
#include "engine/platform/resources/ResourceModule.h"
#include "engine/platform/resources/ResourceName.h"
#include "engine/platform/text/Utf.h"
#include "engine/res/SkinTable.h"

IMResourceManager* engineInstance = nullptr;

IMResourceManager::IMResourceManager() = default;

IMResourceManager::~IMResourceManager() {
  if (device) device->SetTexture(0, nullptr);
  textures.clear();
  textureNames.clear();
  quadBuffer.reset();
  device.reset();
  direct3D.reset();
}

// --- Life cycle ----------------------------------------------------------

void IMResourceManager::StartEngine(bool windowed) {
  auto engine = std::make_unique<IMResourceManager>();
  engineInstance = engine.get();
  engine->frameCount = 0;
  engine->startTime = platform::timeGetTime();
  // Without a sound device the program runs silently.
  engine->InitSound();
  try {
    if (engine->InitDevice(windowed, 800, 600, 75) != 0) {
      throw std::runtime_error("Не могу создать устройство Direct3D");
    }
  } catch (...) {
    engineInstance = nullptr;
    throw;
  }
  SetCurrentDrawSurface(engine.get());
  // Each skin keeps the reference of its registration until shut-down.
  for (const char16_t* name : kSkinNames) {
    if (const auto bytes = platform::FindNamedData(name)) {
      engine->AddTexture(name, bytes->data(), bytes->size());
    }
  }
  engine.release();
}

void IMResourceManager::StopEngine() {
  IMResourceManager* engine = engineInstance;
  if (!engine) return;
  for (const char16_t* name : kSkinNames) engine->ReleaseTextureByName(name);
  // Wide arithmetic and a guard for no time passed: the counter of a long
  // run overflows 32 bits within the hour, and 0 ms must not divide.
  const uint32_t elapsed = platform::timeGetTime() - engine->startTime;
  const uint64_t fps = elapsed == 0 ? 0 : uint64_t{engine->frameCount} * 1000 / elapsed;
  platform::OutputDebugStringW(u"FPS: " + platform::Utf8ToUtf16(std::to_string(fps)) + u"\n");
  SetCurrentDrawSurface(nullptr);
  engineInstance = nullptr;
  delete engine;
}

// --- Registry ------------------------------------------------------------

IMTextureEntry* IMResourceManager::Entry(uint32_t handle) {
  if (handle >= textures.size()) return nullptr;
  return textures[handle].get();
}

std::optional<uint8_t> IMResourceManager::CpuAlphaAt(uint32_t handle, int32_t x, int32_t y) {
  IMTextureEntry* entry = Entry(handle);
  if (!entry || !entry->cpuPixels || x < 0 || y < 0 || x >= entry->textureWidth ||
      y >= entry->textureHeight) {
    return std::nullopt;
  }
  return entry->cpuPixels[static_cast<size_t>(y) * entry->cpuPitch + static_cast<size_t>(x) * 4 + 3];
}

uint32_t IMResourceManager::FindTexture(const std::u16string& name) const {
  const auto it = textureNames.find(name);
  return it == textureNames.end() ? handleCount : it->second;
}

uint32_t IMResourceManager::TakeHandle() {
  if (!freeHandles.empty()) {
    const uint32_t handle = freeHandles.back();
    freeHandles.pop_back();
    return handle;
  }
  textures.emplace_back();
  return handleCount++;
}

uint32_t IMResourceManager::RegisterTexture(const std::u16string& name,
                                            std::shared_ptr<platform::Texture> texture,
                                            IMImageSize image, platform::Format format) {
  const uint32_t handle = TakeHandle();
  textureNames[name] = handle;
  auto entry = std::make_unique<IMTextureEntry>();
  entry->textureWidth = static_cast<int32_t>(texture->Width());
  entry->textureHeight = static_cast<int32_t>(texture->Height());
  entry->texture = std::move(texture);
  entry->imageRect = RECT{0, 0, image.width, image.height};
  entry->name = name;
  entry->refCount = 1;
  entry->format = format;
  textures[handle] = std::move(entry);
  MakeCpuCopy(handle);
  return handle;
}

uint32_t IMResourceManager::RegisterDecoded(const std::u16string& name, const Decode& decode) {
  for (;;) {
    std::shared_ptr<platform::Texture> texture;
    bool locked = false;
    const IMImageTarget target = [&](int32_t width,
                                     int32_t height) -> std::optional<IMPixelDestination> {
      texture = CreateDeviceTexture(width, height, platform::Format::A8R8G8B8);
      platform::LockedRect rect;
      if (!texture || texture->LockRect(0, &rect) != platform::Result::Ok) return std::nullopt;
      locked = true;
      return IMPixelDestination{static_cast<uint8_t*>(rect.pBits), rect.Pitch};
    };
    try {
      const std::optional<IMImageSize> image = decode(target);
      if (locked) texture->UnlockRect(0);
      if (!image || !texture) return handleCount;
      return RegisterTexture(name, std::move(texture), *image, platform::Format::A8R8G8B8);
    } catch (const std::bad_alloc&) {
      if (locked) texture->UnlockRect(0);
      texture.reset();
      if (!EvictOneOtherThan(name)) return handleCount;
    }
  }
}

uint32_t IMResourceManager::LoadTexture(const std::u16string& name) {
  const uint32_t existing = FindTexture(name);
  if (existing != handleCount) return AddRefTexture(existing);
  if (const auto id = platform::ResourceNumber(name)) {
    if (const auto bytes = platform::FindNumberedResource(*id)) {
      return RegisterDecoded(name, [bytes](const IMImageTarget& t) { return DecodeImage(*bytes, t); });
    }
    // Pictures the program lacks may come with the animations module,
    // which is read for this one lookup and let go again.
    const auto module = platform::ResourceModule::LoadAnimations();
    if (!module) return handleCount;
    const auto bytes = module->Find(*id);
    if (!bytes) return handleCount;
    return RegisterDecoded(name, [bytes](const IMImageTarget& t) { return DecodeImage(*bytes, t); });
  }
  return RegisterDecoded(name, [&name](const IMImageTarget& t) { return DecodeImageFile(name, t); });
}

uint32_t IMResourceManager::AddTexture(const std::u16string& name, const void* data, size_t size) {
  const uint32_t existing = FindTexture(name);
  if (existing != handleCount) return AddRefTexture(existing);
  const std::span<const uint8_t> bytes(static_cast<const uint8_t*>(data), data ? size : 0);
  return RegisterDecoded(name, [bytes](const IMImageTarget& t) { return DecodeImage(bytes, t); });
}

uint32_t IMResourceManager::AddRefTexture(uint32_t handle) {
  IMTextureEntry* entry = Entry(handle);
  if (!entry) return handleCount;
  ++entry->refCount;
  return handle;
}

void IMResourceManager::ReleaseTexture(uint32_t handle) {
  IMTextureEntry* entry = Entry(handle);
  if (!entry) return;
  if (--entry->refCount > 0) return;
  textureNames.erase(entry->name);
  ReleaseDeviceTexture(handle);
  textures[handle].reset();
  freeHandles.push_back(handle);
}

void IMResourceManager::ReleaseTextureByName(const std::u16string& name) {
  ReleaseTexture(FindTexture(name));
}
