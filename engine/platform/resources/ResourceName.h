#pragma once
// How a picture's or a sound's name says it is a numbered resource: when
// the whole of it converts to a 32-bit integer ("0139" is 139, while
// "139 " and "139a" are file paths). Only the low 16 bits are the number.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

std::optional<uint16_t> ResourceNumber(const std::u16string& name);

}  // namespace platform
