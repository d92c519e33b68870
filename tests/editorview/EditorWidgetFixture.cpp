#include "EditorWidgetFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

namespace zemblo::test {

void EditorWidgetTest::SetUp() {
  // A caret that does not blink is in every grabbed image.
  QApplication::setCursorFlashTime(0);
  window = std::make_unique<QWidget>();
  window->resize(kWidth, kHeight + 40);
  editor = new TMegaEditor(window.get());
  editor->ApplyStyle();
  editor->setGeometry(0, 0, kWidth, kHeight);
  editor->OnError = [this](const std::string& m) { errors += m + "\n"; };
  other = new QLineEdit(window.get());
  other->setGeometry(0, kHeight + 5, 200, 30);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QApplication::setActiveWindow(window.get());
  editor->setFocus();
  ASSERT_TRUE(WaitFor([this] { return editor->hasFocus(); }));
}

void EditorWidgetTest::TearDown() {
  EXPECT_EQ(errors, "");
  window.reset();
}

void EditorWidgetTest::SetText(const std::string& text) {
  E().Lines().SetText(text);
  editor->SetCaret(0, 0);
  editor->ScrollTo(0, 0);
  QApplication::processEvents();
}

QPoint EditorWidgetTest::CellPoint(int col, int row, int dx) {
  const TPixelRect r = E().CellRect(col, row);
  return QPoint(r.Left + dx, r.Top + E().LineHeight() / 2);
}

QImage EditorWidgetTest::Grab() { return View()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

bool EditorWidgetTest::CellHas(const QImage& image, const TAdvancedEditor& e, int col, int row, const QColor& color) {
  const TPixelRect r = e.CellRect(col, row);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (image.pixelColor(x, y) == color) return true;
  return false;
}

bool EditorWidgetTest::WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QTest::qWait(10);
  }
  return true;
}

}  // namespace zemblo::test
