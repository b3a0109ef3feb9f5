// The device's life and its contracts: creation and its failures, loss and
// re-creation, the scene and draw-call rules, state values, the viewport
// and presenting.

#include <gtest/gtest.h>

#include <limits>

#include "tests/platform/device/DeviceTestSupport.h"

namespace platform::testing {
namespace {

using DeviceTest = DeviceFixture;

TEST(DeviceCreationTest, Direct3DAndTheDisplayModeCanBeUnavailable) {
  auto backend = std::make_shared<HeadlessDeviceBackend>();
  backend->SetDirect3DAvailable(false);
  EXPECT_EQ(Direct3D::Create(backend), nullptr);
  backend->SetDirect3DAvailable(true);
  auto direct3D = Direct3D::Create(backend);
  ASSERT_NE(direct3D, nullptr);

  DisplayMode mode;
  ASSERT_EQ(direct3D->GetAdapterDisplayMode(0, &mode), Result::Ok);
  EXPECT_EQ(mode.Width, 1024u);
  EXPECT_EQ(direct3D->GetAdapterDisplayMode(1, &mode), Result::InvalidCall);
  backend->SetDisplayModeAvailable(false);
  EXPECT_EQ(direct3D->GetAdapterDisplayMode(0, &mode), Result::NotAvailable);
}

TEST(DeviceCreationTest, ParametersAreCheckedAndTheBackendCanRefuse) {
  auto backend = std::make_shared<HeadlessDeviceBackend>();
  auto direct3D = Direct3D::Create(backend);
  ASSERT_NE(direct3D, nullptr);
  struct Case {
    uint32_t width;
    uint32_t height;
    Format format;
    Result expected;
  };
  const Case cases[] = {
      {800, 600, Format::A8R8G8B8, Result::Ok},
      {0, 600, Format::A8R8G8B8, Result::InvalidCall},
      {800, 5000, Format::A8R8G8B8, Result::InvalidCall},
      {800, 600, Format::Unknown, Result::InvalidCall},
  };
  for (const Case& c : cases) {
    PresentParameters params;
    params.BackBufferWidth = c.width;
    params.BackBufferHeight = c.height;
    params.BackBufferFormat = c.format;
    std::unique_ptr<Device> device;
    EXPECT_EQ(direct3D->CreateDevice(0, params, &device), c.expected)
        << c.width << " x " << c.height;
    EXPECT_EQ(device != nullptr, c.expected == Result::Ok);
  }

  PresentParameters params;
  params.BackBufferWidth = 800;
  params.BackBufferHeight = 600;
  std::unique_ptr<Device> device;
  EXPECT_EQ(direct3D->CreateDevice(1, params, &device), Result::InvalidCall);
  backend->FailDeviceCreations(2);
  EXPECT_EQ(direct3D->CreateDevice(0, params, &device), Result::NotAvailable);
  EXPECT_EQ(direct3D->CreateDevice(0, params, &device), Result::NotAvailable);
  EXPECT_EQ(device, nullptr);
  ASSERT_EQ(direct3D->CreateDevice(0, params, &device), Result::Ok);
  EXPECT_EQ(device->GetViewport(), (Viewport{0, 0, 800, 600, 0.0f, 1.0f}));
  EXPECT_EQ(device->BackBuffer().Pixel(799, 599), 0u);
}

TEST_F(DeviceTest, PresentShowsTheBackBuffer) {
  ASSERT_EQ(device->Clear(0xFF336699u), Result::Ok);
  ASSERT_EQ(device->BeginScene(), Result::Ok);
  const auto texture =
      MakeTexture(MakeImage(2, 2, [](int32_t, int32_t) { return 0xFFFF0000u; }), 2, 2);
  ASSERT_EQ(DrawQuad(texture, RECT{10, 20, 12, 22}, RECT{0, 0, 2, 2}), Result::Ok);
  EXPECT_EQ(device->Present(), Result::InvalidCall);  // not inside a scene
  ASSERT_EQ(device->EndScene(), Result::Ok);
  ASSERT_EQ(device->Present(), Result::Ok);
  EXPECT_EQ(backend->PresentCount(), 1);
  ASSERT_EQ(backend->FrameWidth(), 800);
  ASSERT_EQ(backend->FrameHeight(), 600);
  EXPECT_EQ(backend->PixelAt(11, 21), 0xFFFF0000u);
  EXPECT_EQ(backend->PixelAt(12, 21), 0xFF336699u);
  EXPECT_EQ(backend->Frame(), std::vector<uint32_t>(device->BackBuffer().Data(),
                                                    device->BackBuffer().Data() + 800 * 600));
}

TEST_F(DeviceTest, LostDeviceChangesNothingUntilItIsReplaced) {
  const auto texture =
      MakeTexture(MakeImage(2, 2, [](int32_t, int32_t) { return 0xFFFFFFFFu; }), 2, 2);
  ASSERT_EQ(device->Clear(0xFF000000u), Result::Ok);
  ASSERT_EQ(device->TestCooperativeLevel(), Result::Ok);

  backend->LoseDevices();
  EXPECT_EQ(device->TestCooperativeLevel(), Result::DeviceLost);
  // Scenes, states and locks go on working, so the caller's bookkeeping
  // holds; nothing reaches the pixels or the screen.
  ASSERT_EQ(device->BeginScene(), Result::Ok);
  EXPECT_EQ(DrawQuad(texture, RECT{0, 0, 100, 100}, RECT{0, 0, 2, 2}), Result::DeviceLost);
  EXPECT_EQ(device->Clear(0xFFFFFFFFu), Result::DeviceLost);
  ASSERT_EQ(device->EndScene(), Result::Ok);
  EXPECT_EQ(device->Present(), Result::DeviceLost);
  EXPECT_EQ(device->BackBuffer().Pixel(50, 50), 0xFF000000u);
  EXPECT_EQ(backend->PresentCount(), 0);
  std::shared_ptr<Texture> made;
  EXPECT_EQ(device->CreateTexture(4, 4, Format::A8R8G8B8, &made), Result::DeviceLost);
  LockedRect locked;
  EXPECT_EQ(texture->LockRect(0, &locked), Result::Ok);
  EXPECT_EQ(texture->UnlockRect(0), Result::Ok);
  EXPECT_EQ(device->TestCooperativeLevel(), Result::DeviceLost);  // it stays lost

  // A new device works; the old one stays lost and its resources belong to it.
  std::unique_ptr<Device> replacement;
  ASSERT_EQ(direct3D->CreateDevice(0, Params(), &replacement), Result::Ok);
  EXPECT_EQ(replacement->TestCooperativeLevel(), Result::Ok);
  EXPECT_EQ(device->TestCooperativeLevel(), Result::DeviceLost);
  EXPECT_EQ(replacement->SetTexture(0, texture), Result::InvalidCall);
  EXPECT_EQ(replacement->SetStreamSource(0, quad, 0, kTransformedVertexStride),
            Result::InvalidCall);

  device = std::move(replacement);
  ASSERT_EQ(device->CreateVertexBuffer(112, kFvfTransformedDiffuseTex1, &quad), Result::Ok);
  const auto again =
      MakeTexture(MakeImage(2, 2, [](int32_t, int32_t) { return 0xFFFFFFFFu; }), 2, 2);
  ASSERT_EQ(device->BeginScene(), Result::Ok);
  EXPECT_EQ(DrawQuad(again, RECT{0, 0, 100, 100}, RECT{0, 0, 2, 2}), Result::Ok);
  ASSERT_EQ(device->EndScene(), Result::Ok);
  EXPECT_EQ(device->Present(), Result::Ok);
  EXPECT_EQ(backend->PixelAt(50, 50), 0xFFFFFFFFu);
}

TEST_F(DeviceTest, LossThatIsOverReportsNotReset) {
  backend->LoseDevices(Result::DeviceNotReset);
  EXPECT_EQ(device->TestCooperativeLevel(), Result::DeviceNotReset);
  EXPECT_EQ(device->Present(), Result::DeviceLost);
}

TEST_F(DeviceTest, DrawCallsOutsideTheirRulesAreRefusedAndDrawNothing) {
  const auto texture =
      MakeTexture(MakeImage(2, 2, [](int32_t, int32_t) { return 0xFFFFFFFFu; }), 2, 2);
  ASSERT_EQ(device->Clear(0xFF000000u), Result::Ok);
  TransformedVertex fan[4];
  QuadVertices(*texture, RECT{0, 0, 50, 50}, RECT{0, 0, 2, 2}, 0xFFFFFFFFu, fan);

  EXPECT_EQ(DrawFan(texture, fan), Result::InvalidCall);  // outside a scene
  EXPECT_EQ(device->EndScene(), Result::InvalidCall);
  ASSERT_EQ(device->BeginScene(), Result::Ok);
  EXPECT_EQ(device->BeginScene(), Result::InvalidCall);
  ASSERT_EQ(DrawFan(texture, fan), Result::Ok);  // binds everything as a quad does
  ASSERT_EQ(device->Clear(0xFF000000u), Result::Ok);

  EXPECT_EQ(device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 0), Result::InvalidCall);
  EXPECT_EQ(device->DrawPrimitive(PrimitiveType::TriangleFan, 1, 2), Result::InvalidCall);
  EXPECT_EQ(device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 3), Result::InvalidCall);
  void* data = nullptr;
  ASSERT_EQ(quad->Lock(0, 0, &data), Result::Ok);
  EXPECT_EQ(quad->Lock(0, 0, &data), Result::InvalidCall);
  EXPECT_EQ(device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 2), Result::InvalidCall);
  ASSERT_EQ(quad->Unlock(), Result::Ok);
  EXPECT_EQ(device->SetFVF(0x142), Result::InvalidCall);
  EXPECT_EQ(device->SetStreamSource(0, quad, 0, 32), Result::InvalidCall);
  EXPECT_EQ(device->SetStreamSource(1, quad, 0, kTransformedVertexStride), Result::InvalidCall);
  EXPECT_EQ(device->SetTexture(1, texture), Result::InvalidCall);

  // States the device does not draw are refused when drawing.
  ASSERT_EQ(device->SetRenderState(RenderState::AlphaTestEnable, true), Result::Ok);
  EXPECT_EQ(device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 2), Result::InvalidCall);
  ASSERT_EQ(device->SetRenderState(RenderState::AlphaTestEnable, false), Result::Ok);
  ASSERT_EQ(device->SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Texture),
            Result::Ok);
  EXPECT_EQ(device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 2), Result::InvalidCall);
  ASSERT_EQ(device->SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse),
            Result::Ok);

  ASSERT_EQ(device->SetStreamSource(0, nullptr, 0, 0), Result::Ok);
  EXPECT_EQ(device->DrawPrimitive(PrimitiveType::TriangleFan, 0, 2), Result::InvalidCall);
  EXPECT_EQ(device->BackBuffer().Pixel(25, 25), 0xFF000000u);

  // A fan with a vertex that is not a number draws nothing.
  fan[2].x = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(DrawFan(texture, fan), Result::Ok);
  EXPECT_EQ(device->BackBuffer().Pixel(25, 25), 0xFF000000u);
}

TEST_F(DeviceTest, StatesRefuseValuesTheyDoNotTake) {
  struct Case {
    RenderState state;
    uint32_t value;
  };
  const Case cases[] = {
      {RenderState::SrcBlend, 3},         {RenderState::DestBlend, 0},
      {RenderState::CullMode, 0},         {RenderState::ColorWriteEnable, 0x10},
      {RenderState::AlphaBlendEnable, 2}, {RenderState::BlendOp, 2},
      {RenderState::ShadeMode, 3},        {static_cast<RenderState>(99), 0},
  };
  for (const Case& c : cases) {
    const uint32_t before = device->GetRenderState(c.state);
    EXPECT_EQ(device->SetRenderState(c.state, c.value), Result::InvalidCall)
        << static_cast<uint32_t>(c.state);
    EXPECT_EQ(device->GetRenderState(c.state), before);
  }
  EXPECT_EQ(device->SetTextureStageState(1, TextureStageState::ColorOp, TextureOp::Disable),
            Result::InvalidCall);
  EXPECT_EQ(device->SetTextureStageState(0, TextureStageState::ColorOp, 9u), Result::InvalidCall);
  EXPECT_EQ(device->SetSamplerState(0, SamplerState::MinFilter, Filter::None), Result::InvalidCall);
  EXPECT_EQ(device->SetSamplerState(1, SamplerState::MinFilter, Filter::Linear),
            Result::InvalidCall);
}

TEST_F(DeviceTest, ViewportMustLieWithinTheBackBuffer) {
  const Viewport cases[] = {
      {0, 0, 801, 600, 0.0f, 1.0f}, {1, 0, 800, 600, 0.0f, 1.0f},
      {0, 599, 10, 2, 0.0f, 1.0f},  {0, 0, 10, 10, 0.5f, 0.2f},
      {0, 0, 10, 10, 0.0f, 1.5f},   {0xFFFFFFFFu, 0, 2, 2, 0.0f, 1.0f},
  };
  const Viewport initial = device->GetViewport();
  for (const Viewport& v : cases) {
    EXPECT_EQ(device->SetViewport(v), Result::InvalidCall) << v.X << ", " << v.Y;
    EXPECT_EQ(device->GetViewport(), initial);
  }
  const Viewport corner{790, 590, 10, 10, 0.0f, 1.0f};
  EXPECT_EQ(device->SetViewport(corner), Result::Ok);
  EXPECT_EQ(device->GetViewport(), corner);
}

}  // namespace
}  // namespace platform::testing
