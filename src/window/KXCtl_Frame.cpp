#include "window/KXCtl_Frame.h"

#include "platform/qt/AnsiText.h"

namespace zemblo {

TKXCtl_Frame::TKXCtl_Frame(QWidget* owner) : QGroupBox(owner), TKXControl(this, staticMetaObject.className()) {}

TKXCtl_Frame::~TKXCtl_Frame() = default;

void TKXCtl_Frame::RepaintRequest() {
  setTitle(FromAnsi(Prop("text")));
  update();
}

}  // namespace zemblo
