#include "engine/run.hpp"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <new>
#include <optional>
#include <system_error>

#include "capacity/method_run.hpp"
#include "engine/format.hpp"
#include "engine/platform.hpp"
#include "engine/run_output.hpp"
#include "methods/method.hpp"
#include "model/echo.hpp"
#include "model/free_format.hpp"
#include "model/input_reader.hpp"
#include "model/model.hpp"
#include "model/numeric.hpp"
#include "model/preparation.hpp"

namespace zolan {
namespace {

namespace fs = std::filesystem;

// The report and the plot data file take their lines in blocks of this
// size, not line by line (the console takes each line at once).
constexpr std::size_t kLineBlockBytes = 64 * 1024;

// A file that cannot be opened, read or written.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

// The load-settlement analysis needs the lists of the load-transfer method:
// a method the run computes, with the values it reads.
void check_load_transfer_method(const AnalysisModel& m, const std::string& input_label) {
  const int ltm = m.load_transfer_method;
  const MethodDescriptor* method = method_by_selection(ltm);
  const std::string where = input_label + " (record 7): load_transfer_method " + std::to_string(ltm);
  if (method == nullptr) throw InputError(where + " must be 1 to 9");
  if (method->cpt_based && m.soil_detail_option != 1) {
    throw InputError(where +
                     " is a CPT-based method, which is computed only with soil_detail_option 1 "
                     "(found " +
                     std::to_string(m.soil_detail_option) + ")");
  }
  if (method->user_values) {
    bool any = false;
    for (int i = 1; i <= m.soil_point_count; ++i) {
      if (m.soil_table(i, kColUserFriction) != 0.0 || m.soil_table(i, kColUserBearing) != 0.0) {
        any = true;
      }
    }
    if (!any) {
      throw InputError(where +
                       " (load-transfer units specified by user) needs a unit skin friction or end "
                       "bearing (columns 13 and 14) on at least one soil point, but all are 0");
    }
  }
}

namespace {

fs::path resolve(const fs::path& base, const std::string& name) {
  const fs::path p(name);
  if (base.empty() || p.is_absolute()) return p;
  return base / p;
}

void write_banner(LineSink& sink, const std::string& version_text) {
  sink.put(Line().x(5).rep('=', 73));
  sink.blank();
  sink.put(Line().x(20).t("  ZOLAN for Windows, Version ").a(version_text, 12));
  sink.blank();
  sink.put(Line().x(20).t("   A Program for Analyzing the Axial Capacity "));
  sink.put(Line().x(20).t("   and Short-term Settlement of Driven Piles "));
  sink.put(Line().x(20).t("             under Axial Loading. "));
  sink.blank();
  sink.put(Line().x(5).rep('=', 73));
  sink.blank(2);
}

void write_file_names(LineSink& sink, const RunFiles& files) {
  const SplitName input = split_file_name(trimmed(files.input_file_name));
  const SplitName output = split_file_name(trimmed(files.output_file_name));
  const SplitName plot = split_file_name(trimmed(files.plot_file_name));
  auto joined = [](const std::string& a, const std::string& b) { return trimmed(a) + trimmed(b); };
  sink.put(Line().x(5).t("Path to file locations      : ").a(joined(input.drive, input.directory)));
  sink.put(Line().x(5).t("Name of input data file     : ").a(joined(input.base, input.extension)));
  sink.put(Line().x(5).t("Name of output file         : ").a(joined(output.base, output.extension)));
  sink.put(Line().x(5).t("Name of plot output file    : ").a(joined(plot.base, plot.extension)));
}

void write_date_block(LineSink& sink) {
  static constexpr const char* kMonths[] = {"January", "February", "March",     "April",
                                            "May",     "June",     "July",      "August",
                                            "September", "October", "November", "December"};
  sink.put(Line().x(5).rep('-', 73));
  sink.put(Line().x(26).t("Time and Date of Analysis"));
  sink.put(Line().x(5).rep('-', 73));
  sink.blank();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!local_time(now, local)) return;
  const int month = local.tm_mon + 1;
  if (month < 1 || month > 12) return;
  sink.put(Line()
               .x(15)
               .t("Date:  ")
               .a(kMonths[month - 1])
               .t(" ")
               .i(local.tm_mday, 2, 2)
               .t(", ")
               .i(local.tm_year + 1900, 4)
               .x(5)
               .t("Time:  ")
               .i(local.tm_hour, 2, 2)
               .t(":")
               .i(local.tm_min, 2, 2)
               .t(":")
               .i(local.tm_sec, 2, 2));
}

// The system's reason for the last failed open, as ": <reason>", or nothing.
std::string reason() {
  const int e = errno;
  return e != 0 ? std::string(": ") + std::strerror(e) : std::string();
}

// Opens a file that is read. A missing file is refused before anything of
// the run is written, so a misspelt name leaves nothing behind.
void open_for_reading(std::ifstream& in, const fs::path& path, const std::string& label) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (fs::is_directory(st)) throw FileError(label + " cannot be opened: it is a directory");
  errno = 0;
  in.open(path, std::ios::in | std::ios::binary);
  if (!in) throw FileError(label + " cannot be opened for reading" + reason());
}

// Refuses a file that is read when it does not exist, naming where it was
// looked for when that differs from the name given.
void require_existing(const fs::path& path, const std::string& name, const std::string& label) {
  std::error_code ec;
  if (fs::exists(path, ec) || ec.value() == EACCES) return;
  std::string where;
  if (path.string() != name) where = " (looked for " + quoted(path.string()) + ")";
  throw FileError(label + " was not found" + where);
}

// Opens a file that is written from its beginning, in text mode: its lines
// end as the platform's text files do (CR LF on Windows, LF elsewhere).
void open_for_writing(std::ofstream& out, const fs::path& path, const std::string& label) {
  std::error_code ec;
  if (fs::is_directory(fs::status(path, ec))) {
    throw FileError(label + " cannot be opened: it is a directory");
  }
  errno = 0;
  out.open(path, std::ios::out | std::ios::trunc);
  if (!out) {
    const fs::path parent = path.parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec)) {
      throw FileError(label + " cannot be created: the directory " + quoted(parent.string()) +
                      " does not exist");
    }
    throw FileError(label + " cannot be opened for writing" + reason());
  }
}

// Whether two names refer to one file (the same existing file, or the same
// path once made absolute and normal).
bool same_file(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  const fs::path na = fs::weakly_canonical(a, ec);
  if (ec) return a.lexically_normal() == b.lexically_normal();
  const fs::path nb = fs::weakly_canonical(b, ec);
  if (ec) return a.lexically_normal() == b.lexically_normal();
  return na == nb;
}

void require_name(const std::string& name, const char* what) {
  if (trimmed(name).empty()) throw InputError(std::string("no file name was given for the ") + what);
}

void write_soil_extent_warning(LineSink& console, const AnalysisModel& m) {
  console.blank(3);
  console.put(Line().x(10).t("COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL").t(" INFORMATION"));
  console.put(Line()
                  .x(10)
                  .t("WAS PROVIDED AT THE DEPTH ")
                  .f(m.required_soil_depth, 10, 2)
                  .x(1)
                  .a(m.length_label));
  console.put(Line().x(10).t("PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE "));
  console.put(Line().x(10).t(" PILE LENGTH PLUS TWO PILE DIAMETERS"));
}

void write_soil_profile_message(LineSink& report, const AnalysisModel& m) {
  report.blank(2);
  report.put(Line()
                 .x(10)
                 .t("COMPUTATION DOES NOT PROCEED BECAUSE THE ")
                 .t("DEEPEST SOIL PROFILE ")
                 .f(m.soil_profile_depth, 7, 2)
                 .x(1)
                 .a(m.length_label));
  report.put(Line()
                 .x(10)
                 .t("IS LESS THAN PILE ")
                 .t("EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER ")
                 .f(m.required_soil_depth, 10, 2)
                 .x(1)
                 .a(m.length_label));
}

void write_segment_limit_message(LineSink& sink, int count) {
  sink.blank(2);
  sink.put(Line().x(1).t("YOUR NUMBERS OF SEGMENT ").i(count, 4).t(" IS LARGER THAN"));
  sink.put(Line().x(1).t("DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF "));
  sink.put(Line().x(1).t("SEGMENT OR CONSULT TOLVEX, INC. FOR CHANGING THE DEFAULT VALUE"));
}

// The run after the file set is known: from the console banner to the
// closed files.
class Run {
 public:
  // A run on the named files, relative names resolved against `base`.
  Run(const RunFiles& files, fs::path base, const Console& console)
      : files_(files), base_(std::move(base)) {
    out_.console.attach(console.out);
  }

  // A run on the given streams; the names are only shown.
  Run(const RunFiles& files, const RunStreams& streams, const Console& console)
      : files_(files), streams_(&streams) {
    out_.console.attach(console.out);
  }

  RunResult execute() {
    RunResult result;
    try {
      result = sequence();
    } catch (const InputError& e) {
      result = {RunStatus::kBadInput, e.what()};
    } catch (const FileError& e) {
      result = {RunStatus::kFileError, e.what()};
    } catch (const std::bad_alloc&) {
      result = {RunStatus::kInternalError, "out of memory"};
    } catch (const std::exception& e) {
      result = {RunStatus::kInternalError, std::string("internal error: ") + e.what()};
    }
    if (!result.message.empty()) {
      const Line line = Line().t(" ERROR - ").t(result.message).t(
          ". THE RUN STOPPED; NO RESULTS WERE COMPUTED.");
      out_.console.put(line);
      out_.report.put(line);
    }
    close_all(result);
    return result;
  }

  // Hands a completed run to the caller's observer (outside the run's own
  // error handling: what the observer throws reaches the caller).
  void hand_over(const RunResult& result, const FinishedRunObserver& on_finished) const {
    if (result.status == RunStatus::kCompleted && on_finished) {
      on_finished(FinishedRun{*model_, files_, report_path_, plot_path_});
    }
  }

 private:
  RunResult sequence() {
    write_banner(out_.console, files_.version_text);

    const std::string input_label = "input data file " + quoted(trimmed(files_.input_file_name));
    const std::string cpt_label = "CPT data file " + quoted(trimmed(files_.cpt_file_name));
    if (streams_ == nullptr) {
      require_name(files_.output_file_name, "output report");
      require_name(files_.input_file_name, "input data file");
      require_name(files_.plot_file_name, "plot data file");
      refuse_shared_files();
      require_existing(resolve(base_, trimmed(files_.input_file_name)),
                       trimmed(files_.input_file_name), input_label);
      if (!trimmed(files_.cpt_file_name).empty()) {
        require_existing(resolve(base_, trimmed(files_.cpt_file_name)),
                         trimmed(files_.cpt_file_name), cpt_label);
      }
    }
    output_label_ = "output report " + quoted(trimmed(files_.output_file_name));
    report_ = open_written(report_file_, files_.output_file_name, output_label_,
                           streams_ ? streams_->report : nullptr, report_path_);
    out_.report.attach(report_, kLineBlockBytes);
    write_banner(out_.report, files_.version_text);
    write_file_names(out_.report, files_);
    out_.report.blank();
    write_date_block(out_.report);

    plot_label_ = "plot data file " + quoted(trimmed(files_.plot_file_name));
    std::ifstream input_file;
    std::ifstream cpt_file;
    const AnalysisModel* given = streams_ ? streams_->model : nullptr;
    std::istream* input = given ? nullptr
                                : open_read(input_file, files_.input_file_name, input_label,
                                            streams_ ? streams_->input : nullptr);
    if (input == nullptr && given == nullptr) {
      throw FileError(input_label + " cannot be read: no stream was given");
    }
    plot_ = open_written(plot_file_, files_.plot_file_name, plot_label_,
                         streams_ ? streams_->plot : nullptr, plot_path_);
    out_.plot.attach(plot_, kLineBlockBytes);
    std::istream* cpt = given ? nullptr
                              : open_read(cpt_file, files_.cpt_file_name, cpt_label,
                                          streams_ ? streams_->cpt : nullptr);

    AnalysisModel& m = *model_;
    if (given != nullptr) {
      m = *given;
    } else {
      read_input_data(*input, input_label, m);
      if (input_file.is_open()) input_file.close();
      set_unit_labels(m);
    }
    check_load_transfer_method(m, input_label);
    if (cpt != nullptr) {
      read_cpt_data(*cpt, cpt_label, m);
      if (cpt_file.is_open()) cpt_file.close();
    }

    const double batter = m.batter_angle * kPiSingle / 180.0;
    const double diameter_units = m.unit_system == 1 ? 12.0 : 1000.0;
    m.required_soil_depth =
        (m.pile_length - m.stickup) * std::cos(batter) + 2.0 * m.pile_diameter / diameter_units;
    if (m.required_soil_depth > m.soil_point_depth[m.soil_point_count]) {
      write_soil_extent_warning(out_.console, m);
    }
    if (m.required_soil_depth > m.soil_profile_depth) {
      write_soil_profile_message(out_.report, m);
      return {RunStatus::kStopped, ""};
    }
    // No computational layer at all: nothing to compute on.
    if (m.soil_profile_depth / m.length_step + kTolerance < 1.0) {
      throw InputError(input_label +
                       " (record 9): soil_profile_depth must reach at least one length_step "
                       "below the ground surface");
    }
    out_.console.blank(2);
    out_.console.put(Line().x(9).t("COMPUTATION IS PROCEEDING........"));

    prepare_echo_values(m);
    write_input_information(m, out_.report);
    write_computation_result_header(out_.report);

    const int too_many = prepare_model(m);
    if (too_many > 0) {
      write_segment_limit_message(out_.console, too_many);
      write_segment_limit_message(out_.report, too_many);
      return {RunStatus::kStopped, ""};
    }
    m.penetration_step = m.length_step * std::cos(m.batter_angle);
    run_computation(m, out_);
    return {RunStatus::kCompleted, ""};
  }

  // The report and the plot data file are written from their beginning:
  // one that names the same file as another file of the run would destroy
  // it before it is read (or the other written result).
  void refuse_shared_files() const {
    struct Named {
      const char* kind;
      std::string name;
    };
    const Named report{"output report", trimmed(files_.output_file_name)};
    const Named plot{"plot data file", trimmed(files_.plot_file_name)};
    const Named input{"input data file", trimmed(files_.input_file_name)};
    const Named cpt{"CPT data file", trimmed(files_.cpt_file_name)};
    const std::pair<const Named*, const Named*> pairs[] = {
        {&report, &input}, {&report, &cpt}, {&report, &plot}, {&plot, &input}, {&plot, &cpt}};
    for (const auto& [written, other] : pairs) {
      if (other->name.empty()) continue;
      if (same_file(resolve(base_, written->name), resolve(base_, other->name))) {
        throw InputError(std::string(written->kind) + " " + quoted(written->name) + " and " +
                         other->kind + " " + quoted(other->name) +
                         " name the same file, which writing the " + written->kind +
                         " would destroy");
      }
    }
  }

  // A file that is read: the given stream of a run on streams, else the
  // named file opened (null when a CPT file name is blank).
  std::istream* open_read(std::ifstream& file, const std::string& name, const std::string& label,
                          std::istream* given) {
    if (streams_ != nullptr) return given;
    if (trimmed(name).empty()) return nullptr;
    open_for_reading(file, resolve(base_, trimmed(name)), label);
    return &file;
  }

  // A file that is written: the given stream of a run on streams, else the
  // named file opened (its path kept in `path`).
  std::ostream* open_written(std::ofstream& file, const std::string& name, const std::string& label,
                             std::ostream* given, fs::path& path) {
    if (streams_ != nullptr) return given;
    path = resolve(base_, trimmed(name));
    open_for_writing(file, path, label);
    return &file;
  }

  // Hands the sink's last lines to its stream, then closes the stream (a
  // file) or flushes it; whether anything written was lost.
  static bool finish(LineSink& sink, std::ostream* stream, std::ofstream& file) {
    sink.attach(nullptr);
    if (stream == nullptr) return false;
    if (file.is_open()) {
      file.close();
    } else {
      stream->flush();
    }
    return stream->fail();
  }

  void close_all(RunResult& result) {
    // The plot data file first, so that a plot that could not be written is
    // also said in the report, which would otherwise look complete.
    const bool plot_failed = finish(out_.plot, plot_, plot_file_);
    if (result.status == RunStatus::kCompleted && plot_failed) {
      result = {RunStatus::kFileError, plot_label_ + " could not be written completely"};
      const Line line = Line().t(" ERROR - ").t(result.message).t(". THE RUN DID NOT COMPLETE.");
      out_.console.put(line);
      out_.report.put(line);
    }
    const bool report_failed = finish(out_.report, report_, report_file_);
    if (result.status == RunStatus::kCompleted && report_failed) {
      result = {RunStatus::kFileError, output_label_ + " could not be written completely"};
      out_.console.put(Line().t(" ERROR - ").t(result.message).t(". THE RUN DID NOT COMPLETE."));
    }
  }

  const RunFiles& files_;
  fs::path base_;
  const RunStreams* streams_ = nullptr;  // set for a run on streams
  fs::path report_path_;
  fs::path plot_path_;
  std::unique_ptr<AnalysisModel> model_ = std::make_unique<AnalysisModel>();
  std::ofstream report_file_;
  std::ofstream plot_file_;
  std::ostream* report_ = nullptr;
  std::ostream* plot_ = nullptr;
  RunOutput out_;
  std::string output_label_;
  std::string plot_label_;
};

RunResult console_failure(const Console& console, RunStatus status, const std::string& message) {
  LineSink sink(console.out);
  sink.put(Line().t(" ERROR - ").t(message).t(". THE RUN STOPPED; NO RESULTS WERE COMPUTED."));
  return {status, message};
}

}  // namespace

RunResult run_analysis(const RunFiles& files, const Console& console) {
  return run_analysis(files, console, FinishedRunObserver());
}

RunResult run_analysis(const RunFiles& files, const RunStreams& streams, const Console& console) {
  return run_analysis(files, streams, console, FinishedRunObserver());
}

RunResult run_analysis(const RunFiles& files, const RunStreams& streams, const Console& console,
                       const FinishedRunObserver& on_finished) {
  std::optional<Run> run;
  RunResult result;
  try {
    run.emplace(files, streams, console);
    result = run->execute();
  } catch (const std::exception& e) {
    return console_failure(console, RunStatus::kInternalError, e.what());
  }
  run->hand_over(result, on_finished);
  return result;
}

RunResult run_from_names_file(const fs::path& directory, const Console& console) {
  return run_from_names_file(directory, console, FinishedRunObserver());
}

RunResult run_analysis(const RunFiles& files, const Console& console,
                       const FinishedRunObserver& on_finished) {
  std::optional<Run> run;
  RunResult result;
  try {
    run.emplace(files, fs::path(), console);
    result = run->execute();
  } catch (const std::exception& e) {
    return console_failure(console, RunStatus::kInternalError, e.what());
  }
  run->hand_over(result, on_finished);
  return result;
}

RunResult run_from_names_file(const fs::path& directory, const Console& console,
                              const FinishedRunObserver& on_finished) {
  RunFiles files;
  std::optional<Run> run;
  RunResult result;
  try {
    const fs::path names_path = directory.empty() ? fs::path("names.dat") : directory / "names.dat";
    const std::string label = "run-control file " + quoted(names_path.string());
    std::error_code ec;
    if (fs::is_directory(names_path, ec)) {
      return console_failure(console, RunStatus::kFileError, label + " is a directory");
    }
    std::ifstream names(names_path, std::ios::in | std::ios::binary);
    if (!names) {
      return console_failure(console, RunStatus::kFileError,
                             label + " cannot be opened (it is missing or unreadable)");
    }
    Console prompt_console = console;
    try {
      files = read_names_file(names, label, prompt_console);
    } catch (const InputError& e) {
      return console_failure(console, RunStatus::kBadInput, e.what());
    }
    names.close();
    run.emplace(files, directory, console);
    result = run->execute();
  } catch (const std::exception& e) {
    return console_failure(console, RunStatus::kInternalError, e.what());
  }
  run->hand_over(result, on_finished);
  return result;
}

}  // namespace zolan
