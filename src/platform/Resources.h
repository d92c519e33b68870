// Raw data compiled into the program and read by name (the word lists, for example).
// Build files add them with zemblo_add_resources(<target> <group> NAME file ...), which
// generates RegisterResources_<group>(); call it before the first FindResource of its names.
#pragma once

#include <optional>
#include <string_view>

namespace zemblo {

void RegisterResource(std::string_view name, std::string_view data);
// The bytes registered under `name` (letter case ignored), or nothing.
std::optional<std::string_view> FindResource(std::string_view name);

}  // namespace zemblo
