// Key bindings: the default table, exact shift matching, and how a bound key swallows the
// character message that follows it.
#include <gtest/gtest.h>

#include "FakePlatform.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

TEST(EditorKeys, DefaultTableHasItsBindingsInOrder) {
  TKeyboard k;
  k.LoadDefaults();
  ASSERT_EQ(k.Bindings.size(), 46u);
  EXPECT_EQ(k.Bindings.front(), (TEditKey{VK_LEFT, 0, cmdLeft}));
  EXPECT_EQ(k.Bindings.back(), (TEditKey{'Y', ssCtrl, cmdDeleteLine}));
  k.LoadDefaults();  // loading again starts afresh
  EXPECT_EQ(k.Bindings.size(), 46u);
}

TEST(EditorKeys, LookupMatchesTheWholeShiftState) {
  TKeyboard k;
  k.LoadDefaults();
  struct Case {
    uint16_t key;
    TShiftState shift;
    TEditCommand cmd;
  };
  const Case cases[] = {
      {VK_LEFT, ssCtrl, cmdWordLeft},
      {VK_LEFT, ssCtrl | ssShift, cmdSelWordLeft},
      {VK_HOME, ssCtrl, cmdEditorTop},
      {VK_PRIOR, ssCtrl, cmdEditorTop},
      {VK_END, ssCtrl | ssShift, cmdSelEditorBottom},
      {VK_PRIOR, ssCtrl | ssShift, 0},
      {VK_TAB, ssShift, 0},
      {'A', ssCtrl, 0},
      {VK_DELETE, ssShift, cmdCut},
      {VK_DELETE, ssCtrl, cmdCut},
      {VK_INSERT, ssCtrl, cmdCopy},
      {VK_INSERT, ssShift, cmdPaste},
      {VK_BACK, ssAlt, cmdUndo},
      {VK_LEFT, ssAlt, 0},
      {VK_LEFT, ssLeft, 0},  // a mouse button held counts too
      {VK_RETURN, 0, cmdLineBreak},
      {'N', ssCtrl, cmdLineBreak},
  };
  for (const Case& c : cases) EXPECT_EQ(k.Lookup(c.key, c.shift), c.cmd) << "key " << c.key << " shift " << int(c.shift);
}

TEST(EditorKeys, ABoundKeySwallowsItsCharacterAndALetterIsTyped) {
  TEditorRig rig("ab\r\n");
  uint16_t key = VK_TAB;
  EXPECT_TRUE(rig.editor.KeyDown(key, 0));
  EXPECT_EQ(key, 0);
  rig.editor.KeyPress('\t');  // swallowed
  EXPECT_EQ(rig.Text(), "    ab");
  key = 'Q';
  EXPECT_FALSE(rig.editor.KeyDown(key, ssShift));
  rig.editor.KeyPress('Q');
  EXPECT_EQ(rig.Text(), "    Qab");
  key = VK_TAB;
  EXPECT_FALSE(rig.editor.KeyDown(key, ssShift));  // Shift+Tab is unbound
  rig.editor.KeyPress('\t');                        // and a control character inserts nothing
  EXPECT_EQ(rig.Text(), "    Qab");
}
