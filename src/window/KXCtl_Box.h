// The box: a panel with a raised bevel, a centred caption from "text" and, from "bgImage",
// a bitmap of the project's "images\" folder drawn unscaled at its top left corner. Any
// control may be placed inside it.
#pragma once

#include <QFrame>

#include "window/KXCtl.h"
#include "window/KXCtlLogic.h"

namespace zemblo {

class TKXCtl_Box : public QFrame, public TKXControl {
  Q_OBJECT

 public:
  explicit TKXCtl_Box(QWidget* owner = nullptr);
  ~TKXCtl_Box() override;

  // Caption from "text"; the image is read again only when "bgImage" names another file
  // (without regard to case), or when the last attempt found no valid image.
  void RepaintRequest() override;
  // The box always fills its background: with the colour, or with the panel's own.
  void ApplyBackgroundColor(const std::optional<QColor>& color) override;

  const TBitmapData* Image() const { return image_.Image(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TKXImageSlot image_;
};

}  // namespace zemblo
