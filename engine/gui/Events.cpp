#include "engine/gui/Events.h"

#include "engine/platform/window/Messages.h"

std::u16string IMKeyboardEvent::GetText() const {
  if (type != static_cast<int32_t>(WM_CHAR)) return {};
  const uint32_t code = wParam;
  const bool isText = code < 8 || (code > 10 && code != 13 && code != 27);
  if (!isText) return {};
  return std::u16string(1, static_cast<char16_t>(code & 0xFFFFu));
}
