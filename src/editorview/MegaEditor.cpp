#include "editorview/MegaEditor.h"

#include "platform/Paths.h"
#include "platform/Stream.h"
#include "platform/Text.h"

namespace zemblo {

namespace {

// The engine of the PHP source editor: after every text change every line is flagged for
// colouring, because the scanner's state runs on from line to line. Only the lines then
// drawn are coloured, and the highlighter's stored line states keep that to one scan each.
class TMegaEngine : public TAdvancedEditor {
 public:
  void Change() override {
    TAdvancedEditor::Change();
    RehighlightAll();
  }
};

const char* const kHighlightedExtensions[] = {".PHP", ".INC", ".HTM", ".HTML", ".PHP5", ".PHP4"};

}  // namespace

TMegaEditor::TMegaEditor(QWidget* parent)
    : TAdvEditQt(parent, std::make_unique<TMegaEngine>()),
      source_(std::make_unique<TLineSourceOf<TAdvLines>>(Lines())) {}

TMegaEditor::~TMegaEditor() { DropHighlighter(); }

void TMegaEditor::ApplyStyle() {
  SetColor(RGB(192, 192, 192));
  QFont font(QStringLiteral("Courier New"));
  font.setPointSize(12);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setBold(true);
  SetEditorFont(font, RGB(0, 0, 0));
  TAdvancedEditor& e = Editor();
  e.SelectionColor = RGB(153, 153, 153);
  e.SelectionTextColor = RGB(0, 0, 0);
  e.SetRightMarginColor(RGB(128, 128, 128));
  SetBorderStyle(TBorderStyle::None);
  e.SetGutterWidth(20);
  e.SetGutterColor(RGB(192, 192, 192));
}

bool TMegaEditor::IsHighlightedFile(const std::string& path) {
  const std::string ext = ExtractFileExt(path);
  for (const char* e : kHighlightedExtensions)
    if (SameText(ext, e)) return true;
  return false;
}

void TMegaEditor::DropHighlighter() {
  AttachHighlighter(false);
  highlighter_.reset();
}

void TMegaEditor::LoadFile(const std::string& path) {
  fileName_.clear();
  DropHighlighter();
  TAdvancedEditor& e = Editor();
  Lines().Clear();
  e.RehighlightAll();
  // The caret and the view of the previous file mean nothing in this one; a caret left
  // below the new text would have the next key pad the text with empty lines up to it.
  e.SetCaret(0, 0);
  e.ScrollTo(0, 0);
  Lines().LoadFromFile(path);
  if (IsHighlightedFile(path)) {
    highlighter_ = std::make_unique<TPHPHighLight>(*source_);
    AttachHighlighter(true);
  }
  if (highlighter_) highlighter_->Reset();
  fileName_ = path;
}

void TMegaEditor::SaveFile() {
  if (fileName_.empty()) return;
  const TAdvLines& lines = Lines();
  std::string bytes;
  bytes.reserve(static_cast<size_t>(lines.TextLength()));
  for (int i = 0; i < lines.Count(); ++i) {
    if (i > 0) bytes += "\r\n";
    bytes += lines.LineView(i);
  }
  TSafeFileStream f(fileName_);
  f.WriteString(bytes);
  f.Commit();
}

void TMegaEditor::AttachHighlighter(bool on) {
  if (on && highlighter_)
    Editor().OnHighlightLine = highlighter_->Hook();
  else if (!on)
    Editor().OnHighlightLine = nullptr;
}

void TMegaEditor::ShowMessageLine(const std::string& text) {
  fileName_.clear();
  DropHighlighter();
  Lines().SetText(text);
  Editor().RehighlightAll();
}

}  // namespace zemblo
