#pragma once
// IMLibraryState<T, Clear> owns one state struct of a C library (libogg's
// sync and stream states, libtheora's info, comment and decoder) that is
// initialised in place and must be cleared exactly once.
//
// The struct starts zeroed and not live. Begin runs the library's init on
// it; the state is live when init succeeds (returns 0, or returns nothing)
// and is then cleared by Reset or the destructor. A failed init leaves it
// not live, so it is never cleared twice or cleared unset. The struct never
// moves: the libraries keep pointers into their states.

#include <type_traits>

template <class T, auto Clear>
class IMLibraryState {
 public:
  IMLibraryState() = default;
  ~IMLibraryState() { Reset(); }
  IMLibraryState(const IMLibraryState&) = delete;
  IMLibraryState& operator=(const IMLibraryState&) = delete;

  // Clears what was there, then calls init(&state). true when live.
  template <class Init>
  bool Begin(Init init) {
    Reset();
    if constexpr (std::is_void_v<decltype(init(&state))>) {
      init(&state);
      live = true;
    } else {
      live = init(&state) == 0;
    }
    return live;
  }

  // Clears a live state and zeroes the struct again.
  void Reset() {
    if (live) Clear(&state);
    live = false;
    state = T{};
  }

  bool IsLive() const { return live; }
  T* get() { return &state; }
  const T* get() const { return &state; }

 private:
  T state{};
  bool live = false;
};
