// Key bindings: a key with its exact shift state maps to an editor command.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/AECmd.h"

namespace zemblo {

// The shift state of a key or mouse event, compared as a whole.
using TShiftState = uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;

// Virtual key codes of the keys the default table binds.
inline constexpr uint16_t VK_BACK = 8;
inline constexpr uint16_t VK_TAB = 9;
inline constexpr uint16_t VK_RETURN = 13;
inline constexpr uint16_t VK_PRIOR = 33;
inline constexpr uint16_t VK_NEXT = 34;
inline constexpr uint16_t VK_END = 35;
inline constexpr uint16_t VK_HOME = 36;
inline constexpr uint16_t VK_LEFT = 37;
inline constexpr uint16_t VK_UP = 38;
inline constexpr uint16_t VK_RIGHT = 39;
inline constexpr uint16_t VK_DOWN = 40;
inline constexpr uint16_t VK_INSERT = 45;
inline constexpr uint16_t VK_DELETE = 46;

struct TEditKey {
  uint16_t Key = 0;
  TShiftState Shift = 0;  // only Shift, Alt and Ctrl are ever bound
  TEditCommand Command = 0;
  bool operator==(const TEditKey&) const = default;
};

class TKeyboard {
 public:
  void AddBinding(TEditCommand command, uint16_t key, TShiftState shift);
  void ClearBindings() { Bindings.clear(); }
  // The command of the first binding, in table order, whose key and whole shift state
  // match; 0 when none does.
  TEditCommand Lookup(uint16_t key, TShiftState shift) const;
  void LoadDefaults();

  std::vector<TEditKey> Bindings;
};

// The 46 default bindings, in their order.
extern const std::vector<TEditKey> kDefaultKeyBindings;

}  // namespace zemblo
