// The PHP source editor's files: which are coloured, what a failed load leaves, how the text
// is written back, and the re-colouring after every change.
#include <QApplication>
#include <QTest>

#include "EditorWidgetFixture.h"
#include "TestUtil.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"

namespace zemblo::test {
namespace {

class MegaEditorFiles : public EditorWidgetTest {
 protected:
  TTempDir dir;
};

TEST_F(MegaEditorFiles, ExtensionChoosesTheColouring) {
  struct {
    const char* name;
    bool coloured;
  } const files[] = {
      {"index.Php", true}, {"lib.INC", true}, {"page.htm", true},    {"page.Html", true}, {"old.php5", true},
      {"old.PHP4", true},  {"notes.txt", false}, {"php", false}, {"a.php.bak", false},
  };
  for (const auto& f : files) {
    WriteAll(dir / f.name, "<?php $a; ?>");
    editor->LoadFile(dir / f.name);
    EXPECT_EQ(editor->Highlighter() != nullptr, f.coloured) << f.name;
    EXPECT_EQ(static_cast<bool>(E().OnHighlightLine), f.coloured) << f.name;
    EXPECT_EQ(editor->FileName(), dir / f.name);
  }
}

// A file that cannot be read: the error reaches the caller, the editor is left empty with no
// colouring and no file, so a save right after writes nothing.
TEST_F(MegaEditorFiles, FailedLoadLeavesNoFile) {
  WriteAll(dir / "a.php", "<?php\r\necho 1;");
  editor->LoadFile(dir / "a.php");
  EXPECT_THROW(editor->LoadFile(dir / "missing.php"), EInOutError);
  EXPECT_EQ(editor->FileName(), "");
  EXPECT_FALSE(editor->HasFile());
  EXPECT_EQ(editor->Highlighter(), nullptr);
  EXPECT_FALSE(E().OnHighlightLine);
  EXPECT_EQ(Text(), "");
  editor->SaveFile();
  EXPECT_FALSE(FileExists(dir / "missing.php"));
  EXPECT_EQ(ReadAll(dir / "a.php"), "<?php\r\necho 1;");

  editor->LoadFile(dir / "a.php");
  editor->ShowMessageLine("File not found");
  EXPECT_EQ(Text(), "File not found\r\n");
  EXPECT_FALSE(editor->HasFile());
  editor->SaveFile();
  EXPECT_EQ(ReadAll(dir / "a.php"), "<?php\r\necho 1;");
}

TEST_F(MegaEditorFiles, SaveWritesLineBreaksBetweenLinesOnly) {
  struct {
    const char* loaded;
    const char* saved;
  } const cases[] = {
      {"a\r\nb", "a\r\nb"},
      {"a\r\nb\r\n", "a\r\nb"},
      {"a\r\nb\r\n\r\n", "a\r\nb\r\n"},
      {"\xE9t\xE9\r\n\x80", "\xE9t\xE9\r\n\x80"},
  };
  for (const auto& c : cases) {
    WriteAll(dir / "s.php", c.loaded);
    editor->LoadFile(dir / "s.php");
    editor->SaveFile();
    EXPECT_EQ(ReadAll(dir / "s.php"), c.saved) << c.loaded;
  }
  // Typed text is written too, changed or not.
  QTest::keyClicks(editor, "z");
  editor->SaveFile();
  EXPECT_EQ(ReadAll(dir / "s.php"), "z\xE9t\xE9\r\n\x80");
}

// The old file survives a save that fails half-way.
TEST_F(MegaEditorFiles, FailedSaveKeepsTheOldFile) {
  WriteAll(dir / "k.php", "old");
  editor->LoadFile(dir / "k.php");
  QTest::keyClicks(editor, "new ");
  SetSafeWriteFailureAfter(0);
  EXPECT_THROW(editor->SaveFile(), EInOutError);
  SetSafeWriteFailureAfter(-1);
  EXPECT_EQ(ReadAll(dir / "k.php"), "old");
}

// A new file starts at the top with its own colouring: nothing of the previous file's caret,
// view or line states carries over.
TEST_F(MegaEditorFiles, SecondLoadStartsFresh) {
  std::string longText = "<?php /*\r\n";
  for (int i = 0; i < 200; ++i) longText += "$v" + std::to_string(i) + " = 1;\r\n";
  WriteAll(dir / "long.php", longText);
  WriteAll(dir / "short.php", "<?php $a = 1;\r\n$b = 2;");
  editor->LoadFile(dir / "long.php");
  editor->MoveCaret(3, 150);
  QApplication::processEvents();
  ASSERT_GT(editor->TopRow(), 0);
  editor->LoadFile(dir / "short.php");
  EXPECT_NE(editor->Highlighter(), nullptr);
  EXPECT_EQ(editor->CaretX(), 0);
  EXPECT_EQ(editor->CaretY(), 0);
  EXPECT_EQ(editor->TopRow(), 0);
  // The second line is code, not the rest of the first file's open comment.
  other->setFocus();
  EXPECT_TRUE(CellHas(Grab(), E(), 0, 1, QColor(128, 0, 128)));
  // Typing goes where the caret shows, without padding the text down to the old row.
  editor->setFocus();
  QTest::keyClicks(editor, "x");
  EXPECT_EQ(E().Lines().Count(), 2);
}

// After every change every line is flagged; a paint colours the visible ones only, and the
// colours of lines below a change follow it.
TEST_F(MegaEditorFiles, ChangeRecoloursWhatFollows) {
  std::string text = "<?php\r\n";
  for (int i = 0; i < 100; ++i) text += "$v" + std::to_string(i) + " = 1;\r\n";
  WriteAll(dir / "c.php", text);
  editor->LoadFile(dir / "c.php");
  other->setFocus();
  const QColor variable(128, 0, 128), comment(128, 128, 128);
  ASSERT_TRUE(CellHas(Grab(), E(), 0, 3, variable));
  editor->MoveCaret(5, 0);
  editor->setFocus();
  QTest::keyClicks(editor, " /*");
  for (int line : {0, 50, 99}) EXPECT_TRUE(E().Lines().Paragraph(line).NeedsHighlight) << line;
  other->setFocus();
  const QImage img = Grab();
  EXPECT_TRUE(CellHas(img, E(), 0, 3, comment));
  EXPECT_FALSE(CellHas(img, E(), 0, 3, variable));
  EXPECT_FALSE(E().Lines().Paragraph(3).NeedsHighlight);
  EXPECT_TRUE(E().Lines().Paragraph(99).NeedsHighlight);
}

TEST_F(MegaEditorFiles, StyleOfTheSourcePage) {
  EXPECT_EQ(editor->Color(), RGB(192, 192, 192));
  EXPECT_TRUE(editor->EditorFont().bold());
  EXPECT_EQ(editor->EditorFont().pointSize(), 12);
  EXPECT_EQ(editor->EditorFont().family(), QStringLiteral("Courier New"));
  EXPECT_EQ(editor->BorderStyle(), TBorderStyle::None);
  EXPECT_EQ(E().GutterWidth(), 20);
  EXPECT_EQ(E().TextLeft(), 22);
  EXPECT_EQ(E().SelectionColor, RGB(153, 153, 153));
  // Every style fits the one cell: the text's own face is bold already.
  EXPECT_GE(E().CharWidth(), 8);
  EXPECT_GE(E().LineHeight(), 14);
}

}  // namespace
}  // namespace zemblo::test
