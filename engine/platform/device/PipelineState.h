#pragma once
// The device's settable state: render states, the states of texture
// stage 0 and of sampler 0, each starting at its default (listed beside it
// in DeviceTypes.h). Setting checks that the value is one the state takes;
// Resolve turns the whole set, with the bound texture, into what the
// rasteriser needs, and refuses the combinations it does not draw.

#include <array>
#include <cstdint>

#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/device/raster/DrawSetup.h"

namespace platform {

class Texture;

class PipelineState {
 public:
  PipelineState();

  // Ok and the state takes `value`; InvalidCall for a value the state does
  // not take (the state keeps its value then).
  Result SetRenderState(RenderState state, uint32_t value);
  uint32_t GetRenderState(RenderState state) const;
  // Stage and sampler 0 only; any other is InvalidCall.
  Result SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value);
  uint32_t GetTextureStageState(TextureStageState state) const;
  Result SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value);
  uint32_t GetSamplerState(SamplerState state) const;

  // Fills everything of `setup` but the clip rectangle, which it keeps. `texture` may be
  // null (texels read as opaque white). InvalidCall when the states ask for
  // something the device does not draw: alpha test, separate alpha
  // blending, fog, a fill mode other than Solid, or a stage that modulates
  // an argument by itself.
  Result Resolve(const Texture* texture, raster::DrawSetup* setup) const;

 private:
  static constexpr size_t kRenderStates = static_cast<size_t>(RenderState::Lighting) + 1;
  static constexpr size_t kStageStates = static_cast<size_t>(TextureStageState::AlphaArg2) + 1;
  static constexpr size_t kSamplerStates = static_cast<size_t>(SamplerState::MipFilter) + 1;

  uint32_t& Render(RenderState state) { return render[static_cast<size_t>(state)]; }
  uint32_t Render(RenderState state) const { return render[static_cast<size_t>(state)]; }
  uint32_t Stage(TextureStageState state) const { return stage[static_cast<size_t>(state)]; }
  uint32_t Sampler(SamplerState state) const { return sampler[static_cast<size_t>(state)]; }

  std::array<uint32_t, kRenderStates> render{};
  std::array<uint32_t, kStageStates> stage{};
  std::array<uint32_t, kSamplerStates> sampler{};
};

}  // namespace platform
