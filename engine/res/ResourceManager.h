#pragma once
// IMResourceManager, the one engine object: the texture registry (names,
// handles, reference counts), the renderer that owns the device and the
// device side of every texture, and engine start-up and shut-down. Every
// part of the program reaches it through `engineInstance`.
//
// The renderer's operations are in engine/render/Renderer.cpp, the
// registry's and the life cycle's in engine/res/ResourceManager.cpp.
//
// Textures. A handle is an index into the texture table; `handleCount`
// (the number of slots ever made) is the no-texture value. Every handle
// handed to a caller carries one reference, given back with
// ReleaseTexture. Each live entry keeps a system-memory copy of its
// pixels, so its device texture can be dropped (video memory exhausted,
// device lost) and made again from the copy when it is next used.

#include <boost/function.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/platform/device/Device.h"
#include "engine/platform/device/Direct3D.h"
#include "engine/platform/fonts/FontLibrary.h"
#include "engine/platform/geometry/Rect.h"
#include "engine/render/DrawSurface.h"
#include "engine/render/ImageDecoder.h"
#include "engine/sound/CSoundSystem.h"

struct IMTextureEntry {
  std::shared_ptr<platform::Texture> texture;  // null while not resident
  RECT imageRect{};                            // {0, 0, image width, image height}
  int32_t textureWidth = 0;                    // level 0 as created: powers of two
  int32_t textureHeight = 0;
  std::u16string name;
  int32_t refCount = 0;
  std::unique_ptr<uint8_t[]> cpuPixels;  // textureHeight rows of cpuPitch bytes, or null
  int32_t cpuPitch = 0;
  // What the texture was created as, so that a video texture comes back
  // opaque after device loss or eviction.
  platform::Format format = platform::Format::A8R8G8B8;
};

// Writes pixels into a locked texture: (first byte, pitch in bytes, image
// height in rows).
using IMTextureWriter = boost::function<void(uint8_t*, int32_t, int32_t)>;

// One font of the font cache and what has been asked of it so far; each
// answer is asked of the font service once (engine/render/CharacterTextures.cpp).
struct IMFontRecord {
  std::u16string faceName;
  int32_t height = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  platform::TextMetrics metrics{};
  std::map<char16_t, platform::AbcWidths> charWidths;
  std::map<char16_t, platform::GlyphMetrics> glyphMetrics;
  std::map<char16_t, std::vector<uint8_t>> outlines;  // native outline bytes
  std::map<char16_t, uint32_t> outlineSizes;          // 0xFFFFFFFF when it failed
  std::unique_ptr<platform::Font> font;               // null when none could be made
};

class IMResourceManager : public CSoundSystem, public IMDrawSurface {
 public:
  IMResourceManager();
  // Releases every device texture and system-memory copy, then the device;
  // the sound system, a base, goes last.
  ~IMResourceManager() override;
  IMResourceManager(const IMResourceManager&) = delete;
  IMResourceManager& operator=(const IMResourceManager&) = delete;

  // --- Life cycle ------------------------------------------------------
  // Builds the engine and installs it as `engineInstance` and as the
  // surface the tree draws on. Throws std::runtime_error when the device
  // cannot be made; nothing is left installed then.
  static void StartEngine(bool windowed);
  // Releases the skins, writes the "FPS: " line and destroys the engine.
  static void StopEngine();

  // --- Renderer --------------------------------------------------------
  // 0 on success, 1 when the device cannot be created. Throws
  // std::runtime_error when there is no device service or display mode.
  int InitDevice(bool windowed, int32_t width, int32_t height, int32_t refreshRate);
  bool CheckDeviceLost();
  bool RestoreDevice();
  // A texture of at least width x height (each rounded up to a power of
  // two); null on failure. Throws std::bad_alloc when video memory is
  // exhausted.
  std::shared_ptr<platform::Texture> CreateDeviceTexture(int32_t width, int32_t height,
                                                         platform::Format format);
  void MakeCpuCopy(uint32_t handle);
  // Makes an evicted texture resident again from its copy; nothing when it
  // is resident, has no copy or the handle is not live. When no texture
  // can be made it stays evicted and draws as nothing.
  void RecreateTexture(uint32_t handle);
  void ReleaseDeviceTexture(uint32_t handle);
  // A registered texture whose image rows are zero bytes; a registered
  // name is shared instead.
  uint32_t CreateBlankTexture(const std::u16string& name, int32_t width, int32_t height,
                              platform::Format format);
  int32_t GetTexturePitch(uint32_t handle);
  // Locks level 0 and calls `writer`; an empty writer throws
  // boost::bad_function_call.
  void UpdateTexture(uint32_t handle, IMTextureWriter writer);
  // Draws the source rectangle (the whole image when null) of the texture
  // into destRect, tinted by `colour` and turned by `angle` radians
  // (clockwise) about the destination's centre. Always 0.
  long DrawTexture(uint32_t handle, const RECT& destRect, const RECT* sourceRect,
                   uint32_t colour, float angle);

  // --- Registry --------------------------------------------------------
  // The handle of a registered name, or handleCount. Takes no reference.
  uint32_t FindTexture(const std::u16string& name) const;
  // A registered name, a decimal resource number (the program's own data,
  // then "Animations.dll"), or a file path. handleCount when nothing
  // decodable is found; nothing is registered then.
  uint32_t LoadTexture(const std::u16string& name);
  // Registers encoded picture bytes under `name`; a registered name is
  // shared and the bytes are not looked at.
  uint32_t AddTexture(const std::u16string& name, const void* data, size_t size);
  // One more reference: the same handle, or handleCount for a free slot.
  uint32_t AddRefTexture(uint32_t handle);
  // One reference less; the last frees the entry and its handle.
  void ReleaseTexture(uint32_t handle);
  void ReleaseTextureByName(const std::u16string& name);

  uint32_t HandleCount() const { return handleCount; }
  // The entry behind a live handle, else null.
  IMTextureEntry* Entry(uint32_t handle);
  // Fourth byte of the system-memory copy at texel (x, y), or nothing.
  std::optional<uint8_t> CpuAlphaAt(uint32_t handle, int32_t x, int32_t y);

  // --- Fonts and character textures (engine/render/CharacterTextures.cpp)
  // The index of the font record with this face, height, bold and italic,
  // made on first request. Underline is not compared: requests differing
  // only in it share the first record, and glyph paths draw the underline.
  uint32_t GetFont(const std::u16string& faceName, int32_t height, bool bold, bool italic,
                   bool underline);
  // The cached answers of a font record (the index must come from
  // GetFont); a character not asked about before is loaded first. A
  // character the font cannot answer for has zero widths and metrics and
  // outline size 0xFFFFFFFF.
  const platform::TextMetrics& GetTextMetrics(uint32_t font) const;
  platform::AbcWidths GetCharWidths(uint32_t font, char16_t ch);
  platform::GlyphMetrics GetGlyphMetrics(uint32_t font, char16_t ch);
  std::span<const uint8_t> GetGlyphOutline(uint32_t font, char16_t ch);
  uint32_t GetGlyphOutlineSize(uint32_t font, char16_t ch);
  size_t FontCount() const { return fonts.size(); }
  // The texture of one character: a registered key gets one more
  // reference and nothing is rendered; otherwise the character is rendered
  // in textColour over `background` into a texture of `size` (or advance x
  // cell height when null) and registered under the key. handleCount when
  // no texture can be made.
  uint32_t CreateTextTexture(const std::u16string& key, char16_t ch, const RECT* size,
                             uint32_t textColour, int32_t height, const std::u16string& faceName,
                             bool italic, bool bold, bool underline, uint32_t background);

  // --- What the tree and the window use --------------------------------
  IMViewport GetViewport() const override;
  void SetViewport(const IMViewport& viewport) override;
  RECT ScreenRect() const override;
  bool IsDeviceLost() const override { return deviceLost; }
  void Clear(uint32_t argb) override;
  void BeginScene() override;
  void EndScene() override;
  void Present() override;

  bool IsWindowed() const { return windowed; }
  platform::Device* GetDevice() const { return device.get(); }

 private:
  using Decode = boost::function<std::optional<IMImageSize>(const IMImageTarget&)>;
  // Decodes into a new texture and registers it, evicting other textures
  // while video memory runs out.
  uint32_t RegisterDecoded(const std::u16string& name, const Decode& decode);
  // The registration tail: a handle, the name, the entry and its copy.
  uint32_t RegisterTexture(const std::u16string& name, std::shared_ptr<platform::Texture> texture,
                           IMImageSize image, platform::Format format);
  uint32_t TakeHandle();
  // Evicts the first resident entry (in handle order) not named `keep`;
  // false when there is none.
  bool EvictOneOtherThan(const std::u16string& keep);
  void SetQuadStates();

  // Renderer state.
  std::vector<std::unique_ptr<IMTextureEntry>> textures;
  std::unique_ptr<platform::Direct3D> direct3D;
  std::unique_ptr<platform::Device> device;
  std::shared_ptr<platform::VertexBuffer> quadBuffer;
  int32_t backBufferWidth = 0;
  int32_t backBufferHeight = 0;
  bool windowed = false;
  bool deviceLost = false;
  int32_t refreshRate = 0;
  uint32_t startTime = 0;

  // Registry state.
  std::map<std::u16string, uint32_t> textureNames;
  std::vector<uint32_t> freeHandles;
  uint32_t handleCount = 0;

  // Font cache: the service is started with the first font.
  IMFontRecord& LoadOutline(uint32_t font, char16_t ch);
  std::unique_ptr<platform::FontLibrary> fontLibrary;
  std::vector<std::unique_ptr<IMFontRecord>> fonts;
};

// The engine while it runs, else null.
extern IMResourceManager* engineInstance;
