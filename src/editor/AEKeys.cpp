#include "editor/AEKeys.h"

namespace zemblo {

const std::vector<TEditKey> kDefaultKeyBindings = {
    {VK_LEFT, 0, cmdLeft},
    {VK_RIGHT, 0, cmdRight},
    {VK_UP, 0, cmdUp},
    {VK_DOWN, 0, cmdDown},
    {VK_LEFT, ssShift, cmdSelLeft},
    {VK_RIGHT, ssShift, cmdSelRight},
    {VK_UP, ssShift, cmdSelUp},
    {VK_DOWN, ssShift, cmdSelDown},
    {VK_HOME, 0, cmdLineStart},
    {VK_HOME, ssShift, cmdSelLineStart},
    {VK_HOME, ssCtrl | ssShift, cmdSelEditorTop},
    {VK_END, 0, cmdLineEnd},
    {VK_END, ssShift, cmdSelLineEnd},
    {VK_END, ssCtrl | ssShift, cmdSelEditorBottom},
    {VK_LEFT, ssCtrl, cmdWordLeft},
    {VK_RIGHT, ssCtrl, cmdWordRight},
    {VK_LEFT, ssCtrl | ssShift, cmdSelWordLeft},
    {VK_RIGHT, ssCtrl | ssShift, cmdSelWordRight},
    {VK_PRIOR, ssCtrl, cmdEditorTop},
    {VK_NEXT, ssCtrl, cmdEditorBottom},
    {VK_HOME, ssCtrl, cmdEditorTop},
    {VK_END, ssCtrl, cmdEditorBottom},
    {VK_PRIOR, 0, cmdPageUp},
    {VK_NEXT, 0, cmdPageDown},
    {VK_PRIOR, ssShift, cmdSelPageUp},
    {VK_NEXT, ssShift, cmdSelPageDown},
    {VK_UP, ssCtrl, cmdScrollUp},
    {VK_DOWN, ssCtrl, cmdScrollDown},
    {VK_INSERT, 0, cmdToggleMode},
    {VK_RETURN, 0, cmdLineBreak},
    {VK_BACK, 0, cmdBackspace},
    {VK_BACK, ssCtrl, cmdDeleteWordLeft},
    {VK_DELETE, 0, cmdDelete},
    {VK_TAB, 0, cmdTab},
    {VK_DELETE, ssCtrl, cmdCut},
    {VK_INSERT, ssCtrl, cmdCopy},
    {VK_DELETE, ssShift, cmdCut},
    {VK_INSERT, ssShift, cmdPaste},
    {'C', ssCtrl, cmdCopy},
    {'X', ssCtrl, cmdCut},
    {'V', ssCtrl, cmdPaste},
    {'Z', ssCtrl, cmdUndo},
    {VK_BACK, ssAlt, cmdUndo},
    {'T', ssCtrl, cmdDeleteWord},
    {'N', ssCtrl, cmdLineBreak},
    {'Y', ssCtrl, cmdDeleteLine},
};

void TKeyboard::AddBinding(TEditCommand command, uint16_t key, TShiftState shift) {
  Bindings.push_back({key, shift, command});
}

TEditCommand TKeyboard::Lookup(uint16_t key, TShiftState shift) const {
  for (const TEditKey& b : Bindings)
    if (b.Key == key && b.Shift == shift) return b.Command;
  return 0;
}

void TKeyboard::LoadDefaults() {
  ClearBindings();
  for (const TEditKey& b : kDefaultKeyBindings) AddBinding(b.Command, b.Key, b.Shift);
}

}  // namespace zemblo
