// The designer page's splitters, whose handles show three dotted ridges as grips.
#pragma once

#include <QSplitter>
#include <QSplitterHandle>

namespace zemblo {

class TGripHandle : public QSplitterHandle {
  Q_OBJECT
 public:
  using QSplitterHandle::QSplitterHandle;

 protected:
  // For each of three columns i and j from -9 to 9, at y = height / 2 + 4j: a white dot at
  // x = 3i + 2 and a grey one at (3i + 3, y + 1).
  void paintEvent(QPaintEvent* event) override;
};

class TGripSplitter : public QSplitter {
  Q_OBJECT
 public:
  using QSplitter::QSplitter;

 protected:
  QSplitterHandle* createHandle() override { return new TGripHandle(orientation(), this); }
};

}  // namespace zemblo
