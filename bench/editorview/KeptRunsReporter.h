// A reporter for the summaries printed after the runs: passes every report to the usual
// display and keeps each benchmark's run, the mean standing for all of them when there are
// repetitions.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zemblo::bench {

class TKeptRunsReporter : public benchmark::BenchmarkReporter {
 public:
  explicit TKeptRunsReporter(benchmark::BenchmarkReporter* display) : display_(display) {}
  bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean") kept[run.run_name.function_name] = run;
    display_->ReportRuns(runs);
  }
  void Finalize() override { display_->Finalize(); }

  std::map<std::string, Run> kept;  // by benchmark name

 private:
  std::unique_ptr<benchmark::BenchmarkReporter> display_;
};

}  // namespace zemblo::bench
