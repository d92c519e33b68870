#include "window/KXCtl.h"

#include "platform/qt/QtColor.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QPalette>
#include <QWidget>
#include <algorithm>

#include "platform/qt/AnsiText.h"
#include "window/XML.h"

namespace zemblo {

std::optional<QColor> ToQColor(TColor color) {
  if (color == clNone) return std::nullopt;
  return ToQtColor(color);
}

void SetPaletteColor(QWidget* widget, int role, const std::optional<QColor>& color) {
  auto r = static_cast<QPalette::ColorRole>(role);
  QPalette p = widget->palette();
  p.setColor(r, color ? *color : QApplication::palette(widget).color(r));
  widget->setPalette(p);
}

QImage WrapBitmap(const TBitmapData& bitmap) {
  return QImage(reinterpret_cast<const uchar*>(bitmap.Pixels.data()), bitmap.Width, bitmap.Height,
                static_cast<qsizetype>(bitmap.Width) * 4, QImage::Format_RGB32);
}

// ---------------------------------------------------------------- helper

TKXCtlHlp::TKXCtlHlp(QWidget* owner, TKXControl* control, std::string typeName)
    : owner_(owner), control_(control), typeName_(std::move(typeName)) {
  // A control keeps its own font and text colour: it takes nothing from the container it is
  // placed in, so a box's font never leaks into the controls inside it.
  QFont f = QApplication::font(owner_);
  f.setResolveMask(QFont::AllPropertiesResolved);
  owner_->setFont(f);
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    SetPaletteColor(owner_, role, std::nullopt);
  // Reparenting moves the anchors to the new parent.
  owner_->installEventFilter(this);
}

TKXCtlHlp::~TKXCtlHlp() = default;

void TKXCtlHlp::Load(const TXMLNode& node) {
  props_.Assign(node.Attributes);
  ApplyBounds();
  ApplyColor();
  ApplyFont();
  control_->RepaintRequest();
}

void TKXCtlHlp::SetProperty(std::string_view name, std::string_view value) {
  props_.Set(name, value);
  control_->RepaintRequest();
}

void TKXCtlHlp::ApplyBounds() {
  const TKXGeneralProps g = ReadGeneralProps(props_);
  anchors_ = g.Anchors;
  // Within Qt's widget size limit, so that no edge of the rectangle overflows an int.
  auto size = [](int v) { return std::clamp(v, 0, QWIDGETSIZE_MAX); };
  auto pos = [](int v) { return std::clamp(v, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); };
  QRect r = owner_->geometry();
  if (g.Width) r.setWidth(size(*g.Width));
  if (g.Height) r.setHeight(size(*g.Height));
  if (g.Left) r.moveLeft(pos(*g.Left));
  if (g.Top) r.moveTop(pos(*g.Top));
  owner_->setGeometry(r);
  RecordAnchorRule();
}

void TKXCtlHlp::ApplyColor() {
  const TKXGeneralProps g = ReadGeneralProps(props_);
  if (g.BgColor) control_->ApplyBackgroundColor(ToQColor(*g.BgColor));
}

void TKXCtlHlp::ApplyFont() {
  const TKXGeneralProps g = ReadGeneralProps(props_);
  QFont f = owner_->font();
  if (g.FontFamily) f.setFamily(FromAnsi(*g.FontFamily));
  if (g.FontSize) f.setPointSize(*g.FontSize);
  f.setItalic(g.FontStyle.Italic);
  f.setBold(g.FontStyle.Bold);
  f.setUnderline(g.FontStyle.Underline);
  f.setStrikeOut(g.FontStyle.StrikeOut);
  f.setResolveMask(QFont::AllPropertiesResolved);
  owner_->setFont(f);
  if (g.FontColor) {
    std::optional<QColor> c = ToQColor(*g.FontColor);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) SetPaletteColor(owner_, role, c);
  }
}

void TKXCtlHlp::SetDesigning(bool on) {
  if (on == designing_) return;
  designing_ = on;
  if (on) {
    ownFocusPolicy_ = owner_->focusPolicy();
    owner_->setFocusPolicy(Qt::NoFocus);
  } else {
    owner_->setFocusPolicy(ownFocusPolicy_);
  }
  owner_->update();
}

// ---------------------------------------------------------------- anchors

void TKXCtlHlp::WatchParent(QWidget* parent) {
  if (watchedParent_ == parent) return;
  if (watchedParent_) watchedParent_->removeEventFilter(this);
  watchedParent_ = parent;
  if (parent) parent->installEventFilter(this);
}

void TKXCtlHlp::RecordAnchorRule() {
  QWidget* parent = owner_->parentWidget();
  // Left and top anchors (or none) never move a control; only the far edges need watching.
  WatchParent(parent && (anchors_.Right || anchors_.Bottom) ? parent : nullptr);
  ruleGeometry_ = lastPlaced_ = owner_->geometry();
  ruleParentSize_ = lastParentSize_ = parent ? parent->size() : QSize();
}

void TKXCtlHlp::FollowParent() {
  QWidget* parent = owner_->parentWidget();
  if (!parent || parent != watchedParent_) return;
  if (owner_->geometry() != lastPlaced_) {
    ruleGeometry_ = owner_->geometry();
    ruleParentSize_ = lastParentSize_;
  }
  const QSize now = parent->size();
  const int dw = now.width() - ruleParentSize_.width();
  const int dh = now.height() - ruleParentSize_.height();
  QRect r = ruleGeometry_;
  if (anchors_.Right) {
    if (anchors_.Left)
      r.setWidth(std::max(0, ruleGeometry_.width() + dw));
    else
      r.moveLeft(ruleGeometry_.left() + dw);
  }
  if (anchors_.Bottom) {
    if (anchors_.Top)
      r.setHeight(std::max(0, ruleGeometry_.height() + dh));
    else
      r.moveTop(ruleGeometry_.top() + dh);
  }
  owner_->setGeometry(r);
  lastPlaced_ = owner_->geometry();
  lastParentSize_ = now;
}

bool TKXCtlHlp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == owner_ && event->type() == QEvent::ParentChange)
    RecordAnchorRule();
  else if (watched == watchedParent_ && event->type() == QEvent::Resize)
    FollowParent();
  return false;
}

// ---------------------------------------------------------------- controls

TKXControl::TKXControl(QWidget* self, const char* className)
    : self_(self), hlp_(std::make_unique<TKXCtlHlp>(self, this, KXTypeName(className))) {}

TKXControl::~TKXControl() = default;

void TKXControl::RepaintRequest() { self_->update(); }

void TKXControl::ApplyBackgroundColor(const std::optional<QColor>& color) {
  SetPaletteColor(self_, self_->backgroundRole(), color);
  self_->setAutoFillBackground(color.has_value());
}

IKXControl* QueryKXControl(QWidget* widget) {
  auto* c = dynamic_cast<TKXControl*>(widget);
  return c ? &c->KXControl() : nullptr;
}

TKXCtlHlp* KXHelperOf(QWidget* widget) {
  auto* c = dynamic_cast<TKXControl*>(widget);
  return c ? &c->Helper() : nullptr;
}

void SetDesignState(QWidget* root, bool on) {
  if (!root) return;
  if (TKXCtlHlp* h = KXHelperOf(root)) h->SetDesigning(on);
  for (QWidget* w : root->findChildren<QWidget*>())
    if (TKXCtlHlp* h = KXHelperOf(w)) h->SetDesigning(on);
}

}  // namespace zemblo
