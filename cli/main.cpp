// zolan: the engine's command-line program, for users without a front end.
//   zolan run [DIR] | zolan run --input FILE --report FILE --plot FILE ...
//   zolan plot RUN_DIR [-o DIR]
//   zolan batch CASE_DIR... [-j N]
//   zolan sweep INPUT (--length A:B:STEP | --diameter A:B:STEP) [--cpt FILE] [-j N] [-o CSV]
// Exit status: 0 completed, 1 refused or stopped, 2 usage error.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "cli/batch.hpp"
#include "cli/parallel.hpp"
#include "cli/sweep.hpp"
#include "engine/run.hpp"
#include "results/chart.hpp"
#include "results/outputs.hpp"
#include "results/run_files.hpp"
#include "results/summary.hpp"

namespace {

namespace fs = std::filesystem;
namespace zr = zolan::results;

constexpr int kCompleted = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

// What the user asked of `zolan run`.
struct RunOptions {
  std::string directory;
  std::string input;
  std::string cpt;
  std::string report;
  std::string plot;
  std::string banner_version = "CLI";
  zr::OutputRequest outputs;
  bool quiet = false;
};

struct PlotOptions {
  std::string run_directory;
  std::string report;
  std::string plot;
  std::string out_directory;
};

struct BatchOptions {
  std::vector<std::string> folders;
  int threads = 0;  // 0: one per processor
};

struct SweepOptions {
  std::string input;
  std::string cpt;
  std::string length;
  std::string diameter;
  std::string csv;
  std::string plots_dir;
  int threads = 0;
};

// A usage error: one line naming what is wrong and where help is.
struct UsageError {
  std::string what;
};

constexpr const char* kRunFooter = R"(
Examples:
  zolan run examples/english-open-pipe --plots plots --html pipe.html
      runs the analysis described by examples/english-open-pipe/names.dat
  zolan run --input pile.dat --cpt pile.cpt --report pile.out --plot pile.plt --json pile.json
      runs the analysis of pile.dat without a names.dat

A run writes the fixed-layout report and the plot data file; --plots, --json
and --html add SVG plots, the results as JSON and a one-page HTML report.
When it completes, a short summary is printed: capacity at the pile tip by
method, the pile-head load at 0.5 in and 1 in (12.7 mm and 25.4 mm) of
settlement and where the files went.

Exit status: 0 when the run completed, 1 when it was refused or stopped (the
console and the report say why), 2 for a usage error.)";

constexpr const char* kPlotFooter = R"(
Examples:
  zolan plot examples/english-open-pipe
      reads names.dat there, then the report and plot data file it names,
      and writes the SVG plots into examples/english-open-pipe/plots
  zolan plot --report pile.out --plot pile.plt -o figures

Exit status: 0 when the plots were written, 1 when the files of the run could
not be read, 2 for a usage error.)";

constexpr const char* kBatchFooter = R"(
Each CASE_DIR holds a names.dat and is run as `zolan run CASE_DIR` would run
it (without the summary), several at a time. A progress bar is shown when the
output is a terminal. At the end a table lists each case, its result, the
ultimate capacity at the tip by the load-transfer method and the seconds it
took, followed by the message of each case that did not complete.

Exit status: 0 when every case completed, 1 when any did not (the others are
run all the same), 2 for a usage error.)";

constexpr const char* kSweepFooter = R"(
Examples:
  zolan sweep pile.dat --length 40:120:5 --cpt pile.cpt -o lengths.csv --plots plots
  zolan sweep pile.dat --diameter 18:36:6

Every variant is the input with record 5 changed: --length sets the total
pile length (stickup included); --diameter sets the outside diameter and
scales the inside diameter by the same ratio, so a pipe keeps the proportion
of its wall (a section given by its perimeter cannot be varied). The variants
run in parallel in memory; no report is written. The CSV has one line per
variant: the value, the ultimate capacity at the tip by each method asked for,
the pile-head load at 1 in (25.4 mm) of settlement, and the result. With
--plots, capacity.svg charts the capacities against the varied value.

Exit status: 0 when every variant completed, 1 when any did not or the
input could not be read, 2 for a usage error.)";

void add_batch_command(CLI::App& app, BatchOptions& o) {
  CLI::App* batch = app.add_subcommand("batch", "Run many analyses, several at a time");
  batch->footer(kBatchFooter);
  batch->add_option("CASE_DIR", o.folders, "Folders of the cases, each holding a names.dat")
      ->required()
      ->type_name("");
  batch->add_option("-j,--jobs", o.threads, "Cases run at a time (default: one per processor)")
      ->type_name("N")
      ->check(CLI::PositiveNumber);
}

void add_sweep_command(CLI::App& app, SweepOptions& o) {
  CLI::App* sweep = app.add_subcommand(
      "sweep", "Run one input over a range of pile lengths or diameters and tabulate capacities");
  sweep->footer(kSweepFooter);
  sweep->add_option("INPUT", o.input, "Input data file")->required()->type_name("");
  CLI::Option* length = sweep->add_option(
      "--length", o.length, "Total pile lengths first:last:step (ft or m), e.g. 40:120:5");
  length->type_name("A:B:STEP");
  CLI::Option* diameter = sweep->add_option(
      "--diameter", o.diameter,
      "Outside diameters first:last:step (in or mm); the inside diameter is scaled by the same "
      "ratio");
  diameter->type_name("A:B:STEP");
  length->excludes(diameter);
  sweep->add_option("--cpt", o.cpt, "CPT data file (leave out for a run without CPT data)")
      ->type_name("FILE");
  sweep->add_option("-j,--jobs", o.threads, "Variants run at a time (default: one per processor)")
      ->type_name("N")
      ->check(CLI::PositiveNumber);
  sweep->add_option("-o,--output", o.csv, "CSV file to write (default: standard output)")
      ->type_name("CSV");
  sweep->add_option("--plots", o.plots_dir,
                    "Also chart the capacities against the varied value into this folder")
      ->type_name("DIR");
}

void add_run_command(CLI::App& app, RunOptions& o) {
  CLI::App* run = app.add_subcommand("run", "Run an analysis and print a summary of its results");
  run->footer(kRunFooter);
  run->add_option("DIR", o.directory,
                  "Folder holding names.dat, which names the input, report, plot data and CPT "
                  "files (default: the current folder)")
      ->type_name("");
  run->add_option("--input", o.input, "Input data file (pile, soil profile, options)")
      ->type_name("FILE");
  run->add_option("--cpt", o.cpt, "CPT data file (leave out for a run without CPT data)")
      ->type_name("FILE");
  run->add_option("--report", o.report, "Report file to write")->type_name("FILE");
  run->add_option("--plot", o.plot, "Plot data file to write")->type_name("FILE");
  run->add_option("--banner-version", o.banner_version,
                  "Version text shown in the report banner (12 characters; default CLI)")
      ->type_name("TEXT");
  run->add_option("--plots", o.outputs.plots_dir,
                  "Also draw the results as SVG plots into this folder (created if needed)")
      ->type_name("DIR");
  run->add_option("--json", o.outputs.json, "Also write the results as JSON to this file")
      ->type_name("FILE");
  run->add_option("--html", o.outputs.html,
                  "Also write a one-page HTML report (summary, plots, tables) to this file")
      ->type_name("FILE");
  run->add_flag("-q,--quiet", o.quiet, "Do not print the summary");
}

void add_plot_command(CLI::App& app, PlotOptions& o) {
  CLI::App* plot = app.add_subcommand(
      "plot", "Draw the SVG plots of a finished run from its report and plot data file");
  plot->footer(kPlotFooter);
  plot->add_option("RUN_DIR", o.run_directory,
                   "Folder of the finished run, holding the names.dat it was run with")
      ->type_name("");
  plot->add_option("--report", o.report, "Report file of the run (instead of RUN_DIR)")
      ->type_name("FILE");
  plot->add_option("--plot", o.plot, "Plot data file of the run (instead of RUN_DIR)")
      ->type_name("FILE");
  plot->add_option("-o,--output", o.out_directory,
                   "Folder to write the plots into (default: RUN_DIR/plots, or plots)")
      ->type_name("DIR");
}

// The run on named files needs --input, --report and --plot; a folder and
// named files do not mix.
void check_run_options(const RunOptions& o) {
  const bool named = !o.input.empty() || !o.report.empty() || !o.plot.empty() || !o.cpt.empty();
  if (!named) return;
  if (!o.directory.empty()) {
    throw UsageError{"give either DIR or --input/--report/--plot, not both"};
  }
  const std::pair<const std::string*, const char*> needed[] = {
      {&o.input, "--input"}, {&o.report, "--report"}, {&o.plot, "--plot"}};
  for (const auto& [value, name] : needed) {
    if (value->empty()) {
      throw UsageError{std::string(name) +
                       " is missing: a run on named files needs --input, --report and --plot"};
    }
  }
}

fs::path shown(const fs::path& p) {
  std::error_code ec;
  const fs::path a = fs::weakly_canonical(fs::absolute(p, ec), ec);
  return ec ? p : a;
}

int run_command(const RunOptions& o) {
  check_run_options(o);
  zolan::Console console{&std::cout, &std::cin};
  std::optional<zr::OutputFiles> written;
  std::optional<zr::Results> results;
  std::string output_error;
  const zolan::FinishedRunObserver on_finished = [&](const zolan::FinishedRun& run) {
    results = zr::collect_results(run);
    results->report_file = shown(results->report_file);
    results->plot_file = shown(results->plot_file);
    try {
      written = zr::write_outputs(*results, o.outputs);
    } catch (const std::exception& e) {
      output_error = e.what();
    }
  };

  zolan::RunResult result;
  if (!o.input.empty()) {
    zolan::RunFiles files;
    files.version_text = o.banner_version;
    files.version_text.resize(12, ' ');
    files.input_file_name = o.input;
    files.cpt_file_name = o.cpt;
    files.output_file_name = o.report;
    files.plot_file_name = o.plot;
    result = zolan::run_analysis(files, console, on_finished);
  } else {
    const fs::path directory(o.directory);
    std::error_code ec;
    if (!directory.empty() && !fs::is_directory(directory, ec)) {
      throw UsageError{"DIR " + o.directory + " is not a folder"};
    }
    result = zolan::run_from_names_file(directory, console, on_finished);
  }
  if (result.code() != 0) return kRefused;
  if (!output_error.empty()) {
    std::cerr << "zolan run: the run completed, but " << output_error << "\n";
    return kRefused;
  }
  if (!o.quiet && results && written) std::cout << zr::summary_text(*results, *written);
  return kCompleted;
}

int batch_command(const BatchOptions& o) {
  std::vector<fs::path> folders(o.folders.begin(), o.folders.end());
  const int threads = o.threads > 0 ? o.threads : zolan::cli::default_thread_count();
  const bool terminal = isatty(STDOUT_FILENO) == 1;
  constexpr int kBarWidth = 40;
  const zolan::cli::BatchProgress progress = [&](int done, int total) {
    if (!terminal) return;
    std::cout << zolan::cli::progress_bar(done, total, kBarWidth) << std::flush;
    if (done == total) std::cout << "\n";
  };
  const auto outcomes = zolan::cli::run_batch(folders, threads, progress);
  std::cout << zolan::cli::batch_summary(outcomes);
  for (const auto& c : outcomes) {
    if (!c.completed()) return kRefused;
  }
  return kCompleted;
}

std::string read_text_file(const std::string& name, const char* what) {
  std::ifstream in(name, std::ios::binary);
  if (!in) throw std::runtime_error(std::string(what) + " " + name + " cannot be opened");
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

int sweep_command(const SweepOptions& o) {
  if (o.length.empty() == o.diameter.empty()) {
    throw UsageError{"give --length or --diameter (one of them)"};
  }
  const bool by_length = !o.length.empty();
  const auto range = zolan::cli::parse_sweep_range(by_length ? o.length : o.diameter);
  if (!range) {
    throw UsageError{std::string(by_length ? "--length" : "--diameter") +
                     " must be first:last:step with a step above 0 and last not below first"};
  }
  const std::string input = read_text_file(o.input, "input data file");
  std::optional<std::string> cpt;
  if (!o.cpt.empty()) cpt = read_text_file(o.cpt, "CPT data file");
  const auto quantity =
      by_length ? zolan::cli::SweepQuantity::kLength : zolan::cli::SweepQuantity::kDiameter;
  const int threads = o.threads > 0 ? o.threads : zolan::cli::default_thread_count();
  const auto outcomes = zolan::cli::run_sweep(input, cpt ? &*cpt : nullptr, quantity,
                                              zolan::cli::sweep_values(*range), threads);
  const std::string csv = zolan::cli::sweep_csv(outcomes, quantity);
  if (o.csv.empty()) {
    std::cout << csv;
  } else {
    std::ofstream(o.csv, std::ios::binary) << csv;
  }
  if (!o.plots_dir.empty()) {
    fs::create_directories(o.plots_dir);
    const fs::path svg = fs::path(o.plots_dir) / "capacity.svg";
    std::ofstream(svg, std::ios::binary)
        << zolan::chart::render_svg(zolan::cli::sweep_figure(outcomes, quantity));
  }
  for (const auto& v : outcomes) {
    if (v.result.code() != 0) return kRefused;
  }
  return kCompleted;
}

int plot_command(const PlotOptions& o) {
  fs::path report(o.report);
  fs::path plot(o.plot);
  fs::path out(o.out_directory);
  if (!o.run_directory.empty()) {
    if (!o.report.empty() || !o.plot.empty()) {
      throw UsageError{"give either RUN_DIR or --report and --plot, not both"};
    }
    const zr::RunFileNames names = zr::run_file_names(o.run_directory);
    report = names.report;
    plot = names.plot;
    if (out.empty()) out = fs::path(o.run_directory) / "plots";
  } else if (o.report.empty() || o.plot.empty()) {
    throw UsageError{o.report.empty() && o.plot.empty()
                         ? "RUN_DIR is missing (or give --report and --plot)"
                         : std::string(o.report.empty() ? "--report" : "--plot") +
                               " is missing: plotting named files needs --report and --plot"};
  }
  if (out.empty()) out = "plots";
  const zr::Results results = zr::read_finished_run(report, plot);
  zr::OutputRequest request;
  request.plots_dir = out;
  const zr::OutputFiles files = zr::write_outputs(results, request);
  std::cout << "Plots written to " << shown(files.plots_dir).string() << ":";
  for (const fs::path& p : files.plots) std::cout << " " << p.filename().string();
  std::cout << "\n";
  return kCompleted;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("zolan: axial capacity and settlement of driven piles", "zolan");
  app.set_version_flag("--version", std::string("zolan ") + ZOLAN_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Run 'zolan run --help' or 'zolan plot --help' (or batch, sweep) for the options of each "
      "command.");
  RunOptions run_options;
  PlotOptions plot_options;
  BatchOptions batch_options;
  SweepOptions sweep_options;
  add_run_command(app, run_options);
  add_plot_command(app, plot_options);
  add_batch_command(app, batch_options);
  add_sweep_command(app, sweep_options);

  const auto usage_line = [&](const std::string& what) {
    std::string where = "zolan";
    for (const CLI::App* sub : app.get_subcommands()) where += " " + sub->get_name();
    std::cerr << where << ": " << what << " (see '" << where << " --help')\n";
    return kUsage;
  };
  if (argc >= 2 && argv[1][0] != '-') {
    const std::string command = argv[1];
    const auto known = app.get_subcommands([&](CLI::App* sub) { return sub->get_name() == command; });
    if (known.empty()) return usage_line("unknown command " + command + " (commands: run, plot, batch, sweep)");
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return usage_line(e.what());
  }
  try {
    if (app.got_subcommand("run")) return run_command(run_options);
    if (app.got_subcommand("batch")) return batch_command(batch_options);
    if (app.got_subcommand("sweep")) return sweep_command(sweep_options);
    return plot_command(plot_options);
  } catch (const UsageError& e) {
    return usage_line(e.what);
  } catch (const std::exception& e) {
    std::cerr << "zolan: " << e.what() << "\n";
    return kRefused;
  }
}
