#include <gtest/gtest.h>

#include "LoaderFixture.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "platform/Text.h"
#include "project/BuildPayload.h"

using namespace zemblo;
using test::ReadAll;
using test::WriteAll;

namespace {

class Loader : public test::LoaderFixture {};

const char kResource[] =
    "<?xml version=\"1.0\"?>\r\n<r>\r\n"
    " <WINDOW id=\"MainWnd\" title=\"Hello\" bgColor=\"Navy\">\r\n"
    "  <CONTROL type=\"Input\" id=\"Name\" text=\"World\"/>\r\n"
    "  <CONTROL type=\"Frame\" id=\"Group\" text=\"Options\">\r\n"
    "   <CONTROL type=\"Check\" ID=\"Loud\" Text=\"Shout\" checked=\"1\"/>\r\n"
    "   <CONTROL type=\"Option\" id=\"OptC\" checked=\"1\"/>\r\n"
    "  </CONTROL>\r\n"
    "  <CONTROL type=\"Button\" id=\"Go\" onClick=\"Ctl_Go_onClick\"/>\r\n"
    "  <CONTROL type=\"Option\" id=\"OptA\" checked=\"1\"/>\r\n"
    "  <CONTROL type=\"Option\" id=\"OptB\"/>\r\n"
    " </WINDOW>\r\n</r>\r\n";

// A run log with its time stamps as "T", the program's name as "N" and the framework's own
// line numbers as "L", so that a table can say what each run must log.
std::string Shape(const std::string& log, const std::string& exeName) {
  auto digits = [&](size_t at, size_t n) {
    for (size_t i = at; i < at + n; ++i)
      if (i >= log.size() || log[i] < '0' || log[i] > '9') return false;
    return true;
  };
  std::string s;
  for (size_t i = 0; i < log.size();) {
    // "2025-03-01 14:05:09"
    if (digits(i, 4) && log.compare(i + 4, 1, "-") == 0 && digits(i + 5, 2) && log.compare(i + 7, 1, "-") == 0 &&
        digits(i + 8, 2) && log.compare(i + 10, 1, " ") == 0 && digits(i + 11, 2) && log.compare(i + 13, 1, ":") == 0 &&
        digits(i + 14, 2) && log.compare(i + 16, 1, ":") == 0 && digits(i + 17, 2)) {
      s += 'T';
      i += 19;
      continue;
    }
    // "Zemblo framework on line 12", "Zemblo framework(12)", "Zemblo framework:12"
    static const std::string kFramework = "Zemblo framework";
    if (log.compare(i, kFramework.size(), kFramework) == 0) {
      s += kFramework;
      i += kFramework.size();
      for (std::string_view lead : {" on line ", "(", ":"}) {
        if (log.compare(i, lead.size(), lead) != 0 || !digits(i + lead.size(), 1)) continue;
        s += std::string(lead) + "L";
        i += lead.size();
        while (digits(i, 1)) ++i;
        break;
      }
      continue;
    }
    s += log[i++];
  }
  return ReplaceAll(s, exeName, "N");
}

}  // namespace

TEST_F(Loader, RunAsItselfItSaysWhatItIs) {
  std::string loader = test::BinDir() + "loader/ZembloLdr.exe";
  TRun r = Run(loader);
  EXPECT_EQ(r.Status, 0);
  EXPECT_NE(r.Output.find("ZembloLdr.exe is the loader of programs built with Zemblo"), std::string::npos) << r.Output;
  EXPECT_FALSE(FileExists(test::BinDir() + "loader/ZembloLdr.log"));
}

TEST_F(Loader, CarriesItsIconOnceWithinTheBlocksTheBuilderSearches) {
  std::string loader = ReadAll(test::BinDir() + "loader/ZembloLdr.exe");
  std::string pattern(reinterpret_cast<const char*>(kIconPattern.data()), kIconPattern.size());
  size_t first = loader.find(pattern);
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(first, loader.rfind(pattern)) << "a second copy would draw the patch onto the program";
  TMemoryStream s(loader);
  EXPECT_EQ(FindIconOffset(s), static_cast<int64_t>(first) - kIconPatternOffset);
  // The block is the last thing in the file, so a program finds its own icon before its payload.
  EXPECT_EQ(loader.size() - (first - kIconPatternOffset), static_cast<size_t>(kIconPixelBytes + kIconMaskBytes));

  // A program with its own icon still runs.
  std::string bmp = ReadAll(test::SourceDir() + "data/projects/Calculator/appicon.bmp");
  std::string exe = Build({{"Main.php", "<?php echo 'icon ok';"}, {"appicon.bmp", bmp}});
  TRun r = Run(exe);
  EXPECT_EQ(r.Status, 0) << r.Log;
  EXPECT_NE(r.Log.find("icon ok"), std::string::npos) << r.Log;
}

TEST_F(Loader, TheRunLogHoldsTheOutputEveryErrorAndTheExitStatus) {
  struct Case {
    const char* what;
    std::string main;
    int status;
    std::string shape;  // the log as Shape() gives it; "{F}" is the project folder, "{D}" the same without its delimiter
  };
  const Case cases[] = {
      {"output and a warning", "<?php\r\necho \"Hello\\n\";\r\necho $missing;\r\necho 'bye';\r\n", 0,
       "T N started\nHello\nPHP Warning:  Undefined variable $missing in {F}Main.php on line 3\nbye\n"
       "T N ended with exit status 0\n"},
      {"exit with a status", "<?php echo 'a'; exit(7);", 7, "T N started\na\nT N ended with exit status 7\n"},
      {"a syntax error", "<?php\r\nfunction f( {", 255,
       "T N started\nPHP Parse error:  syntax error, unexpected token \"{\", expecting variable in {F}Main.php on line 2\n"
       "T N ended with exit status 255\n"},
      {"an uncaught exception", "<?php\r\nthrow new Exception('boom');", 255,
       "T N started\nPHP Fatal error:  Uncaught Exception: boom in {F}Main.php:2\nStack trace:\n#0 {main}\n"
       "  thrown in {F}Main.php on line 2\nT N ended with exit status 255\n"},
      {"a fatal error after output", "<?php echo 'x'; undefined_function();", 255,
       "T N started\nx\nPHP Fatal error:  Uncaught Error: Call to undefined function undefined_function() in "
       "{F}Main.php:1\nStack trace:\n#0 {main}\n  thrown in {F}Main.php on line 1\nT N ended with exit status 255\n"},
      {"the project folder is the working folder", "<?php require 'lib.php'; echo getcwd(), \"\\n\";", 0,
       "T N started\nlib\n{D}\nT N ended with exit status 0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string exe = Build({{"Main.php", c.main}, {"lib.php", "<?php echo \"lib\\n\";"}});
    TRun r = Run(exe);
    EXPECT_EQ(r.Status, c.status);
    std::string expected = ReplaceAll(ReplaceAll(c.shape, "{F}", dir / "P/"), "{D}", dir / "P");
    EXPECT_EQ(Shape(r.Log, "P.exe"), expected);
    EXPECT_EQ(r.Output, "") << "a built program writes only its log";
  }
}

TEST_F(Loader, AProgramThatCannotFindItsPartsSaysSoInItsLog) {
  std::string exe = Build({{"Main.php", "<?php echo 'x';"}});
  std::string built = ReadAll(exe);
  ForceDirectories(dir / "elsewhere");
  auto place = [&](const std::string& name, const std::string& bytes) {
    std::string path = dir / "elsewhere/" + name;
    WriteAll(path, bytes);
    ::chmod(path.c_str(), 0755);
    return path;
  };
  std::string damaged = built;
  damaged[damaged.size() - 18] ^= 0x40;  // the archive's length

  struct Case {
    const char* what;
    std::string exe;
    std::function<void()> prepare;
    std::string line;
  };
  const Case cases[] = {
      {"a damaged payload", place("Damaged.exe", damaged), nullptr, "The program cannot find its project: the payload "},
      {"no Main.php", exe, [&] { DeleteFile(dir / "P/Main.php"); },
       "The project has no script \"" + dir / "P/Main.php" + "\"."},
      {"no project folder", place("Moved.exe", built), [&] { test::RemoveTree(dir / "P"); },
       "The project folder \"" + dir / "P/" + "\" does not exist."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.prepare) c.prepare();
    TRun r = Run(c.exe);
    EXPECT_EQ(r.Status, 1);
    std::vector<std::string> lines;
    for (size_t s = 0, e; s < r.Log.size(); s = e + 1) lines.push_back(r.Log.substr(s, (e = r.Log.find('\n', s)) - s));
    ASSERT_EQ(lines.size(), 3u) << r.Log;
    EXPECT_EQ(lines[1].substr(0, c.line.size()), c.line);
    EXPECT_NE(lines[2].find("ended with exit status 1"), std::string::npos);
  }
}

// Without a display a script still builds its windows, reads and writes their attributes
// and runs; only showing a window fails, with the script's own line in the message.
TEST_F(Loader, TheFrameworkWorksOnWindowsThatAreNotShown) {
  const char* main = R"php(<?php
class MainWnd extends Win32Wnd {
  function Ctl_Go_onClick() { echo "clicked ", $this->Ctl('NAME')->text, "\n"; }
}
class Unbuilt extends Win32Wnd { function __construct() {} }
$w = new MainWnd();
echo $w->title, '|', $w->Get('BGCOLOR'), '|', $w->Ctl('name')->text, '|', $w->Ctl('Loud')->text, '|',
     $w->Ctl('Loud')->checked, '|', $w->Ctl('Name')->checked, '|', isset($w->Ctl('Go')->text) ? 'set' : 'unset', "\n";
$w->Ctl('Name')->text = 'Zemblo';
$w->Ctl('Name')->Set('fontColor', 'Red');
$w->Ctl('OptB')->checked = true;
echo $w->Ctl('name')->Get('FONTCOLOR'), '|', $w->Ctl('Name')->text, '|', $w->Ctl('OptA')->checked,
     $w->Ctl('OptB')->checked, $w->Ctl('OptC')->checked, "\n";
A()->WndEvent('Ctl_Go_onClick');
A()->MsgBox('Saved.', 'Editor');
A()->MsgBox('Plain.');
A()->Run();
try { $w->Ctl('Missing'); } catch (Win32Error $e) { echo $e->getMessage(), ' @ ', basename($e->getFile()), ':', $e->getLine(), "\n"; }
try { new Win32Wnd('Other'); } catch (Exception $e) { echo $e->getMessage(), "\n"; }
try { echo (new Unbuilt())->title; } catch (Exception $e) { echo $e->getMessage(), "\n"; }
echo (new MainWnd())->Ctl('Name')->text, "\n";
$w->Show();
echo "not reached\n";
)php";
  std::string exe = Build({{"Main.php", main}, {"res.xml", kResource}});
  TRun r = RunWithoutDisplay(exe);
  EXPECT_EQ(r.Status, 255);
  const std::string f = dir / "P/Main.php";
  EXPECT_EQ(Shape(r.Log, "P.exe"),
            "T N started\n"
            "Hello|Navy|World|Shout|1||unset\n"
            "Red|Zemblo|011\n"
            "PHP Warning:  No window is there to handle the event \"Ctl_Go_onClick\" in Zemblo framework on line L\n"
            "Message (Editor): Saved.\n"
            "Message: Plain.\n"
            "The window \"MainWnd\" has no control \"Missing\" @ Main.php:18\n"
            "The project's resource file has no window \"Other\"\n"
            "The window Unbuilt was not built: its constructor must call parent::__construct()\n"
            "World\n"
            "PHP Fatal error:  Uncaught Win32Error: The window cannot be shown: no display is available (DISPLAY is "
            "not set). in " + f + ":22\nStack trace:\n#0 Zemblo framework(L): zemblo_show()\n#1 " + f +
            "(22): Win32Wnd->Show()\n#2 {main}\n  thrown in " + f + " on line 22\n"
            "T N ended with exit status 255\n");
}

TEST_F(Loader, TheScriptTheIdeWritesForANewWindowLoads) {
  std::string exe = Build({{"Main.php", "<?php require 'NewWnd01.php'; $w = new NewWnd01(); echo $w->title;"},
                           {"NewWnd01.php", "<?php\r\n\r\nclass NewWnd01 extends Win32Wnd{}\r\n?>"},
                           {"res.xml", "<r><WINDOW id=\"NewWnd01\" w=\"400\" h=\"250\" title=\"NewWnd01\"/></r>"}});
  TRun r = Run(exe);
  EXPECT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Log.find("started\nNewWnd01\n"), std::string::npos) << r.Log;
}
