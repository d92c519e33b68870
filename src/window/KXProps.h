// The property list every designed control keeps (copied from its CONTROL element) and the
// general properties read from it, in plain C++ so that they are checked without a display.
// The Qt helper (KXCtl.h) applies what these functions compute.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "window/XML.h"

namespace zemblo {

// Runs one line of PHP for an event of a control (the button's click).
using TKXEventProc = std::function<void(const std::string& phpCode)>;
// The bytes of a project file for a path relative to the project folder, written as the
// project stores it ("images\a.bmp"); "" when there is no such file.
using TKXGetFileFunc = std::function<std::string(const std::string& relativePath)>;

// Name/value pairs in the order of the element's attributes. Invariant: no two names are
// equal without regard to ASCII case.
class TKXPropList {
 public:
  // Replaces the list by the attributes, in their order. An element built with AddAttribute
  // may repeat a name; its first occurrence is the one kept (the one GetAttribute reads).
  void Assign(const std::vector<TXMLAttribute>& attributes);
  // Gives the value to the property of that name, or appends the pair.
  void Set(std::string_view name, std::string_view value);
  // The value stored under that name, or "".
  std::string Get(std::string_view name) const;
  const std::vector<TXMLAttribute>& Items() const { return items_; }

 private:
  std::vector<TXMLAttribute> items_;
};

struct TKXAnchors {
  bool Left = false, Top = false, Right = false, Bottom = false;
  bool operator==(const TKXAnchors&) const = default;
};

struct TKXFontStyle {
  bool Italic = false, Bold = false, Underline = false, StrikeOut = false;
  bool operator==(const TKXFontStyle&) const = default;
};

// Only the lower-case letters count, anywhere in the text: "l" "t" "r" "b" and "i" "b" "u" "s".
TKXAnchors ParseAnchors(std::string_view text);
TKXFontStyle ParseFontStyle(std::string_view text);

// Font sizes outside this range count as not converting: Qt cannot show sizes of 0 or less,
// and a giant size would only exhaust memory in the glyph cache.
inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 1000;

// What the general properties ask of a control. An empty optional leaves that setting as it
// is; Anchors and FontStyle are always set as a whole (missing text: none, regular).
struct TKXGeneralProps {
  TKXAnchors Anchors;
  std::optional<int> Width, Height, Left, Top;  // "W" "H" "X" "Y", when they convert
  std::optional<TColor> BgColor;                 // "bgColor" when not empty; may be clNone
  std::optional<std::string> FontFamily;         // "fontFamily" when not empty
  std::optional<int> FontSize;                   // "fontSize" when it converts and is in range
  TKXFontStyle FontStyle;                        // "fontStyle"
  std::optional<TColor> FontColor;               // "fontColor" when not empty; may be clNone
};

TKXGeneralProps ReadGeneralProps(const TKXPropList& props);

// A control's type name from its class name: any namespace qualifier and then the first
// seven characters dropped ("zemblo::TKXCtl_Box" gives "Box").
std::string KXTypeName(std::string_view className);

}  // namespace zemblo
