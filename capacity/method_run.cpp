#include "capacity/method_run.hpp"

#include "capacity/capacity.hpp"
#include "capacity/layers.hpp"
#include "capacity/plot_file.hpp"
#include "capacity/tables.hpp"
#include "methods/method.hpp"
#include "model/preparation.hpp"
#include "model/profile.hpp"
#include "settlement/load_settlement.hpp"

namespace zolan {
namespace {

bool selected(const AnalysisModel& m, const MethodDescriptor& method) {
  return m.method_selected[method.selection] == 1;
}

// Whether the method is computed in this run at all.
bool computed_in_run(const AnalysisModel& m, const MethodDescriptor& method) {
  return !method.cpt_based || m.soil_detail_option == 1;
}

void rebuild_penetration_list(AnalysisModel& m) {
  for (int i = 1; i <= m.npen; ++i) m.penetration_depth[i] = (i - 1) * m.length_step;
}

void run_capacity(AnalysisModel& m, int code) {
  m.method_code = code;
  compute_capacity(m);
}

// The end bearing and core length the capacity computation left for the
// method: its own copies where it keeps them.
const PenetrationValues& end_bearing_of(const AnalysisModel& m, const MethodDescriptor& method) {
  return method.end_copy != nullptr ? m.*(method.end_copy) : m.end_bearing;
}
const PenetrationValues& core_length_of(const AnalysisModel& m, const MethodDescriptor& method) {
  return method.core_copy != nullptr ? m.*(method.core_copy) : m.core_length;
}

// Keeps the friction lists a method routine left.
void record_friction(AnalysisModel& m, MethodResults& r) {
  r.computed = true;
  for (int i = 1; i <= m.npen; ++i) {
    r.skin[i] = m.skin_friction[i];
    r.unit_friction[i] = m.penetration_unit_friction[i];
  }
}

// Keeps the end bearing (factored by the LRFD factor on unit bearing of the
// layer beginning at each penetration), core length and plug marker of a
// capacity computation, and forms the ultimate capacity.
void record_capacity(AnalysisModel& m, const MethodDescriptor& method, const PenetrationValues& end,
                     const PenetrationValues& core) {
  MethodResults& r = m.method_results[method.selection];
  for (int i = 1; i <= m.npen; ++i) {
    r.end_unfactored[i] = end[i];
    r.end[i] = end[i] * m.layer_lrfd_bearing[layer_at(m, i)];
    r.core[i] = core[i];
    r.tip_control[i] = m.tip_control(i, method.code);
    r.ultimate[i] = r.skin[i] + r.end[i];
  }
}

// Routine, capacity computation and rebuilt penetration list of one method.
void run_method(AnalysisModel& m, RunOutput& out, const MethodDescriptor& method) {
  method.side_friction(m, out);
  record_friction(m, m.method_results[method.selection]);
  run_capacity(m, method.code);
  rebuild_penetration_list(m);
}

// Prints the method's table and keeps the lists it was printed from: the
// end bearings of the first-pass methods are formed again in pass 2 (for
// the load-settlement hand-over), and what a caller reads of a table must
// be what the report shows.
void print_table(AnalysisModel& m, RunOutput& out, const MethodDescriptor& method) {
  const MethodResults& r = m.method_results[method.selection];
  if (!r.computed || !selected(m, method)) return;
  write_method_table(m, r, method.title, method.user_values, out);
  m.reported_results[method.selection] = r;
}

bool has_user_values(const AnalysisModel& m) {
  for (int j = 1; j <= m.layer_count; ++j) {
    if (m.layer_unit_friction_user[j] != 0.0 || m.layer_unit_bearing_user[j] != 0.0) return true;
  }
  return false;
}

// The method of unit values given per layer: its end bearing is the one
// given, or under tension the self weight of a capacity computation.
void run_user_values_method(AnalysisModel& m, RunOutput& out, const MethodDescriptor& method) {
  if (!has_user_values(m)) return;
  MethodResults& r = m.method_results[method.selection];
  method.side_friction(m, out);
  if (m.loading_type == 1) run_capacity(m, method.code);
  r.computed = true;
  for (int i = 1; i <= m.npen; ++i) {
    r.skin[i] = m.skin_friction_user[i];
    r.unit_friction[i] = m.layer_unit_friction_user[layer_at(m, i)];
  }
  const PenetrationValues no_core;
  record_capacity(m, method, end_bearing_of(m, method), no_core);
  rebuild_penetration_list(m);
  print_table(m, out, method);
}

int table_count(const AnalysisModel& m) {
  int count = 0;
  for (const MethodDescriptor& method : method_descriptors()) {
    if (computed_in_run(m, method) && selected(m, method)) ++count;
  }
  return count;
}

// Lists of the load-transfer method for the load-settlement analysis.
void hand_over(AnalysisModel& m) {
  const MethodResults& r = m.method_results[m.load_transfer_method];
  rebuild_penetration_list(m);
  m.settlement_segment_count = m.npen;
  for (int i = 1; i <= m.npen; ++i) {
    const double factor = m.layer_lrfd_bearing[layer_at(m, i)];
    m.settlement_skin_friction[i] = r.skin[i];
    // The factored end bearing divided back; a zero factor passes the end
    // bearing as it was before factoring.
    m.settlement_end_bearing[i] = factor != 0.0 ? r.end[i] / factor : r.end_unfactored[i];
    m.settlement_unit_friction[i] = r.unit_friction[i];
  }
}

// Start of each pass: the layers, the capacity computations of the pass-1
// methods (which give the FHWA routine its plug status in pass 1 and are
// their end bearings in pass 2) and the count of printed rows.
void start_pass(AnalysisModel& m) {
  prepare_layers(m);
  for (const MethodDescriptor& method : method_descriptors()) {
    if (method.pass != 1 || method.user_values) continue;
    run_capacity(m, method.code);
    rebuild_penetration_list(m);
  }
  m.printed_row_count = printed_row_count(m.npen, m.output_interval);
}

// End bearings of the pass-1 methods from the capacity computations just
// made.
void record_first_pass_capacity(AnalysisModel& m) {
  for (const MethodDescriptor& method : method_descriptors()) {
    if (method.pass != 1 || method.user_values) continue;
    if (m.method_results[method.selection].computed) {
      record_capacity(m, method, end_bearing_of(m, method), core_length_of(m, method));
    }
  }
}

// Pass 1: the user values, FHWA, USACE and Revised Lambda; their tables.
void run_first_pass(AnalysisModel& m, RunOutput& out) {
  m.pass_number = 1;
  start_pass(m);
  write_plot_header(out.plot, table_count(m), m.printed_row_count, m.unit_system,
                    m.load_transfer_method);
  rebuild_penetration_list(m);
  for (const MethodDescriptor& method : method_descriptors()) {
    if (method.pass == 1 && method.user_values) run_user_values_method(m, out, method);
  }
  for (const MethodDescriptor& method : method_descriptors()) {
    if (method.pass == 1 && !method.user_values) run_method(m, out, method);
  }
  record_first_pass_capacity(m);
  rebuild_penetration_list(m);
  for (const MethodDescriptor& method : method_descriptors()) {
    if (method.pass == 1 && !method.user_values) print_table(m, out, method);
  }
}

// Pass 2: API RP-2A and the methods of the cone resistance, their tables,
// then the load-settlement analysis of the load-transfer method.
void run_second_pass(AnalysisModel& m, RunOutput& out) {
  m.pass_number = 2;
  start_pass(m);
  rebuild_penetration_list(m);
  record_first_pass_capacity(m);
  for (const MethodDescriptor& method : method_descriptors()) {
    if (method.pass != 2 || !computed_in_run(m, method)) continue;
    run_method(m, out, method);
    record_capacity(m, method, m.end_bearing, m.core_length);
    print_table(m, out, method);
  }
  hand_over(m);
  run_load_settlement(m, out);
  if (m.tz_check_depth_count > 0) report_verification_tz_curves(m, out);
}

}  // namespace

void run_computation(AnalysisModel& m, RunOutput& out) {
  run_first_pass(m, out);
  run_second_pass(m, out);
}

}  // namespace zolan
