#pragma once
// Writes a frame of 0xAARRGGBB pixels to a PNG file, for tests to look at.

#include <cstdint>
#include <string>

namespace platform {

// `height` rows of `pitchBytes` bytes, written as 8-bit RGB: alpha is
// dropped, as the window drops it. false with a reason in `error` when the
// file cannot be written.
bool WriteFramePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height,
                   int32_t pitchBytes, std::string* error = nullptr);

}  // namespace platform
