#pragma once
// CSoundSystem: the engine's sounds, loaded once under a name and then
// addressed by a sound id. It is the sound half of the engine object
// (IMResourceManager derives from it), started by InitSound at engine
// start-up and torn down last at shut-down.
//
// Ids. LoadSound hands out 1, 2, 3, ... and never frees or reuses one; a
// name keeps its id for the whole run. 0 means no sound: every operation
// on 0, or on an id that names no stream, reports failure and does
// nothing. Without a sound device LoadSound always gives 0, so the program
// runs on silently.
//
// Names, as for textures: a name loaded before (from memory or otherwise);
// else a decimal resource number (the program's own data, then
// "Animations.dll"), whose sound stops 20 ms' worth of bytes short of its
// end; else a file path.
//
// Messages. The playback threads report through the main window's queue:
// "WM_IM_ONSOUNDPLAY" when a play starts and "WM_IM_ONSOUNDPOUSE" when a
// playback thread ends (the sound ran out or was stopped), with the sound
// id as wParam. HandleSoundMessage, which the window calls for every
// message it takes, turns them back into the stream's playSignal and
// finishedSignal on the window's thread.
//
// Every member runs on the window's thread.

#include <boost/signals2.hpp>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/audio/AudioTypes.h"
#include "engine/platform/audio/SoundBuffer.h"
#include "engine/platform/audio/SoundDevice.h"
#include "engine/platform/window/Window.h"
#include "engine/sound/CSoundStream.h"
#include "engine/sound/SoundSource.h"

class CSoundSystem {
 public:
  CSoundSystem();
  CSoundSystem(const CSoundSystem&) = delete;
  CSoundSystem& operator=(const CSoundSystem&) = delete;
  // Stops every playing stream and waits for its thread, in id order; then
  // frees the sources, the primary buffer and the device.
  virtual ~CSoundSystem();

  // Registers the four sound messages and opens the sound device: the
  // exclusive level with a primary buffer of 44 100 Hz stereo 16-bit
  // playing looped; failing any of those, the normal level (with the
  // primary buffer playing if there is one). Ok, or why there is no device
  // (which stays absent: the program then runs silently).
  platform::SoundResult InitSound();

  // The id of `name` (see Names above); 0 when there is no device or
  // nothing playable is found. Loading a name again gives its id again and
  // disconnects every slot of its finished signal, without touching its
  // play.
  uint32_t LoadSound(const std::u16string& name);
  // The same for a complete Ogg Vorbis file at `data`, which must stay
  // valid for the whole run; the name is only the key it is shared under.
  uint32_t LoadSound(const std::u16string& name, const void* data, size_t size);

  // true when the id names a stream, whatever the stream did (see
  // CSoundStream::Play: a playing one only takes the loop flag).
  bool Play(uint32_t id, bool loop);
  // true when the id names a stream; a playing one is stopped and its
  // thread waited for, and its finished signal follows from the loop.
  bool Stop(uint32_t id);
  // true only for a stream that is playing.
  bool IsPlaying(uint32_t id);
  // Connects `slot` to the stream's finished signal; an empty connection
  // for 0 or an id that names no stream.
  boost::signals2::connection ConnectFinished(uint32_t id, const SoundSignal::slot_type& slot);
  // The stream of an id (valid until shut-down), or null.
  CSoundStream* FindStream(uint32_t id);

  // The window procedure's part: a sound message fires its stream's
  // signal, if it has slots; any other message is left alone.
  void HandleSoundMessage(const platform::MSG& msg);

  const SoundMessages& Messages() const { return messages; }
  bool HasSoundDevice() const { return directSound != nullptr; }
  // Ids 1 to LastSoundId() name streams.
  uint32_t LastSoundId() const { return lastSoundId; }

 private:
  struct SourceEntry {
    std::unique_ptr<SoundSource> source;
    std::u16string name;
  };

  // The id of an already loaded name (its finished slots dropped), or 0.
  uint32_t FindLoaded(const std::u16string& name);
  // Keeps a new source under `name` and gives it a stream; 0 for null.
  uint32_t AddSource(const std::u16string& name, std::unique_ptr<SoundSource> source);
  uint32_t AddStream(SoundSource& source);

  std::map<uint32_t, std::unique_ptr<CSoundStream>> streams;
  std::vector<SourceEntry> sources;
  std::unique_ptr<platform::SoundDevice> directSound;
  std::unique_ptr<platform::SoundBuffer> primaryBuffer;
  uint32_t lastSoundId = 0;
  SoundMessages messages;
};
