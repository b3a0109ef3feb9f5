#include "engine/platform/device/PipelineState.h"

#include "engine/platform/device/Texture.h"

namespace platform {

namespace {

constexpr uint32_t V(auto value) { return static_cast<uint32_t>(value); }

bool IsBlend(uint32_t v) {
  return v == V(Blend::Zero) || v == V(Blend::One) || v == V(Blend::SrcAlpha) ||
         v == V(Blend::InvSrcAlpha);
}

bool TakesValue(RenderState state, uint32_t v) {
  switch (state) {
    case RenderState::AlphaBlendEnable:
    case RenderState::SeparateAlphaBlendEnable:
    case RenderState::AlphaTestEnable:
    case RenderState::FogEnable:
    case RenderState::ZWriteEnable:
    case RenderState::Lighting:
      return v <= 1;
    case RenderState::SrcBlend:
    case RenderState::DestBlend:
      return IsBlend(v);
    case RenderState::BlendOp:
      return v == V(BlendOp::Add);
    case RenderState::ColorWriteEnable:
      return v <= 0xF;
    case RenderState::CullMode:
      return v >= V(Cull::None) && v <= V(Cull::CounterClockwise);
    case RenderState::ShadeMode:
      return v == V(Shade::Flat) || v == V(Shade::Gouraud);
    case RenderState::FillMode:
      return v >= V(Fill::Point) && v <= V(Fill::Solid);
  }
  return false;  // not a render state
}

bool TakesValue(TextureStageState state, uint32_t v) {
  switch (state) {
    case TextureStageState::ColorOp:
    case TextureStageState::AlphaOp:
      return v >= V(TextureOp::Disable) && v <= V(TextureOp::Modulate);
    case TextureStageState::ColorArg1:
    case TextureStageState::ColorArg2:
    case TextureStageState::AlphaArg1:
    case TextureStageState::AlphaArg2:
      return v <= V(TextureArg::Texture);
  }
  return false;
}

bool TakesValue(SamplerState state, uint32_t v) {
  switch (state) {
    case SamplerState::MagFilter:
    case SamplerState::MinFilter:
      return v == V(Filter::Point) || v == V(Filter::Linear);
    case SamplerState::MipFilter:
      return v <= V(Filter::Linear);
  }
  return false;
}

// What one half of the stage (colour or alpha) reads.
struct Inputs {
  bool texel = false;
  bool diffuse = false;
};

Inputs Reads(TextureArg arg) {
  return arg == TextureArg::Texture ? Inputs{true, false} : Inputs{false, true};
}

bool StageInputs(uint32_t op, uint32_t arg1, uint32_t arg2, Inputs* inputs) {
  const Inputs first = Reads(TextureArg{arg1});
  const Inputs second = Reads(TextureArg{arg2});
  switch (TextureOp{op}) {
    case TextureOp::Disable:
      *inputs = Inputs{false, true};
      return true;
    case TextureOp::SelectArg1:
      *inputs = first;
      return true;
    case TextureOp::SelectArg2:
      *inputs = second;
      return true;
    case TextureOp::Modulate:
      // The device multiplies a texel by a diffuse value, never a value by
      // itself.
      if (first.texel == second.texel) return false;
      *inputs = Inputs{true, true};
      return true;
  }
  return false;
}

// A 1 x 1 opaque white texture for draws with none bound.
constexpr uint32_t kWhiteTexel = 0xFFFFFFFFu;

}  // namespace

PipelineState::PipelineState() {
  Render(RenderState::AlphaBlendEnable) = 0;
  Render(RenderState::SrcBlend) = V(Blend::One);
  Render(RenderState::DestBlend) = V(Blend::Zero);
  Render(RenderState::BlendOp) = V(BlendOp::Add);
  Render(RenderState::SeparateAlphaBlendEnable) = 0;
  Render(RenderState::AlphaTestEnable) = 0;
  Render(RenderState::ColorWriteEnable) = 0xF;
  Render(RenderState::CullMode) = V(Cull::CounterClockwise);
  Render(RenderState::ShadeMode) = V(Shade::Gouraud);
  Render(RenderState::FillMode) = V(Fill::Solid);
  Render(RenderState::FogEnable) = 0;
  Render(RenderState::ZWriteEnable) = 1;
  Render(RenderState::Lighting) = 1;
  stage[V(TextureStageState::ColorOp)] = V(TextureOp::Modulate);
  stage[V(TextureStageState::ColorArg1)] = V(TextureArg::Texture);
  stage[V(TextureStageState::ColorArg2)] = V(TextureArg::Current);
  stage[V(TextureStageState::AlphaOp)] = V(TextureOp::SelectArg1);
  stage[V(TextureStageState::AlphaArg1)] = V(TextureArg::Texture);
  stage[V(TextureStageState::AlphaArg2)] = V(TextureArg::Current);
  sampler[V(SamplerState::MagFilter)] = V(Filter::Point);
  sampler[V(SamplerState::MinFilter)] = V(Filter::Point);
  sampler[V(SamplerState::MipFilter)] = V(Filter::None);
}

Result PipelineState::SetRenderState(RenderState state, uint32_t value) {
  if (!TakesValue(state, value)) return Result::InvalidCall;
  Render(state) = value;
  return Result::Ok;
}

uint32_t PipelineState::GetRenderState(RenderState state) const {
  return V(state) < kRenderStates ? Render(state) : 0;
}

Result PipelineState::SetTextureStageState(uint32_t stageIndex, TextureStageState state,
                                           uint32_t value) {
  if (stageIndex != 0 || !TakesValue(state, value)) return Result::InvalidCall;
  stage[V(state)] = value;
  return Result::Ok;
}

uint32_t PipelineState::GetTextureStageState(TextureStageState state) const {
  return V(state) < kStageStates ? Stage(state) : 0;
}

Result PipelineState::SetSamplerState(uint32_t samplerIndex, SamplerState state, uint32_t value) {
  if (samplerIndex != 0 || !TakesValue(state, value)) return Result::InvalidCall;
  sampler[V(state)] = value;
  return Result::Ok;
}

uint32_t PipelineState::GetSamplerState(SamplerState state) const {
  return V(state) < kSamplerStates ? Sampler(state) : 0;
}

Result PipelineState::Resolve(const Texture* texture, raster::DrawSetup* setup) const {
  if (Render(RenderState::AlphaTestEnable) || Render(RenderState::SeparateAlphaBlendEnable) ||
      Render(RenderState::FogEnable) || Render(RenderState::FillMode) != V(Fill::Solid)) {
    return Result::InvalidCall;
  }
  Inputs colour;
  Inputs alpha;
  if (!StageInputs(Stage(TextureStageState::ColorOp), Stage(TextureStageState::ColorArg1),
                   Stage(TextureStageState::ColorArg2), &colour) ||
      !StageInputs(Stage(TextureStageState::AlphaOp), Stage(TextureStageState::AlphaArg1),
                   Stage(TextureStageState::AlphaArg2), &alpha)) {
    return Result::InvalidCall;
  }

  raster::DrawSetup out;
  if (texture) {
    out.texture = raster::TextureView{texture->Texels(), texture->PitchTexels(), texture->Width(),
                                      texture->Height()};
  } else {
    out.texture = raster::TextureView{&kWhiteTexel, 1, 1, 1};
  }
  out.texelOr = (colour.texel ? 0u : 0x00FFFFFFu) | (alpha.texel ? 0u : 0xFF000000u);
  if (texture && texture->GetFormat() == Format::X8R8G8B8) out.texelOr |= 0xFF000000u;
  out.diffuseOr = (colour.diffuse ? 0u : 0x00FFFFFFu) | (alpha.diffuse ? 0u : 0xFF000000u);

  const Blend source{Render(RenderState::SrcBlend)};
  const Blend frame{Render(RenderState::DestBlend)};
  out.sourceFactor = source;
  out.frameFactor = frame;
  if (!Render(RenderState::AlphaBlendEnable) || (source == Blend::One && frame == Blend::Zero)) {
    out.blend = raster::BlendMode::Replace;
  } else if (source == Blend::SrcAlpha && frame == Blend::InvSrcAlpha) {
    out.blend = raster::BlendMode::SourceOver;
  } else {
    out.blend = raster::BlendMode::Factors;
  }

  const uint32_t write = Render(RenderState::ColorWriteEnable);
  out.writeMask = ((write & 1) ? 0x00FF0000u : 0u) | ((write & 2) ? 0x0000FF00u : 0u) |
                  ((write & 4) ? 0x000000FFu : 0u) | ((write & 8) ? 0xFF000000u : 0u);
  out.magFilter = Filter{Sampler(SamplerState::MagFilter)};
  out.minFilter = Filter{Sampler(SamplerState::MinFilter)};
  out.cull = Cull{Render(RenderState::CullMode)};
  out.shade = Shade{Render(RenderState::ShadeMode)};
  out.clip = setup->clip;
  *setup = out;
  return Result::Ok;
}

}  // namespace platform
