#include "editor/AESB.h"

#include <algorithm>

namespace zemblo {

int TAdvEditScrollBar::Clamp(int p) const {
  if (p > std::max(0, Max - LargeChange)) p = Max - LargeChange;
  if (p < Min) p = Min;
  return p;
}

void TAdvEditScrollBar::ApplyInfo() {
  if (Window) Window->SetScrollBar(Kind, Min, Max, PageSize, Position);
}

void TAdvEditScrollBar::SetParam(TScrollParam which, int value) {
  switch (which) {
    case TScrollParam::Min: Min = value; break;
    case TScrollParam::Max: Max = value; break;
    case TScrollParam::Position: Position = value; break;
    case TScrollParam::PageSize: PageSize = value; break;
  }
  Position = Clamp(Position);
  ApplyInfo();
}

void TAdvEditScrollBar::HandleScroll(int code) {
  int p = Position;
  switch (code) {
    case scLineUp: p = Position - SmallChange; break;
    case scLineDown: p = Position + SmallChange; break;
    case scPageUp: p = Position - LargeChange; break;
    case scPageDown: p = Position + LargeChange; break;
    case scThumbPosition:
    case scThumbTrack: p = Window ? Window->ScrollTrackPos(Kind) : Position; break;
    case scTop: p = Min; break;
    case scBottom: p = Max; break;
    default: p = Position; break;
  }
  p = Clamp(p);
  if (OnScroll) OnScroll(*this, code, p);
  SetParam(TScrollParam::Position, p);
}

void TAdvEditScrollBar::SetScrollRange(int extent, int visible) {
  if (extent == CachedExtent) return;
  extent = std::max(extent, 1);
  CachedExtent = extent;
  if (visible < extent) {
    SetParam(TScrollParam::Max, extent - 1);
    SetParam(TScrollParam::Min, 0);
  } else {
    SetParam(TScrollParam::Min, 0);
    SetParam(TScrollParam::Max, 0);
  }
  LargeChange = std::max(visible - 1, 0);
  SetParam(TScrollParam::PageSize, visible);
}

}  // namespace zemblo
