#include "window/KXCtl_Button.h"

#include "platform/qt/AnsiText.h"
#include "window/KXCtlLogic.h"

namespace zemblo {

TKXCtl_Button::TKXCtl_Button(QWidget* owner) : QPushButton(owner), TKXControl(this, staticMetaObject.className()) {
  connect(this, &QPushButton::clicked, this, &TKXCtl_Button::Clicked);
}

TKXCtl_Button::~TKXCtl_Button() = default;

void TKXCtl_Button::RepaintRequest() {
  setText(FromAnsi(Prop("text")));
  update();
}

void TKXCtl_Button::ApplyBackgroundColor(const std::optional<QColor>& color) {
  SetPaletteColor(this, QPalette::Button, color);
}

void TKXCtl_Button::Clicked() {
  std::string handler = Prop("onClick");
  // A copy: the handler may close the window and so destroy this button while it runs.
  TKXEventProc onEvent = Helper().OnEvent();
  if (!handler.empty() && onEvent) onEvent(ButtonEventCode(handler));
}

}  // namespace zemblo
