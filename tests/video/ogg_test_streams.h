#pragma once
// Ogg streams for the video tests, cut from and rebuilt out of the real
// cartoons with libogg, so a broken stream is broken in exactly one way.

#include <cstdint>
#include <span>
#include <vector>

namespace videotest {

using Bytes = std::vector<uint8_t>;

// The pages of an Ogg stream, each header and body in one piece.
std::vector<Bytes> SplitPages(std::span<const uint8_t> stream);

// A single-stream Ogg Theora file rebuilt with one packet per page: [0]
// the identification header (beginning the stream), [1] the comment, [2]
// the setup header, then one picture per page. Sequence numbers count up
// and checksums are right.
std::vector<Bytes> OnePacketPerPage(std::span<const uint8_t> stream);

Bytes Join(const std::vector<Bytes>& pages);

// Recomputes the checksum of a page whose bytes were changed on purpose.
void FixChecksum(Bytes& page);

// A page of logical stream `serial` holding one whole packet.
Bytes MakePage(int serial, int sequence, bool beginsStream, const Bytes& packet);

// Offset of a page's body (after its header and lacing values).
size_t BodyOffset(const Bytes& page);

}  // namespace videotest
