// The windows of a running program on the screen. The program's PHP code builds a window
// from the project's resource file, reads and writes its attributes, shows it and runs the
// event loop; a click on a button comes back here and goes to PHP as the button's event
// line. Everything runs on the one thread that runs PHP.
//
// Qt is started only when a window (or a message box) is first shown: a script that shows
// nothing runs without a display. Without a display, showing a window is an error the
// script sees; a message box goes to the run log instead.
#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "LiveWindow.h"

class QApplication;
class QEventLoop;
class QMessageBox;
class QWidget;

namespace zemblo {

class TKXProject;
class TKXWindow;
class TRunLog;
class TAutomation;

// A failure the program's PHP code gets as an exception, with this message.
class ERuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How PHP came back from an event handler.
enum class TEventOutcome {
  Done,   // the handler returned (an uncaught exception in it is already in the log)
  Fatal,  // a fatal error: the run must end as after a fatal error in the script
  Exit,   // exit() was called: the run must end with its status
};

class TRuntime {
 public:
  // Hands the event line of a control to PHP and says how it came back.
  using TEventRunner = std::function<TEventOutcome(const std::string& phpCode)>;

  // The log and the project (its resource tree and folder) must outlive the runtime.
  TRuntime(TRunLog& log, TKXProject& project);
  ~TRuntime();
  TRuntime(const TRuntime&) = delete;
  TRuntime& operator=(const TRuntime&) = delete;

  void SetEventRunner(TEventRunner runner) { runner_ = std::move(runner); }
  // The 3,072 pixel bytes of the program's 32 by 32 icon (bottom row first, blue, green,
  // red); anything else leaves Qt's default icon.
  void SetIconPixels(std::string pixels) { iconPixels_ = std::move(pixels); }
  // The caption of message boxes that have none of their own.
  void SetProgramName(std::string name) { programName_ = std::move(name); }
  // Called after a Qt error that Qt cannot survive has been logged; it must end the process.
  void SetFatalExit(std::function<void()> exit) { fatalExit_ = std::move(exit); }

  // Windows are known by handles: 1, 2, ... never reused. A handle that is not (or no
  // longer) known raises ERuntimeError, as does a control place out of range.
  //
  // A window built from the WINDOW element whose "id" equals `id` (without regard to case);
  // 0 when the resource file has none.
  int OpenWindow(std::string_view id);
  // Forgets the window and takes it off the screen. Unknown handles are ignored.
  void FreeWindow(int window);
  // The place of the control with that id anywhere in the window, or -1.
  int FindControl(int window, std::string_view id);
  // An attribute of the window (control TLiveWindow::kWindow) or of one of its controls.
  std::string Get(int window, int control, std::string_view name);
  // Stores the attribute and, when the window is on the screen, shows the change at once.
  void Set(int window, int control, std::string_view name, std::string_view value);

  // Shows the window; raises ERuntimeError when there is no display.
  void Show(int window);
  // Shows the window and runs the event loop until it is hidden, Quit() is called or the
  // run stops.
  void ShowModal(int window);
  void Hide(int window);
  bool Visible(int window) const;
  // Runs the event loop until no window is on the screen, Quit() is called or the run
  // stops. Returns at once when nothing is shown.
  void Run();
  // Ends every event loop that runs now.
  void Quit();
  // A modal message box; without a display, a line in the run log.
  void MsgBox(std::string_view text, std::string_view caption);

  // The window whose control raised the event being handled, or 0 outside events.
  int EventWindow() const { return events_.empty() ? 0 : events_.back(); }
  // Done while the run goes on; Fatal or Exit once an event handler ended it. Then no event
  // loop runs and no event reaches PHP any more.
  TEventOutcome Stopped() const { return stopped_; }
  bool RunCalled() const { return runCalled_; }
  bool AnyVisible() const;

  // For the automation hook: the window shown last that is still on the screen, a control
  // of it by id, and the message box on the screen.
  QWidget* ActiveForm() const;
  QWidget* ActiveControl(std::string_view id);
  QMessageBox* MessageBoxShown() const;

  // Why a window cannot be shown here, or "" when Qt can reach a display.
  static std::string MissingDisplay();

 private:
  struct TWindow;
  struct TLoop {
    QEventLoop* Loop;
    std::function<bool()> Done;
  };
  class TFormFilter;

  TWindow& Find(int window) const;
  void EnsureApp();
  void BuildForm(int handle, TWindow& w);
  void ApplyControl(TWindow& w, int control, std::string_view name);
  void ApplyWindow(TWindow& w, std::string_view name);
  void RunLoop(const std::function<bool()>& done);
  void WakeLoops();
  void OnEvent(int window, const std::string& phpCode);
  void Stop(TEventOutcome outcome);
  std::string ReadProjectFile(const std::string& relativePath);

  TRunLog& log_;
  TKXProject& project_;
  TEventRunner runner_;
  std::string iconPixels_;
  std::string programName_;
  std::function<void()> fatalExit_;

  std::unique_ptr<QApplication> app_;
  std::unique_ptr<TFormFilter> filter_;
  std::unique_ptr<TAutomation> automation_;
  std::map<int, std::unique_ptr<TWindow>> windows_;
  int nextHandle_ = 1;
  uint64_t showCount_ = 0;
  std::vector<TLoop> loops_;       // the running event loops, innermost last
  std::vector<int> events_;        // windows whose events are being handled, innermost last
  std::vector<QPointer<TKXWindow>> retired_;  // forms freed during an event, deleted later
  QMessageBox* box_ = nullptr;     // the message box on the screen
  TEventOutcome stopped_ = TEventOutcome::Done;
  bool runCalled_ = false;
};

}  // namespace zemblo
