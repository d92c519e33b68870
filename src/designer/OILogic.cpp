#include "designer/OILogic.h"

#include "platform/Text.h"

namespace zemblo {

const TXMLNode* DefinitionFor(const TXMLNode& node, const TXMLNode* definitionsRoot) {
  if (!definitionsRoot) return nullptr;
  // Byte for byte: a window is what the designer's tree calls "WINDOW"; anything else is
  // looked up by its "type".
  const std::string type = node.Name == "WINDOW" ? std::string("Window") : node.GetAttribute("type");
  return definitionsRoot->FindChild("CONTROL", type);
}

std::vector<TInspectorRow> InspectorRows(const TXMLNode* node, const TXMLNode* definitionsRoot) {
  std::vector<TInspectorRow> rows;
  if (!node) return rows;
  // An entry is a key alone until the element fills it.
  struct TEntry {
    std::string Key;
    std::string Value;
    bool Filled = false;
  };
  std::vector<TEntry> entries{{"type", "", false}};
  if (const TXMLNode* def = DefinitionFor(*node, definitionsRoot))
    for (const auto& a : def->Attributes) entries.push_back({a.Name, "", false});
  for (const auto& a : node->Attributes) {
    bool placed = false;
    for (auto& e : entries)
      if (!e.Filled && SameText(e.Key, a.Name)) {
        e = {a.Name, a.Value, true};
        placed = true;
        break;
      }
    if (!placed) entries.push_back({a.Name, a.Value, true});
  }
  rows.push_back({"TAG", node->Name});
  for (auto& e : entries) rows.push_back({std::move(e.Key), std::move(e.Value)});
  return rows;
}

}  // namespace zemblo
