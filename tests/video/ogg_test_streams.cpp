#include "tests/video/ogg_test_streams.h"

#include <ogg/ogg.h>

#include <cstring>
#include <stdexcept>

namespace videotest {
namespace {

Bytes PageBytes(const ogg_page& page) {
  Bytes bytes(page.header, page.header + page.header_len);
  bytes.insert(bytes.end(), page.body, page.body + page.body_len);
  return bytes;
}

ogg_page View(Bytes& page) {
  ogg_page view{};
  const size_t body = BodyOffset(page);
  view.header = page.data();
  view.header_len = static_cast<long>(body);
  view.body = page.data() + body;
  view.body_len = static_cast<long>(page.size() - body);
  return view;
}

}  // namespace

size_t BodyOffset(const Bytes& page) {
  if (page.size() < 27) throw std::invalid_argument("not an Ogg page");
  return 27 + page[26];
}

std::vector<Bytes> SplitPages(std::span<const uint8_t> stream) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(stream.size()));
  std::memcpy(buffer, stream.data(), stream.size());
  ogg_sync_wrote(&sync, static_cast<long>(stream.size()));
  std::vector<Bytes> pages;
  ogg_page page;
  for (int got; (got = ogg_sync_pageout(&sync, &page)) != 0;) {
    if (got > 0) pages.push_back(PageBytes(page));
  }
  ogg_sync_clear(&sync);
  return pages;
}

std::vector<Bytes> OnePacketPerPage(std::span<const uint8_t> stream) {
  const std::vector<Bytes> pages = SplitPages(stream);
  if (pages.empty()) throw std::invalid_argument("no pages");
  Bytes first = pages.front();
  const ogg_page firstView = View(first);
  const int serial = ogg_page_serialno(&firstView);

  ogg_stream_state in;
  ogg_stream_state out;
  ogg_stream_init(&in, serial);
  ogg_stream_init(&out, serial);
  std::vector<Bytes> rebuilt;
  ogg_packet packet;
  for (Bytes page : pages) {
    ogg_page view = View(page);
    ogg_stream_pagein(&in, &view);
    while (ogg_stream_packetout(&in, &packet) > 0) {
      ogg_stream_packetin(&out, &packet);
      ogg_page flushed;
      while (ogg_stream_flush(&out, &flushed) > 0) rebuilt.push_back(PageBytes(flushed));
    }
  }
  ogg_stream_clear(&in);
  ogg_stream_clear(&out);
  return rebuilt;
}

Bytes Join(const std::vector<Bytes>& pages) {
  Bytes joined;
  for (const Bytes& page : pages) joined.insert(joined.end(), page.begin(), page.end());
  return joined;
}

void FixChecksum(Bytes& page) {
  ogg_page view = View(page);
  ogg_page_checksum_set(&view);
}

Bytes MakePage(int serial, int sequence, bool beginsStream, const Bytes& packetBytes) {
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);
  stream.pageno = sequence;
  // libogg marks the first page it writes for a stream as the beginning
  // one; a later page must look like one already past it.
  stream.b_o_s = beginsStream ? 0 : 1;
  ogg_packet packet{};
  Bytes copy = packetBytes;
  packet.packet = copy.data();
  packet.bytes = static_cast<long>(copy.size());
  packet.b_o_s = beginsStream ? 1 : 0;
  packet.packetno = sequence;
  ogg_stream_packetin(&stream, &packet);
  ogg_page page;
  Bytes bytes;
  if (ogg_stream_flush(&stream, &page) > 0) bytes = PageBytes(page);
  ogg_stream_clear(&stream);
  return bytes;
}

}  // namespace videotest
