#include "designer/WndDsgnr.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <algorithm>

#include "designer/CtlSizer.h"
#include "designer/OI.h"
#include "designer/WndDsgnrLogic.h"
#include "kernel/MultiLog.h"
#include "project/KXProject.h"
#include "window/KXCtl.h"
#include "window/KXWnd.h"
#include "window/XML.h"

namespace zemblo {

namespace {

const char kElementProperty[] = "zemblo_element";

constexpr QColor kSurfaceColor(0xC0, 0xC0, 0xC0);
constexpr QColor kHatchColor(0x80, 0x80, 0x80);

// Every widget of the designed window, the window first.
QList<QWidget*> WidgetsOf(QWidget* window) {
  QList<QWidget*> all{window};
  all += window->findChildren<QWidget*>();
  return all;
}

}  // namespace

TXMLNode* ElementOf(const QWidget* widget) {
  return widget ? static_cast<TXMLNode*>(widget->property(kElementProperty).value<void*>()) : nullptr;
}

void SetElementOf(QWidget* widget, TXMLNode* element) {
  widget->setProperty(kElementProperty, QVariant::fromValue(static_cast<void*>(element)));
}

// ---------------------------------------------------------------- surface

TWindowDesigner::TWindowDesigner(TKXProject& project, QWidget* parent)
    : QWidget(parent), project_(project), popup_(std::make_unique<QMenu>(this)) {
  setFocusPolicy(Qt::ClickFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  factory_.OnGetFile = [this](const std::string& path) { return project_.ReadProjectFile(path); };
  // Captions go on the menu as they are: "&" is never taken for an accelerator mark.
  popup_->setObjectName(QStringLiteral("DesignerPopup"));
}

TWindowDesigner::~TWindowDesigner() { CloseWindow(); }

void TWindowDesigner::OpenWindow(const std::string& id) {
  CloseWindow();
  TXMLNode* node = project_.XML.Root ? project_.XML.Root->FindChild("WINDOW", id) : nullptr;
  if (!node) return;
  windowId_ = id;

  auto* window = new TKXWindow(this);
  window->SetOnGetFile([this](const std::string& path) { return project_.ReadProjectFile(path); });
  window->LoadFromNode(*node);
  const TWindowBounds b = WindowBoundsOf(*node);
  auto size = [](int v) { return std::clamp(v, 0, QWIDGETSIZE_MAX); };
  auto pos = [](int v) { return std::clamp(v, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); };
  window->setGeometry(pos(b.X), pos(b.Y), size(b.W), size(b.H));
  window->show();
  SetElementOf(window, node);
  // The factory hands out const elements; they are the project's own, which the designer
  // edits.
  factory_.CreateChildren(*node, window,
                          [](QWidget* control, const TXMLNode& e) { SetElementOf(control, const_cast<TXMLNode*>(&e)); });
  window_ = window;

  hook_ = std::make_unique<TDesignerHook>(*this);
  SetDesignState(window, true);
  for (QWidget* w : WidgetsOf(window)) {
    // Designed controls never take the focus (SetDesignState); nor does anything else
    // inside the window, so the surface keeps it.
    if (!KXHelperOf(w)) w->setFocusPolicy(Qt::NoFocus);
    w->installEventFilter(hook_.get());
  }
}

void TWindowDesigner::CloseWindow() {
  if (!window_) return;
  Select(nullptr);
  SetDesignState(window_, false);
  for (QWidget* w : WidgetsOf(window_)) w->removeEventFilter(hook_.get());
  DestroyWindow();
}

void TWindowDesigner::DestroyWindow() {
  TKXWindow* window = window_;
  TDesignerHook* hook = hook_.release();
  window_ = nullptr;
  if (hook && hook->Busy()) {
    // Qt still holds the widget whose event is being filtered, and the hook is on the stack.
    window->hide();
    window->deleteLater();
    hook->deleteLater();
    return;
  }
  delete window;
  delete hook;
}

void TWindowDesigner::Select(QWidget* control) {
  sizer_.reset();
  selection_ = control;
  if (inspector_) inspector_->Bind(control);
  if (control) {
    sizer_ = std::make_unique<TControlSizer>(this, control);
    sizer_->OnResize = [this](TControlSizer& s) { StoreBounds(s); };
  }
}

void TWindowDesigner::Reload() {
  Select(nullptr);
  OpenWindow(windowId_);
}

void TWindowDesigner::MoveSelected(int x, int y) {
  if (MoveLock || !selection_) return;
  selection_->move(x, y);
  if (TXMLNode* e = ElementOf(selection_)) zemblo::StoreMove(*e, x, y);
  if (sizer_) sizer_->UpdatePositions();
  ShowStoredValues();
}

void TWindowDesigner::StoreBounds(TControlSizer&) {
  if (!selection_) return;
  const QRect g = selection_->geometry();
  if (TXMLNode* e = ElementOf(selection_)) zemblo::StoreBounds(*e, g.x(), g.y(), g.width(), g.height());
  ShowStoredValues();
}

void TWindowDesigner::ShowStoredValues() {
  // A value left stale in the inspector would be written back by the next Enter on its row:
  // a moved control would jump home, a new handler name would be emptied.
  if (inspector_ && inspector_->Bound() == selection_) inspector_->RefreshRows();
}

void TWindowDesigner::ApplySelected() {
  if (!selection_) return;
  TXMLNode* e = ElementOf(selection_);
  if (!e) return;
  if (selection_ == window_)
    window_->LoadFromNode(*e);
  else if (IKXControl* c = QueryKXControl(selection_))
    c->Load(*e);
  // A changed "X" or "W" moved the control away from its handles.
  if (sizer_) sizer_->UpdatePositions();
}

void TWindowDesigner::CreateControlAtCursor(const std::string& type) { CreateControlAt(type, QCursor::pos()); }

void TWindowDesigner::CreateControlAt(const std::string& type, QPoint globalPos) {
  QWidget* target = DesignedControlOf(QApplication::widgetAt(globalPos));
  TXMLNode* parent = ElementOf(target);
  if (!parent) return;
  const QPoint p = target->mapFromGlobal(globalPos) - QPoint(kDropOffsetX, kDropOffsetY);
  parent->AddChild(NewControlElement(type, p.x(), p.y()));
  Reload();
}

void TWindowDesigner::EditHandler(const std::string& eventCaption) {
  const std::string handler = RequestHandler(selection_ ? ElementOf(selection_) : nullptr, eventCaption);
  ShowStoredValues();
  if (OnEditHandler) OnEditHandler(windowId_, handler);
}

void TWindowDesigner::ShowPopup() { ShowPopup(QCursor::pos()); }

void TWindowDesigner::ShowPopup(QPoint globalPos) {
  popup_->clear();
  QAction* item = popup_->addAction(QString::fromLatin1(kEventCaption));
  connect(item, &QAction::triggered, this, [this] { EditHandler(kEventCaption); });
  popup_->popup(globalPos);
}

void TWindowDesigner::DeleteSelected() {
  TXMLNode* e = ElementOf(selection_);
  if (!e) return;
  // Nothing may point at the element once it is gone: the handles and the inspector let go
  // first.
  Select(nullptr);
  if (e->Parent) e->Parent->DeleteChild(e);
  Reload();
}

QWidget* TWindowDesigner::DesignedControlOf(QWidget* widget) const {
  if (!window_ || !widget || (widget != window_ && !window_->isAncestorOf(widget))) return nullptr;
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (ElementOf(w)) return w;
    if (w == window_) break;
  }
  return nullptr;
}

void TWindowDesigner::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kSurfaceColor);
  p.fillRect(rect(), QBrush(kHatchColor, Qt::DiagCrossPattern));
}

void TWindowDesigner::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  Select(nullptr);
  event->accept();
}

void TWindowDesigner::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    DeleteSelected();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------- hook

TDesignerHook::TDesignerHook(TWindowDesigner& designer) : designer_(designer) {}

bool TDesignerHook::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
      return true;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      break;
    default:
      return false;
  }
  if (watched->isWidgetType()) {
    ++busy_;
    Mouse(static_cast<QWidget*>(watched), event);
    --busy_;
  }
  return true;
}

void TDesignerHook::Mouse(QWidget* sender, QEvent* event) {
  auto* me = static_cast<QMouseEvent*>(event);
  const QPoint at = me->globalPosition().toPoint();
  QWidget* control = designer_.DesignedControlOf(sender);
  switch (event->type()) {
    case QEvent::MouseMove:
      if (dragging_) {
        const QPoint d = at - pressPos_;
        designer_.MoveSelected(pressTopLeft_.x() + d.x(), pressTopLeft_.y() + d.y());
      }
      break;
    case QEvent::MouseButtonPress:
      if (me->button() != Qt::LeftButton) break;
      designer_.setFocus(Qt::MouseFocusReason);
      if (!control) break;
      designer_.Select(control);
      pressPos_ = at;
      pressTopLeft_ = control->pos();
      // Qt keeps sending the moves to the pressed widget until the release.
      dragging_ = true;
      break;
    case QEvent::MouseButtonRelease:
      if (me->button() == Qt::LeftButton) {
        dragging_ = false;
      } else if (me->button() == Qt::RightButton) {
        designer_.setFocus(Qt::MouseFocusReason);
        if (!control) break;
        designer_.Select(control);
        designer_.ShowPopup(at);
      }
      break;
    case QEvent::MouseButtonDblClick:
      if (me->button() != Qt::LeftButton) break;
      designer_.setFocus(Qt::MouseFocusReason);
      if (!control) break;
      designer_.Select(control);
      designer_.EditHandler(TWindowDesigner::kEventCaption);
      break;
    default:
      break;
  }
}

void TDesignerHook::Modified() { WriteLog("TDesignerHook.Modified!"); }
void TDesignerHook::Notification() { WriteLog("TDesignerHook.Notification!"); }
void* TDesignerHook::GetCustomForm() {
  WriteLog("TDesignerHook.GetCustomForm!");
  return nullptr;
}
void TDesignerHook::SetCustomForm() { WriteLog("TDesignerHook.SetCustomForm!"); }
bool TDesignerHook::GetIsControl() {
  WriteLog("TDesignerHook.GetIsControl!");
  return false;
}
void TDesignerHook::SetIsControl() { WriteLog("TDesignerHook.SetIsControl!"); }
void TDesignerHook::PaintGrid() { WriteLog("TDesignerHook.PaintGrid!"); }
void TDesignerHook::ValidateRename() { WriteLog("TDesignerHook.ValidateRename!"); }
void TDesignerHook::UniqueName() { WriteLog("TDesignerHook.UniqueName!"); }
void* TDesignerHook::GetRoot() {
  WriteLog("TDesignerHook.GetRoot!");
  return nullptr;
}

}  // namespace zemblo
