// Shared by the editor widget tests: the PHP source editor in its own top-level window,
// shown and focused under the offscreen platform, with helpers that address cells in pixels.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "editorview/MegaEditor.h"

// Readable colours in failure messages.
inline void PrintTo(const QColor& c, std::ostream* os) {
  *os << "rgb(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}

namespace zemblo::test {

class EditorWidgetTest : public ::testing::Test {
 protected:
  // 100 columns of text and a little more, about 20 rows.
  static constexpr int kWidth = 1060;
  static constexpr int kHeight = 400;

  void SetUp() override;
  void TearDown() override;

  TAdvancedEditor& E() { return editor->Editor(); }
  QWidget* View() { return editor->viewport(); }
  // Replaces the text; the caret goes to the top.
  void SetText(const std::string& text);
  std::string Text() { return E().Lines().GetText(); }

  // Pixel positions of cell (col, row), view-relative: its left edge plus `dx`, and the
  // middle of its height.
  QPoint CellPoint(int col, int row, int dx = 0);
  // The editor as the user sees it now.
  QImage Grab();
  // True when some pixel of the view-relative cell has exactly `color`.
  static bool CellHas(const QImage& image, const TAdvancedEditor& e, int col, int row, const QColor& color);
  // Runs the event loop until `done` holds or `ms` pass.
  static bool WaitFor(const std::function<bool()>& done, int ms = 3000);

  std::unique_ptr<QWidget> window;
  TMegaEditor* editor = nullptr;
  // Something else in the window that could take the focus.
  QWidget* other = nullptr;
  std::string errors;
};

}  // namespace zemblo::test
