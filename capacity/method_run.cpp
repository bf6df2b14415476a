#include "capacity/method_run.hpp"

#include "capacity/capacity.hpp"
#include "capacity/layers.hpp"
#include "capacity/plot_file.hpp"
#include "capacity/profile.hpp"
#include "capacity/tables.hpp"
#include "methods/method.hpp"
#include "settlement/load_settlement.hpp"

namespace zolan {
namespace {

// One design method: its number in input order, its branch of the capacity
// computation, its routine (null while the method is not built into the
// engine) and the title of its result table.
struct MethodUnit {
  int selection;
  int code;
  MethodRoutine routine;
  TableTitle title;
};

// The design methods in input order (MethodSelection 1 to 9).
constexpr MethodUnit kMethods[] = {
    {kSelFhwa, kCodeFhwa, nullptr, {"*  FED. HWY. METHOD  *", 28, 22}},
    {kSelUsace, kCodeUsace, nullptr, {"* ARMY CORPS METHOD  *", 28, 22}},
    {kSelLambda, kCodeLambda, nullptr, {"*  LAMBDA 2 METHOD   *", 28, 22}},
    {kSelApi, kCodeApi, compute_api, {"*  API RP-2A (2010)  *", 28, 22}},
    {kSelUser, kCodeUser, nullptr, {"* GENERAL METHOD *", 29, 18}},
    {kSelNgi, kCodeNgi, nullptr, {"*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *", 10, 52}},
    {kSelIcp, kCodeIcp, nullptr, {"*  IMPERIAL COLLEGE (MTD) METHOD  *", 20, 35}},
    {kSelFugro, kCodeFugro, nullptr, {"*    FUGRO 2004 (FUGRO) METHOD    *", 20, 35}},
    {kSelUwa, kCodeUwa, nullptr, {"*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *", 13, 45}},
};

const MethodUnit& unit_of(int selection) { return kMethods[selection - 1]; }

bool selected(const AnalysisModel& m, int selection) { return m.method_selected[selection] == 1; }

void rebuild_penetration_list(AnalysisModel& m) {
  for (int i = 1; i <= m.npen; ++i) m.penetration_depth[i] = (i - 1) * m.length_step;
}

void run_capacity(AnalysisModel& m, int code) {
  m.method_code = code;
  compute_capacity(m);
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
void record_capacity(AnalysisModel& m, MethodResults& r, int code,
                     const List<double, kMaxPenetrations>& end,
                     const List<double, kMaxPenetrations>& core) {
  for (int i = 1; i <= m.npen; ++i) {
    r.end_unfactored[i] = end[i];
    r.end[i] = end[i] * m.layer_lrfd_bearing[layer_at(m, i)];
    r.core[i] = core[i];
    r.tip_control[i] = m.tip_control(i, code);
    r.ultimate[i] = r.skin[i] + r.end[i];
  }
}

// Routine, capacity computation and rebuilt penetration list of one method.
void run_method(AnalysisModel& m, RunOutput& out, const MethodUnit& u) {
  MethodResults& r = m.method_results[u.selection];
  u.routine(m, out);
  record_friction(m, r);
  run_capacity(m, u.code);
  rebuild_penetration_list(m);
}

void print_table(const AnalysisModel& m, RunOutput& out, const MethodUnit& u) {
  const MethodResults& r = m.method_results[u.selection];
  if (!r.computed || !selected(m, u.selection)) return;
  write_method_table(m, r, u.title, u.selection == kSelUser, out);
}

// The user-specified method: unit values given per layer.
void run_user_method(AnalysisModel& m, RunOutput& out) {
  const MethodUnit& u = unit_of(kSelUser);
  if (u.routine == nullptr) return;
  bool any = false;
  for (int j = 1; j <= m.layer_count; ++j) {
    if (m.layer_unit_friction_user[j] != 0.0 || m.layer_unit_bearing_user[j] != 0.0) any = true;
  }
  if (!any) return;
  MethodResults& r = m.method_results[kSelUser];
  u.routine(m, out);
  if (m.loading_type == 1) run_capacity(m, kCodeUser);
  r.computed = true;
  List<double, kMaxPenetrations> no_core;
  for (int i = 1; i <= m.npen; ++i) {
    r.skin[i] = m.skin_friction_user[i];
    r.unit_friction[i] = m.layer_unit_friction_user[layer_at(m, i)];
  }
  record_capacity(m, r, kCodeUser, m.end_bearing_user, no_core);
  rebuild_penetration_list(m);
  print_table(m, out, u);
}

// End bearings of FHWA, USACE and Revised Lambda from the capacity
// computations just made.
void record_first_group(AnalysisModel& m) {
  const struct {
    int selection;
    int code;
    const List<double, kMaxPenetrations>& end;
    const List<double, kMaxPenetrations>& core;
  } group[] = {{kSelFhwa, kCodeFhwa, m.end_bearing_fhwa, m.core_length_fhwa},
               {kSelUsace, kCodeUsace, m.end_bearing_usace, m.core_length_usace},
               {kSelLambda, kCodeLambda, m.end_bearing, m.core_length}};
  for (const auto& g : group) {
    MethodResults& r = m.method_results[g.selection];
    if (r.computed) record_capacity(m, r, g.code, g.end, g.core);
  }
}

int table_count(const AnalysisModel& m) {
  int count = 0;
  for (const MethodUnit& u : kMethods) {
    if (u.routine == nullptr || !selected(m, u.selection)) continue;
    if (u.selection >= kSelNgi && m.soil_detail_option != 1) continue;
    ++count;
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

void run_pass(AnalysisModel& m, RunOutput& out) {
  const bool first = m.pass_number == 1;
  prepare_layers(m);
  for (int code : {kCodeFhwa, kCodeUsace, kCodeLambda}) {
    run_capacity(m, code);
    rebuild_penetration_list(m);
  }
  m.printed_row_count = printed_row_count(m.npen, m.output_interval);
  if (first) {
    write_plot_header(out.plot, table_count(m), m.printed_row_count, m.unit_system,
                      m.load_transfer_method);
  }
  rebuild_penetration_list(m);

  if (first) {
    run_user_method(m, out);
    for (int selection : {kSelFhwa, kSelUsace, kSelLambda}) {
      const MethodUnit& u = unit_of(selection);
      if (u.routine != nullptr) run_method(m, out, u);
    }
  }
  record_first_group(m);
  if (first) {
    rebuild_penetration_list(m);
    for (int selection : {kSelFhwa, kSelUsace, kSelLambda}) print_table(m, out, unit_of(selection));
    return;
  }

  for (int selection : {kSelApi, kSelNgi, kSelIcp, kSelFugro, kSelUwa}) {
    if (selection >= kSelNgi && m.soil_detail_option != 1) break;
    const MethodUnit& u = unit_of(selection);
    if (u.routine == nullptr) continue;
    run_method(m, out, u);
    MethodResults& r = m.method_results[selection];
    record_capacity(m, r, u.code, m.end_bearing, m.core_length);
    print_table(m, out, u);
  }

  hand_over(m);
  run_load_settlement(m, out);
  if (m.tz_check_depth_count > 0) report_verification_tz_curves(m, out);
}

}  // namespace

bool method_available(int selection) {
  return selection >= 1 && selection <= kMethodCount && unit_of(selection).routine != nullptr;
}

void run_computation(AnalysisModel& m, RunOutput& out) {
  for (int pass = 1; pass <= 2; ++pass) {
    m.pass_number = pass;
    run_pass(m, out);
  }
}

}  // namespace zolan
