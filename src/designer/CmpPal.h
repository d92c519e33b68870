// The component palette: one row per control type with its icon and name. Pressing a row picks
// the type up as a live preview of that control, built from its component definition, that
// floats beside the cursor; releasing the button drops it, and the designer adds the control
// under the cursor.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "window/KXCtls.h"
#include "window/XML.h"

namespace zemblo {

class TComponentPalette : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 32;
  static constexpr int kColumnWidth = 300;
  static constexpr int kIconSize = 24;
  // The preview's bottom left corner hangs this far left of and below the cursor; a drop
  // point minus (5, 20) is then where the top left corner of a preview 25 pixels high was.
  static constexpr int kPreviewOffset = 5;

  // Reads the definitions "cmps" + PathDelim + "props.xml" below `appPath` (the program
  // folder, ending in PathDelim) once; the icons "cmps" + PathDelim + type + ".bmp" are read
  // at every drawing of their row.
  explicit TComponentPalette(const std::string& appPath, QWidget* parent = nullptr);
  ~TComponentPalette() override;

  // One row each, top to bottom: the factory's order.
  const std::vector<std::string>& TypeNames() const { return typeNames_; }
  int CurrentRow() const { return currentRow_; }
  QRect RowRect(int row) const { return QRect(0, row * kRowHeight, kColumnWidth, kRowHeight); }
  const TXMLTree& Definitions() const { return definitions_; }

  // The type name of the row last pressed.
  std::string SelectedType;
  // Where (screen coordinates) the release that ended the last drag happened.
  QPoint DropPos() const { return dropPos_; }
  // The floating preview while a drag is in progress, else null.
  QWidget* Preview() const { return preview_.get(); }
  // Called after the preview is gone, so that what lies under the cursor is what the
  // preview covered.
  std::function<void(TComponentPalette&)> OnDrop;

  // The icon of `type` as a row draws it: 24 by 24, cut (never scaled) from the file, with the
  // colour of the file's bottom left pixel left out. A null image when the file is missing or
  // is not a bitmap.
  QImage LoadIcon(const std::string& type) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void StartDrag(const std::string& type, QPoint globalPos);
  void FollowCursor(QPoint globalPos);

  std::string appPath_;
  std::vector<std::string> typeNames_;
  TXMLTree definitions_;
  TKXControls factory_;  // without callbacks: a preview reads no project files
  std::unique_ptr<QWidget> preview_;
  int currentRow_ = 0;
  QPoint dropPos_;
};

}  // namespace zemblo
