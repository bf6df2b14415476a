// The results of one completed run, in the units of the report, taken from
// the lists the report and the plot data file are written from, so they
// cannot disagree with them. The terminal summary, the JSON file, the plots
// and the HTML page are all made from this one structure.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/run.hpp"

namespace zolan::results {

// Unit names of one run (English or SI), as a user writes them.
struct Units {
  bool english = true;
  std::string system;    // "English" or "SI"
  std::string length;    // penetrations, depths, distances: "ft" or "m"
  std::string force;     // capacities and loads: "kips" or "kN"
  std::string stress;    // unit side friction of the capacity tables: "ksf" or "kPa"
  std::string movement;  // settlements and t-z movements: "in" or "m"
  std::string transfer;  // unit load transfer of the t-z curves: "psi" or "kPa"
};

Units units_of(int unit_system);

// Movements as shown to a user: inches, or millimetres in SI (the results
// hold metres there, as the report does).
struct ShownMovement {
  double factor;     // from the results' movement unit
  std::string unit;  // "in" or "mm"
  int digits;        // decimals of a table
};
ShownMovement shown_movement(const Units& units);

// How the tip of an open-ended pipe carries its load at a penetration.
enum class PlugState {
  kClosed,        // closed-ended or solid section: full tip bearing
  kPlugged,       // the soil plug holds: full tip bearing
  kUnplugged,     // the soil plug slips: wall bearing and plug friction govern ("*" rows)
  kNotComputed,   // no plug decision (unit end bearing given by the user)
};

const char* plug_state_name(PlugState s);  // "closed", "plugged", "unplugged", "not computed"

struct CapacityRow {
  double penetration = 0.0;  // length of pile below ground (length)
  double depth = 0.0;        // vertical depth of the tip below ground (length)
  double skin_friction = 0.0;
  double end_bearing = 0.0;  // self weight under tension loading (force)
  double ultimate = 0.0;     // (force)
  double core_length = 0.0;  // (length)
  double unit_friction = 0.0;  // unit side friction at the penetration (stress)
  PlugState plug = PlugState::kClosed;
  bool printed = false;  // a row of the method's table in the report
};

struct MethodCapacity {
  int selection = 0;          // position in the input's list of methods, 1 to 9
  std::string key;            // "fhwa", "usace", "lambda", "api", "user", "ngi", "icp", "fugro", "uwa"
  std::string name;           // "API RP 2A"
  std::string report_title;   // the table title of the report: "API RP-2A (2010)"
  bool printed = false;       // selected, so its table is in the report
  std::vector<CapacityRow> rows;  // every penetration, from the ground surface to the tip
};

struct TzPoint {
  double movement = 0.0;  // (movement)
  double transfer = 0.0;  // (transfer)
};

struct TzCurveResult {
  int number = 0;
  double depth = 0.0;  // below the ground surface (length)
  bool cohesive = false;
  std::vector<TzPoint> points;
};

struct TipPoint {
  double movement = 0.0;  // (movement)
  double load = 0.0;      // (force)
};

struct SettlementPoint {
  double top_load = 0.0;      // load at the pile head (force)
  double top_movement = 0.0;  // settlement of the pile head (movement)
  double tip_load = 0.0;      // (force)
  double tip_movement = 0.0;  // (movement)
};

struct DistributionSegment {
  double distance = 0.0;  // of the segment midpoint from the pile head (length)
  double load = 0.0;      // average axial load in the segment (force)
  double movement = 0.0;  // movement of the segment midpoint (movement)
};

struct LoadDistribution {
  double tip_movement = 0.0;  // the assumed tip movement (movement)
  std::vector<DistributionSegment> segments;  // from the tip up to the pile head
};

struct VerificationCurve {
  int number = 0;
  double depth = 0.0;    // below the ground surface (length)
  bool printed = false;  // false: the depth lies outside the soil profile
  std::vector<TzPoint> points;
};

struct Results {
  std::string title;
  std::string designer;
  std::string job_number;
  Units units;
  bool tension = false;
  double batter_angle = 0.0;     // degrees
  double embedded_length = 0.0;  // pile length below ground, to the tip (length)
  double length_step = 0.0;      // (length)
  int output_interval = 1;
  int load_transfer_method = 0;  // selection number of the method of the t-z curves
  std::vector<MethodCapacity> methods;  // every method computed, in input order
  std::vector<TzCurveResult> tz_curves;
  std::vector<TipPoint> tip_curve;
  std::vector<SettlementPoint> load_settlement;
  std::vector<LoadDistribution> load_distribution;
  std::vector<VerificationCurve> verification;
  std::filesystem::path report_file;
  std::filesystem::path plot_file;

  // The method of the t-z curves, or null when it is not among `methods`.
  const MethodCapacity* load_transfer() const;
  // The last computed penetration (the tip, unless the pile length is not a
  // multiple of the length step).
  double last_penetration() const;
  // Whether the last computed penetration lies above the pile tip.
  bool tip_above_last_penetration() const;
};

// The results of a completed run.
Results collect_results(const FinishedRun& run);

// Key, name and report title of the method at a selection number (1 to 9).
struct MethodNames {
  const char* key;
  const char* name;
};
MethodNames method_names(int selection);
std::string report_title(int selection);

}  // namespace zolan::results
