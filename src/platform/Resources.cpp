#include "platform/Resources.h"

#include <string>
#include <vector>

#include "platform/Text.h"

namespace zemblo {

namespace {
struct TResource {
  std::string Name;
  std::string_view Data;
};
std::vector<TResource>& Registry() {
  static std::vector<TResource> r;
  return r;
}
}  // namespace

void RegisterResource(std::string_view name, std::string_view data) {
  Registry().push_back({std::string(name), data});
}

std::optional<std::string_view> FindResource(std::string_view name) {
  for (const auto& r : Registry())
    if (SameText(r.Name, name)) return r.Data;
  return std::nullopt;
}

}  // namespace zemblo
