#include "Automation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "RunLog.h"
#include "Runtime.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/qt/AnsiText.h"
#include "window/KXCtl.h"
#include "window/KXCtlLogic.h"

namespace zemblo {

namespace {

constexpr int kStepMs = 30;

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(target, &release);
}

// What a control shows as its text: the field's contents, a caption, or the text control's
// "text" (what it draws when it reads no file).
std::string ShownText(QWidget* control) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return ToAnsi(edit->text());
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return ToAnsi(button->text());
  if (auto* frame = qobject_cast<QGroupBox*>(control)) return ToAnsi(frame->title());
  if (TKXCtlHlp* helper = KXHelperOf(control))
    return helper->GetType() == "Text" ? TextControlContent(helper->Props(), helper->OnGetFile()) : helper->GetProp("text");
  return std::string();
}

}  // namespace

std::unique_ptr<TAutomation> TAutomation::FromEnvironment(TRuntime& runtime, TRunLog& log) {
  const char* path = std::getenv("ZEMBLO_AUTOMATION");
  if (!path || !*path) return nullptr;
  std::string script;
  try {
    script = ReadFileBytes(path);
  } catch (const Exception& e) {
    log.Line(std::string("automation: ") + e.what());
    return nullptr;
  }
  std::vector<std::string> actions;
  for (size_t start = 0; start <= script.size();) {
    size_t end = script.find('\n', start);
    if (end == std::string::npos) end = script.size();
    std::string line = script.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!Trim(line).empty() && Trim(line)[0] != '#') actions.push_back(line);
    start = end + 1;
  }
  return std::make_unique<TAutomation>(runtime, log, std::move(actions));
}

TAutomation::TAutomation(TRuntime& runtime, TRunLog& log, std::vector<std::string> actions)
    : runtime_(runtime), log_(log), actions_(std::move(actions)) {
  Schedule(kStepMs);
}

void TAutomation::Schedule(int ms) {
  QTimer::singleShot(ms, &context_, [this] { Step(); });
}

void TAutomation::Step() {
  if (next_ >= actions_.size()) return;
  const std::string action = actions_[next_++];
  const std::string line = Trim(action);
  if (LowerCase(line.substr(0, line.find(' '))) == "wait") {
    Schedule(std::max(0, TryStrToInt(Trim(line.substr(4))).value_or(0)));
    return;
  }
  // The next step is timed before this one runs: a click may open a message box or a modal
  // window whose own event loop must go on with the actions (its "ok") before the click
  // returns. Qt never fires a timer again while its own slot still runs, so each step has a
  // timer of its own.
  Schedule(kStepMs);
  Perform(action);
}

void TAutomation::Perform(const std::string& action) {
  // "<verb> <id> <text>": words apart by blanks, except that the text of "type" is all that
  // follows the one blank after the id, so it may begin or end with blanks.
  const std::string line = Trim(action);
  size_t at = action.find_first_not_of(' ');
  size_t end = action.find(' ', at);
  const std::string verb = LowerCase(action.substr(at, end - at));
  at = end == std::string::npos ? action.size() : action.find_first_not_of(' ', end);
  if (at == std::string::npos) at = action.size();
  end = std::min(action.find(' ', at), action.size());
  const std::string id = action.substr(at, end - at);
  const std::string text = end < action.size() ? action.substr(end + 1) : std::string();
  const std::string rest = Trim(action.substr(at));
  auto say = [this](const std::string& what) { log_.Line("automation: " + what); };

  if (verb == "ok") {
    QMessageBox* box = runtime_.MessageBoxShown();
    if (!box) return say("no message box to answer");
    say("message box \"" + ToAnsi(box->windowTitle()) + "\": " + ToAnsi(box->text()));
    box->accept();
    return;
  }
  QWidget* form = runtime_.ActiveForm();
  if (!form) return say(line + ": no window is shown");
  if (verb == "close") {
    form->close();
    return;
  }
  if (verb == "grab" || verb == "icon") {
    QPixmap picture = verb == "grab" ? form->grab() : form->windowIcon().pixmap(32, 32);
    if (!picture.save(QString::fromLocal8Bit(rest.c_str()), "PNG")) say(line + ": cannot save the picture");
    return;
  }
  if (verb == "read" && id.empty()) {
    say("window \"" + ToAnsi(form->windowTitle()) + "\" " + IntToStr(form->width()) + "x" + IntToStr(form->height()));
    return;
  }
  if (verb != "type" && verb != "clear" && verb != "click" && verb != "read") return say(line + ": unknown action");
  // "click" alone clicks the window's own surface.
  QWidget* control = verb == "click" && id.empty() ? form : runtime_.ActiveControl(id);
  if (!control) return say(line + ": the window has no control \"" + id + "\"");

  if (verb == "click") {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      button->click();
    } else {
      QPointF centre(control->width() / 2.0, control->height() / 2.0);
      QPointF global = control->mapToGlobal(centre);
      QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(control, &press);
      QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(control, &release);
    }
  } else if (verb == "type" || verb == "clear") {
    if (!qobject_cast<QLineEdit*>(control)) return say(line + ": \"" + id + "\" is not an input");
    control->setFocus();
    if (verb == "clear") {
      SendKey(control, Qt::Key_A, Qt::ControlModifier, QString());
      SendKey(control, Qt::Key_Backspace, Qt::NoModifier, QString());
    } else {
      for (QChar c : FromAnsi(text)) SendKey(control, 0, Qt::NoModifier, QString(c));
    }
  } else {  // read
    const QRect r = control->geometry();
    std::string shown = id + " \"" + ShownText(control) + "\" " +
                        ToAnsi(control->palette().color(control->foregroundRole()).name()) + " at " + IntToStr(r.x()) +
                        "," + IntToStr(r.y()) + " " + IntToStr(r.width()) + "x" + IntToStr(r.height());
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (button && button->isCheckable()) shown += button->isChecked() ? " ticked" : " not ticked";
    say(shown);
  }
}

}  // namespace zemblo
