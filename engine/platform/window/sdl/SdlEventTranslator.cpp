#include "engine/platform/window/sdl/SdlEventTranslator.h"

#include "engine/platform/text/Utf.h"
#include "engine/platform/window/VirtualKeys.h"
#include "engine/platform/window/sdl/SdlKeys.h"

namespace platform {

namespace {

// Bits of a key message's lParam.
constexpr uint32_t kRepeatCountOne = 1;
constexpr uint32_t kExtendedKey = 1u << 24;
constexpr uint32_t kAltHeld = 1u << 29;  // the "context code"
constexpr uint32_t kWasDown = 1u << 30;
constexpr uint32_t kReleasing = 1u << 31;

constexpr int32_t kWheelDelta = 120;

struct ButtonMessages {
  uint32_t bit;
  uint32_t down;
  uint32_t up;
  uint32_t doubleClick;
};

// The X buttons and any further ones have no message here.
bool MessagesForButton(uint8_t button, ButtonMessages* messages) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      *messages = {MK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
      return true;
    case SDL_BUTTON_RIGHT:
      *messages = {MK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
      return true;
    case SDL_BUTTON_MIDDLE:
      *messages = {MK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
      return true;
    default:
      return false;
  }
}

uint32_t ButtonBitsFromSdl(uint32_t state) {
  uint32_t bits = 0;
  if (state & SDL_BUTTON_LMASK) bits |= MK_LBUTTON;
  if (state & SDL_BUTTON_RMASK) bits |= MK_RBUTTON;
  if (state & SDL_BUTTON_MMASK) bits |= MK_MBUTTON;
  return bits;
}

// The character Windows produces along with a key press for which SDL
// sends no text: the control characters of Backspace, Tab, Enter and Esc,
// and Ctrl with a letter.
uint32_t ControlCharacter(int32_t virtualKey, bool ctrl, bool alt) {
  if (alt) return 0;
  if (ctrl) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<uint32_t>(virtualKey - 'A' + 1);
    if (virtualKey == VK_BACK) return 0x7F;
    if (virtualKey == VK_RETURN) return '\n';
    return 0;
  }
  switch (virtualKey) {
    case VK_BACK:
      return '\b';
    case VK_TAB:
      return '\t';
    case VK_RETURN:
      return '\r';
    case VK_ESCAPE:
      return 0x1B;
    default:
      return 0;
  }
}

}  // namespace

SdlEventTranslator::SdlEventTranslator(int32_t clientWidth, int32_t clientHeight)
    : clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      letterbox_(clientWidth, clientHeight, RECT{0, 0, clientWidth, clientHeight}) {}

void SdlEventTranslator::Reset() {
  modifiers_ = 0;
  buttons_ = 0;
  shown_ = true;
  minimized_ = false;
}

void SdlEventTranslator::Translate(const SDL_Event& event, std::vector<MSG>* out) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key, out);
      break;
    case SDL_TEXTINPUT:
      TranslateText(event.text, out);
      break;
    case SDL_MOUSEMOTION:
      // The motion event carries the buttons as SDL sees them, which also
      // catches a release that happened while another program had the
      // pointer.
      buttons_ = ButtonBitsFromSdl(event.motion.state);
      out->push_back({WM_MOUSEMOVE, KeyStateBits(), ClientLParam(event.motion.x, event.motion.y)});
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(event.button, out);
      break;
    case SDL_MOUSEWHEEL:
      TranslateWheel(event.wheel, out);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindow(event.window, out);
      break;
    case SDL_QUIT:
      out->push_back({WM_CLOSE, 0, 0});
      break;
    default:
      break;
  }
}

void SdlEventTranslator::TranslateKey(const SDL_KeyboardEvent& key, std::vector<MSG>* out) {
  // SDL has already applied this key to the modifier state it reports.
  modifiers_ = key.keysym.mod;
  const bool numLock = (key.keysym.mod & KMOD_NUM) != 0;
  const int32_t virtualKey = VirtualKeyFromSdl(key.keysym.scancode, key.keysym.sym, numLock);
  if (virtualKey == 0) return;

  const bool releasing = key.type == SDL_KEYUP;
  const bool alt = (modifiers_ & KMOD_ALT) != 0;
  const bool ctrl = (modifiers_ & KMOD_CTRL) != 0;
  // Windows sends the "system" variants for F10 and for keys pressed while
  // Alt (without Ctrl: Ctrl with Alt is AltGr) is held, Alt itself
  // included. Alt's own release no longer has Alt in the state.
  const bool system =
      virtualKey == VK_F10 || (!ctrl && (alt || (releasing && virtualKey == VK_MENU)));

  uint32_t lParam = kRepeatCountOne;
  if (IsExtendedKey(key.keysym.scancode)) lParam |= kExtendedKey;
  if (alt) lParam |= kAltHeld;
  if (releasing || key.repeat != 0) lParam |= kWasDown;
  if (releasing) lParam |= kReleasing;

  uint32_t message = releasing ? WM_KEYUP : WM_KEYDOWN;
  if (system) message = releasing ? WM_SYSKEYUP : WM_SYSKEYDOWN;
  out->push_back({message, static_cast<uint32_t>(virtualKey), static_cast<int32_t>(lParam)});

  if (!releasing) {
    if (const uint32_t character = ControlCharacter(virtualKey, ctrl, alt)) {
      out->push_back({WM_CHAR, character, static_cast<int32_t>(lParam)});
    }
  }
}

void SdlEventTranslator::TranslateText(const SDL_TextInputEvent& text, std::vector<MSG>* out) {
  // Ctrl alone or the left Alt alone make shortcuts, not text: Windows
  // sends no WM_CHAR for them (Ctrl with a letter got its control
  // character with the key). Ctrl with Alt, and the right Alt, are AltGr,
  // which types.
  const bool ctrl = (modifiers_ & KMOD_CTRL) != 0;
  const bool anyAlt = (modifiers_ & KMOD_ALT) != 0;
  const bool leftAlt = (modifiers_ & KMOD_LALT) != 0;
  if ((ctrl && !anyAlt) || (leftAlt && !ctrl)) return;

  for (const char16_t unit : Utf8ToUtf16(text.text)) {
    // Control characters come with their keys, never as text.
    if (unit < 0x20 || unit == 0x7F) continue;
    out->push_back({WM_CHAR, unit, static_cast<int32_t>(kRepeatCountOne)});
  }
}

void SdlEventTranslator::TranslateButton(const SDL_MouseButtonEvent& button,
                                         std::vector<MSG>* out) {
  ButtonMessages messages{};
  if (!MessagesForButton(button.button, &messages)) return;
  uint32_t message = 0;
  if (button.type == SDL_MOUSEBUTTONDOWN) {
    buttons_ |= messages.bit;
    // SDL keeps counting quick presses (3, 4, ...); Windows makes every
    // second one a double click and starts over after it.
    message = button.clicks >= 2 && button.clicks % 2 == 0 ? messages.doubleClick : messages.down;
  } else {
    buttons_ &= ~messages.bit;
    message = messages.up;
  }
  out->push_back({message, KeyStateBits(), ClientLParam(button.x, button.y)});
}

void SdlEventTranslator::TranslateWheel(const SDL_MouseWheelEvent& wheel, std::vector<MSG>* out) {
  int32_t notches = wheel.y;
  if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
  if (notches == 0) return;  // a sideways scroll
  const auto delta = static_cast<uint16_t>(static_cast<int16_t>(notches * kWheelDelta));
  const POINT screen =
      letterbox_.ClientToScreen(letterbox_.WindowToClient(POINT{wheel.mouseX, wheel.mouseY}));
  out->push_back(
      {WM_MOUSEWHEEL, (uint32_t{delta} << 16) | KeyStateBits(), MakeLParam(screen.x, screen.y)});
}

void SdlEventTranslator::TranslateWindow(const SDL_WindowEvent& window, std::vector<MSG>* out) {
  // Windows reports a change of state once; SDL may repeat SHOWN or
  // RESTORED while the desktop settles, so only changes become messages.
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      out->push_back({WM_CLOSE, 0, 0});
      break;
    case SDL_WINDOWEVENT_SHOWN:
      if (!shown_) out->push_back({WM_SHOWWINDOW, 1, 0});
      shown_ = true;
      break;
    case SDL_WINDOWEVENT_HIDDEN:
      if (shown_) out->push_back({WM_SHOWWINDOW, 0, 0});
      shown_ = false;
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      if (!minimized_) out->push_back({WM_SIZE, SIZE_MINIMIZED, 0});
      minimized_ = true;
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (minimized_) {
        out->push_back({WM_SIZE, SIZE_RESTORED, MakeLParam(clientWidth_, clientHeight_)});
      }
      minimized_ = false;
      break;
    // A resized window shows the picture at a new scale: draw it again.
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      out->push_back({WM_PAINT, 0, 0});
      break;
    default:
      break;
  }
}

uint32_t SdlEventTranslator::KeyStateBits() const {
  uint32_t bits = buttons_;
  if (modifiers_ & KMOD_SHIFT) bits |= MK_SHIFT;
  if (modifiers_ & KMOD_CTRL) bits |= MK_CONTROL;
  return bits;
}

int32_t SdlEventTranslator::ClientLParam(int32_t windowX, int32_t windowY) const {
  const POINT client = letterbox_.WindowToClient(POINT{windowX, windowY});
  return MakeLParam(client.x, client.y);
}

}  // namespace platform
