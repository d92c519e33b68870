#include "window/KXProps.h"

#include <algorithm>

#include "platform/Text.h"
#include "window/KXColors.h"

namespace zemblo {

void TKXPropList::Assign(const std::vector<TXMLAttribute>& attributes) {
  items_.clear();
  for (const auto& a : attributes)
    if (std::none_of(items_.begin(), items_.end(), [&](const auto& i) { return SameText(i.Name, a.Name); }))
      items_.push_back(a);
}

void TKXPropList::Set(std::string_view name, std::string_view value) {
  for (auto& i : items_)
    if (SameText(i.Name, name)) {
      i.Value = value;
      return;
    }
  items_.push_back({std::string(name), std::string(value)});
}

std::string TKXPropList::Get(std::string_view name) const {
  for (const auto& i : items_)
    if (SameText(i.Name, name)) return i.Value;
  return std::string();
}

TKXAnchors ParseAnchors(std::string_view text) {
  auto has = [&](char c) { return text.find(c) != std::string_view::npos; };
  return {has('l'), has('t'), has('r'), has('b')};
}

TKXFontStyle ParseFontStyle(std::string_view text) {
  auto has = [&](char c) { return text.find(c) != std::string_view::npos; };
  return {has('i'), has('b'), has('u'), has('s')};
}

TKXGeneralProps ReadGeneralProps(const TKXPropList& props) {
  TKXGeneralProps g;
  g.Anchors = ParseAnchors(props.Get("Anchors"));
  g.Width = TryStrToInt(props.Get("W"));
  g.Height = TryStrToInt(props.Get("H"));
  g.Left = TryStrToInt(props.Get("X"));
  g.Top = TryStrToInt(props.Get("Y"));
  if (std::string c = props.Get("bgColor"); !c.empty()) g.BgColor = ParseColor(c);
  if (std::string f = props.Get("fontFamily"); !f.empty()) g.FontFamily = f;
  if (auto s = TryStrToInt(props.Get("fontSize")); s && *s >= kMinFontSize && *s <= kMaxFontSize) g.FontSize = s;
  g.FontStyle = ParseFontStyle(props.Get("fontStyle"));
  if (std::string c = props.Get("fontColor"); !c.empty()) g.FontColor = ParseColor(c);
  return g;
}

std::string KXTypeName(std::string_view className) {
  size_t colon = className.rfind(':');
  if (colon != std::string_view::npos) className.remove_prefix(colon + 1);
  return className.size() > 7 ? std::string(className.substr(7)) : std::string();
}

}  // namespace zemblo
