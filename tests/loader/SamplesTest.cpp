// The samples' window scripts do what their Info.html promises: a driver script in place of
// Main.php types into the inputs, ticks the options and presses the buttons through the
// handlers, and prints what the controls then show.
#include <gtest/gtest.h>

#include <filesystem>

#include "LoaderFixture.h"

using namespace zemblo;

namespace {

class Samples : public test::LoaderFixture {
 protected:
  // The sample's own files with `driver` as Main.php; returns the run log's lines between the
  // start and end lines.
  std::string Drive(const std::string& sample, const std::string& driver) {
    std::string folder = dir / sample + "/";
    std::filesystem::copy(test::SourceDir() + "data/projects/" + sample, folder,
                          std::filesystem::copy_options::recursive);
    test::WriteAll(folder + "Main.php", driver);
    TRun r = Run(BuildFolder(folder, sample));
    EXPECT_EQ(r.Status, 0) << r.Log;
    size_t from = r.Log.find('\n') + 1;
    size_t to = r.Log.rfind('\n', r.Log.size() - 2) + 1;
    return r.Log.substr(from, to - from);
  }
};

}  // namespace

TEST_F(Samples, TheCalculatorCalculatesAndRefusesWhatItCannot) {
  const char* driver = R"php(<?php
require 'CalcWnd.php';
$w = new CalcWnd();
echo $w->Ctl('Result')->text, "\n";
function press($w, $a, $b, $op, $round) {
  $w->Ctl('A')->text = $a;
  $w->Ctl('B')->text = $b;
  foreach (['OpAdd', 'OpSub', 'OpMul', 'OpDiv'] as $o) $w->Ctl($o)->checked = $o === $op ? '1' : '0';
  $w->Ctl('Round')->checked = $round ? '1' : '0';
  $w->Ctl_Calc_onClick();
  echo $w->Ctl('Result')->text, ' | ', $w->Ctl('Result')->fontColor, "\n";
}
press($w, '12', '3', 'OpAdd', false);
press($w, '12', '30', 'OpSub', false);
press($w, '2', '3', 'OpDiv', true);
press($w, '1,5', '4', 'OpMul', false);
press($w, '7', '0', 'OpDiv', false);
press($w, 'seven', '1', 'OpAdd', false);
$w->Ctl_Clear_onClick();
echo '[', $w->Ctl('A')->text, '][', $w->Ctl('B')->text, '] ', $w->Ctl('Result')->text, "\n";
)php";
  EXPECT_EQ(Drive("Calculator", driver),
            "Result: 15\n"
            "Result: 15 | Navy\n"
            "Result: -18 | Navy\n"
            "Result: 0.67 | Navy\n"
            "Result: 6 | Navy\n"
            "Cannot divide by zero. | Crimson\n"
            "Please type two numbers. | Crimson\n"
            "[][] Result:\n");
}

TEST_F(Samples, TheGuessingGameAnswersHigherLowerAndFound) {
  const char* driver = R"php(<?php
require 'GuessWnd.php';
$g = new GuessWnd();
$secret = (function () { return $this->secret; })->call($g);
echo $g->Ctl('Answer')->text, "\n";
function guess($g, $text) {
  $g->Ctl('Guess')->text = $text;
  $g->Ctl_Try_onClick();
  echo $g->Ctl('Answer')->text, ' | ', $g->Ctl('Tries')->text, "\n";
}
guess($g, 'twelve');
guess($g, (string)($secret < 20 ? $secret + 1 : $secret - 1));
guess($g, (string)($secret > 10 ? 1 : 20));
guess($g, (string)$secret);
$g->Ctl('Easy')->checked = '0';
$g->Ctl('Hard')->checked = '1';
$g->Ctl_NewGame_onClick();
echo $g->Ctl('Answer')->text, ' | ', $g->Ctl('Tries')->text, "\n";
echo $secret < 20 ? 'below' : 'top', ' ', $secret > 10 ? 'high' : 'low', "\n";
)php";
  std::string log = Drive("NumberGuess", driver);
  // The last line says where the secret lay, which decides the words of the two misses.
  bool below = log.find("\nbelow ") != std::string::npos;
  bool high = log.find(" high\n") != std::string::npos;
  std::string expected =
      "I am thinking of a number from 1 to 20.\n"
      "Type a whole number first. | Tries: 0\n" +
      std::string(below ? "No, my number is lower." : "No, my number is higher.") + " You are very close! | Tries: 1\n" +
      std::string(high ? "No, my number is higher." : "No, my number is lower.") + " | Tries: 2\n";
  ASSERT_EQ(log.substr(0, expected.size()), expected) << log;
  std::string rest = log.substr(expected.size());
  // The message box comes while the handler runs, before the driver prints the answer.
  EXPECT_NE(rest.find("Message (Well done): You found the number in 3 tries.\nYes, it is "), std::string::npos) << rest;
  EXPECT_NE(rest.find("! Found in 3 tries. | Tries: 3\nI am thinking of a number from 1 to 100. | Tries: 0\n"),
            std::string::npos)
      << rest;
}
