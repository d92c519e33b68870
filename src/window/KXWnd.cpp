#include "window/KXWnd.h"

#include <QPainter>
#include <QPalette>

#include "platform/qt/AnsiText.h"
#include "window/KXColors.h"
#include "window/KXCtl.h"
#include "window/XML.h"

namespace zemblo {

TKXWindow::TKXWindow(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

TKXWindow::~TKXWindow() = default;

void TKXWindow::LoadFromNode(const TXMLNode& node) {
  if (std::string title = node.GetAttribute("title"); !title.empty()) setWindowTitle(FromAnsi(title));
  if (std::string color = node.GetAttribute("bgColor"); !color.empty())
    SetPaletteColor(this, QPalette::Window, ToQColor(ParseColor(color)));
  std::string name = node.GetAttribute("bgImage");
  if (!name.empty() && onGetFile_) {
    std::string data = onGetFile_("images\\" + name);
    if (!data.empty()) {
      try {
        image_ = std::make_unique<TBitmapData>(DecodeBitmap(data));
      } catch (const EInvalidBitmap&) {
        image_.reset();  // a broken picture must not keep the window from showing
      }
    }
  }
  update();
}

void TKXWindow::paintEvent(QPaintEvent*) {
  if (!image_) return;
  QPainter p(this);
  p.drawImage(QPoint(0, 0), WrapBitmap(*image_));
}

}  // namespace zemblo
