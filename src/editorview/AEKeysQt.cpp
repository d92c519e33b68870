#include "editorview/AEKeysQt.h"

#include <QKeyEvent>
#include <iterator>

#include "platform/qt/AnsiText.h"

namespace zemblo {

namespace {

struct TKeyCode {
  int QtKey;
  uint16_t VirtualKey;
};

// Keys whose Qt code differs from their virtual key code. Letters and digits share theirs
// (Qt::Key_A is 'A', Qt::Key_0 is '0'), and the function keys run in one block.
constexpr TKeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},   {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},       {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},     {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},      {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},      {Qt::Key_Print, 44},    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    {Qt::Key_Menu, 93},      {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Equal, 187},  {Qt::Key_Comma, 188},   {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},   {Qt::Key_Slash, 191},   {Qt::Key_QuoteLeft, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220}, {Qt::Key_BracketRight, 221}, {Qt::Key_Apostrophe, 222},
};

constexpr uint16_t kVkF1 = 112;

}  // namespace

uint16_t VirtualKeyOf(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return static_cast<uint16_t>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<uint16_t>(kVkF1 + (qtKey - Qt::Key_F1));
  for (const TKeyCode& k : kKeyCodes)
    if (k.QtKey == qtKey) return k.VirtualKey;
  return 0;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

std::string TypedCharacters(const QKeyEvent& event) {
  const bool alt = event.modifiers() & Qt::AltModifier;
  const bool ctrl = event.modifiers() & Qt::ControlModifier;
  // Ctrl with Alt is AltGr on the keyboards that have it: it types characters.
  if (alt && !ctrl) return {};
  std::string bytes = ToAnsi(event.text());
  if (ctrl && !alt) {
    std::string controls;
    for (char c : bytes)
      if (static_cast<unsigned char>(c) < 32) controls += c;
    return controls;
  }
  return bytes;
}

}  // namespace zemblo
