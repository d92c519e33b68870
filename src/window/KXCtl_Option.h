// The option (radio) button, captioned from "text". Option buttons with the same container
// exclude each other, as Qt's auto-exclusive radio buttons do.
#pragma once

#include <QRadioButton>

#include "window/KXCtl.h"

namespace zemblo {

class TKXCtl_Option : public QRadioButton, public TKXControl {
  Q_OBJECT

 public:
  explicit TKXCtl_Option(QWidget* owner = nullptr);
  ~TKXCtl_Option() override;

  void RepaintRequest() override;
};

}  // namespace zemblo
