#pragma once
// A headless 800 x 600 device driven the way the engine draws: every quad
// written into one four-vertex buffer with positions shifted by -0.5 and
// texture coordinates divided by the texture size, the blend and stage
// states set before each quad, a triangle fan of two primitives.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "engine/platform/device/Direct3D.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"

namespace platform::testing {

// An image of 0xAARRGGBB pixels, row after row.
struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline Image MakeImage(int32_t width, int32_t height,
                       const std::function<uint32_t(int32_t, int32_t)>& pixel) {
  Image image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x)
      image.pixels[static_cast<size_t>(y) * width + x] = pixel(x, y);
  }
  return image;
}

class DeviceFixture : public ::testing::Test {
 protected:
  static constexpr int32_t kWidth = 800;
  static constexpr int32_t kHeight = 600;

  void SetUp() override {
    backend = std::make_shared<HeadlessDeviceBackend>();
    direct3D = Direct3D::Create(backend);
    ASSERT_TRUE(direct3D);
    ASSERT_EQ(direct3D->CreateDevice(0, Params(), &device), Result::Ok);
    ASSERT_EQ(
        device->CreateVertexBuffer(4 * kTransformedVertexStride, kFvfTransformedDiffuseTex1, &quad),
        Result::Ok);
  }

  static PresentParameters Params() {
    PresentParameters params;
    params.BackBufferWidth = kWidth;
    params.BackBufferHeight = kHeight;
    params.BackBufferFormat = Format::A8R8G8B8;
    params.BackBufferCount = 3;
    params.Windowed = true;
    return params;
  }

  // A texture of textureWidth x textureHeight holding `image` at its
  // top-left corner; the texels around the image are `outside`.
  std::shared_ptr<Texture> MakeTexture(const Image& image, uint32_t textureWidth,
                                       uint32_t textureHeight, Format format = Format::A8R8G8B8,
                                       uint32_t outside = 0) {
    std::shared_ptr<Texture> texture;
    EXPECT_EQ(device->CreateTexture(textureWidth, textureHeight, format, &texture), Result::Ok);
    if (!texture) return nullptr;
    LockedRect locked;
    EXPECT_EQ(texture->LockRect(0, &locked), Result::Ok);
    for (uint32_t y = 0; y < textureHeight; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) +
                                              static_cast<size_t>(y) * locked.Pitch);
      for (uint32_t x = 0; x < textureWidth; ++x) {
        const bool inside =
            x < static_cast<uint32_t>(image.width) && y < static_cast<uint32_t>(image.height);
        row[x] = inside ? image.At(static_cast<int32_t>(x), static_cast<int32_t>(y)) : outside;
      }
    }
    EXPECT_EQ(texture->UnlockRect(0), Result::Ok);
    return texture;
  }

  // The states set before every quad: blending by source alpha, texel
  // times diffuse for colour and alpha, linear minification.
  void SetQuadStates() {
    EXPECT_EQ(device->SetRenderState(RenderState::AlphaTestEnable, false), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::SeparateAlphaBlendEnable, false), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::BlendOp, BlendOp::Add), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::ColorWriteEnable, 0xFu), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::ShadeMode, Shade::Gouraud), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::FogEnable, false), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::ZWriteEnable, false), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::FillMode, Fill::Solid), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::CullMode, Cull::CounterClockwise), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::Lighting, false), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::AlphaBlendEnable, true), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha), Result::Ok);
    EXPECT_EQ(device->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha), Result::Ok);
    EXPECT_EQ(device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate),
              Result::Ok);
    EXPECT_EQ(device->SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture),
              Result::Ok);
    EXPECT_EQ(device->SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse),
              Result::Ok);
    EXPECT_EQ(device->SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate),
              Result::Ok);
    EXPECT_EQ(device->SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture),
              Result::Ok);
    EXPECT_EQ(device->SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse),
              Result::Ok);
    EXPECT_EQ(device->SetSamplerState(0, SamplerState::MinFilter, Filter::Linear), Result::Ok);
  }

  // Writes `fan` into the quad buffer and draws it with `texture`.
  Result DrawFan(const std::shared_ptr<Texture>& texture, const TransformedVertex (&fan)[4]) {
    void* data = nullptr;
    EXPECT_EQ(quad->Lock(0, 0, &data), Result::Ok);
    std::memcpy(data, fan, sizeof(fan));
    EXPECT_EQ(quad->Unlock(), Result::Ok);
    SetQuadStates();
    EXPECT_EQ(device->SetFVF(kFvfTransformedDiffuseTex1), Result::Ok);
    EXPECT_EQ(device->SetStreamSource(0, quad, 0, kTransformedVertexStride), Result::Ok);
    EXPECT_EQ(device->SetTexture(0, texture), Result::Ok);
    return device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 2);
  }

  // The four vertices of an unrotated quad: destination corners shifted by
  // -0.5, texture coordinates from the source rectangle's edges.
  static void QuadVertices(const Texture& texture, RECT dest, RECT source, uint32_t colour,
                           TransformedVertex (&fan)[4]) {
    const float w = static_cast<float>(texture.Width());
    const float h = static_cast<float>(texture.Height());
    const float l = static_cast<float>(dest.left) - 0.5f;
    const float t = static_cast<float>(dest.top) - 0.5f;
    const float r = static_cast<float>(dest.right) - 0.5f;
    const float b = static_cast<float>(dest.bottom) - 0.5f;
    const float u0 = static_cast<float>(source.left) / w;
    const float v0 = static_cast<float>(source.top) / h;
    const float u1 = static_cast<float>(source.right) / w;
    const float v1 = static_cast<float>(source.bottom) / h;
    fan[0] = {l, t, 0.0f, 1.0f, colour, u0, v0};
    fan[1] = {r, t, 0.0f, 1.0f, colour, u1, v0};
    fan[2] = {r, b, 0.0f, 1.0f, colour, u1, v1};
    fan[3] = {l, b, 0.0f, 1.0f, colour, u0, v1};
  }

  Result DrawQuad(const std::shared_ptr<Texture>& texture, RECT dest, RECT source,
                  uint32_t colour = 0xFFFFFFFFu) {
    TransformedVertex fan[4];
    QuadVertices(*texture, dest, source, colour, fan);
    return DrawFan(texture, fan);
  }

  // The same quad rotated by `angle` radians (clockwise on screen) about
  // its centre; each corner keeps its texture coordinates.
  Result DrawRotatedQuad(const std::shared_ptr<Texture>& texture, RECT dest, RECT source,
                         uint32_t colour, float angle) {
    TransformedVertex fan[4];
    QuadVertices(*texture, dest, source, colour, fan);
    const float cx = (static_cast<float>(dest.left) + static_cast<float>(dest.right)) * 0.5f;
    const float cy = (static_cast<float>(dest.top) + static_cast<float>(dest.bottom)) * 0.5f;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    for (TransformedVertex& v : fan) {
      const float x = v.x + 0.5f - cx;
      const float y = v.y + 0.5f - cy;
      v.x = cx + x * c - y * s - 0.5f;
      v.y = cy + x * s + y * c - 0.5f;
    }
    return DrawFan(texture, fan);
  }

  uint32_t Pixel(int32_t x, int32_t y) const { return device->BackBuffer().Pixel(x, y); }

  std::shared_ptr<HeadlessDeviceBackend> backend;
  std::unique_ptr<Direct3D> direct3D;
  std::unique_ptr<Device> device;
  std::shared_ptr<VertexBuffer> quad;
};

}  // namespace platform::testing
