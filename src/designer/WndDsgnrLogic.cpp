#include "designer/WndDsgnrLogic.h"

#include "platform/Text.h"
#include "window/XML.h"

namespace zemblo {

TWindowBounds WindowBoundsOf(const TXMLNode& window) {
  const auto x = TryStrToInt(window.GetAttribute("x"));
  const auto y = TryStrToInt(window.GetAttribute("y"));
  const auto w = TryStrToInt(window.GetAttribute("w"));
  const auto h = TryStrToInt(window.GetAttribute("h"));
  if (!x || !y || !w || !h) return kFallbackWindowBounds;
  return {*x, *y, *w, *h};
}

std::unique_ptr<TXMLNode> NewControlElement(const std::string& type, int x, int y) {
  auto e = std::make_unique<TXMLNode>("CONTROL");
  e->AddAttribute("type", type);
  e->AddAttribute("x", IntToStr(x));
  e->AddAttribute("y", IntToStr(y));
  e->AddAttribute("w", "70");
  e->AddAttribute("h", "25");
  e->AddAttribute("text", type);
  return e;
}

void StoreMove(TXMLNode& element, int x, int y) {
  element.SetAttribute("X", IntToStr(x));
  element.SetAttribute("Y", IntToStr(y));
}

void StoreBounds(TXMLNode& element, int x, int y, int w, int h) {
  element.SetAttribute("W", IntToStr(w));
  element.SetAttribute("H", IntToStr(h));
  element.SetAttribute("X", IntToStr(x));
  element.SetAttribute("Y", IntToStr(y));
}

std::string RequestHandler(TXMLNode* element, const std::string& eventCaption) {
  // "onClick()" names the attribute "onClick".
  const std::string attribute = eventCaption.size() >= 2 ? eventCaption.substr(0, eventCaption.size() - 2) : "";
  std::string handler = "()";
  std::string controlId;
  if (element) {
    controlId = element->GetAttribute("id");
    handler = element->GetAttribute(attribute) + "()";
  }
  if (controlId.empty()) controlId = "Unknown";
  if (handler == "()") {
    handler = "Ctl_" + controlId + "_" + eventCaption;
    if (element) element->SetAttribute(attribute, handler.substr(0, handler.size() - 2));
  }
  return handler;
}

}  // namespace zemblo
