#include "engine/platform/resources/ResourceName.h"

#include <boost/lexical_cast.hpp>

#include "engine/platform/text/Utf.h"

namespace platform {

std::optional<uint16_t> ResourceNumber(const std::u16string& name) {
  try {
    const auto number = boost::lexical_cast<int32_t>(Utf16ToUtf8(name));
    return static_cast<uint16_t>(static_cast<uint32_t>(number) & 0xFFFFu);
  } catch (const boost::bad_lexical_cast&) {
    return std::nullopt;
  }
}

}  // namespace platform
