// One whole analysis in-process, the report and the plot data written to
// memory: a run at the engine's capacities, a typical run, and the run at
// the capacities on half the penetration points (which shows how the cost
// grows with the pile).
//
//   zolan_bench [benchmark options]   the benchmarks
//   zolan_bench --once NAME [DIR]     one run of the named case, for a profiler;
//                                     with DIR, its input texts, report and plot
//                                     data are kept there as NAME.dat, .cpt, .out, .plt
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/pile_cases.hpp"
#include "engine/run.hpp"

namespace zolan::bench {
namespace {

constexpr const char* kAllMethods = "1 1 1 1 1 1 1 1 1";

struct NamedCase {
  const char* name;
  PileCase pile;
};

const NamedCase kCases[] = {
    // 500 penetration points, 80 soil points, 1000 CPT points, 100 check depths.
    {"capacities", {500.0, 495.0, 40, 1000, 100, kAllMethods, 1}},
    // 60 ft pile, 6 soil points, four methods, two check depths.
    {"typical", {70.0, 60.0, 3, 0, 2, "1 1 1 1 0 0 0 0 0", 0}},
    // The capacities on 250 penetration points.
    {"half_capacities", {250.0, 245.0, 40, 1000, 100, kAllMethods, 1}},
};

struct Texts {
  std::string input;
  std::string cpt;
};

struct Written {
  RunResult result;
  std::string report;
  std::string plot;
};

Written run_once(const Texts& texts) {
  RunFiles files;
  files.version_text = "BENCH       ";
  files.input_file_name = "bench.dat";
  files.output_file_name = "bench.out";
  files.plot_file_name = "bench.plt";
  files.cpt_file_name = "bench.cpt";
  std::istringstream input(texts.input);
  std::istringstream cpt(texts.cpt);
  std::ostringstream report;
  std::ostringstream plot;
  std::ostringstream console;
  Written w;
  w.result =
      run_analysis(files, RunStreams{&input, &cpt, &report, &plot}, Console{&console, nullptr});
  w.report = std::move(report).str();
  w.plot = std::move(plot).str();
  return w;
}

void run_case(benchmark::State& state, const PileCase& c) {
  const Texts texts{input_text(c), cpt_text(c)};
  Written w;
  for (auto _ : state) {
    w = run_once(texts);
    if (w.result.code() != 0) {
      state.SkipWithError(("the run did not complete: " + w.result.message).c_str());
      break;
    }
    benchmark::DoNotOptimize(w.report.data());
  }
  state.counters["report_kB"] = static_cast<double>(w.report.size()) / 1024.0;
  state.counters["plot_kB"] = static_cast<double>(w.plot.size()) / 1024.0;
}

void keep(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

int run_named_once(const char* name, const char* dir) {
  for (const NamedCase& c : kCases) {
    if (std::strcmp(c.name, name) != 0) continue;
    const Texts texts{input_text(c.pile), cpt_text(c.pile)};
    const Written w = run_once(texts);
    std::printf("%s: result %d, report %zu bytes, plot %zu bytes %s\n", name, w.result.code(),
                w.report.size(), w.plot.size(), w.result.message.c_str());
    if (dir != nullptr) {
      const std::filesystem::path base = std::filesystem::path(dir) / name;
      keep(base.string() + ".dat", texts.input);
      keep(base.string() + ".cpt", texts.cpt);
      keep(base.string() + ".out", w.report);
      keep(base.string() + ".plt", w.plot);
    }
    return w.result.code();
  }
  std::fprintf(stderr, "zolan_bench: no case named %s\n", name);
  return 2;
}

}  // namespace
}  // namespace zolan::bench

int main(int argc, char** argv) {
  using namespace zolan::bench;
  if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--once") == 0) {
    return run_named_once(argv[2], argc == 4 ? argv[3] : nullptr);
  }
  for (const NamedCase& c : kCases) {
    benchmark::RegisterBenchmark(c.name, run_case, c.pile)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
