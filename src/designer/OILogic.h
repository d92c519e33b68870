// The rows the object inspector shows for one element, in plain C++ so that they are checked
// without a display. The inspector reads nothing from a live control but its element; the
// component definitions decide which properties are offered while they are still unset.
#pragma once

#include <string>
#include <vector>

#include "window/XML.h"

namespace zemblo {

struct TInspectorRow {
  std::string Key;
  std::string Value;
  bool operator==(const TInspectorRow&) const = default;
};

// The definition the inspector uses for `node`: the CONTROL child of the definitions' root
// whose "id" is the element's "type", or "Window" for an element named exactly "WINDOW".
// Null without one (also for a missing definitions root).
const TXMLNode* DefinitionFor(const TXMLNode& node, const TXMLNode* definitionsRoot);

// TAG (the element's name), then "type", then the definition's attribute names in their order,
// each with the element's value of that name (under the name as the element writes it) or
// empty, then the element's other attributes in their order. No node: no rows.
std::vector<TInspectorRow> InspectorRows(const TXMLNode* node, const TXMLNode* definitionsRoot);

}  // namespace zemblo
