#include "engine/sound/CSoundStream.h"

#include <cstring>
#include <system_error>

#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/window/Window.h"

CSoundStream::CSoundStream(SoundSource& source, uint32_t id, platform::SoundDevice& device,
                           SoundMessages messages)
    : source(source), id(id), messages(messages) {
  const auto format = platform::WaveFormat::Pcm16(static_cast<uint16_t>(source.Channels()),
                                                  static_cast<uint32_t>(source.Rate()));
  // Half a second rounded down to whole frames, so that the second half
  // starts on a frame (11 025 Hz stereo would otherwise split one), and a
  // buffer of exactly two halves, so that no byte of it is left unwritten.
  halfBytes = format.avgBytesPerSec / 2 / format.blockAlign * format.blockAlign;
  const platform::BufferDescription description{platform::kBufferCtrlPan, 2 * halfBytes, format};
  if (!platform::Succeeded(device.CreateSoundBuffer(description, &buffer))) buffer.reset();
}

CSoundStream::~CSoundStream() {
  {
    std::unique_lock guard(lock);
    if (state == kPlaying) {
      command = kCommandStop;
      guard.unlock();
      wakeEvent.Set();
      guard.lock();
      WaitUntilStopped(guard);
    }
  }
  if (thread.joinable()) thread.join();
}

bool CSoundStream::Play(bool newLoop) {
  std::unique_lock guard(lock);
  loop = newLoop;
  if (state == kPlaying) return false;
  guard.unlock();
  // The last play's thread set the stopped state as its last act under
  // the lock (its end message already queued); it has only to return.
  if (thread.joinable()) thread.join();
  guard.lock();
  nextHalf = 1;
  platform::OutputDebugStringW(u" звук играет\n");
  if (!FirstFill() || !StartBuffer()) return false;
  state = kPlaying;
  guard.unlock();
  try {
    thread = std::thread(&CSoundStream::PlaybackThread, this);
  } catch (const std::system_error&) {
    guard.lock();
    buffer->Stop();
    state = kStopped;
    return false;
  }
  platform::PostMessageW(messages.play, id, 0);
  return true;
}

bool CSoundStream::Stop() {
  std::unique_lock guard(lock);
  if (state != kPlaying) return false;
  platform::OutputDebugStringW(u" звук стой\n");
  buffer->Stop();
  command = kCommandStop;
  guard.unlock();
  wakeEvent.Set();
  guard.lock();
  WaitUntilStopped(guard);
  return true;
}

bool CSoundStream::IsPlaying() {
  const std::lock_guard guard(lock);
  return state == kPlaying;
}

void CSoundStream::WaitUntilStopped(std::unique_lock<std::mutex>& guard) {
  platform::GetClock().WaitFor(guard, stateChanged, platform::kInfinite,
                               [this] { return state == kStopped; });
}

bool CSoundStream::FirstFill() {
  if (!buffer) return false;
  buffer->SetCurrentPosition(0);
  platform::LockedArea area;
  if (!LockHalf(0, &area)) return false;
  source.Rewind();
  // Whatever the first half holds, the tail counts from the next refill:
  // a sound shorter than half a second ends after two more halves.
  FillHalf(area.first);
  tailCount = 0;
  return platform::Succeeded(buffer->Unlock(area));
}

void CSoundStream::RefillHalf(uint32_t offset) {
  if (tailCount == 2) {
    // The cursor has left the half that held the last data: it has all
    // been heard. This refill is the last one.
    buffer->Stop();
    command = kCommandStop;
    tailCount = 0;
    wakeEvent.Set();
  }
  platform::LockedArea area;
  if (!LockHalf(offset, &area)) return;
  if (FillHalf(area.first) < halfBytes && !loop) ++tailCount;
  if (!platform::Succeeded(buffer->Unlock(area))) tailCount = 1;
}

bool CSoundStream::LockHalf(uint32_t offset, platform::LockedArea* area) {
  platform::SoundResult locked = buffer->Lock(offset, halfBytes, area);
  if (locked == platform::SoundResult::BufferLost) {
    buffer->Restore();
    locked = buffer->Lock(offset, halfBytes, area);
  }
  return platform::Succeeded(locked);
}

uint32_t CSoundStream::FillHalf(uint8_t* half) {
  auto got = static_cast<uint32_t>(source.Decode(half, halfBytes));
  // A looping sound goes on from its start as often as the half needs, so
  // that even a sound shorter than a half leaves no gap.
  while (got < halfBytes && loop) {
    if (!source.Rewind()) break;
    const auto more = static_cast<uint32_t>(source.Decode(half + got, halfBytes - got));
    if (more == 0) break;  // nothing to repeat: the sound is empty or unreadable
    got += more;
  }
  std::memset(half + got, 0, halfBytes - got);
  return got;
}

bool CSoundStream::StartBuffer() {
  platform::SoundResult played = buffer->Play(platform::kPlayLooping);
  if (played == platform::SoundResult::BufferLost) {
    buffer->Restore();
    played = buffer->Play(platform::kPlayLooping);
  }
  return platform::Succeeded(played);
}

void CSoundStream::PlaybackThread() {
  std::unique_lock guard(lock, std::defer_lock);
  for (;;) {
    const bool signalled = wakeEvent.Wait(kWakeIntervalMs);
    guard.lock();
    uint32_t cursor = 0;
    if (platform::Succeeded(buffer->GetCurrentPosition(&cursor))) {
      // A cursor exactly on the boundary refills nothing yet.
      if (cursor < halfBytes && nextHalf == 1) {
        RefillHalf(halfBytes);
        nextHalf = 0;
      } else if (cursor > halfBytes && nextHalf == 0) {
        RefillHalf(0);
        nextHalf = 1;
      }
    }
    if (signalled && command == kCommandStop) break;
    guard.unlock();
  }
  // Stop and the tail have stopped the buffer already; shut-down has not.
  buffer->Stop();
  command = kCommandNone;
  tailCount = 0;
  // The trace and the end message go out before the stopped state, under
  // the same lock: whoever sees the stream stopped (Stop, IsPlaying, a
  // finished slot that plays the sound again) finds the message already
  // queued, and nobody sees the stream playing after its end was posted.
  platform::OutputDebugStringW(u" звук остановился\n");
  platform::PostMessageW(messages.pouse, id, 0);
  state = kStopped;
  stateChanged.notify_all();
}
