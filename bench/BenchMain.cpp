// wispen_bench: every case on Google Benchmark, then each one's CPU time as a multiple of the memory floor
// measured in the same run. With --check-tick-ratio=N it runs only the floor and the play tick, a few times
// interleaved, and fails when the tick's best time is more than N times the floor's best.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchCases.h"

namespace wispen::bench {
namespace {

// The console report, and the best CPU time per iteration of each case.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
      const std::string name = run.benchmark_name();
      const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
      if (!best_.count(name)) order_.push_back(name);
      best_[name] = best_.count(name) ? std::min(best_[name], seconds) : seconds;
    }
  }

  // The case's best time over the floor's, or 0 when either is missing.
  double Ratio(const std::string& name) const {
    const auto floor = best_.find(kFloorName), it = best_.find(name);
    if (floor == best_.end() || it == best_.end() || floor->second <= 0) return 0;
    return it->second / floor->second;
  }

  void PrintRatios() const {
    std::printf("\n%-40s %14s %12s\n", "case", "best CPU time", "x floor");
    for (const std::string& name : order_) {
      char times[32] = "-";  // when the floor was not run
      if (Ratio(name) > 0) std::snprintf(times, sizeof times, "%.3f", Ratio(name));
      std::printf("%-40s %11.3f us %12s\n", name.c_str(), best_.at(name) * 1e6, times);
    }
  }

 private:
  std::map<std::string, double> best_;
  std::vector<std::string> order_;
};

}  // namespace
}  // namespace wispen::bench

int main(int argc, char** argv) {
  using namespace wispen::bench;
  double tickLimit = 0;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--check-tick-ratio=", 19) == 0) {
      tickLimit = std::atof(argv[i] + 19);
    } else {
      args.push_back(argv[i]);
    }
  }
  // The window's present is measured on SDL's software renderer unless another is asked for.
  setenv("SDL_RENDER_DRIVER", "software", 0);
  std::string filter = "--benchmark_filter=^(" + std::string(kFloorName) + "|" + kTickName + ")$";
  std::string repetitions = "--benchmark_repetitions=5",
              interleave = "--benchmark_enable_random_interleaving=true";
  std::string minTime = "--benchmark_min_time=0.1";
  if (tickLimit > 0) {
    for (std::string* a : {&filter, &repetitions, &interleave, &minTime}) args.push_back(a->data());
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;
  RegisterPlayBenchmarks();
  RegisterBlitBenchmarks();
  RegisterPresentBenchmarks();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.PrintRatios();
  if (tickLimit > 0) {
    const double ratio = reporter.Ratio(kTickName);
    std::printf("\nplay tick: %.2f x the memory floor (limit %.1f)\n", ratio, tickLimit);
    return ratio > 0 && ratio <= tickLimit ? 0 : 1;
  }
  return 0;
}
