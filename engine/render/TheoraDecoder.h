#pragma once
// IMTheoraDecoder reads an Ogg Theora stream that lies in memory, picture
// after picture, through libogg and libtheora's first-generation decoder
// interface. It is the decoding half of IMTheoraView; the view decides which
// pictures become texture pixels.
//
// The bytes are handed to the Ogg layer in pieces of at most 8192 and never
// copied as a whole; they must stay valid and unchanged while the decoder
// reads them. There is no seeking: going back means Rewind, which decodes
// from the first byte again.
//
// Broken data throws std::runtime_error with one of these messages:
//   "eof searched, terminate..."   the data ended before the stream's
//                                  beginning pages had been read
//   "eof searched. terminate..."   the data ended before the three Theora
//                                  headers, or it holds no Theora stream
//   "error during ogg_stream_init", "error during ogg_stream_pagein",
//   "error during ogg_stream_packetout"   (a missing piece in the headers),
//   "error during theora_decode_header (corrupt stream)",
//   "error during theora_decode_packetin...", "error during theora_decode_YUVout..."
// The decoder is left half-read after a throw; Open or Rewind starts over.

#include <ogg/ogg.h>
#include <theora/theora.h>

#include <cstdint>

#include "engine/render/LibraryState.h"
#include "engine/render/Yuv420Converter.h"

class IMTheoraDecoder {
 public:
  IMTheoraDecoder() = default;
  IMTheoraDecoder(const IMTheoraDecoder&) = delete;
  IMTheoraDecoder& operator=(const IMTheoraDecoder&) = delete;

  // Remembers the bytes and reads up to the first picture: finds the Theora
  // stream among the stream's beginning pages, reads its three headers and
  // makes the decoder. Throws on broken data (see above).
  void Open(const uint8_t* data, int32_t size);
  // The same again from the first byte of the remembered data, with a new
  // decoder: the next picture decoded is the first.
  void Rewind();

  // Decodes the next picture into Picture(): true when there was one,
  // false when the data has ended (nothing changes then, and every later
  // call is false too). A hole in the picture data is stepped over, as
  // players do. Throws when the decoder rejects a packet.
  bool DecodeNextPicture();

  bool IsOpen() const { return decoder.IsLive(); }
  // The picture size from the identification header.
  int32_t FrameWidth() const { return static_cast<int32_t>(info.get()->frame_width); }
  int32_t FrameHeight() const { return static_cast<int32_t>(info.get()->frame_height); }
  // The visible part of the last decoded picture; meaningful only after
  // DecodeNextPicture returned true.
  IMYuvPicture Picture() const;

 private:
  // Hands the next piece of data to sync: false when none is left.
  bool ReadData();
  // Clears every library state and makes sync, info and comment anew.
  void ResetStates();
  void FindTheoraStream();
  void ReadRemainingHeaders();
  void StartDecoder();
  // The next packet of the Theora stream, reading data as needed; false at
  // the end of the data.
  bool NextPacket();

  IMLibraryState<ogg_stream_state, ogg_stream_clear> theoraStream;
  IMLibraryState<ogg_sync_state, ogg_sync_clear> sync;
  ogg_page page{};
  ogg_packet packet{};
  IMLibraryState<theora_info, theora_info_clear> info;
  IMLibraryState<theora_comment, theora_comment_clear> comment;
  IMLibraryState<theora_state, theora_clear> decoder;
  yuv_buffer picture{};
  const uint8_t* data = nullptr;
  int32_t size = 0;
  int32_t offset = 0;   // bytes handed to sync so far
  int32_t headers = 0;  // Theora headers read
};
