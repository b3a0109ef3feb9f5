#pragma once
// Turns SDL's events into the window messages the engine reads, the way a
// Windows window receives them: key messages with virtual-key codes and
// their lParam bits, one WM_CHAR per UTF-16 code unit of typed text, mouse
// messages in client pixels with the MK_ state after the event, double
// clicks in place of the second press, and the window's own messages.
//
// It only converts: it owns no window and calls nothing in SDL, so every
// rule here can be checked with hand-made events.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "engine/platform/window/Window.h"
#include "engine/platform/window/sdl/Letterbox.h"

namespace platform {

class SdlEventTranslator {
 public:
  SdlEventTranslator(int32_t clientWidth, int32_t clientHeight);

  // Starts over as for a window that has just been shown: visible, not
  // minimised, no button and no modifier held.
  void Reset();

  // The mapping pointer positions go through. The backend replaces it
  // whenever the window's real geometry changes.
  void SetLetterbox(const Letterbox& letterbox) { letterbox_ = letterbox; }
  const Letterbox& GetLetterbox() const { return letterbox_; }

  // The Shift, Ctrl and Alt state (SDL_Keymod bits) that mouse messages and
  // typed text are judged by. Every key event brings its own; the backend
  // sets it when the window gets the keyboard back, since the keys may have
  // changed while it was away.
  void SetModifiers(uint16_t modifiers) { modifiers_ = modifiers; }

  // Appends the messages `event` stands for to `out`. Events the engine has
  // no message for add nothing.
  void Translate(const SDL_Event& event, std::vector<MSG>* out);

 private:
  void TranslateKey(const SDL_KeyboardEvent& key, std::vector<MSG>* out);
  void TranslateText(const SDL_TextInputEvent& text, std::vector<MSG>* out);
  void TranslateButton(const SDL_MouseButtonEvent& button, std::vector<MSG>* out);
  void TranslateWheel(const SDL_MouseWheelEvent& wheel, std::vector<MSG>* out);
  void TranslateWindow(const SDL_WindowEvent& window, std::vector<MSG>* out);
  // The MK_ bits of the buttons and modifiers held now.
  uint32_t KeyStateBits() const;
  int32_t ClientLParam(int32_t windowX, int32_t windowY) const;

  int32_t clientWidth_;
  int32_t clientHeight_;
  Letterbox letterbox_;
  uint16_t modifiers_ = 0;
  uint32_t buttons_ = 0;  // MK_LBUTTON, MK_RBUTTON, MK_MBUTTON
  bool shown_ = true;
  bool minimized_ = false;
};

}  // namespace platform
