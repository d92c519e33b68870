// The automation hook: lets a test drive a built program as a user would. It is off unless
// the environment variable ZEMBLO_AUTOMATION names a file of actions when the program first
// shows a window. The actions run one after the other while the program's event loop runs
// (also inside a modal window or a message box), one every 30 ms; what they find is written
// to the run log in lines that begin with "automation: ".
//
// One action per line; empty lines and lines starting with "#" are skipped. Controls are
// named by their "id" in the window shown last that is still on the screen.
//   type <id> <text>   types the text into an input, key by key (after one blank)
//   clear <id>         empties an input (select all, then backspace)
//   click <id>         clicks a button, check box or option button
//   click              clicks the window's own surface
//   read <id>          logs what the control shows: <id> "<text>" <text colour> at <x>,<y>
//                      <w>x<h>, then "ticked" or "not ticked" for a check box or option
//   read               logs the window: window "<title>" <w>x<h>
//   ok                 presses OK in the message box on the screen, logging its caption and text
//   close              closes the window, as its close box does
//   grab <file>        saves a picture of the window's inside as PNG
//   icon <file>        saves the window's icon, 32 by 32, as PNG
//   wait <ms>          waits that long before the next action
// An action that cannot be done (no window, no such control) logs why, and the next one runs.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

namespace zemblo {

class TRuntime;
class TRunLog;

class TAutomation {
 public:
  // The hook when ZEMBLO_AUTOMATION is set (a file that cannot be read is logged, and gives
  // no hook), else null. Needs the QApplication to exist.
  static std::unique_ptr<TAutomation> FromEnvironment(TRuntime& runtime, TRunLog& log);

  TAutomation(TRuntime& runtime, TRunLog& log, std::vector<std::string> actions);

 private:
  void Schedule(int ms);
  void Step();
  void Perform(const std::string& action);

  TRuntime& runtime_;
  TRunLog& log_;
  std::vector<std::string> actions_;
  size_t next_ = 0;
  QObject context_;  // the steps' timers die with it
};

}  // namespace zemblo
