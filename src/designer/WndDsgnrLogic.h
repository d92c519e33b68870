// What the window designer writes into a project's window tree, in plain C++ so that it is
// checked without a display. The tree is the only record of a design: the designer changes an
// element at once and rebuilds its live controls from the tree.
#pragma once

#include <memory>
#include <string>

namespace zemblo {

class TXMLNode;

struct TWindowBounds {
  int X = 0, Y = 0, W = 0, H = 0;
  bool operator==(const TWindowBounds&) const = default;
};

// Where a window without a complete position and size is shown (a window the New Window
// command has just made has "w" and "h" but no "x" and "y").
inline constexpr TWindowBounds kFallbackWindowBounds{10, 10, 320, 240};

// "x", "y", "w" and "h" of a WINDOW element; when any of the four is missing or not an
// integer, all four come from the fallback.
TWindowBounds WindowBoundsOf(const TXMLNode& window);

// The palette's preview hangs with its bottom left corner 5 pixels left of and below the
// cursor, so for a preview 25 pixels high the drop point minus this offset is where its top
// left corner was.
inline constexpr int kDropOffsetX = 5;
inline constexpr int kDropOffsetY = 20;

// A new control as dropped from the palette: "type", "x", "y", "w" "70", "h" "25" and
// "text" = type, in this order. The definitions' values never become a new control's
// defaults.
std::unique_ptr<TXMLNode> NewControlElement(const std::string& type, int x, int y);

// A drag: "X" and "Y". SetAttribute keeps the letter case of names the element already has,
// so a control made with "x" and "y" keeps them.
void StoreMove(TXMLNode& element, int x, int y);
// A resize through the handles: "W", "H", "X", "Y", in this order.
void StoreBounds(TXMLNode& element, int x, int y, int w, int h);

// The handler asked for with `eventCaption` ("onClick()"), with its parentheses. The
// element's attribute of the event's name ("onClick") is used unchanged when it is not
// empty; otherwise the name is "Ctl_" + the element's "id" ("Unknown" without one) + "_" +
// the event, and it is stored in the element without its parentheses. Without an element
// (nothing selected) the generated name is only returned.
std::string RequestHandler(TXMLNode* element, const std::string& eventCaption);

}  // namespace zemblo
