#include "window/KXCtl_Input.h"

#include "platform/qt/AnsiText.h"

namespace zemblo {

TKXCtl_Input::TKXCtl_Input(QWidget* owner) : QLineEdit(owner), TKXControl(this, staticMetaObject.className()) {
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    // The field keeps what was typed even where the byte string cannot hold it.
    typing_ = true;
    Helper().SetProperty("text", ToAnsi(text));
    typing_ = false;
  });
}

TKXCtl_Input::~TKXCtl_Input() = default;

void TKXCtl_Input::RepaintRequest() {
  // Only a changed text is put in: setText would move the cursor and clear the undo history.
  QString text = FromAnsi(Prop("text"));
  if (!typing_ && text != this->text()) setText(text);
  update();
}

void TKXCtl_Input::ApplyBackgroundColor(const std::optional<QColor>& color) {
  SetPaletteColor(this, QPalette::Base, color);
}

}  // namespace zemblo
