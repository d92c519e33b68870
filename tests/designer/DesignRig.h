// The design page as the main window builds it, around a project on disk: one top-level window
// holding the inspector, the design surface and the palette side by side. Mouse and keys go
// through the window handle, so Qt hit-tests and routes them as it does for a user.
#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestUtil.h"
#include "designer/DesignManager.h"
#include "project/KXProject.h"

namespace zemblo::test {

class TDesignRig {
 public:
  // A project "Test" whose resource file holds `resourceXml`, and the definitions and icons
  // below `appPath` (the program folder by default: the files that ship).
  explicit TDesignRig(const std::string& resourceXml, const std::string& appPath = BinDir());
  ~TDesignRig();

  TTempDir dir;
  TKXProject project;
  QWidget host;
  QWidget* pnOI = nullptr;
  QWidget* pnWndDes = nullptr;
  QWidget* pnPal = nullptr;
  std::unique_ptr<TDesignManager> dm;
  // Every (window id, handler) the designer reported.
  std::vector<std::pair<std::string, std::string>> handlers;

  TWindowDesigner& Designer() { return dm->Designer(); }
  TObjectInspector& Inspector() { return dm->Inspector(); }
  TComponentPalette& Palette() { return dm->Palette(); }
  QWindow* Win() { return host.windowHandle(); }

  // The live designed control (or window) whose element has this "id"; null when none.
  QWidget* Live(const std::string& id);
  // The element of the designed window with this "id" (the window's own id included).
  TXMLNode* Element(const std::string& id);
  // Where a point of `w` lies in the host window.
  QPoint At(QWidget* w, QPoint p) { return w->mapTo(&host, p); }

  void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(Win(), b, {}, At(w, p)); }
  void MoveTo(QWidget* w, QPoint p) { QTest::mouseMove(Win(), At(w, p)); }
  void Release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseRelease(Win(), b, {}, At(w, p));
  }
  void Click(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(Win(), b, {}, At(w, p)); }
  void DoubleClick(QWidget* w, QPoint p) { QTest::mouseDClick(Win(), Qt::LeftButton, {}, At(w, p)); }
  // Press at `from` in `w`, move by each step (the total movement since the press), release.
  void Drag(QWidget* w, QPoint from, std::initializer_list<QPoint> steps);
  // Presses row `row` of the palette, moves to `p` in `target`, releases there.
  void DropFromPalette(int row, QWidget* target, QPoint p);
  void Key(Qt::Key key) { QTest::keyClick(Win(), key); }
  void Type(const char* text) {
    for (const char* c = text; *c; ++c) QTest::keyClick(Win(), *c);
  }
  // Runs what was put off until the current event is over (deferred deletes).
  static void Settle();
};

// The XML document of the project's tree as the project saves it.
std::string SavedTree(const TKXProject& project);

}  // namespace zemblo::test
