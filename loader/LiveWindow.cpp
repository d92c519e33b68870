#include "LiveWindow.h"

#include <utility>

#include "platform/Text.h"

namespace zemblo {

namespace {

bool IsControl(const TXMLNode& node) { return SameText(node.Name, "CONTROL"); }

}  // namespace

std::unique_ptr<TXMLNode> CloneElement(const TXMLNode& node) {
  // Without recursion: a resource file may nest elements deeper than the stack allows.
  auto root = std::make_unique<TXMLNode>(node.Name);
  root->Attributes = node.Attributes;
  std::vector<std::pair<const TXMLNode*, TXMLNode*>> pending{{&node, root.get()}};
  while (!pending.empty()) {
    auto [from, to] = pending.back();
    pending.pop_back();
    for (const auto& child : from->Children) {
      auto copy = std::make_unique<TXMLNode>(child->Name);
      copy->Attributes = child->Attributes;
      TXMLNode* added = to->AddChild(std::move(copy));
      pending.emplace_back(child.get(), added);
    }
  }
  return root;
}

TLiveWindow::TLiveWindow(const TXMLNode& windowElement) : element_(CloneElement(windowElement)) {
  // Pre-order, as the factory builds them: a container before what it holds.
  std::vector<TXMLNode*> pending;
  for (auto it = element_->Children.rbegin(); it != element_->Children.rend(); ++it) pending.push_back(it->get());
  while (!pending.empty()) {
    TXMLNode* node = pending.back();
    pending.pop_back();
    if (!IsControl(*node)) continue;
    controls_.push_back(node);
    for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it) pending.push_back(it->get());
  }
}

int TLiveWindow::FindControl(std::string_view id) const {
  if (id.empty()) return -1;
  for (size_t i = 0; i < controls_.size(); ++i)
    if (SameText(controls_[i]->GetAttribute("id"), id)) return static_cast<int>(i);
  return -1;
}

int TLiveWindow::IndexOf(const TXMLNode* element) const {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] == element) return static_cast<int>(i);
  return -1;
}

TXMLNode* TLiveWindow::Node(int control) {
  if (control == kWindow) return element_.get();
  if (control < 0 || control >= ControlCount()) return nullptr;
  return controls_[control];
}

bool TLiveWindow::IsCheckable(int control) {
  TXMLNode* node = control == kWindow ? nullptr : Node(control);
  if (!node) return false;
  std::string type = node->GetAttribute("type");
  return SameText(type, "Check") || SameText(type, "Option");
}

bool TLiveWindow::IsOption(int control) {
  TXMLNode* node = control == kWindow ? nullptr : Node(control);
  return node && SameText(node->GetAttribute("type"), "Option");
}

std::string TLiveWindow::Get(int control, std::string_view name) {
  TXMLNode* node = Node(control);
  if (!node) return std::string();
  std::string value = node->GetAttribute(name);
  if (SameText(name, "checked") && IsCheckable(control)) return value == "1" ? "1" : "0";
  return value;
}

std::vector<int> TLiveWindow::Set(int control, std::string_view name, std::string_view value) {
  std::vector<int> unticked;
  TXMLNode* node = Node(control);
  if (!node) return unticked;
  node->SetAttribute(name, value);
  if (!(SameText(name, "checked") && value == "1" && IsOption(control))) return unticked;
  for (const auto& sibling : node->Parent->Children) {
    if (sibling.get() == node) continue;
    int other = IndexOf(sibling.get());
    if (other < 0 || !IsOption(other) || sibling->GetAttribute("checked") != "1") continue;
    sibling->SetAttribute("checked", "0");
    unticked.push_back(other);
  }
  return unticked;
}

}  // namespace zemblo
