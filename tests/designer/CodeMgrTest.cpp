// The event handler code insertion, on the editor engine without a window: finding a handler,
// writing a new one into the window's class, where the caret and the view end up, and undo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "designer/CodeMgr.h"

using namespace zemblo;
using zemblo::test::TEditorRig;

namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) s += (i ? "\r\n" : "") + lines[i];
  return s;
}

// The whole text as the line store gives it: CR LF after every line.
std::string Text(const std::vector<std::string>& lines) { return Join(lines) + "\r\n"; }

// A comment long enough to wrap into three display rows, so that line and row numbers part.
const std::string kLongLine = "// " + std::string(200, '=');

}  // namespace

TEST(CodeManager, FindLineIgnoresCaseAndTakesTheFirstLineAnywhereInIt) {
  TEditorRig rig(Join({"<?php", "// calls CTL_OK_ONCLICK() below", "class \xC4hnlich extends Win32Wnd{}"}));
  TCodeManager cm(rig.editor);
  EXPECT_EQ(cm.FoundLine(), -1);
  ASSERT_TRUE(cm.FindLine("ctl_ok_onclick()"));
  EXPECT_EQ(cm.FoundLine(), 1);
  EXPECT_EQ(cm.FoundColumn(), 9);
  // Letters beyond ASCII fold by the ANSI code page: a-umlaut finds A-umlaut.
  ASSERT_TRUE(cm.FindLine("class \xE4HNLICH"));
  EXPECT_EQ(cm.FoundLine(), 2);
  EXPECT_FALSE(cm.FindLine("Ctl_Ok_onClick() below and more"));
  EXPECT_EQ(cm.FoundLine(), 2);  // a failed search keeps the last find
}

TEST(CodeManager, AnExistingHandlerGetsTheCaretInItsBodyAndItsLineAtTheTop) {
  std::vector<std::string> src{"<?php"};
  for (int i = 0; i < 30; ++i) src.push_back("// filler " + std::to_string(i));
  src.push_back(kLongLine);
  src.insert(src.end(), {"class NewWnd01 extends Win32Wnd {", "  function ctl_button1_onclick(){",
                         "      $this->Close();", "  }", "}", "?>"});
  for (int i = 0; i < 30; ++i) src.push_back("");  // room below, so the view can put the line on top
  TEditorRig rig(Join(src));
  const std::string before = rig.Lines().GetText();
  TCodeManager cm(rig.editor);
  cm.GoToHandler("NewWnd01", "Ctl_Button1_onClick()");
  const int found = 33;
  EXPECT_EQ(cm.FoundLine(), found);
  EXPECT_EQ(rig.editor.CaretX(), 4);
  EXPECT_EQ(rig.editor.CaretY(), rig.Lines().FirstRow(found + 1));
  EXPECT_EQ(rig.editor.TopRow(), rig.Lines().FirstRow(found));
  EXPECT_NE(rig.Lines().FirstRow(found), found);  // the wrapped comment shifted the rows
  EXPECT_EQ(rig.Lines().GetText(), before);
}

TEST(CodeManager, TheNameMayAlsoStandInACallOrACommentBeforeTheMethod) {
  TEditorRig rig(Join({"<?php", "class W extends Win32Wnd {", "  // see Ctl_Ok_onClick() further down",
                       "  function Ctl_Ok_onClick(){", "  }", "}"}));
  TCodeManager cm(rig.editor);
  cm.GoToHandler("W", "Ctl_Ok_onClick()");
  EXPECT_EQ(rig.editor.CaretY(), 3);
  EXPECT_EQ(rig.editor.CaretX(), 4);
  EXPECT_EQ(rig.Lines().Count(), 6);
}

TEST(CodeManager, ANewHandlerBecomesTheFourLinesAfterTheClassOpens) {
  const std::vector<std::string> method{"  function Ctl_Ok_onClick(){", "      ", "  }", ""};
  struct Case {
    const char* name;
    std::vector<std::string> source;
    int braceLine;                // the method follows this line...
    std::string braceLineAfter;   // ...which then reads so ("" when unchanged)
    std::vector<std::string> rest;  // what follows the method
  };
  const Case cases[] = {
      {"brace on the class line", {"<?php", kLongLine, "class NewWnd01 extends Win32Wnd {", "}", "?>"}, 2, "", {"}", "?>"}},
      // A new window's script closes its class on the same line: the method goes between the
      // braces, never behind them where PHP would take it for a global function.
      {"one-line class of a new window", {"<?php", "", "class NewWnd01 extends Win32Wnd{}", "?>"}, 2,
       "class NewWnd01 extends Win32Wnd{", {"}", "?>"}},
      {"brace on the next line", {"<?php", "class NewWnd01 extends Win32Wnd", "{", "}"}, 2, "", {"}"}},
      {"class line last in the file", {"<?php", "class NewWnd01 extends Win32Wnd {"}, 1, "", {}},
      {"one-line class last in the file", {"class NewWnd01 extends Win32Wnd { }"}, 0, "class NewWnd01 extends Win32Wnd { ",
       {"}"}},
      // "class NewWnd01" is found in "class NewWnd012" first: the first such line wins.
      {"longer name first", {"class NewWnd012 extends Win32Wnd {", "}", "class NewWnd01 extends Win32Wnd {", "}"}, 0, "",
       {"}", "class NewWnd01 extends Win32Wnd {", "}"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TEditorRig rig(Join(c.source));
    TCodeManager cm(rig.editor);
    cm.GoToHandler("NewWnd01", "Ctl_Ok_onClick()");

    std::vector<std::string> want(c.source.begin(), c.source.begin() + c.braceLine + 1);
    if (!c.braceLineAfter.empty()) want.back() = c.braceLineAfter;
    want.insert(want.end(), method.begin(), method.end());
    want.insert(want.end(), c.rest.begin(), c.rest.end());
    EXPECT_EQ(rig.Lines().GetText(), Text(want));
    EXPECT_EQ(rig.editor.CaretX(), 4);
    EXPECT_EQ(rig.editor.CaretY(), rig.Lines().FirstRow(c.braceLine + 2));
  }
}

TEST(CodeManager, WithoutHandlerOrClassNothingChanges) {
  TEditorRig rig(Join({"<?php", "class Other extends Win32Wnd {", "}"}));
  rig.editor.MoveCaret(2, 1);
  const int history = rig.editor.UndoBuffer().Count();
  TCodeManager cm(rig.editor);
  cm.GoToHandler("NewWnd01", "Ctl_Ok_onClick()");
  EXPECT_EQ(rig.Lines().GetText(), Text({"<?php", "class Other extends Win32Wnd {", "}"}));
  EXPECT_EQ(rig.editor.CaretX(), 2);
  EXPECT_EQ(rig.editor.CaretY(), 1);
  EXPECT_EQ(rig.editor.UndoBuffer().Count(), history);
}

TEST(CodeManager, OneUndoOfTheTextTakesTheWholeMethodAwayAndASelectionSurvives) {
  const std::vector<std::string> source{"<?php", "// keep this comment", "class NewWnd01 extends Win32Wnd {", "}", "?>"};
  TEditorRig rig(Join(source));
  // The user left "keep" selected: the insertion, which works like a paste, must not eat it.
  rig.editor.ExtendSelection(3, 1);
  rig.editor.ExtendSelection(7, 1);
  ASSERT_EQ(rig.editor.SelectedText(), "keep");
  TCodeManager cm(rig.editor);
  cm.GoToHandler("NewWnd01", "Ctl_Ok_onClick()");
  EXPECT_EQ(rig.Lines().Get(1), "// keep this comment");
  EXPECT_EQ(rig.Lines().Get(3), "  function Ctl_Ok_onClick(){");

  const std::string inserted = rig.Lines().GetText();
  int undos = 0;
  while (rig.Lines().GetText() == inserted && undos < 10) {
    rig.Undo();
    ++undos;
  }
  EXPECT_EQ(rig.Lines().GetText(), Text(source));
}
