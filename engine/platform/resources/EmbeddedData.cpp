#include "engine/platform/resources/EmbeddedData.h"

#include <algorithm>

namespace platform {

std::span<const EmbeddedNumberedItem> NumberedResources() {
  return detail::EmbeddedNumberedTable();
}

std::span<const EmbeddedNamedItem> NamedData() { return detail::EmbeddedNamedTable(); }

std::optional<std::span<const uint8_t>> FindNumberedResource(uint16_t id) {
  const auto table = NumberedResources();
  const auto it = std::lower_bound(table.begin(), table.end(), id,
                                   [](const EmbeddedNumberedItem& item, uint16_t wanted) {
                                     return item.id < wanted;
                                   });
  if (it == table.end() || it->id != id) return std::nullopt;
  return std::span<const uint8_t>(it->begin, it->end);
}

std::optional<std::span<const uint8_t>> FindNamedData(std::u16string_view name) {
  const auto table = NamedData();
  const auto it = std::lower_bound(table.begin(), table.end(), name,
                                   [](const EmbeddedNamedItem& item, std::u16string_view wanted) {
                                     return std::u16string_view(item.name) < wanted;
                                   });
  if (it == table.end() || std::u16string_view(it->name) != name) return std::nullopt;
  return std::span<const uint8_t>(it->begin, it->end);
}

}  // namespace platform
