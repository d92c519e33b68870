// The control factory: makes the control of the right class for a CONTROL element and
// hands it the callbacks of its user.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "window/KXProps.h"

namespace zemblo {

class TXMLNode;

class TKXControls {
 public:
  static constexpr int kMaxControlDepth = 64;

  using TCreateFunc = QWidget* (*)(QWidget* owner);

  // Registers the seven classes: Box, Frame, Button, Check, Option, Text, Input.
  TKXControls();

  // Appends a class; its type name is its class name without the first seven characters.
  template <class T>
  void RegisterType() {
    RegisterType(KXTypeName(T::staticMetaObject.className()), [](QWidget* owner) -> QWidget* { return new T(owner); });
  }
  void RegisterType(std::string typeName, TCreateFunc create);

  // The type names in registry order.
  std::vector<std::string> TypeNames() const;

  // The control for `node`: the class whose type name equals "type" without regard to case,
  // a box for any other or a missing "type". It is created as a child of `owner` (which then
  // destroys it) and shown with it; with no owner the caller owns it and shows it. The
  // factory's callbacks are handed over, then the element is loaded into it.
  QWidget* CreateControl(const TXMLNode& node, QWidget* owner);

  // Builds the controls of `element`'s CONTROL children inside `container`, and theirs inside
  // them, in document order; `created` (if given) sees every new control with its element,
  // for a user that keeps a link back to the element. Controls nested deeper than
  // kMaxControlDepth are not built: no window is designed that way, and a file that nests
  // thousands deep must not exhaust the stack here or in Qt's painting.
  void CreateChildren(const TXMLNode& element, QWidget* container,
                      const std::function<void(QWidget*, const TXMLNode&)>& created = {});

  TKXEventProc OnEvent;
  TKXGetFileFunc OnGetFile;

 private:
  struct TEntry {
    std::string TypeName;
    TCreateFunc Create;
  };
  void CreateChildren(const TXMLNode& element, QWidget* container,
                      const std::function<void(QWidget*, const TXMLNode&)>& created, int depth);

  std::vector<TEntry> registry_;
};

}  // namespace zemblo
