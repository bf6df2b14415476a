// zolan: the engine's command-line program, for users without a front end.
//   zolan run [DIR] | zolan run --input FILE --report FILE --plot FILE ...
//   zolan plot RUN_DIR [-o DIR]
// Exit status: 0 completed, 1 refused or stopped, 2 usage error.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "engine/run.hpp"
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
  app.footer("Run 'zolan run --help' or 'zolan plot --help' for the options of each command.");
  RunOptions run_options;
  PlotOptions plot_options;
  add_run_command(app, run_options);
  add_plot_command(app, plot_options);

  const auto usage_line = [&](const std::string& what) {
    std::string where = "zolan";
    for (const CLI::App* sub : app.get_subcommands()) where += " " + sub->get_name();
    std::cerr << where << ": " << what << " (see '" << where << " --help')\n";
    return kUsage;
  };
  if (argc >= 2 && argv[1][0] != '-') {
    const std::string command = argv[1];
    const auto known = app.get_subcommands([&](CLI::App* sub) { return sub->get_name() == command; });
    if (known.empty()) return usage_line("unknown command " + command + " (commands: run, plot)");
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
    return plot_command(plot_options);
  } catch (const UsageError& e) {
    return usage_line(e.what);
  } catch (const std::exception& e) {
    std::cerr << "zolan: " << e.what() << "\n";
    return kRefused;
  }
}
