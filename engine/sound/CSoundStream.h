#pragma once
// One sound id's stream: a one-second buffer in two halves that a
// playback thread of its own keeps filling from the sound's source while
// it plays.
//
// Playing. Play decodes the first half, starts the buffer looping and the
// thread, and posts the play message. Every 20 ms (or at once when woken)
// the thread looks at the play cursor: once the cursor has moved into one
// half, the other half is refilled. When the data runs out the rest of the
// half is silence, unless the sound loops: then the data goes on from its
// start, again and again until the half is full. Two halves of silence
// after the end (the cursor has then left the half that held the last
// data), the refill stops the buffer and the thread ends, posting the end
// message. Stop ends it early the same way.
//
// Threads. Every public member runs on the window's thread, which also
// fires the signals (from the posted messages, see CSoundSystem). The
// thread posts its messages and otherwise waits only for its wake-up, so
// Stop and the destructor can wait for it without risk of a deadlock; they
// wait through the clock, for the state the thread sets as it ends.
//
// Not copyable or movable: the thread refers to the stream.

#include <boost/signals2.hpp>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/platform/audio/SoundBuffer.h"
#include "engine/platform/audio/SoundDevice.h"
#include "engine/platform/threads/AutoResetEvent.h"
#include "engine/sound/SoundSource.h"

// A sound signal: slots take the sound id and return a value; the last
// slot's value is the result. The signals live on the window's thread.
using SoundSignal = boost::signals2::signal_type<
    int32_t(uint32_t),
    boost::signals2::keywords::combiner_type<boost::signals2::last_value<int32_t>>,
    boost::signals2::keywords::mutex_type<boost::signals2::dummy_mutex>>::type;

// The numbers of the registered sound messages; 0 until registered.
struct SoundMessages {
  uint32_t play = 0;   // "WM_IM_ONSOUNDPLAY": a play started
  uint32_t stop = 0;   // "WM_IM_ONSOUNDSTOP": never posted
  uint32_t pouse = 0;  // "WM_IM_ONSOUNDPOUSE": a playback thread ended
  uint32_t label = 0;  // "WM_IM_ONLABEL": never posted
};

class CSoundStream {
 public:
  // How often the thread looks at the play cursor when nothing wakes it.
  static constexpr uint32_t kWakeIntervalMs = 20;

  // A stopped stream of `source` (not owned; it must outlive the stream)
  // with its buffer made on `device`. When the buffer cannot be made the
  // stream exists but never plays.
  CSoundStream(SoundSource& source, uint32_t id, platform::SoundDevice& device,
               SoundMessages messages);
  CSoundStream(const CSoundStream&) = delete;
  CSoundStream& operator=(const CSoundStream&) = delete;
  // A playing stream is stopped (without the trace line), and its thread
  // waited for.
  ~CSoundStream();

  // Sets the loop flag in every case. Stopped: plays from the start of the
  // data and returns true, or false (nothing started, nothing posted) when
  // the stream has no buffer or the first half cannot be written. Playing:
  // false, and only the flag has changed (Play(false) on a looping sound
  // lets it end at its next end of data).
  bool Play(bool loop);
  // Playing: stops the buffer, waits until the thread has ended (its end
  // message is then queued), true. Stopped: false, and nothing happens.
  bool Stop();
  bool IsPlaying();

  uint32_t Id() const { return id; }
  SoundSource& Source() const { return source; }
  // One second of the source's format, in two halves of whole frames.
  uint32_t BufferBytes() const { return 2 * halfBytes; }
  uint32_t HalfBytes() const { return halfBytes; }
  bool HasBuffer() const { return buffer != nullptr; }

  SoundSignal playSignal;
  SoundSignal finishedSignal;
  SoundSignal stopSignal;

 private:
  static constexpr int32_t kStopped = 0;
  static constexpr int32_t kPlaying = 1;
  static constexpr int32_t kCommandNone = 0;
  static constexpr int32_t kCommandStop = 3;

  // All with `lock` held.
  bool FirstFill();
  // Plays the buffer looped from the cursor the first fill set, restoring
  // a lost buffer and trying once more. Play does this itself rather than
  // leave it to the thread, so the sound starts at once however late the
  // thread gets going, and a Stop that comes first cannot be undone by it.
  bool StartBuffer();
  void RefillHalf(uint32_t offset);
  // Locks one half, restoring a lost buffer and trying once more.
  bool LockHalf(uint32_t offset, platform::LockedArea* area);
  // Decodes into the half, going on from the start while looping; returns
  // how many bytes of sound it holds (the rest is zeroed).
  uint32_t FillHalf(uint8_t* half);

  void PlaybackThread();
  // Waits (through the clock) until the thread has set the stopped state.
  void WaitUntilStopped(std::unique_lock<std::mutex>& guard);

  SoundSource& source;
  const uint32_t id;
  const SoundMessages messages;
  uint32_t halfBytes = 0;
  std::unique_ptr<platform::SoundBuffer> buffer;

  // Guards everything below, the buffer and the source's decoder.
  std::mutex lock;
  std::condition_variable stateChanged;  // the thread has set kStopped
  int32_t state = kStopped;
  int32_t command = kCommandNone;
  uint8_t nextHalf = 0;  // 1: the second half is the next to fill
  bool loop = false;
  int32_t tailCount = 0;  // halves of silence handed over since the data ended

  platform::AutoResetEvent wakeEvent;
  // The thread of the current or last play; joined before the next one
  // starts and at destruction.
  std::thread thread;
};
