#include "engine/render/TheoraDecoder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

constexpr int32_t kReadPiece = 8192;

[[noreturn]] void Fail(const char* message) { throw std::runtime_error(message); }

}  // namespace

void IMTheoraDecoder::Open(const uint8_t* newData, int32_t newSize) {
  data = newData;
  size = newData ? std::max(newSize, 0) : 0;
  Rewind();
}

void IMTheoraDecoder::Rewind() {
  offset = 0;
  ResetStates();
  FindTheoraStream();
  ReadRemainingHeaders();
  StartDecoder();
}

void IMTheoraDecoder::ResetStates() {
  decoder.Reset();
  theoraStream.Reset();
  sync.Begin(ogg_sync_init);
  info.Begin(theora_info_init);
  comment.Begin(theora_comment_init);
  page = ogg_page{};
  packet = ogg_packet{};
  picture = yuv_buffer{};
  headers = 0;
}

bool IMTheoraDecoder::ReadData() {
  const int32_t piece = std::min(kReadPiece, size - offset);
  if (piece <= 0) return false;
  char* buffer = ogg_sync_buffer(sync.get(), piece);
  if (!buffer) throw std::bad_alloc();
  std::memcpy(buffer, data + offset, static_cast<size_t>(piece));
  ogg_sync_wrote(sync.get(), piece);
  offset += piece;
  return true;
}

// The beginning pages of all logical streams come first; the first page
// that begins none ends them. Each beginning page's first packet is offered
// to libtheora as an identification header, and the first stream it accepts
// is the one played. Beginning pages after that one are not looked at.
void IMTheoraDecoder::FindTheoraStream() {
  if (!ReadData()) Fail("eof searched, terminate...");
  for (;;) {
    const int got = ogg_sync_pageout(sync.get(), &page);
    if (got < 0) continue;  // bytes skipped to find the next page
    if (got == 0) {
      if (!ReadData()) Fail("eof searched, terminate...");
      continue;
    }
    if (!ogg_page_bos(&page)) {
      // The first picture data: it belongs to the stream being played, if
      // it is that stream's page; pages of other streams are refused.
      if (headers > 0) ogg_stream_pagein(theoraStream.get(), &page);
      break;
    }
    if (headers > 0) continue;
    const int serial = ogg_page_serialno(&page);
    if (!theoraStream.Begin([serial](ogg_stream_state* s) { return ogg_stream_init(s, serial); })) {
      Fail("error during ogg_stream_init");
    }
    if (ogg_stream_pagein(theoraStream.get(), &page) != 0) Fail("error during ogg_stream_pagein");
    const int packets = ogg_stream_packetout(theoraStream.get(), &packet);
    if (packets < 0) Fail("error during ogg_stream_packetout");
    if (packets > 0 && theora_decode_header(info.get(), comment.get(), &packet) >= 0) {
      headers = 1;
    } else {
      // Another codec's stream. Its packet may have left traces in the
      // header state, so that starts again too.
      theoraStream.Reset();
      info.Begin(theora_info_init);
      comment.Begin(theora_comment_init);
    }
  }
  // Without a Theora stream the header search below could only run to the
  // end of the data and report that; it is reported at once instead.
  if (headers == 0) Fail("eof searched. terminate...");
}

// The comment and setup headers follow in the Theora stream's own pages,
// before any picture data.
void IMTheoraDecoder::ReadRemainingHeaders() {
  while (headers < 3) {
    const int packets = ogg_stream_packetout(theoraStream.get(), &packet);
    if (packets < 0) Fail("error during ogg_stream_packetout");
    if (packets > 0) {
      if (theora_decode_header(info.get(), comment.get(), &packet) < 0) {
        Fail("error during theora_decode_header (corrupt stream)");
      }
      ++headers;
      continue;
    }
    const int got = ogg_sync_pageout(sync.get(), &page);
    if (got > 0) {
      ogg_stream_pagein(theoraStream.get(), &page);  // other streams' pages are refused
    } else if (got == 0 && !ReadData()) {
      Fail("eof searched. terminate...");
    }
  }
}

void IMTheoraDecoder::StartDecoder() {
  // Three accepted headers make a decoder unless their values contradict
  // each other, which is a corrupt header as well.
  if (!decoder.Begin([this](theora_state* s) { return theora_decode_init(s, info.get()); })) {
    Fail("error during theora_decode_header (corrupt stream)");
  }
}

bool IMTheoraDecoder::NextPacket() {
  for (;;) {
    const int packets = ogg_stream_packetout(theoraStream.get(), &packet);
    if (packets > 0) return true;
    if (packets < 0) continue;  // a hole: the packet after it comes next
    const int got = ogg_sync_pageout(sync.get(), &page);
    if (got > 0) {
      ogg_stream_pagein(theoraStream.get(), &page);
    } else if (got == 0 && !ReadData()) {
      return false;
    }
  }
}

bool IMTheoraDecoder::DecodeNextPicture() {
  if (!decoder.IsLive() || !NextPacket()) return false;
  if (theora_decode_packetin(decoder.get(), &packet) != 0) {
    Fail("error during theora_decode_packetin...");
  }
  if (theora_decode_YUVout(decoder.get(), &picture) != 0)
    Fail("error during theora_decode_YUVout...");
  return true;
}

IMYuvPicture IMTheoraDecoder::Picture() const {
  const theora_info& header = *info.get();
  IMYuvPicture p;
  if (!picture.y) return p;
  p.chromaShiftX = picture.uv_width < picture.y_width ? 1 : 0;
  p.chromaShiftY = picture.uv_height < picture.y_height ? 1 : 0;
  // The visible rectangle inside the coded frame, its corner on a chroma
  // sample so that each chroma sample keeps the pixels it was made for.
  const int32_t left = static_cast<int32_t>(header.offset_x) >> p.chromaShiftX << p.chromaShiftX;
  const int32_t top = static_cast<int32_t>(header.offset_y) >> p.chromaShiftY << p.chromaShiftY;
  if (left >= picture.y_width || top >= picture.y_height) return IMYuvPicture{};
  p.width = std::min(FrameWidth(), picture.y_width - left);
  p.height = std::min(FrameHeight(), picture.y_height - top);
  p.yStride = picture.y_stride;
  p.uvStride = picture.uv_stride;
  p.y = picture.y + static_cast<ptrdiff_t>(top) * picture.y_stride + left;
  const ptrdiff_t chroma =
      static_cast<ptrdiff_t>(top >> p.chromaShiftY) * picture.uv_stride + (left >> p.chromaShiftX);
  p.cb = picture.u + chroma;
  p.cr = picture.v + chroma;
  return p;
}
