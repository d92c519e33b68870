// Writes a picture of the PHP source editor: a sample PHP/HTML page loaded as the IDE loads
// it, coloured by the highlighter, with a selection that spans lines.
//   editorview_shot <sample file> <out.png>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>

#include "TestUtil.h"
#include "editorview/MegaEditor.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: editorview_shot <sample file> <out.png>\n");
    return 2;
  }
  zemblo::test::PrepareTestEnvironment();
  QApplication app(argc, argv);
  zemblo::TMegaEditor editor;
  editor.ApplyStyle();
  editor.resize(900, 600);
  editor.show();
  try {
    editor.LoadFile(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  // From the middle of the function's head to the middle of the line after next.
  editor.MoveCaret(11, 18);
  editor.Editor().ExtendSelection(11, 18);
  editor.Editor().ExtendSelection(20, 20);
  editor.MoveCaret(20, 20);
  editor.setFocus();
  app.processEvents();
  const QImage shot = editor.grab().toImage();
  if (!shot.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
