// Cut, copy and paste through the application's clipboard, by keys and by the posted
// requests of menus, with the text crossing as Windows-1252 bytes.
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "EditorWidgetFixture.h"

namespace zemblo::test {
namespace {

using EditorClipboard = EditorWidgetTest;

TEST_F(EditorClipboard, KeysCutCopyAndPaste) {
  SetText("abc\r\ndef");
  QApplication::clipboard()->clear();
  editor->MoveCaret(1, 0);
  QTest::keyClick(editor, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("bc\r\nd"));
  QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Text(), "aef\r\n");
  QTest::keyClick(editor, Qt::Key_End);
  QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), "aefbc\r\nd\r\n");
  EXPECT_EQ(editor->CaretY(), 1);
  EXPECT_EQ(editor->CaretX(), 1);
}

// The requests post their commands: nothing happens until the event loop runs them.
TEST_F(EditorClipboard, RequestsRunAfterTheyReturn) {
  SetText("one two");
  E().ExtendSelection(0, 0);
  E().ExtendSelection(3, 0);
  QApplication::clipboard()->setText(QStringLiteral("before"));
  editor->Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  QApplication::processEvents();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one"));
  editor->Cut();
  QApplication::processEvents();
  EXPECT_EQ(Text(), " two\r\n");
  // A cut with nothing selected still runs, and changes nothing.
  editor->Cut();
  QApplication::processEvents();
  EXPECT_EQ(Text(), " two\r\n");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one"));
  // Text from elsewhere: a character of Windows-1252 arrives as its byte, line feeds as
  // line breaks.
  QApplication::clipboard()->setText(QString::fromUtf8("\xE2\x82\xAC" "1\nx"));
  editor->Paste();
  QApplication::processEvents();
  EXPECT_EQ(Text(), "\x80" "1\r\nx two\r\n");
}

}  // namespace
}  // namespace zemblo::test
