// Qt's key and mouse reports in the terms of the editor's key table: virtual key codes, the
// shift state as one set of flags, and the characters a key press types.
#pragma once

#include <Qt>
#include <cstdint>
#include <string>

#include "editor/AEKeys.h"

class QKeyEvent;

namespace zemblo {

// The virtual key code of a Qt key; 0 for a key that has none.
uint16_t VirtualKeyOf(int qtKey);

// Shift, Alt and Ctrl plus the mouse buttons held: a key pressed while a button is down
// matches no binding, and a drag counts only with the left button alone.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// The character bytes (Windows-1252) that the key press types into the text, as the window
// system's character message would bring them: with Alt alone held nothing (that is a system
// character, the menu's business); with Ctrl alone only control codes; otherwise the text.
std::string TypedCharacters(const QKeyEvent& event);

}  // namespace zemblo
