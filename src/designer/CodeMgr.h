// Finds an event handler in a window's PHP script, or writes an empty one into the window's
// class, through the editor's public operations only, as a user typing would: every change it
// makes is one step of the editor's undo.
#pragma once

#include <string>
#include <string_view>

namespace zemblo {

class TAdvancedEditor;

class TCodeManager {
 public:
  // Made for one request and dropped after it; the editor is not owned.
  explicit TCodeManager(TAdvancedEditor& editor) : editor_(editor) {}

  // The first source line containing `text` anywhere, letter case ignored (the ANSI code
  // page's mapping). Sets FoundLine and FoundColumn when it answers true.
  bool FindLine(std::string_view text);
  // Source line (not display row) and char index of the last successful FindLine; -1 before.
  int FoundLine() const { return foundLine_; }
  int FoundColumn() const { return foundColumn_; }

  // `handler` comes with its parentheses ("Ctl_Ok_onClick()"). An existing handler: the
  // caret goes to column 4 of the line after the first line naming it, and that line is
  // scrolled to the top. Otherwise, when a line names "class " + windowId, an empty method
  // is inserted as the four lines right after the class's opening brace and the caret goes
  // into its body. Neither: nothing changes.
  void GoToHandler(const std::string& windowId, const std::string& handler);

  // The method text inserted for `handler`: header, a body line of six blanks, the closing
  // brace and an empty line, each ended by CR LF.
  static std::string MethodText(const std::string& handler);

 private:
  int RowOfLine(int line) const;

  TAdvancedEditor& editor_;
  int foundLine_ = -1;
  int foundColumn_ = -1;
};

}  // namespace zemblo
