// The check box, captioned from "text".
#pragma once

#include <QCheckBox>

#include "window/KXCtl.h"

namespace zemblo {

class TKXCtl_Check : public QCheckBox, public TKXControl {
  Q_OBJECT

 public:
  explicit TKXCtl_Check(QWidget* owner = nullptr);
  ~TKXCtl_Check() override;

  void RepaintRequest() override;
};

}  // namespace zemblo
