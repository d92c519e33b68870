#include "designer/CodeMgr.h"

#include <algorithm>

#include "editor/AdvEdit.h"
#include "platform/Text.h"

namespace zemblo {

namespace {

// Where the new method goes. Whatever the case, the method ends up as the four lines right
// after BraceLine, so the caret and the view are placed the same way for all of them.
enum class TInsertKind {
  NextLine,      // at column 0 of the line after BraceLine
  LineEnd,       // BraceLine is the last line: behind its end, starting with a line break
  InsideBraces,  // the class closes on BraceLine ("{}"): between the two braces
};

struct TInsertPlace {
  int BraceLine = 0;
  TInsertKind Kind = TInsertKind::NextLine;
  int CharIndex = 0;  // in BraceLine, for InsideBraces
};

size_t SkipBlanks(std::string_view s, size_t from) {
  while (from < s.size() && (s[from] == ' ' || s[from] == '\t')) ++from;
  return from;
}

// The class line is `classLine`; its name ends at `nameEnd`. A method written after a line
// that does not open the class body would land outside the class: before a brace that stands
// on the next line, or behind the closing brace of a class written on one line (the script of
// every new window reads "class NewWnd01 extends Win32Wnd{}"). PHP would then take it for a
// global function, which the window's events never call. So the method goes behind the
// opening brace, wherever that stands; with no brace in sight, right after the class line.
TInsertPlace FindInsertPlace(const TAdvLines& lines, int classLine, size_t nameEnd) {
  TInsertPlace place{classLine, TInsertKind::NextLine, 0};
  std::string_view text = lines.LineView(classLine);
  size_t brace = text.find('{', std::min(nameEnd, text.size()));
  if (brace == std::string_view::npos && classLine + 1 < lines.Count()) {
    std::string_view next = lines.LineView(classLine + 1);
    size_t first = SkipBlanks(next, 0);
    if (first < next.size() && next[first] == '{') {
      place.BraceLine = classLine + 1;
      text = next;
      brace = first;
    }
  }
  if (brace != std::string_view::npos) {
    size_t after = SkipBlanks(text, brace + 1);
    if (after < text.size() && text[after] == '}') {
      place.Kind = TInsertKind::InsideBraces;
      place.CharIndex = static_cast<int>(after);
      return place;
    }
  }
  if (place.BraceLine + 1 >= lines.Count()) place.Kind = TInsertKind::LineEnd;
  return place;
}

}  // namespace

bool TCodeManager::FindLine(std::string_view text) {
  const std::string wanted = AnsiUpperCase(text);
  const TAdvLines& lines = editor_.Lines();
  for (int i = 0; i < lines.Count(); ++i) {
    const size_t at = AnsiUpperCase(lines.LineView(i)).find(wanted);
    if (at != std::string::npos) {
      foundLine_ = i;
      foundColumn_ = static_cast<int>(at);
      return true;
    }
  }
  return false;
}

std::string TCodeManager::MethodText(const std::string& handler) {
  return "  function " + handler + "{\r\n" + "      \r\n" + "  }\r\n" + "\r\n";
}

int TCodeManager::RowOfLine(int line) const {
  // FirstRow of the line count is the row total: a line after the last one clamps the caret
  // onto the last row, as moving the caret past the end does.
  return editor_.Lines().FirstRow(std::min(line, editor_.Lines().Count()));
}

void TCodeManager::GoToHandler(const std::string& windowId, const std::string& handler) {
  if (FindLine(handler)) {
    editor_.MoveCaret(4, RowOfLine(foundLine_ + 1));
    editor_.ScrollTo(0, RowOfLine(foundLine_));
    return;
  }
  const std::string classText = "class " + windowId;
  if (!FindLine(classText)) return;
  const int classLine = foundLine_;
  const TInsertPlace place = FindInsertPlace(editor_.Lines(), classLine, foundColumn_ + classText.size());
  const int b = place.BraceLine;

  std::string text = MethodText(handler);
  switch (place.Kind) {
    case TInsertKind::NextLine:
      editor_.MoveCaret(0, RowOfLine(b + 1));
      break;
    case TInsertKind::LineEnd: {
      const TRowCol end = editor_.Lines().LineCharToRowCol(b, editor_.Lines().LineLength(b));
      editor_.MoveCaret(end.Col, end.Row);
      text = "\r\n" + text.substr(0, text.size() - 2);
      break;
    }
    case TInsertKind::InsideBraces: {
      const TRowCol at = editor_.Lines().LineCharToRowCol(b, place.CharIndex);
      editor_.MoveCaret(at.Col, at.Row);
      text = "\r\n" + text;
      break;
    }
  }
  editor_.ScrollTo(0, RowOfLine(classLine));
  // The insertion works like a paste, which first deletes a selection: a selection the user
  // left somewhere in the script must not be replaced by the method.
  editor_.ClearSelection();
  editor_.InsertText(text);
  editor_.MoveCaret(4, RowOfLine(b + 2));
}

}  // namespace zemblo
