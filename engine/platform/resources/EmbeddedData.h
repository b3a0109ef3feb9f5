#pragma once
// The data compiled into the program: numbered raw-data resources (files
// data/rcdata/<number>.<ext>) and data registered by name (files
// data/named/<name>.<ext>). The build turns each folder into a table (see
// cmake/EmbedData.cmake); an executable links exactly one such table.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

struct EmbeddedNumberedItem {
  uint16_t id;
  const uint8_t* begin;
  const uint8_t* end;
};

struct EmbeddedNamedItem {
  const char16_t* name;
  const uint8_t* begin;
  const uint8_t* end;
};

// The bytes of the program's resource with this number, if it has one.
std::optional<std::span<const uint8_t>> FindNumberedResource(uint16_t id);
// The bytes registered under `name` (compared exactly), if any.
std::optional<std::span<const uint8_t>> FindNamedData(std::u16string_view name);

// Every item, in ascending order of number or name.
std::span<const EmbeddedNumberedItem> NumberedResources();
std::span<const EmbeddedNamedItem> NamedData();

namespace detail {
// Defined by the generated table the executable links.
std::span<const EmbeddedNumberedItem> EmbeddedNumberedTable();
std::span<const EmbeddedNamedItem> EmbeddedNamedTable();
}  // namespace detail

}  // namespace platform
