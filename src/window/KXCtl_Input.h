// The input: a single-line edit field whose text comes from "text". What the user types
// goes back into the control's "text" property at once, so a later repaint request (say, a
// running program setting the field's colour) keeps the typed text instead of putting the
// loaded one back. The field's background is the Base role, so "bgColor" colours where the
// user types.
#pragma once

#include <QLineEdit>

#include "window/KXCtl.h"

namespace zemblo {

class TKXCtl_Input : public QLineEdit, public TKXControl {
  Q_OBJECT

 public:
  explicit TKXCtl_Input(QWidget* owner = nullptr);
  ~TKXCtl_Input() override;

  void RepaintRequest() override;
  void ApplyBackgroundColor(const std::optional<QColor>& color) override;

 private:
  bool typing_ = false;  // the property is being updated from the field, not the other way
};

}  // namespace zemblo
