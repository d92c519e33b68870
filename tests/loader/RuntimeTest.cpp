// Programs whose windows are on the screen (Qt's offscreen platform), driven through the
// automation hook as a user would drive them: typing, ticking, clicking, closing.
#include <gtest/gtest.h>

#include <QImage>

#include "LoaderFixture.h"
#include "platform/Text.h"

using namespace zemblo;

namespace {

class Runtime : public test::LoaderFixture {};

const char kResource[] = R"xml(<?xml version="1.0"?>
<r>
 <WINDOW id="MainWnd" title="Runtime test" x="40" y="30" w="320" h="220" onClick="Wnd_onClick">
  <CONTROL type="Input" id="Name" x="10" y="10" w="120" h="24" text="World"/>
  <CONTROL type="Check" id="Loud" x="140" y="10" w="100" h="22" text="Shout"/>
  <CONTROL type="Frame" id="Size" x="10" y="40" w="200" h="60" text="Size">
   <CONTROL type="Option" id="Small" x="10" y="20" w="80" h="22" text="Small" checked="1"/>
   <CONTROL type="Option" id="Big" x="100" y="20" w="80" h="22" text="Big"/>
  </CONTROL>
  <CONTROL type="Button" id="Go" x="10" y="110" w="80" h="30" text="Go" onClick="Ctl_Go_onClick"/>
  <CONTROL type="Button" id="Other" x="100" y="110" w="80" h="30" text="Other" onClick="Ctl_Other_onClick"/>
  <CONTROL type="Text" id="Out" x="10" y="150" w="300" h="24" text="..."/>
 </WINDOW>
 <WINDOW id="Dialog" title="A question" w="200" h="100">
  <CONTROL type="Input" id="Answer" x="10" y="10" w="100" h="24"/>
  <CONTROL type="Button" id="Ok" x="120" y="10" w="60" h="30" text="OK" onClick="Ctl_Ok_onClick"/>
 </WINDOW>
</r>
)xml";

}  // namespace

TEST_F(Runtime, TypingTickingAndClickingReachTheHandlersWhoseChangesShowAtOnce) {
  const char* main = R"php(<?php
class MainWnd extends Win32Wnd {
  function Ctl_Go_onClick() {
    $name = $this->Ctl('Name')->text;
    if ($this->Ctl('Loud')->checked == '1') $name = strtoupper($name);
    echo "Go: $name, ", $this->Ctl('Big')->checked == '1' ? 'big' : 'small', "\n";
    $out = $this->Ctl('Out');
    $out->text = "Hello, $name";
    $out->fontColor = 'Crimson';
    $out->x = 20;
    $out->W = 250;
    // Another attribute of the input: what the user typed stays.
    $this->Ctl('Name')->fontColor = 'Navy';
    // The program ticks an option: its neighbour in the frame is unticked, on the screen too.
    $this->Ctl('Small')->checked = 1;
    $this->title = 'Greeted';
    $this->w = 360;
  }
  function Wnd_onClick() { echo "window clicked\n"; }
}
echo "start\n";
(new MainWnd())->Show();
A()->Run();
echo "end\n";
)php";
  std::string exe = Build({{"Main.php", main}, {"res.xml", kResource}});
  TRun r = Run(exe,
               "read\nread Name\nclear Name\ntype Name Ada\nclick Loud\nclick Big\nread Big\nread Small\n"
               "click Go\nread Name\nread Out\nread Small\nread Big\nread\nclick\nclose\n");
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log),
            "start\n"
            "automation: window \"Runtime test\" 320x220\n"
            "automation: Name \"World\" #000000 at 10,10 120x24\n"
            "automation: Big \"Big\" #000000 at 100,20 80x22 ticked\n"
            "automation: Small \"Small\" #000000 at 10,20 80x22 not ticked\n"
            "Go: ADA, big\n"
            "automation: Name \"Ada\" #000080 at 10,10 120x24\n"
            "automation: Out \"Hello, ADA\" #dc143c at 20,150 250x24\n"
            "automation: Small \"Small\" #000000 at 10,20 80x22 ticked\n"
            "automation: Big \"Big\" #000000 at 100,20 80x22 not ticked\n"
            "automation: window \"Greeted\" 360x220\n"
            "window clicked\n"
            "end\n");
  EXPECT_EQ(r.Output, "");
}

// What goes wrong in a handler is the program author's to read in the log; only a fatal
// error or exit() ends the program.
TEST_F(Runtime, ErrorsInHandlersAreLoggedAndOnlyFatalOnesEndTheRun) {
  struct Case {
    const char* what;
    std::string handler;  // the body of Ctl_Go_onClick
    int status;
    std::vector<std::string> lines;  // in the log, in this order
    int times;                       // how often the first line appears
    bool ended;                      // whether the script went on after Run()
  };
  const std::string f = dir / "P/";
  const Case cases[] = {
      {"an uncaught exception", "echo \"go\\n\";\n  throw new RuntimeException('boom');", 0,
       {"PHP Warning:  Uncaught RuntimeException: boom in " + f + "Main.php:5", "Stack trace:",
        "  thrown in " + f + "Main.php on line 5"},
       2, true},
      {"a syntax error in a script the handler loads", "require 'Broken.php';", 0,
       {"PHP Parse error:  syntax error, unexpected token \"{\", expecting variable in " + f + "Broken.php on line 2"}, 2, true},
      {"a missing handler method", "$this->Ctl('Go')->onClick = 'Ctl_Gone_onClick';", 0,
       {"PHP Warning:  The window class MainWnd has no method \"Ctl_Gone_onClick\" for the event in Zemblo framework "
        "on line "},
       1, true},
      // The event line takes the handler's name as it is: one with a quote does not parse.
      {"a handler name that breaks the event line", "$this->Ctl('Go')->onClick = 'Ctl_\"Go';", 0,
       {"PHP Parse error:  syntax error, unexpected ", " in Zemblo event on line 1"}, 1, true},
      {"exit()", "echo \"bye\\n\";\n  exit(3);", 3, {"bye"}, 1, false},
      {"a fatal error", "ini_set('memory_limit', '8M');\n  $s = str_repeat('x', 64 << 20);", 255,
       {"PHP Fatal error:  Allowed memory size of 8388608 bytes exhausted"}, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string main = "<?php\nclass MainWnd extends Win32Wnd {\n function Ctl_Go_onClick() {\n  " + c.handler +
                       "\n }\n}\n(new MainWnd())->Show();\nA()->Run();\necho \"end\\n\";\n";
    std::string exe = Build({{"Main.php", main}, {"res.xml", kResource}, {"Broken.php", "<?php\nfunction f( {"}});
    TRun r = Run(exe, "click Go\nclick Go\nread Name\nclose\n");
    EXPECT_EQ(r.Status, c.status) << r.Log;
    size_t at = 0;
    for (const std::string& line : c.lines) {
      at = r.Log.find(line, at);
      ASSERT_NE(at, std::string::npos) << line << "\n" << r.Log;
    }
    size_t count = 0;
    for (size_t p = r.Log.find(c.lines[0]); p != std::string::npos; p = r.Log.find(c.lines[0], p + 1)) ++count;
    EXPECT_EQ(count, static_cast<size_t>(c.times)) << r.Log;
    // The program went on: it still answers, and the script finished after Run().
    EXPECT_EQ(r.Log.find("automation: Name \"World\"") != std::string::npos, c.ended) << r.Log;
    EXPECT_EQ(r.Log.find("\nend\n") != std::string::npos, c.ended) << r.Log;
    EXPECT_NE(r.Log.find(" ended with exit status " + std::to_string(c.status) + "\n"), std::string::npos);
  }
}

TEST_F(Runtime, ModalWindowsMessageBoxesAndQuit) {
  const char* main = R"php(<?php
class MainWnd extends Win32Wnd {
  function Ctl_Go_onClick() {
    $d = new Dialog();
    $d->ShowModal();
    echo "dialog closed: ", $d->Ctl('Answer')->text, "\n";
    A()->MsgBox('Thanks for ' . $d->Ctl('Answer')->text, 'Done');
    echo "box answered\n";
  }
  function Ctl_Other_onClick() { A()->Quit(); echo "quitting\n"; }
}
class Dialog extends Win32Wnd {
  function Ctl_Ok_onClick() { $this->Close(); }
}
(new MainWnd())->Show();
A()->Run();
echo "run returned\n";
)php";
  std::string exe = Build({{"Main.php", main}, {"res.xml", kResource}});
  // The dialog is the window the actions reach while it is shown; the message box answers
  // to "ok" while the click that opened it waits.
  TRun r = Run(exe, "click Go\nread\ntype Answer 42\nclick Ok\nok\nread\nclick Other\n");
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log),
            "automation: window \"A question\" 200x100\n"
            "dialog closed: 42\n"
            "automation: message box \"Done\": Thanks for 42\n"
            "box answered\n"
            "automation: window \"Runtime test\" 320x220\n"
            "quitting\n"
            "run returned\n");
}

TEST_F(Runtime, AScriptThatShowsNoWindowNeedsNoDisplay) {
  const char* main = "<?php\necho \"no window\\n\";\nA()->MsgBox('Done.', 'Note');\nA()->Run();\necho \"end\\n\";\n";
  std::string exe = Build({{"Main.php", main}, {"res.xml", kResource}});
  TRun r = RunWithoutDisplay(exe);
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log), "no window\nMessage (Note): Done.\nend\n");
}

TEST_F(Runtime, WindowsLeftOnTheScreenWithoutRunGetAHint) {
  std::string exe = Build({{"Main.php", "<?php\n$w = new Win32Wnd('MainWnd');\n$w->Show();\n"}, {"res.xml", kResource}});
  TRun r = Run(exe);
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log),
            "The script ended while its windows were shown; A()->Run() keeps them on the screen until they are "
            "closed.\n");
}

// The sample calculator's own icon, title, banner picture and help text, as built.
TEST_F(Runtime, WindowsShowTheProgramsIconTitlePicturesAndTexts) {
  const std::string sample = test::SourceDir() + "data/projects/Calculator/";
  const std::string help = test::ReadAll(sample + "files/help.txt");
  std::string exe = Build({{"Main.php", "<?php\nrequire 'CalcWnd.php';\n(new CalcWnd())->Show();\nA()->Run();\n"},
                           {"CalcWnd.php", test::ReadAll(sample + "CalcWnd.php")},
                           {"res.xml", test::ReadAll(sample + "Calculator.xml")},
                           {"appicon.bmp", test::ReadAll(sample + "appicon.bmp")},
                           {"images/banner.bmp", test::ReadAll(sample + "images/banner.bmp")},
                           {"files/help.txt", help}});
  TRun r = Run(exe, "read\nread Help\ngrab " + dir / "window.png" + "\nicon " + dir / "icon.png" + "\nclose\n");
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(Body(r.Log),
            "automation: window \"Calculator\" 388x340\n"
            "automation: Help \"" + help + "\" #696969 at 16,282 352x48\n");

  QImage icon(QString::fromStdString(dir / "icon.png"));
  QImage designed(QString::fromStdString(sample + "appicon.bmp"));
  ASSERT_EQ(icon.size(), QSize(32, 32));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(icon.pixel(x, y) | 0xFF000000u, designed.pixel(x, y) | 0xFF000000u) << x << "," << y;

  QImage window(QString::fromStdString(dir / "window.png"));
  QImage banner(QString::fromStdString(sample + "images/banner.bmp"));
  ASSERT_FALSE(window.isNull());
  for (QPoint p : {QPoint(2, 2), QPoint(300, 40), QPoint(386, 6)})
    EXPECT_EQ(window.pixel(p) | 0xFF000000u, banner.pixel(p) | 0xFF000000u) << p.x() << "," << p.y();
}
