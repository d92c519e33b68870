#include "window/KXCtl_Option.h"

#include "platform/qt/AnsiText.h"

namespace zemblo {

TKXCtl_Option::TKXCtl_Option(QWidget* owner) : QRadioButton(owner), TKXControl(this, staticMetaObject.className()) {}

TKXCtl_Option::~TKXCtl_Option() = default;

void TKXCtl_Option::RepaintRequest() {
  setText(FromAnsi(Prop("text")));
  update();
}

}  // namespace zemblo
