#include "window/KXCtls.h"

#include "platform/Text.h"
#include "window/KXCtl.h"
#include "window/KXCtl_Box.h"
#include "window/KXCtl_Button.h"
#include "window/KXCtl_Check.h"
#include "window/KXCtl_Frame.h"
#include "window/KXCtl_Input.h"
#include "window/KXCtl_Option.h"
#include "window/KXCtl_Text.h"
#include "window/XML.h"

namespace zemblo {

TKXControls::TKXControls() {
  RegisterType<TKXCtl_Box>();
  RegisterType<TKXCtl_Frame>();
  RegisterType<TKXCtl_Button>();
  RegisterType<TKXCtl_Check>();
  RegisterType<TKXCtl_Option>();
  RegisterType<TKXCtl_Text>();
  RegisterType<TKXCtl_Input>();
}

void TKXControls::RegisterType(std::string typeName, TCreateFunc create) {
  registry_.push_back({std::move(typeName), create});
}

std::vector<std::string> TKXControls::TypeNames() const {
  std::vector<std::string> names;
  for (const auto& e : registry_) names.push_back(e.TypeName);
  return names;
}

QWidget* TKXControls::CreateControl(const TXMLNode& node, QWidget* owner) {
  const std::string type = node.GetAttribute("type");
  TCreateFunc create = [](QWidget* o) -> QWidget* { return new TKXCtl_Box(o); };
  for (const auto& e : registry_)
    if (SameText(e.TypeName, type)) {
      create = e.Create;
      break;
    }
  QWidget* control = create(owner);
  // Qt paints every widget through an off-screen buffer already: nothing to switch on.
  if (IKXControl* c = QueryKXControl(control)) {
    if (OnGetFile) c->SetOnGetFile(OnGetFile);
    if (OnEvent) c->SetOnEvent(OnEvent);
    c->Load(node);
  }
  if (owner) control->show();
  return control;
}

void TKXControls::CreateChildren(const TXMLNode& element, QWidget* container,
                                 const std::function<void(QWidget*, const TXMLNode&)>& created) {
  CreateChildren(element, container, created, 1);
}

void TKXControls::CreateChildren(const TXMLNode& element, QWidget* container,
                                 const std::function<void(QWidget*, const TXMLNode&)>& created, int depth) {
  if (depth > kMaxControlDepth) return;
  for (const auto& child : element.Children) {
    if (!SameText(child->Name, "CONTROL")) continue;
    QWidget* control = CreateControl(*child, container);
    if (created) created(control, *child);
    CreateChildren(*child, control, created, depth + 1);
  }
}

}  // namespace zemblo
