#include "engine/platform/device/Device.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>

#include "engine/platform/device/raster/TriangleRasteriser.h"

namespace platform {

namespace {

uint64_t NextSerial() {
  static std::atomic<uint64_t> next{1};
  return next++;
}

bool IsFinite(const TransformedVertex& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v);
}

}  // namespace

Device::Device(Key, std::shared_ptr<DeviceBackend> backend, const PresentParameters& params)
    : backend(std::move(backend)),
      params(params),
      serial(NextSerial()),
      lossEpoch(this->backend->LossEpoch()),
      frame(static_cast<int32_t>(params.BackBufferWidth),
            static_cast<int32_t>(params.BackBufferHeight)),
      viewport{0, 0, params.BackBufferWidth, params.BackBufferHeight, 0.0f, 1.0f} {}

Device::~Device() = default;

Result Device::TestCooperativeLevel() const { return backend->CooperativeLevel(lossEpoch); }

Result Device::CreateTexture(uint32_t width, uint32_t height, Format format,
                             std::shared_ptr<Texture>* out) {
  if (!std::has_single_bit(width) || !std::has_single_bit(height) || width > Texture::kMaxSize ||
      height > Texture::kMaxSize || (format != Format::A8R8G8B8 && format != Format::X8R8G8B8)) {
    return Result::InvalidCall;
  }
  if (IsLost()) return Result::DeviceLost;
  std::shared_ptr<Texture> made = Texture::Create(width, height, format, backend->Memory(), serial);
  if (!made) return Result::OutOfVideoMemory;
  *out = std::move(made);
  return Result::Ok;
}

Result Device::CreateVertexBuffer(uint32_t lengthBytes, uint32_t bufferFvf,
                                  std::shared_ptr<VertexBuffer>* out) {
  if (lengthBytes == 0 || bufferFvf != kFvfTransformedDiffuseTex1) return Result::InvalidCall;
  *out = VertexBuffer::Create(lengthBytes, bufferFvf, serial);
  return Result::Ok;
}

Result Device::SetTexture(uint32_t stage, std::shared_ptr<Texture> bound) {
  if (stage != 0 || (bound && bound->DeviceSerial() != serial)) return Result::InvalidCall;
  texture = std::move(bound);
  return Result::Ok;
}

Result Device::SetFVF(uint32_t value) {
  if (value != kFvfTransformedDiffuseTex1) return Result::InvalidCall;
  fvf = value;
  return Result::Ok;
}

Result Device::SetStreamSource(uint32_t index, std::shared_ptr<VertexBuffer> buffer,
                               uint32_t offsetBytes, uint32_t strideBytes) {
  if (index != 0 || (buffer && buffer->DeviceSerial() != serial)) return Result::InvalidCall;
  if (buffer && strideBytes != kTransformedVertexStride) return Result::InvalidCall;
  stream = std::move(buffer);
  streamOffset = offsetBytes;
  streamStride = strideBytes;
  return Result::Ok;
}

Result Device::SetViewport(const Viewport& v) {
  const bool fits = v.X <= params.BackBufferWidth && v.Width <= params.BackBufferWidth - v.X &&
                    v.Y <= params.BackBufferHeight && v.Height <= params.BackBufferHeight - v.Y;
  const bool depth = v.MinZ >= 0.0f && v.MinZ <= v.MaxZ && v.MaxZ <= 1.0f;
  if (!fits || !depth) return Result::InvalidCall;
  viewport = v;
  return Result::Ok;
}

Result Device::Clear(uint32_t argb) {
  if (IsLost()) return Result::DeviceLost;
  frame.Fill(RECT{static_cast<int32_t>(viewport.X), static_cast<int32_t>(viewport.Y),
                  static_cast<int32_t>(viewport.X + viewport.Width),
                  static_cast<int32_t>(viewport.Y + viewport.Height)},
             argb);
  return Result::Ok;
}

Result Device::BeginScene() {
  if (inScene) return Result::InvalidCall;
  inScene = true;
  return Result::Ok;
}

Result Device::EndScene() {
  if (!inScene) return Result::InvalidCall;
  inScene = false;
  return Result::Ok;
}

Result Device::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
  if (!inScene || type != PrimitiveType::TriangleFan || primitiveCount == 0) {
    return Result::InvalidCall;
  }
  if (!stream || fvf != kFvfTransformedDiffuseTex1 || stream->IsLocked() ||
      (texture && texture->IsLocked())) {
    return Result::InvalidCall;
  }
  const uint64_t count = uint64_t{primitiveCount} + 2;
  const uint64_t first = uint64_t{streamOffset} + uint64_t{startVertex} * streamStride;
  if (first + count * streamStride > stream->Length()) return Result::InvalidCall;
  raster::DrawSetup setup;
  setup.clip = RECT{static_cast<int32_t>(viewport.X), static_cast<int32_t>(viewport.Y),
                    static_cast<int32_t>(viewport.X + viewport.Width),
                    static_cast<int32_t>(viewport.Y + viewport.Height)};
  if (const Result resolved = pipeline.Resolve(texture.get(), &setup); resolved != Result::Ok) {
    return resolved;
  }
  if (IsLost()) return Result::DeviceLost;

  vertices.resize(count);
  std::memcpy(vertices.data(), stream->Bytes() + first, count * sizeof(TransformedVertex));
  for (const TransformedVertex& v : vertices) {
    if (!IsFinite(v)) return Result::Ok;
  }
  if (count == 4) {
    const TransformedVertex fan[4] = {vertices[0], vertices[1], vertices[2], vertices[3]};
    if (quads.Draw(frame, fan, setup)) return Result::Ok;
  }
  for (uint64_t i = 0; i < primitiveCount; ++i) {
    raster::DrawTriangle(frame, vertices[0], vertices[i + 1], vertices[i + 2],
                         vertices[i + 1].diffuse, setup);
  }
  return Result::Ok;
}

Result Device::Present() {
  if (inScene) return Result::InvalidCall;
  if (IsLost()) return Result::DeviceLost;
  backend->Present(frame.Data(), frame.Width(), frame.Height(), frame.PitchBytes());
  return Result::Ok;
}

}  // namespace platform
