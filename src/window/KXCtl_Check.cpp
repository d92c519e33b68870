#include "window/KXCtl_Check.h"

#include "platform/qt/AnsiText.h"

namespace zemblo {

TKXCtl_Check::TKXCtl_Check(QWidget* owner) : QCheckBox(owner), TKXControl(this, staticMetaObject.className()) {}

TKXCtl_Check::~TKXCtl_Check() = default;

void TKXCtl_Check::RepaintRequest() {
  setText(FromAnsi(Prop("text")));
  update();
}

}  // namespace zemblo
