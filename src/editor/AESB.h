// The model of one window scroll bar: range, page and position with the clamping rule, and
// the reaction to the window's scroll messages. It shows itself through the platform once
// the control's window exists.
#pragma once

#include <functional>

#include "editor/AEPlatform.h"

namespace zemblo {

enum class TScrollParam { Min, Max, Position, PageSize };

// The window's scroll message codes.
enum TScrollCode : int {
  scLineUp = 0,
  scLineDown = 1,
  scPageUp = 2,
  scPageDown = 3,
  scThumbPosition = 4,
  scThumbTrack = 5,
  scTop = 6,
  scBottom = 7,
  scEndScroll = 8,
};

class TAdvEditScrollBar {
 public:
  // Told before a scroll message moves the position; may change the new position.
  using TScrollEvent = std::function<void(TAdvEditScrollBar& bar, int code, int& newPosition)>;

  TScrollBarKind Kind = TScrollBarKind::Horizontal;
  int Position = 0;
  int Min = 0;
  int Max = 0;
  int SmallChange = 1;
  // Step of a page click, and how far Max lies above the highest position; never negative.
  int LargeChange = 1;
  int PageSize = 1;
  // The platform of the control's window, set once the window exists; not owned.
  IAdvEditPlatform* Window = nullptr;
  TScrollEvent OnScroll;
  // The extent last given to SetScrollRange; -1 when forgotten.
  int CachedExtent = -1;

  // The highest position leaves the last page (LargeChange + 1 units) in view.
  int Clamp(int p) const;
  void ApplyInfo();
  void SetParam(TScrollParam which, int value);
  void HandleScroll(int code);
  // Range for `extent` units of which `visible` fit; does nothing when the extent is the
  // cached one.
  void SetScrollRange(int extent, int visible);
};

}  // namespace zemblo
