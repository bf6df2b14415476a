// The Python module `zolan`: the analysis model of one input as a Case whose
// values a script may change, the run of a Case with its results as pandas
// tables, and the run of a folder as `zolan run DIR` does it.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "model/free_format.hpp"
#include "model/input_reader.hpp"
#include "model/model.hpp"
#include "results/json.hpp"
#include "results/results.hpp"
#include "results/summary.hpp"

namespace py = pybind11;
namespace zr = zolan::results;

namespace {

using zolan::AnalysisModel;

// Names of the soil table columns 1 to 17, as a script addresses them.
constexpr const char* kSoilColumnNames[zolan::kSoilColumns] = {
    "soil_type",      "K",           "unit_weight",      "friction_angle", "Nq",
    "max_friction",   "max_bearing", "su_undisturbed",   "su_remolded",    "blow_count",
    "plasticity_index", "cone_resistance", "user_friction", "user_bearing", "lrfd_friction",
    "lrfd_bearing",   "adhesion_case_or_tip_movement"};

// Real values of the model a script reads and sets; `entered` is the twin
// the echo and the computed section area use (set with the value), if any.
struct RealField {
  const char* name;
  double AnalysisModel::*member;
  double AnalysisModel::*entered;
};
constexpr RealField kRealFields[] = {
    {"pile_diameter", &AnalysisModel::pile_diameter, &AnalysisModel::entered_pile_diameter},
    {"inner_diameter", &AnalysisModel::inner_diameter, &AnalysisModel::entered_inner_diameter},
    {"modulus_of_elasticity", &AnalysisModel::modulus_of_elasticity, nullptr},
    {"pile_length", &AnalysisModel::pile_length, nullptr},
    {"stickup", &AnalysisModel::stickup, nullptr},
    {"enhanced_end_length", &AnalysisModel::enhanced_end_length, nullptr},
    {"pile_inner_diameter", &AnalysisModel::pile_inner_diameter, nullptr},
    {"batter_angle", &AnalysisModel::batter_angle, nullptr},
    {"zero_friction_length", &AnalysisModel::zero_friction_length, nullptr},
    {"length_step", &AnalysisModel::length_step, nullptr},
    {"taper_angle", &AnalysisModel::taper_angle, nullptr},
    {"cross_section_area_user", &AnalysisModel::cross_section_area_user, nullptr},
    {"tension_reduction_factor", &AnalysisModel::tension_reduction_factor, nullptr},
    {"critical_depth", &AnalysisModel::critical_depth, nullptr},
    {"soil_profile_depth", &AnalysisModel::soil_profile_depth, nullptr},
    {"water_table_depth", &AnalysisModel::water_table_depth, nullptr},
};

// Whole-number options of the model a script reads and sets.
struct IntegerField {
  const char* name;
  int AnalysisModel::*member;
};
constexpr IntegerField kIntegerFields[] = {
    {"output_interval", &AnalysisModel::output_interval},
    {"pile_end_condition", &AnalysisModel::pile_end_condition},
    {"pile_type", &AnalysisModel::pile_type},
    {"area_option", &AnalysisModel::area_option},
    {"load_transfer_method", &AnalysisModel::load_transfer_method},
    {"reduced_friction_option", &AnalysisModel::reduced_friction_option},
    {"loading_type", &AnalysisModel::loading_type},
    {"clay_drained_option", &AnalysisModel::clay_drained_option},
    {"plug_condition", &AnalysisModel::plug_condition},
    {"long_pile_option", &AnalysisModel::long_pile_option},
    {"critical_depth_option", &AnalysisModel::critical_depth_option},
    {"soil_detail_option", &AnalysisModel::soil_detail_option},
};

// One input as read: the model and the files it came from.
struct Case {
  std::shared_ptr<AnalysisModel> model = std::make_shared<AnalysisModel>();
  std::string input_path;
  std::string cpt_path;

  Case copy() const {
    Case c = *this;
    c.model = std::make_shared<AnalysisModel>(*model);
    return c;
  }
};

std::string input_label(const std::string& path) { return "input data file \"" + path + "\""; }

// A refused input, as zolan.InputError with the file, line and record of
// the message ("<file label>, line N (record R): ..." or
// "<file label> (record R): ...").
[[noreturn]] void raise_input_error(const std::string& message) {
  static const std::regex kWhere(R"re(^[^"]*"([^"]*)"(?:, line (\d+))? \(([^)]*)\))re");
  py::object type = py::module_::import("zolan").attr("InputError");
  py::object error = type(message);
  std::smatch m;
  error.attr("file") = py::none();
  error.attr("line") = py::none();
  error.attr("record") = py::none();
  if (std::regex_search(message, m, kWhere)) {
    error.attr("file") = m[1].str();
    if (m[2].matched) error.attr("line") = std::stoi(m[2].str());
    error.attr("record") = m[3].str();
  }
  PyErr_SetObject(type.ptr(), error.ptr());
  throw py::error_already_set();
}

void require_readable(std::ifstream& in, const std::string& path) {
  if (!in) {
    PyErr_SetString(PyExc_FileNotFoundError, ("cannot open " + path).c_str());
    throw py::error_already_set();
  }
}

Case read_case(const std::string& input_path, const std::optional<std::string>& cpt_path) {
  Case c;
  c.input_path = input_path;
  c.cpt_path = cpt_path.value_or("");
  std::ifstream input(input_path, std::ios::in | std::ios::binary);
  require_readable(input, input_path);
  std::optional<std::ifstream> cpt;
  if (cpt_path) {
    cpt.emplace(*cpt_path, std::ios::in | std::ios::binary);
    require_readable(*cpt, *cpt_path);
  }
  try {
    AnalysisModel& m = *c.model;
    zolan::read_input_data(input, input_label(input_path), m);
    zolan::set_unit_labels(m);
    zolan::check_load_transfer_method(m, input_label(input_path));
    if (cpt) zolan::read_cpt_data(*cpt, "CPT data file \"" + *cpt_path + "\"", m);
  } catch (const zolan::InputError& e) {
    raise_input_error(e.what());
  }
  return c;
}

int soil_column(const std::string& name) {
  for (int c = 1; c <= zolan::kSoilColumns; ++c) {
    if (name == kSoilColumnNames[c - 1]) return c;
  }
  throw py::key_error("no soil column named " + name);
}

void require_point(const Case& c, int point) {
  if (point < 1 || point > c.model->soil_point_count) {
    throw py::index_error("soil point " + std::to_string(point) + " is not 1 to " +
                          std::to_string(c.model->soil_point_count));
  }
}

py::array_t<double> soil_table(const Case& c) {
  const AnalysisModel& m = *c.model;
  py::array_t<double> a({m.soil_point_count, zolan::kSoilColumns});
  auto v = a.mutable_unchecked<2>();
  for (int i = 1; i <= m.soil_point_count; ++i) {
    for (int k = 1; k <= zolan::kSoilColumns; ++k) v(i - 1, k - 1) = m.soil_table(i, k);
  }
  return a;
}

void set_soil_table(Case& c, const py::array_t<double, py::array::forcecast>& a) {
  AnalysisModel& m = *c.model;
  if (a.ndim() != 2 || a.shape(0) != m.soil_point_count || a.shape(1) != zolan::kSoilColumns) {
    throw py::value_error("the soil table has " + std::to_string(m.soil_point_count) + " rows of " +
                          std::to_string(zolan::kSoilColumns) + " columns");
  }
  auto v = a.unchecked<2>();
  for (int i = 1; i <= m.soil_point_count; ++i) {
    for (int k = 1; k <= zolan::kSoilColumns; ++k) m.soil_table(i, k) = v(i - 1, k - 1);
  }
}

py::object soil_points(const Case& c) {
  const AnalysisModel& m = *c.model;
  py::dict columns;
  std::vector<double> depth;
  for (int i = 1; i <= m.soil_point_count; ++i) depth.push_back(m.soil_point_depth[i]);
  columns["depth"] = depth;
  for (int k = 1; k <= zolan::kSoilColumns; ++k) {
    std::vector<double> values;
    for (int i = 1; i <= m.soil_point_count; ++i) values.push_back(m.soil_table(i, k));
    columns[kSoilColumnNames[k - 1]] = values;
  }
  py::object frame = py::module_::import("pandas").attr("DataFrame")(columns);
  frame.attr("index") = py::module_::import("pandas").attr("RangeIndex")(1, m.soil_point_count + 1);
  return frame;
}

// ---- Results ----------------------------------------------------------------

struct Result {
  zr::Results results;
};

// A pandas DataFrame of `rows`, one column per (name, value of a row).
template <class Row>
using Column = std::pair<const char*, std::function<py::object(const Row&)>>;

template <class Row>
py::object frame(const std::vector<Row>& rows, const std::vector<Column<Row>>& columns) {
  py::dict d;
  for (const auto& [name, value] : columns) {
    py::list values;
    for (const Row& row : rows) values.append(value(row));
    d[name] = values;
  }
  return py::module_::import("pandas").attr("DataFrame")(d);
}

template <class Row, class T>
Column<Row> column(const char* name, T Row::*member) {
  return {name, [member](const Row& r) { return py::cast(r.*member); }};
}

py::object capacity_frame(const zr::MethodCapacity& mc) {
  using R = zr::CapacityRow;
  return frame<R>(mc.rows, {column("penetration", &R::penetration),
                            column("depth", &R::depth),
                            column("skin_friction", &R::skin_friction),
                            column("end_bearing", &R::end_bearing),
                            column("ultimate", &R::ultimate),
                            {"plug", [](const R& r) { return py::cast(zr::plug_state_name(r.plug)); }},
                            column("core_length", &R::core_length),
                            column("unit_friction", &R::unit_friction),
                            column("printed", &R::printed)});
}

py::dict capacities(const Result& r) {
  py::dict out;
  for (const zr::MethodCapacity& mc : r.results.methods) out[py::str(mc.key)] = capacity_frame(mc);
  return out;
}

py::object load_settlement(const Result& r) {
  using P = zr::SettlementPoint;
  return frame<P>(r.results.load_settlement,
                  {column("top_load", &P::top_load), column("top_movement", &P::top_movement),
                   column("tip_load", &P::tip_load), column("tip_movement", &P::tip_movement)});
}

// The segments of every assumed tip movement, one row each.
py::object load_distribution(const Result& r) {
  struct Row {
    double tip_movement;
    zr::DistributionSegment segment;
  };
  std::vector<Row> rows;
  for (const zr::LoadDistribution& ld : r.results.load_distribution) {
    for (const zr::DistributionSegment& s : ld.segments) rows.push_back({ld.tip_movement, s});
  }
  return frame<Row>(rows, {column("tip_movement", &Row::tip_movement),
                           {"distance", [](const Row& x) { return py::cast(x.segment.distance); }},
                           {"load", [](const Row& x) { return py::cast(x.segment.load); }},
                           {"movement", [](const Row& x) { return py::cast(x.segment.movement); }}});
}

// The points of every t-z curve, one row each.
py::object tz_curves(const Result& r) {
  struct Row {
    const zr::TzCurveResult* curve;
    zr::TzPoint point;
  };
  std::vector<Row> rows;
  for (const zr::TzCurveResult& c : r.results.tz_curves) {
    for (const zr::TzPoint& p : c.points) rows.push_back({&c, p});
  }
  return frame<Row>(rows, {{"curve", [](const Row& x) { return py::cast(x.curve->number); }},
                           {"depth", [](const Row& x) { return py::cast(x.curve->depth); }},
                           {"cohesive", [](const Row& x) { return py::cast(x.curve->cohesive); }},
                           {"movement", [](const Row& x) { return py::cast(x.point.movement); }},
                           {"transfer", [](const Row& x) { return py::cast(x.point.transfer); }}});
}

py::object tip_curve(const Result& r) {
  using P = zr::TipPoint;
  return frame<P>(r.results.tip_curve, {column("movement", &P::movement), column("load", &P::load)});
}

// Ultimate capacity at the last computed penetration of the load-transfer
// method (None when that method has no rows).
py::object tip_capacity(const Result& r) {
  const zr::MethodCapacity* mc = r.results.load_transfer();
  if (mc == nullptr || mc->rows.empty()) return py::none();
  return py::float_(mc->rows.back().ultimate);
}

py::dict summary(const Result& r) {
  py::dict capacity;
  for (const zr::MethodCapacity& mc : r.results.methods) {
    if (!mc.rows.empty()) capacity[py::str(mc.key)] = mc.rows.back().ultimate;
  }
  py::dict head;
  for (const zr::SummarySettlement& s : zr::summary_settlements(r.results.units)) {
    const std::optional<double> load = zr::head_load_at(r.results.load_settlement, s.value);
    head[py::str(s.label)] = load ? py::object(py::float_(*load)) : py::object(py::none());
  }
  const zr::MethodCapacity* ltm = r.results.load_transfer();
  py::dict d;
  d["capacity_at_tip"] = capacity;
  d["load_transfer_method"] = ltm ? py::object(py::str(ltm->key)) : py::object(py::none());
  d["tip_capacity"] = tip_capacity(r);
  d["head_load"] = head;
  d["last_penetration"] = r.results.last_penetration();
  return d;
}

py::dict units(const Result& r) {
  const zr::Units& u = r.results.units;
  py::dict d;
  d["system"] = u.system;
  d["length"] = u.length;
  d["force"] = u.force;
  d["stress"] = u.stress;
  d["movement"] = u.movement;
  d["transfer"] = u.transfer;
  return d;
}

// ---- Runs ---------------------------------------------------------------------

void open_output(std::ofstream& out, const std::string& path) {
  out.open(path, std::ios::out | std::ios::trunc);
  if (!out) {
    PyErr_SetString(PyExc_OSError, ("cannot open " + path + " for writing").c_str());
    throw py::error_already_set();
  }
}

// The console lines after the banner of a stopped run, as one sentence.
std::string stop_message(const std::string& console) {
  const std::size_t banner_end = console.rfind("=====");
  std::istringstream lines(banner_end == std::string::npos ? console : console.substr(banner_end));
  std::string word;
  std::string text;
  if (banner_end != std::string::npos) lines >> word;  // the banner's rule
  while (lines >> word) text += (text.empty() ? "" : " ") + word;
  return text;
}

Result analyse(const Case& c, const std::optional<std::string>& report_path,
               const std::optional<std::string>& plot_path) {
  const Case copy = c.copy();  // taken while the interpreter is held
  zolan::RunFiles files;
  files.input_file_name = c.input_path;
  files.cpt_file_name = c.cpt_path;
  files.output_file_name = report_path.value_or("");
  files.plot_file_name = plot_path.value_or("");
  std::ofstream report_file;
  std::ofstream plot_file;
  if (report_path) open_output(report_file, *report_path);
  if (plot_path) open_output(plot_file, *plot_path);

  zolan::RunStreams streams;
  streams.model = copy.model.get();
  streams.report = report_path ? &report_file : nullptr;
  streams.plot = plot_path ? &plot_file : nullptr;
  std::ostringstream console_text;
  const zolan::Console console{&console_text, nullptr};
  Result result;
  zolan::RunResult run;
  {
    py::gil_scoped_release released;
    run = zolan::run_analysis(files, streams, console, [&](const zolan::FinishedRun& finished) {
      result.results = zr::collect_results(finished);
    });
  }
  if (report_path) result.results.report_file = *report_path;
  if (plot_path) result.results.plot_file = *plot_path;
  if (run.status == zolan::RunStatus::kBadInput) raise_input_error(run.message);
  if (run.status != zolan::RunStatus::kCompleted) {
    py::object type = py::module_::import("zolan").attr("RunError");
    const std::string text = run.message.empty() ? stop_message(console_text.str()) : run.message;
    PyErr_SetString(type.ptr(), text.c_str());
    throw py::error_already_set();
  }
  return result;
}

// The run of DIR/names.dat as `zolan run DIR`: the console lines printed,
// 0 when the run completed, 1 otherwise.
int run_directory(const std::string& directory) {
  std::ostringstream console_text;
  std::istringstream no_answers;
  const zolan::Console console{&console_text, &no_answers};
  zolan::RunResult run;
  {
    py::gil_scoped_release released;
    run = zolan::run_from_names_file(directory, console);
  }
  py::print(console_text.str(), py::arg("end") = "");
  return run.code();
}

}  // namespace

PYBIND11_MODULE(zolan, m) {
  m.doc() = "Axial capacity and settlement of driven piles";
  m.attr("__version__") = ZOLAN_VERSION;
  py::object value_error = py::reinterpret_borrow<py::object>(PyExc_ValueError);
  py::object runtime_error = py::reinterpret_borrow<py::object>(PyExc_RuntimeError);
  py::object type_factory = py::module_::import("builtins").attr("type");
  m.attr("InputError") = type_factory("InputError", py::make_tuple(value_error),
                                      py::dict(py::arg("__module__") = "zolan"));
  m.attr("RunError") = type_factory("RunError", py::make_tuple(runtime_error),
                                    py::dict(py::arg("__module__") = "zolan"));
  std::vector<std::string> names(std::begin(kSoilColumnNames), std::end(kSoilColumnNames));
  m.attr("SOIL_COLUMNS") = py::tuple(py::cast(names));

  py::class_<Case> case_class(m, "Case", "The analysis model of one input as read");
  case_class.def_readonly("input_path", &Case::input_path)
      .def_readonly("cpt_path", &Case::cpt_path)
      .def("copy", &Case::copy)
      .def("__copy__", &Case::copy)
      .def("__deepcopy__", [](const Case& c, py::object) { return c.copy(); })
      .def_property_readonly("unit_system", [](const Case& c) { return c.model->unit_system; })
      .def_property_readonly("soil_point_count",
                             [](const Case& c) { return c.model->soil_point_count; })
      .def_property_readonly("tip_area_user", [](const Case& c) { return c.model->tip_area_user; })
      .def_property_readonly("perimeter_input",
                             [](const Case& c) { return c.model->perimeter_input; })
      .def_property_readonly("title", [](const Case& c) { return zolan::trimmed(c.model->title); })
      .def_property_readonly("designer",
                             [](const Case& c) { return zolan::trimmed(c.model->designer); })
      .def_property_readonly("job_number",
                             [](const Case& c) { return zolan::trimmed(c.model->job_number); })
      .def_property(
          "method_selected",
          [](const Case& c) {
            std::vector<int> v;
            for (int i = 1; i <= zolan::kMethodCount; ++i) v.push_back(c.model->method_selected[i]);
            return v;
          },
          [](Case& c, const std::vector<int>& v) {
            if (v.size() != zolan::kMethodCount) throw py::value_error("nine method flags");
            for (int i = 1; i <= zolan::kMethodCount; ++i) c.model->method_selected[i] = v[i - 1];
          })
      .def_property(
          "soil_point_depth",
          [](const Case& c) {
            std::vector<double> v;
            for (int i = 1; i <= c.model->soil_point_count; ++i) {
              v.push_back(c.model->soil_point_depth[i]);
            }
            return py::array_t<double>(py::cast(v));
          },
          [](Case& c, const std::vector<double>& v) {
            if (static_cast<int>(v.size()) != c.model->soil_point_count) {
              throw py::value_error("one depth per soil point");
            }
            for (int i = 1; i <= c.model->soil_point_count; ++i) {
              c.model->soil_point_depth[i] = v[i - 1];
            }
          })
      .def_property("soil_table", &soil_table, &set_soil_table,
                    "Soil points by 17 columns (zolan.SOIL_COLUMNS), as the engine holds them")
      .def_property_readonly("soil_points", &soil_points)
      .def(
          "soil",
          [](const Case& c, int point, const std::string& column) {
            require_point(c, point);
            return c.model->soil_table(point, soil_column(column));
          },
          py::arg("point"), py::arg("column"))
      .def(
          "set_soil",
          [](Case& c, int point, const std::string& column, double value) {
            require_point(c, point);
            c.model->soil_table(point, soil_column(column)) = value;
          },
          py::arg("point"), py::arg("column"), py::arg("value"));
  for (const RealField& f : kRealFields) {
    case_class.def_property(
        f.name, [member = f.member](const Case& c) { return c.model.get()->*member; },
        [member = f.member, entered = f.entered](Case& c, double v) {
          c.model.get()->*member = v;
          if (entered != nullptr) c.model.get()->*entered = v;
        });
  }
  for (const IntegerField& f : kIntegerFields) {
    case_class.def_property(
        f.name, [member = f.member](const Case& c) { return c.model.get()->*member; },
        [member = f.member](Case& c, int v) { c.model.get()->*member = v; });
  }

  py::class_<Result>(m, "Result", "The results of one completed run")
      .def_property_readonly("capacities", &capacities)
      .def(
          "capacity",
          [](const Result& r, const std::string& key) {
            for (const zr::MethodCapacity& mc : r.results.methods) {
              if (mc.key == key) return capacity_frame(mc);
            }
            throw py::key_error("no method " + key + " in this run");
          },
          py::arg("method"))
      .def_property_readonly("methods",
                             [](const Result& r) {
                               std::vector<std::string> keys;
                               for (const auto& mc : r.results.methods) keys.push_back(mc.key);
                               return keys;
                             })
      .def_property_readonly("load_settlement", &load_settlement)
      .def_property_readonly("load_distribution", &load_distribution)
      .def_property_readonly("tz_curves", &tz_curves)
      .def_property_readonly("tip_curve", &tip_curve)
      .def_property_readonly("tip_capacity", &tip_capacity)
      .def_property_readonly("summary", &summary)
      .def_property_readonly("units", &units)
      .def("to_json", [](const Result& r) { return zr::results_json(r.results, ZOLAN_VERSION); });

  m.def("read_case", &read_case, py::arg("input_path"), py::arg("cpt_path") = py::none(),
        "Reads an input data file (and a CPT data file) into a Case");
  m.def("analyse", &analyse, py::arg("case"), py::arg("report") = py::none(),
        py::arg("plot") = py::none(),
        "Runs the analysis of a copy of the case; writes the report and the plot data file "
        "only when their paths are given");
  m.def("run", &run_directory, py::arg("directory"),
        "Runs DIR/names.dat as `zolan run DIR`; 0 when the run completed");
}
