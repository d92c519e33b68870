// Keys as the user types them into the editor widget: characters through the character path,
// bound keys through the key table, and the keys the window serves before the editor.
#include <QAction>
#include <QApplication>
#include <QTest>

#include "EditorWidgetFixture.h"
#include "editorview/AEKeysQt.h"

namespace zemblo::test {
namespace {

using EditorKeys = EditorWidgetTest;

TEST_F(EditorKeys, TypedCharactersAndBoundKeysChangeTextAndCaret) {
  SetText("");
  QTest::keyClicks(editor, "ab$c");
  EXPECT_EQ(Text(), "ab$c\r\n");
  EXPECT_EQ(editor->CaretX(), 4);
  QTest::keyClick(editor, Qt::Key_Left);
  QTest::keyClick(editor, Qt::Key_Backspace);
  EXPECT_EQ(Text(), "abc\r\n");
  EXPECT_EQ(editor->CaretX(), 2);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(Text(), "ab\r\nc\r\n");
  EXPECT_EQ(editor->CaretY(), 1);
  EXPECT_EQ(editor->CaretX(), 0);
  // A character outside plain ASCII arrives as its Windows-1252 byte.
  QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString::fromUtf8("\xE2\x82\xAC"), Qt::NoModifier);
  EXPECT_EQ(E().Lines().Get(1), "\x80" "c");
}

// Tab runs its binding and the tab character that comes with it is swallowed; the focus
// stays in the editor although another control could take it.
TEST_F(EditorKeys, TabStaysInTheEditorAndInsertsOnce) {
  SetText("x");
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_TRUE(editor->hasFocus());
  EXPECT_EQ(E().Lines().Get(0).find('\t'), std::string::npos);
  const std::string line = E().Lines().Get(0);
  EXPECT_EQ(line.substr(line.size() - 1), "x");
  EXPECT_GT(editor->CaretX(), 0);
  const std::string afterTab = Text();
  QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Text(), afterTab);
  EXPECT_TRUE(editor->hasFocus());
}

TEST_F(EditorKeys, AltBackspaceUndoesAndTypesNothing) {
  SetText("");
  QTest::keyClicks(editor, "abc");
  QTest::keyClick(editor, Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(Text(), "\r\n");
  // Alt with a letter is a system character: nothing is typed.
  const std::string before = Text();
  QTest::keyClick(editor, Qt::Key_Q, Qt::AltModifier);
  EXPECT_EQ(Text(), before);
}

// The main window's action shortcuts are served first, also for a key the editor binds
// itself (Ctrl+N is a line break in the editor's table).
TEST_F(EditorKeys, WindowShortcutsComeBeforeTheEditorsBindings) {
  SetText("ab");
  int fired = 0;
  auto* action = new QAction(window.get());
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  action->setShortcutContext(Qt::WindowShortcut);
  window->addAction(action);
  QObject::connect(action, &QAction::triggered, [&] { ++fired; });
  QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(Text(), "ab\r\n");
  // Without the action the editor's own binding runs.
  delete action;
  QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(E().Lines().Count(), 2);
}

// Keys that ran nothing and typed nothing go on to the parent (Escape in a dialog); keys the
// editor used do not.
TEST_F(EditorKeys, UnusedKeysGoOnToTheParent) {
  struct TCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress) ++presses;
      return false;
    }
  } counter;
  window->installEventFilter(&counter);
  SetText("");
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(counter.presses, 1);
  QTest::keyClick(editor, Qt::Key_A);
  QTest::keyClick(editor, Qt::Key_Left);
  EXPECT_EQ(counter.presses, 1);
  EXPECT_EQ(Text(), "a\r\n");
}

TEST(EditorKeyTranslation, ShiftStateHoldsModifiersAndButtons) {
  EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier, Qt::NoButton), ssShift | ssCtrl);
  EXPECT_EQ(ShiftStateOf(Qt::AltModifier | Qt::KeypadModifier, Qt::LeftButton), ssAlt | ssLeft);
  struct {
    int qt;
    uint16_t vk;
  } const cases[] = {{Qt::Key_A, 'A'}, {Qt::Key_7, '7'}, {Qt::Key_Backtab, VK_TAB}, {Qt::Key_Enter, VK_RETURN},
                     {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_F5, 116}, {Qt::Key_Delete, VK_DELETE},
                     {Qt::Key_unknown, 0}};
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyOf(c.qt), c.vk) << c.qt;
}

// A key pressed while a mouse button is held matches no binding.
TEST_F(EditorKeys, KeyWithMouseButtonHeldRunsNoBinding) {
  SetText("abc");
  editor->SetCaret(2, 0);
  QTest::mousePress(View(), Qt::RightButton, {}, CellPoint(2, 0));
  QTest::keyClick(editor, Qt::Key_Left);
  QTest::mouseRelease(View(), Qt::RightButton, {}, CellPoint(2, 0));
  EXPECT_EQ(editor->CaretX(), 2);
}

}  // namespace
}  // namespace zemblo::test
