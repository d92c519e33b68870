// The state of one window of a running program, apart from Qt: a copy of its WINDOW element
// from the project's resource file, which the program's PHP code reads and writes through
// Get and Set. The element is the truth; the widgets on the screen follow it, and what the
// user changes there (the text of an input, a ticked box) is written back into it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/XML.h"

namespace zemblo {

// A deep copy of an element and everything below it.
std::unique_ptr<TXMLNode> CloneElement(const TXMLNode& node);

class TLiveWindow {
 public:
  // The window itself where a control number is asked for.
  static constexpr int kWindow = -1;

  explicit TLiveWindow(const TXMLNode& windowElement);

  TXMLNode& Element() { return *element_; }
  // The CONTROL elements anywhere in the window, in document order, each before the
  // controls it holds; a control is known by its place in this list.
  const std::vector<TXMLNode*>& Controls() const { return controls_; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // The place of the first control whose "id" equals `id` without regard to ASCII case, or
  // -1. An empty id names no control.
  int FindControl(std::string_view id) const;
  // The place of the control built from `element`, or -1.
  int IndexOf(const TXMLNode* element) const;
  // The element of a control, or of the window for kWindow. Null for a place out of range.
  TXMLNode* Node(int control);

  // The attribute, "" when it is missing. Check and option controls answer "checked" with
  // "1" or "0" only.
  std::string Get(int control, std::string_view name);
  // Stores the attribute (under the letter case it was first written in). Ticking an
  // option ("checked" = "1") clears "checked" of the other options in the same container,
  // as the screen does. Returns the controls whose "checked" changed that way.
  std::vector<int> Set(int control, std::string_view name, std::string_view value);

  // "Check" or "Option": the controls that answer "checked".
  bool IsCheckable(int control);
  bool IsOption(int control);

 private:
  std::unique_ptr<TXMLNode> element_;
  std::vector<TXMLNode*> controls_;
};

}  // namespace zemblo
