#pragma once
// Finds the font files fontconfig offers for a face name, weight, slant
// and character set, best first. "Arial" comes back as Liberation Sans
// through fontconfig's metric aliases; a name fontconfig does not know
// comes back as the default sans-serif face, because every request lists
// "sans-serif" after the name asked for.

#include <cstdint>
#include <string>
#include <vector>

namespace platform::fonts {

struct FaceCandidate {
  std::string file;
  int index = 0;  // face index inside the file
  std::string family;
};

// Scalable outline faces only (bitmap fonts have no glyph outlines), at
// most `limit` of them. Empty when fontconfig cannot start or offers none.
std::vector<FaceCandidate> FindFaceCandidates(const std::string& family, int32_t weight,
                                              bool italic, uint8_t charSet, size_t limit);

}  // namespace platform::fonts
