// The PHP source editor: the editor control with one file at a time, coloured by the PHP
// highlighter when the file's type calls for it, written back on request.
#pragma once

#include <memory>
#include <string>

#include "editorview/AdvEditQt.h"
#include "editorview/HiLiPHP.h"
#include "editorview/SyntaxHL.h"

namespace zemblo {

class TMegaEditor : public TAdvEditQt {
  Q_OBJECT
 public:
  explicit TMegaEditor(QWidget* parent = nullptr);
  ~TMegaEditor() override;

  // The look of the source page: grey paper, bold black "Courier New" 12 pt, a gutter.
  void ApplyStyle();
  // Loads `path` and chooses its colouring. A file that cannot be read raises; the editor
  // is then left empty, uncoloured and without a file. The caret and the view start at the
  // top of the new text.
  void LoadFile(const std::string& path);
  // Writes the text to the loaded file, CR LF between lines and none after the last,
  // replacing the file only once all of it is written. Without a file it does nothing.
  void SaveFile();
  void AttachHighlighter(bool on);
  // Shows `text` as the only line, with no file behind it and no colouring (a file that
  // could not be opened), so that nothing is saved over the missing file.
  void ShowMessageLine(const std::string& text);

  // The full path of the loaded file; empty when none is loaded or the last load failed.
  const std::string& FileName() const { return fileName_; }
  bool HasFile() const { return !fileName_.empty(); }
  TPHPHighLight* Highlighter() { return highlighter_.get(); }

  // The extensions, compared without regard to case, of the files that are coloured.
  static bool IsHighlightedFile(const std::string& path);

 private:
  // Drops the hook, then the highlighter: the hook never outlives its target.
  void DropHighlighter();

  // The highlighter reads the lines through this; it outlives the highlighter.
  std::unique_ptr<TLineSourceOf<TAdvLines>> source_;
  std::unique_ptr<TPHPHighLight> highlighter_;
  std::string fileName_;
};

}  // namespace zemblo
