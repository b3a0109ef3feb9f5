#pragma once

#include <memory>

namespace results {

// Sole ownership of an object the XML library hands out through one of its
// factories (a document, a serializer, an output), which must be given back
// with its own release() rather than deleted.
template <typename T>
struct XercesRelease {
  void operator()(T* object) const { object->release(); }
};

template <typename T>
using XercesPtr = std::unique_ptr<T, XercesRelease<T>>;

}  // namespace results
