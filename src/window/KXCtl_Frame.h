// The frame: a group box titled from "text"; any control may be placed inside it.
#pragma once

#include <QGroupBox>

#include "window/KXCtl.h"

namespace zemblo {

class TKXCtl_Frame : public QGroupBox, public TKXControl {
  Q_OBJECT

 public:
  explicit TKXCtl_Frame(QWidget* owner = nullptr);
  ~TKXCtl_Frame() override;

  void RepaintRequest() override;
};

}  // namespace zemblo
