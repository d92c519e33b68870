// The editor engine against QScintilla on the same PHP-like text of 100,000 lines (about
// 5 MB, some lines past 80 columns) in the same run: loading, typing in the middle (one
// command per character), Enter and Backspace in the middle, pasting 1 MB and undoing that
// paste, and mapping rows and offsets at random places. Each iteration times ours and the
// peer's on equal documents, alternating which goes first. Counters: ours and peer in
// microseconds per operation, and ratio = ours / peer (below 1: ours is faster).
//
// Ours always wraps at 80 columns. The peer edits without word wrap: its wrapping is laid
// out later, from the event loop, so an edit's time would not include it anyway. For
// mapping display rows to lines the peer wraps (the widget shown offscreen, 80 columns
// wide, events run until every line is wrapped), so that both search wrapped rows.
#include <benchmark/benchmark.h>

#include <Qsci/qsciscintilla.h>
#include <Qsci/qsciscintillabase.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "editor/AdvEdit.h"

namespace {

using namespace zemblo;
using Clock = std::chrono::steady_clock;
using Sci = QsciScintillaBase;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// PHP mixed with HTML as a project's scripts look: classes, methods, strings, comments,
// blank lines, and every so often a long line that wraps.
std::string MakeText(int lines, uint32_t seed) {
  static const char* const kLines[] = {
      "<?php",
      "class MainWnd extends Win32Wnd",
      "{",
      "    function onClick($sender)",
      "    {",
      "        $this->label->text = \"Hello, \" . $name . \"!\";",
      "        if ($count > 10 && $this->visible) { $count = 0; }",
      "        // Counts the clicks until the window closes again.",
      "        $items = array('one', 'two', 'three', 'four', 'five');",
      "        foreach ($items as $key => $value) echo \"<li>$key: $value</li>\\n\";",
      "        $message = sprintf(\"%s has %d items, %d of them selected, last changed %s by %s\", $list->name, "
      "count($items), $selected, date('Y-m-d H:i', $changed), $user);",
      "    }",
      "",
      "    /* A long comment that explains what the next method does, why it does it this way and "
      "which callers rely on the order in which it sends its events to the window. */",
      "}",
      "?>",
      "<p class=\"note\">Welcome to the <b>project</b> page.</p>",
  };
  std::mt19937 rng(seed);
  std::string s;
  s.reserve(static_cast<size_t>(lines) * 56);
  for (int i = 0; i < lines; ++i) {
    s += kLines[rng() % std::size(kLines)];
    s += "\r\n";
  }
  return s;
}

// 1 MB of the same kind of text, with LF line breaks as the clipboard may hold them.
std::string MakeClip() {
  std::string s = MakeText(20000, 99);
  s.resize(1 << 20);
  std::string out;
  for (char c : s)
    if (c != '\r') out += c;
  return out;
}

const std::string& Text() {
  static const std::string text = MakeText(100000, 7);
  return text;
}

// Our editor and the peer, loaded with the same text.
struct TPair {
  TNullAdvEditPlatform platform;
  TAdvancedEditor ours{&platform};
  std::unique_ptr<QsciScintilla> peer = std::make_unique<QsciScintilla>();

  TPair() {
    platform.Width = 2 + 100 * 8;
    platform.Height = 40 * 16;
    ours.AttachWindow();
    ours.Resize();
    peer->resize(800, 640);
    peer->SendScintilla(Sci::SCI_SETWRAPMODE, 0UL);
    Load();
  }
  void Load() {
    ours.Lines().SetText(Text());
    peer->SendScintilla(Sci::SCI_SETTEXT, 0UL, Text().c_str());
    peer->SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
  }
  // Both carets at column 10 of the middle line.
  void CaretToMiddle() {
    const int line = ours.Lines().Count() / 2;
    ours.MoveCaret(10, ours.Lines().FirstRow(line));
    const long pos = peer->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)) + 10;
    peer->SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(pos));
  }
};

// Runs `ours` and `peer` once per iteration, in alternating order, and reports their times
// per operation.
template <class Ours, class Peer>
void RunPair(benchmark::State& state, double opsPerIteration, Ours ours, Peer peer) {
  double oursTime = 0, peerTime = 0;
  bool oursFirst = true;
  for (auto _ : state) {
    double t[2];
    for (int k = 0; k < 2; ++k) {
      const bool runOurs = (k == 0) == oursFirst;
      t[runOurs ? 0 : 1] = runOurs ? ours() : peer();
    }
    oursFirst = !oursFirst;
    oursTime += t[0];
    peerTime += t[1];
    state.SetIterationTime(t[0] / 1e6);
  }
  const double n = static_cast<double>(state.iterations()) * opsPerIteration;
  state.counters["ours_us"] = oursTime / n;
  state.counters["peer_us"] = peerTime / n;
  state.counters["ratio"] = oursTime / peerTime;
}

template <class F>
double Timed(F f) {
  const auto start = Clock::now();
  f();
  return Micros(Clock::now() - start);
}

void BM_Load(benchmark::State& state) {
  TPair p;
  RunPair(
      state, 1, [&] { return Timed([&] { p.ours.Lines().SetText(Text()); }); },
      [&] { return Timed([&] { p.peer->SendScintilla(Sci::SCI_SETTEXT, 0UL, Text().c_str()); }); });
  if (p.ours.Lines().Count() != 100000) state.SkipWithError("wrong line count");
}

void BM_TypeInTheMiddle(benchmark::State& state) {
  TPair p;
  constexpr int kChars = 1000;
  RunPair(
      state, kChars,
      [&] {
        p.CaretToMiddle();
        return Timed([&] {
          for (int i = 0; i < kChars; ++i) p.ours.ExecuteCommand(static_cast<TEditCommand>('a' + i % 26));
        });
      },
      [&] {
        p.CaretToMiddle();
        return Timed([&] {
          char c[2] = {0, 0};
          for (int i = 0; i < kChars; ++i) {
            c[0] = static_cast<char>('a' + i % 26);
            p.peer->SendScintilla(Sci::SCI_ADDTEXT, 1UL, c);
          }
        });
      });
}

void BM_EnterBackspaceInTheMiddle(benchmark::State& state) {
  TPair p;
  constexpr int kPairs = 200;
  RunPair(
      state, kPairs,
      [&] {
        p.CaretToMiddle();
        return Timed([&] {
          for (int i = 0; i < kPairs; ++i) {
            p.ours.ExecuteCommand(cmdLineBreak);
            p.ours.ExecuteCommand(cmdBackspace);
          }
        });
      },
      [&] {
        p.CaretToMiddle();
        return Timed([&] {
          for (int i = 0; i < kPairs; ++i) {
            p.peer->SendScintilla(Sci::SCI_NEWLINE);
            p.peer->SendScintilla(Sci::SCI_DELETEBACK);
          }
        });
      });
  if (p.ours.Lines().Count() != 100000) state.SkipWithError("Enter and Backspace did not cancel out");
}

// Paste, then undo the paste, both in the middle of the text.
void PasteAndUndo(benchmark::State& state, bool timeUndo) {
  TPair p;
  static const std::string clip = MakeClip();
  p.platform.Clipboard = clip;
  RunPair(
      state, 1,
      [&] {
        p.CaretToMiddle();
        const double paste = Timed([&] { p.ours.ExecuteCommand(cmdPaste); });
        const double undo = Timed([&] { p.ours.ExecuteCommand(cmdUndo); });
        return timeUndo ? undo : paste;
      },
      [&] {
        p.CaretToMiddle();
        const double paste = Timed([&] { p.peer->SendScintilla(Sci::SCI_ADDTEXT, clip.size(), clip.c_str()); });
        const double undo = Timed([&] { p.peer->SendScintilla(Sci::SCI_UNDO); });
        return timeUndo ? undo : paste;
      });
  if (p.ours.Lines().TextLength() != static_cast<int>(Text().size())) state.SkipWithError("undo left text behind");
}
void BM_Paste1MB(benchmark::State& state) { PasteAndUndo(state, false); }
void BM_UndoPaste1MB(benchmark::State& state) { PasteAndUndo(state, true); }

// Shows the peer offscreen about 80 columns wide with word wrap and runs the event loop
// until its wrapping of the whole text stops changing.
void WrapPeer(QsciScintilla& peer) {
  peer.resize(8 * 80 + 60, 640);
  peer.show();
  peer.SendScintilla(Sci::SCI_SETWRAPMODE, 1UL);
  const unsigned long lastLine = static_cast<unsigned long>(peer.SendScintilla(Sci::SCI_GETLINECOUNT) - 1);
  long rows = -1;
  for (int unchanged = 0, round = 0; unchanged < 50 && round < 200000; ++round) {
    QApplication::processEvents();
    const long now = peer.SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE, lastLine);
    unchanged = now == rows ? unchanged + 1 : 0;
    rows = now;
  }
}

void BM_RowToLine(benchmark::State& state) {
  TPair p;
  WrapPeer(*p.peer);
  const long peerRows = p.peer->SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE,
                                              static_cast<unsigned long>(p.peer->SendScintilla(Sci::SCI_GETLINECOUNT) - 1));
  state.counters["peer_rows"] = static_cast<double>(peerRows);
  state.counters["our_rows"] = p.ours.Lines().RowTotal();
  constexpr int kQueries = 100000;
  std::mt19937 rng(3);
  std::vector<int> rows(kQueries);
  for (int& r : rows) r = static_cast<int>(rng() % static_cast<uint32_t>(p.ours.Lines().RowTotal()));
  long sink = 0;
  RunPair(
      state, kQueries,
      [&] {
        return Timed([&] {
          for (int r : rows) sink += p.ours.Lines().RowToLine(r).Line;
        });
      },
      [&] {
        return Timed([&] {
          for (int r : rows)
            sink += p.peer->SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(r % peerRows));
        });
      });
  benchmark::DoNotOptimize(sink);
}

void BM_OffsetToPos(benchmark::State& state) {
  TPair p;
  constexpr int kQueries = 100000;
  std::mt19937 rng(5);
  std::vector<int> offsets(kQueries);
  for (int& o : offsets) o = static_cast<int>(rng() % static_cast<uint32_t>(Text().size()));
  long sink = 0;
  RunPair(
      state, kQueries,
      [&] {
        return Timed([&] {
          for (int o : offsets) {
            const TRowCol rc = p.ours.OffsetToPos(o);
            sink += rc.Row + rc.Col;
          }
        });
      },
      [&] {
        return Timed([&] {
          for (int o : offsets) {
            const long line = p.peer->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(o));
            sink += line + o - p.peer->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
          }
        });
      });
  benchmark::DoNotOptimize(sink);
}

BENCHMARK(BM_Load)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeInTheMiddle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EnterBackspaceInTheMiddle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Paste1MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UndoPaste1MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RowToLine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OffsetToPos)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
