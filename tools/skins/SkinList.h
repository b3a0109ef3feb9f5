#pragma once
// Every skin the program registers, in registration order, with its size,
// its kind of PNG and how it is drawn.

#include <functional>
#include <string>
#include <vector>

#include "tools/skins/Image.h"
#include "tools/skins/Typeface.h"

namespace skins {

struct Skin {
  std::string name;
  int width;
  int height;
  Kind kind;
  std::function<Image()> paint;
};

// The painters keep a reference to the face: it must outlive the list.
std::vector<Skin> AllSkins(const Typeface& face);

}  // namespace skins
