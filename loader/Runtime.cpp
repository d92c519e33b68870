#include "Runtime.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <cstdlib>

#include "Automation.h"
#include "RunLog.h"
#include "platform/Text.h"
#include "platform/qt/AnsiText.h"
#include "project/KXProject.h"
#include "window/KXCtl.h"
#include "window/KXCtlLogic.h"
#include "window/KXCtls.h"
#include "window/KXWnd.h"

namespace zemblo {

namespace {

// Qt's own messages: the ones that matter to the program's author go to its run log.
TRunLog* g_qtLog = nullptr;
std::function<void()>* g_qtFatalExit = nullptr;

void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtCriticalMsg && type != QtFatalMsg) return;  // warnings and debug output are Qt's business
  if (g_qtLog) g_qtLog->Line("Qt: " + ToAnsi(message));
  if (type == QtFatalMsg && g_qtFatalExit && *g_qtFatalExit) (*g_qtFatalExit)();
}

bool HasEnv(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

// A check box or option button set without the option's rule: Qt will not untick the ticked
// option of a container by itself, the program may.
void SetTicked(QWidget* widget, bool on) {
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (!button || button->isChecked() == on) return;
  if (!on && button->autoExclusive()) {
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
  } else {
    button->setChecked(on);
  }
}

// The designed size when "w" and "h" both convert (else the designer's 320 by 240), the
// designed place when "x" and "y" both convert (else the window system's choice).
void ApplyWindowBounds(QWidget* form, const TXMLNode& element) {
  const auto x = TryStrToInt(element.GetAttribute("x"));
  const auto y = TryStrToInt(element.GetAttribute("y"));
  const auto w = TryStrToInt(element.GetAttribute("w"));
  const auto h = TryStrToInt(element.GetAttribute("h"));
  auto size = [](int v) { return std::clamp(v, 1, QWIDGETSIZE_MAX); };
  auto pos = [](int v) { return std::clamp(v, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); };
  if (w && h) form->resize(size(*w), size(*h));
  else if (!form->testAttribute(Qt::WA_Resized)) form->resize(320, 240);
  if (x && y) form->move(pos(*x), pos(*y));
}

bool IsBoundsKey(std::string_view name) {
  for (const char* k : {"x", "y", "w", "h", "Anchors"})
    if (SameText(name, k)) return true;
  return false;
}

bool IsFontKey(std::string_view name) {
  for (const char* k : {"fontFamily", "fontSize", "fontStyle", "fontColor"})
    if (SameText(name, k)) return true;
  return false;
}

const char kHandleProperty[] = "zembloWindow";

}  // namespace

struct TRuntime::TWindow {
  explicit TWindow(const TXMLNode& element) : Model(element) {}
  TLiveWindow Model;
  QPointer<TKXWindow> Form;                // null until first shown
  std::vector<QPointer<QWidget>> Widgets;  // by control place, once the form is built
  uint64_t ShownAt = 0;                    // order of the last Show, for the active window
};

// Watches the forms: a hidden form may end an event loop; a click on a form's own surface
// is the window's "onClick" event.
class TRuntime::TFormFilter : public QObject {
 public:
  explicit TFormFilter(TRuntime& runtime) : runtime_(runtime) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const int handle = watched->property(kHandleProperty).toInt();
    if (event->type() == QEvent::Hide) {
      // After the hide is complete, so the form no longer counts as visible.
      QTimer::singleShot(0, runtime_.app_.get(), [r = &runtime_] { r->WakeLoops(); });
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      auto it = runtime_.windows_.find(handle);
      if (it != runtime_.windows_.end()) {
        std::string handler = it->second->Model.Element().GetAttribute("onClick");
        if (!handler.empty()) runtime_.OnEvent(handle, ButtonEventCode(handler));
      }
    }
    return false;
  }

 private:
  TRuntime& runtime_;
};

TRuntime::TRuntime(TRunLog& log, TKXProject& project) : log_(log), project_(project) {}

TRuntime::~TRuntime() {
  automation_.reset();
  for (auto& [handle, w] : windows_) delete w->Form.data();
  windows_.clear();
  for (auto& form : retired_) delete form.data();
  retired_.clear();
  filter_.reset();
  app_.reset();
  if (g_qtLog == &log_) {
    qInstallMessageHandler(nullptr);
    g_qtLog = nullptr;
    g_qtFatalExit = nullptr;
  }
}

std::string TRuntime::MissingDisplay() {
  std::string platform = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
  platform = platform.substr(0, platform.find_first_of(";:"));
  if (platform.empty()) {
    if (HasEnv("DISPLAY") || HasEnv("WAYLAND_DISPLAY")) return "";
    return "no display is available (DISPLAY is not set)";
  }
  if (platform == "xcb" && !HasEnv("DISPLAY")) return "no display is available (DISPLAY is not set)";
  if (StartsWith(platform, "wayland") && !HasEnv("WAYLAND_DISPLAY"))
    return "no display is available (WAYLAND_DISPLAY is not set)";
  return "";
}

void TRuntime::EnsureApp() {
  if (app_) return;
  std::string missing = MissingDisplay();
  if (!missing.empty()) throw ERuntimeError("The window cannot be shown: " + missing + ".");

  g_qtLog = &log_;
  g_qtFatalExit = &fatalExit_;
  qInstallMessageHandler(QtMessage);
  // QApplication keeps references to these for its whole life.
  static int argc = 1;
  static char arg0[] = "ZembloLdr";
  static char* argv[] = {arg0, nullptr};
  // Qt takes the user's locale for the C library; PHP's own functions must keep the one
  // they started with.
  std::string locale = std::setlocale(LC_ALL, nullptr);
  app_ = std::make_unique<QApplication>(argc, argv);
  std::setlocale(LC_ALL, locale.c_str());
  app_->setQuitOnLastWindowClosed(false);
  if (!programName_.empty()) QApplication::setApplicationDisplayName(FromAnsi(programName_));

  if (iconPixels_.size() == 32 * 32 * 3) {
    QImage icon(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const auto* p = reinterpret_cast<const unsigned char*>(iconPixels_.data()) + ((31 - y) * 32 + x) * 3;
        icon.setPixel(x, y, qRgb(p[2], p[1], p[0]));
      }
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
  }
  filter_ = std::make_unique<TFormFilter>(*this);
  automation_ = TAutomation::FromEnvironment(*this, log_);
}

TRuntime::TWindow& TRuntime::Find(int window) const {
  auto it = windows_.find(window);
  if (it == windows_.end()) throw ERuntimeError("The window no longer exists.");
  return *it->second;
}

std::string TRuntime::ReadProjectFile(const std::string& relativePath) { return project_.ReadProjectFile(relativePath); }

int TRuntime::OpenWindow(std::string_view id) {
  const TXMLNode* element = project_.XML.Root ? project_.XML.Root->FindChild("WINDOW", id) : nullptr;
  if (!element) return 0;
  int handle = nextHandle_++;
  windows_[handle] = std::make_unique<TWindow>(*element);
  return handle;
}

void TRuntime::FreeWindow(int window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  QPointer<TKXWindow> form = it->second->Form;
  windows_.erase(it);
  if (!form) return;
  form->hide();
  // A handler of this very window may be running: its button must outlive the click.
  if (events_.empty()) {
    delete form.data();
  } else {
    form->deleteLater();
    retired_.push_back(form);
  }
}

int TRuntime::FindControl(int window, std::string_view id) { return Find(window).Model.FindControl(id); }

std::string TRuntime::Get(int window, int control, std::string_view name) {
  TWindow& w = Find(window);
  if (!w.Model.Node(control)) throw ERuntimeError("The window has no control number " + IntToStr(control) + ".");
  return w.Model.Get(control, name);
}

void TRuntime::Set(int window, int control, std::string_view name, std::string_view value) {
  TWindow& w = Find(window);
  if (!w.Model.Node(control)) throw ERuntimeError("The window has no control number " + IntToStr(control) + ".");
  std::vector<int> unticked = w.Model.Set(control, name, value);
  if (!w.Form) return;
  if (control == TLiveWindow::kWindow) {
    ApplyWindow(w, name);
    return;
  }
  ApplyControl(w, control, name);
  for (int other : unticked)
    if (QWidget* widget = w.Widgets[other]) SetTicked(widget, false);
}

void TRuntime::ApplyWindow(TWindow& w, std::string_view name) {
  if (IsBoundsKey(name)) ApplyWindowBounds(w.Form, w.Model.Element());
  else if (SameText(name, "title") || SameText(name, "bgColor") || SameText(name, "bgImage"))
    w.Form->LoadFromNode(w.Model.Element());
}

void TRuntime::ApplyControl(TWindow& w, int control, std::string_view name) {
  QWidget* widget = w.Widgets[control];
  TKXCtlHlp* helper = widget ? KXHelperOf(widget) : nullptr;
  if (!helper) return;  // nested deeper than the factory builds
  // The helper keeps its own copy of the properties; the one that changed is handed over,
  // then what it governs is applied again (the helper alone re-applies none of the general
  // properties).
  helper->SetProperty(name, w.Model.Node(control)->GetAttribute(name));
  if (IsBoundsKey(name)) helper->ApplyBounds();
  else if (SameText(name, "bgColor")) helper->ApplyColor();
  else if (IsFontKey(name)) helper->ApplyFont();
  else if (SameText(name, "checked") && w.Model.IsCheckable(control))
    SetTicked(widget, w.Model.Get(control, "checked") == "1");
}

void TRuntime::BuildForm(int handle, TWindow& w) {
  TXMLNode& element = w.Model.Element();
  auto getFile = [this](const std::string& path) { return ReadProjectFile(path); };
  auto* form = new TKXWindow();
  form->setProperty(kHandleProperty, handle);
  form->setWindowTitle(FromAnsi(element.GetAttribute("id")));
  form->SetOnGetFile(getFile);
  form->LoadFromNode(element);
  ApplyWindowBounds(form, element);

  TKXControls factory;
  factory.OnGetFile = getFile;
  factory.OnEvent = [this, handle](const std::string& code) { OnEvent(handle, code); };
  w.Widgets.assign(w.Model.ControlCount(), nullptr);
  factory.CreateChildren(element, form, [&](QWidget* control, const TXMLNode& e) {
    const int place = w.Model.IndexOf(&e);
    if (place < 0) return;
    w.Widgets[place] = control;
    // What the user changes on the screen is written into the window's element, so the
    // program reads it and a later change of another attribute keeps it.
    TXMLNode* node = w.Model.Node(place);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      QObject::connect(edit, &QLineEdit::textEdited, edit,
                       [node](const QString& text) { node->SetAttribute("text", ToAnsi(text)); });
    } else if (w.Model.IsCheckable(place)) {
      if (auto* button = qobject_cast<QAbstractButton*>(control))
        QObject::connect(button, &QAbstractButton::toggled, button,
                         [node](bool on) { node->SetAttribute("checked", on ? "1" : "0"); });
    }
  });
  // Ticks after every control exists, in document order: of two ticked options in one
  // container the later one stays ticked, on the screen and in the element.
  for (int i = 0; i < w.Model.ControlCount(); ++i)
    if (w.Widgets[i] && w.Model.IsCheckable(i)) SetTicked(w.Widgets[i], w.Model.Get(i, "checked") == "1");
  form->installEventFilter(filter_.get());
  w.Form = form;
}

void TRuntime::Show(int window) {
  EnsureApp();
  TWindow& w = Find(window);
  if (!w.Form) BuildForm(window, w);
  w.ShownAt = ++showCount_;
  w.Form->show();
  w.Form->raise();
  w.Form->activateWindow();
}

void TRuntime::ShowModal(int window) {
  EnsureApp();
  TWindow& w = Find(window);
  if (!w.Form) BuildForm(window, w);
  QPointer<TKXWindow> form = w.Form;
  if (!form->isModal()) {
    // Qt takes a new modality only while the window is hidden.
    form->hide();
    form->setWindowModality(Qt::ApplicationModal);
  }
  Show(window);
  RunLoop([this, window] { return !Visible(window); });
  if (form && !form->isVisible()) form->setWindowModality(Qt::NonModal);
}

void TRuntime::Hide(int window) {
  TWindow& w = Find(window);
  if (w.Form) w.Form->hide();
}

bool TRuntime::Visible(int window) const {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second->Form && it->second->Form->isVisible();
}

bool TRuntime::AnyVisible() const {
  for (const auto& [handle, w] : windows_)
    if (w->Form && w->Form->isVisible()) return true;
  return false;
}

void TRuntime::Run() {
  runCalled_ = true;
  if (!app_) return;  // nothing was ever shown
  RunLoop([this] { return !AnyVisible(); });
}

void TRuntime::Quit() {
  for (const TLoop& l : loops_) l.Loop->exit();
}

void TRuntime::MsgBox(std::string_view text, std::string_view caption) {
  if (!app_ && !MissingDisplay().empty()) {
    log_.Line(caption.empty() ? "Message: " + std::string(text)
                              : "Message (" + std::string(caption) + "): " + std::string(text));
    return;
  }
  EnsureApp();
  if (stopped_ != TEventOutcome::Done) return;
  QMessageBox box(QMessageBox::Information, FromAnsi(caption.empty() ? programName_ : caption), FromAnsi(text),
                  QMessageBox::Ok, ActiveForm());
  box.setWindowModality(Qt::ApplicationModal);
  box.installEventFilter(filter_.get());  // its hiding ends the loop below
  box.show();
  QMessageBox* outer = box_;
  box_ = &box;
  RunLoop([&box] { return !box.isVisible(); });
  box_ = outer;
}

void TRuntime::RunLoop(const std::function<bool()>& done) {
  if (stopped_ != TEventOutcome::Done || done()) return;
  QEventLoop loop;
  loops_.push_back({&loop, done});
  loop.exec();
  loops_.pop_back();
}

void TRuntime::WakeLoops() {
  for (const TLoop& l : loops_)
    if (stopped_ != TEventOutcome::Done || l.Done()) l.Loop->exit();
}

void TRuntime::OnEvent(int window, const std::string& phpCode) {
  if (stopped_ != TEventOutcome::Done || !runner_) return;
  events_.push_back(window);
  TEventOutcome outcome = runner_(phpCode);
  events_.pop_back();
  if (outcome != TEventOutcome::Done) Stop(outcome);
}

void TRuntime::Stop(TEventOutcome outcome) {
  stopped_ = outcome;
  WakeLoops();
}

QWidget* TRuntime::ActiveForm() const {
  const TWindow* active = nullptr;
  for (const auto& [handle, w] : windows_)
    if (w->Form && w->Form->isVisible() && (!active || w->ShownAt > active->ShownAt)) active = w.get();
  return active ? active->Form.data() : nullptr;
}

QWidget* TRuntime::ActiveControl(std::string_view id) {
  QWidget* form = ActiveForm();
  for (auto& [handle, w] : windows_) {
    if (w->Form != form) continue;
    int place = w->Model.FindControl(id);
    return place < 0 ? nullptr : w->Widgets[place].data();
  }
  return nullptr;
}

QMessageBox* TRuntime::MessageBoxShown() const { return box_; }

}  // namespace zemblo
