// Colouring a 100,000-line PHP file with HTML, JavaScript and CSS in it, every line from the
// top as the editor would draw them one after another: our highlighter cold (just loaded),
// again after a change near the top, and again with nothing changed; and, on the same lines
// in the same run, GNU source-highlight's line highlighter with its PHP language definition.
// Both record a token kind per character. Prints lines per second and our/peer ratios.
#include <benchmark/benchmark.h>

#include <srchilite/formatter.h>
#include <srchilite/formattermanager.h>
#include <srchilite/formatterparams.h>
#include <srchilite/langdefmanager.h>
#include <srchilite/regexrulefactory.h>
#include <srchilite/sourcehighlighter.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "KeptRunsReporter.h"
#include "editorview/HiLiPHP.h"
#include "platform/Text.h"

namespace {

using namespace zemblo;

constexpr int kLines = 100000;

// One page of a project's script: HTML with a style sheet, a script and PHP code. {n} is
// replaced by the page number so that no two pages are the same text.
const char* const kPage[] = {
    "<html>",
    "<head>",
    "<title>Page {n}</title>",
    "<style type=\"text/css\">",
    "<!--",
    "body { font-family: Verdana, sans-serif; margin: 0px; }",
    ".box{n} { color: #336699; padding: 4px 8px; border: 1px solid #CCC; }",
    "-->",
    "</style>",
    "<script type=\"text/javascript\">",
    "<!--",
    "function show{n}(id) {",
    "  var el = document.getElementById(id); // find it",
    "  if (el.style.display == \"none\") { el.style.display = \"block\"; }",
    "  else { el.style.display = \"none\"; }",
    "  return {n} * 2 + 0x1F;",
    "}",
    "//-->",
    "</script>",
    "</head>",
    "<body onload=\"show{n}('main')\">",
    "<div id=\"main\" class=\"box{n}\">",
    "<?php",
    "/* Page {n}: the kind of code a window class holds. */",
    "class Wnd{n} extends Win32Wnd {",
    "  var $count = {n};",
    "  function OnClick($sender) {",
    "    $name = $this->name . \"_\" . strtoupper('x');",
    "    if ($this->count > 10 && is_array($sender)) {",
    "      foreach ($sender as $key => $value) { echo htmlspecialchars($value), \"\\n\"; }",
    "    }",
    "    # a hash comment",
    "    return array_map('trim', explode(',', \"a, b, c\"));",
    "  }",
    "}",
    "$w = new Wnd{n}();",
    "?>",
    "<p>Item <?= $w->count ?> of <b>many</b> &amp; more text here.</p>",
    "<a href=\"index.php?page={n}\" title='Next page'>next</a>",
    "</div>",
    "</body>",
    "</html>",
};
constexpr int kPageLines = sizeof(kPage) / sizeof(kPage[0]);
// The change near the top: an HTML comment opened in the title swallows the style element's
// opening tag, so the state differs for a few lines below it.
constexpr int kChangedLine = 2;

const std::vector<std::string>& File() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> out;
    out.reserve(kLines);
    for (int n = 0; static_cast<int>(out.size()) < kLines; ++n)
      for (int i = 0; i < kPageLines && static_cast<int>(out.size()) < kLines; ++i)
        out.push_back(ReplaceAll(kPage[i], "{n}", std::to_string(n)));
    return out;
  }();
  return lines;
}

class TFileLines : public ILineSource {
 public:
  TFileLines() : lines_(File()) {}
  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int i) const override { return i >= 0 && i < Count() ? lines_[static_cast<size_t>(i)] : std::string(); }
  std::vector<std::string> lines_;
};

// Draws every line from the top as the editor's painting does: the text with its end-of-line
// marker, cells prepared for it.
void DrawAll(TPHPHighLight& hl, const TFileLines& lines, TLineAttrs& attrs, std::string& text) {
  for (int i = 0; i < lines.Count(); ++i) {
    text = lines.lines_[static_cast<size_t>(i)];
    text += kEndOfLineMarker;
    attrs.assign(text.size() + 1, TCharAttr{});
    hl.HighlightLine(nullptr, text, i, {}, attrs);
    benchmark::DoNotOptimize(attrs.data());
  }
}

void SetRate(benchmark::State& state) {
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kLines, benchmark::Counter::kIsRate);
}

void BM_Ours_Cold(benchmark::State& state) {
  TFileLines lines;
  TPHPHighLight hl(lines);
  TLineAttrs attrs;
  std::string text;
  for (auto _ : state) {
    hl.Reset();
    DrawAll(hl, lines, attrs, text);
  }
  SetRate(state);
}

void BM_Ours_AfterChange(benchmark::State& state) {
  TFileLines lines;
  TPHPHighLight hl(lines);
  TLineAttrs attrs;
  std::string text;
  hl.Reset();
  DrawAll(hl, lines, attrs, text);
  const std::string original = lines.lines_[kChangedLine];
  const std::string changed = original + "<!--";
  bool on = false;
  for (auto _ : state) {
    on = !on;
    lines.lines_[kChangedLine] = on ? changed : original;
    DrawAll(hl, lines, attrs, text);
  }
  SetRate(state);
}

void BM_Ours_Unchanged(benchmark::State& state) {
  TFileLines lines;
  TPHPHighLight hl(lines);
  TLineAttrs attrs;
  std::string text;
  hl.Reset();
  DrawAll(hl, lines, attrs, text);
  for (auto _ : state) DrawAll(hl, lines, attrs, text);
  SetRate(state);
}

// The peer's elements, recorded per character into the kinds of the line.
class TKindFormatter : public srchilite::Formatter {
 public:
  TKindFormatter(std::vector<uint8_t>& kinds, uint8_t kind) : kinds_(kinds), kind_(kind) {}
  void format(const std::string& s, const srchilite::FormatterParams* params) override {
    if (!params || params->start < 0) return;
    size_t from = std::min(kinds_.size(), static_cast<size_t>(params->start));
    size_t to = std::min(kinds_.size(), from + s.size());
    std::fill(kinds_.begin() + static_cast<long>(from), kinds_.begin() + static_cast<long>(to), kind_);
  }

 private:
  std::vector<uint8_t>& kinds_;
  uint8_t kind_;
};

void BM_Peer_SourceHighlight(benchmark::State& state) {
  srchilite::RegexRuleFactory factory;
  srchilite::LangDefManager langs(&factory);
  srchilite::HighlightStatePtr php = langs.getHighlightState(SRCHILITE_LANG_DIR, "php.lang");
  std::vector<uint8_t> kinds;
  srchilite::FormatterManager formatters(srchilite::FormatterPtr(new TKindFormatter(kinds, ccSym)));
  const std::pair<const char*, TCharCtx> elements[] = {
      {"keyword", ccKey}, {"type", ccKey},    {"preproc", ccKey}, {"string", ccStr}, {"comment", ccCmt},
      {"number", ccNum},  {"variable", ccVar}, {"normal", ccSpace}, {"symbol", ccSym}, {"function", ccSpace},
  };
  for (auto [name, kind] : elements)
    formatters.addFormatter(name, srchilite::FormatterPtr(new TKindFormatter(kinds, kind)));
  srchilite::FormatterParams params;
  const auto& lines = File();
  for (auto _ : state) {
    srchilite::SourceHighlighter peer(php);
    peer.setFormatterManager(&formatters);
    peer.setFormatterParams(&params);
    for (const auto& line : lines) {
      kinds.assign(line.size(), ccSpace);
      peer.highlightParagraph(line);
      benchmark::DoNotOptimize(kinds.data());
    }
  }
  SetRate(state);
}

BENCHMARK(BM_Ours_Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_AfterChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_Unchanged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Peer_SourceHighlight)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zemblo::bench::TKeptRunsReporter reporter(benchmark::CreateDefaultDisplayReporter());
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::map<std::string, double> r;  // lines per second
  for (const auto& [name, run] : reporter.kept) {
    auto it = run.counters.find("lines/s");
    if (it != run.counters.end()) r[name] = it->second.value;
  }
  double peer = r["BM_Peer_SourceHighlight"];
  std::printf("\n%d lines; peer (source-highlight, php.lang): %.0f lines/s\n", kLines, peer);
  for (const char* ours : {"BM_Ours_Cold", "BM_Ours_AfterChange", "BM_Ours_Unchanged"})
    if (r.count(ours) && peer > 0)
      std::printf("%-22s %12.0f lines/s  %6.1fx the peer\n", ours + 3, r[ours], r[ours] / peer);
  benchmark::Shutdown();
  return 0;
}
