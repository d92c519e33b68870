// The button: a push button captioned from "text". A click, after Qt's own handling, hands
// the PHP line that calls the window's "onClick" handler to OnEvent.
#pragma once

#include <QPushButton>

#include "window/KXCtl.h"

namespace zemblo {

class TKXCtl_Button : public QPushButton, public TKXControl {
  Q_OBJECT

 public:
  explicit TKXCtl_Button(QWidget* owner = nullptr);
  ~TKXCtl_Button() override;

  void RepaintRequest() override;
  // A button's face is the Button role; it never fills around itself.
  void ApplyBackgroundColor(const std::optional<QColor>& color) override;

 private:
  void Clicked();
};

}  // namespace zemblo
