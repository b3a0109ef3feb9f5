#include "tests/video/reference_frames.h"

#include <ogg/ogg.h>
#include <theora/theoradec.h>

#include <cstring>
#include <stdexcept>

#include "engine/render/Yuv420Converter.h"

namespace videotest {

ReferenceFrames DecodeReferenceFrames(std::span<const uint8_t> stream) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(stream.size()));
  std::memcpy(buffer, stream.data(), stream.size());
  ogg_sync_wrote(&sync, static_cast<long>(stream.size()));

  th_info info;
  th_comment comment;
  th_info_init(&info);
  th_comment_init(&comment);
  th_setup_info* setup = nullptr;
  th_dec_ctx* decoder = nullptr;
  ogg_stream_state theora{};
  bool streamStarted = false;

  ReferenceFrames result;
  ogg_page page;
  ogg_packet packet;
  for (int got; (got = ogg_sync_pageout(&sync, &page)) != 0;) {
    if (got < 0) continue;
    if (!streamStarted) {
      ogg_stream_init(&theora, ogg_page_serialno(&page));
      streamStarted = true;
    }
    ogg_stream_pagein(&theora, &page);
    while (ogg_stream_packetout(&theora, &packet) > 0) {
      if (!decoder) {
        const int header = th_decode_headerin(&info, &comment, &setup, &packet);
        if (header > 0) continue;
        if (header < 0) throw std::runtime_error("reference decoder: bad header");
        decoder = th_decode_alloc(&info, setup);
        result.width = static_cast<int32_t>(info.pic_width);
        result.height = static_cast<int32_t>(info.pic_height);
      }
      ogg_int64_t granule = 0;
      if (th_decode_packetin(decoder, &packet, &granule) < 0) {
        throw std::runtime_error("reference decoder: bad picture");
      }
      th_ycbcr_buffer planes;
      th_decode_ycbcr_out(decoder, planes);
      IMYuvPicture picture;
      picture.width = result.width;
      picture.height = result.height;
      picture.chromaShiftX = planes[1].width < planes[0].width ? 1 : 0;
      picture.chromaShiftY = planes[1].height < planes[0].height ? 1 : 0;
      picture.yStride = planes[0].stride;
      picture.uvStride = planes[1].stride;
      const auto x = static_cast<ptrdiff_t>(info.pic_x);
      const auto y = static_cast<ptrdiff_t>(info.pic_y);
      picture.y = planes[0].data + y * planes[0].stride + x;
      const ptrdiff_t chroma =
          (y >> picture.chromaShiftY) * planes[1].stride + (x >> picture.chromaShiftX);
      picture.cb = planes[1].data + chroma;
      picture.cr = planes[2].data + chroma;
      std::vector<uint32_t> texels(static_cast<size_t>(result.width) * result.height);
      ConvertYuvReference(picture, reinterpret_cast<uint8_t*>(texels.data()), result.width * 4);
      result.frames.push_back(std::move(texels));
    }
  }
  if (decoder) th_decode_free(decoder);
  th_setup_free(setup);
  th_comment_clear(&comment);
  th_info_clear(&info);
  if (streamStarted) ogg_stream_clear(&theora);
  ogg_sync_clear(&sync);
  return result;
}

}  // namespace videotest
