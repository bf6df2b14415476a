// The nine design methods in input order: what makes each one different.
#include "methods/cpt_steps.hpp"
#include "methods/method.hpp"
#include "methods/rules.hpp"

namespace zolan {
namespace {

constexpr PenetrationValues AnalysisModel::*kNoCopy = nullptr;

// Columns: selection, code, pass, CPT-based, user values, side friction;
// cohesionless and cohesive end bearing; own plug friction, cone-resistance
// wall, tip force at least the wall force; end-bearing and core copies;
// table title, indent and stars; curve family.
constexpr MethodDescriptor kMethodDescriptors[kMethodCount] = {
    {kSelFhwa, kCodeFhwa, 1, false, false, compute_fhwa,
     fhwa_sand_bearing, nullptr,
     true, false, false,
     &AnalysisModel::end_bearing_fhwa, &AnalysisModel::core_length_fhwa,
     {"*  FED. HWY. METHOD  *", 28, 22}, CurveFamily::kStandard},
    {kSelUsace, kCodeUsace, 1, false, false, compute_usace,
     usace_sand_bearing, nullptr,
     true, false, false,
     &AnalysisModel::end_bearing_usace, &AnalysisModel::core_length_usace,
     {"* ARMY CORPS METHOD  *", 28, 22}, CurveFamily::kUsace},
    {kSelLambda, kCodeLambda, 1, false, false, compute_lambda,
     api_sand_bearing, nullptr,
     false, false, false,
     kNoCopy, kNoCopy,
     {"*  LAMBDA 2 METHOD   *", 28, 22}, CurveFamily::kStandard},
    {kSelApi, kCodeApi, 2, false, false, compute_api,
     api_sand_bearing, nullptr,
     false, false, false,
     kNoCopy, kNoCopy,
     {"*  API RP-2A (2010)  *", 28, 22}, CurveFamily::kStandard},
    {kSelUser, kCodeUser, 1, false, true, compute_user,
     nullptr, nullptr,
     false, true, false,
     &AnalysisModel::end_bearing_user, kNoCopy,
     {"* GENERAL METHOD *", 29, 18}, CurveFamily::kStandard},
    {kSelNgi, kCodeNgi, 2, true, false, compute_ngi,
     ngi_sand_bearing, nullptr,
     true, true, false,
     kNoCopy, kNoCopy,
     {"*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *", 10, 52}, CurveFamily::kStandard},
    {kSelIcp, kCodeIcp, 2, true, false, compute_icp,
     icp_sand_bearing, cpt_cohesive_bearing,
     true, true, true,
     kNoCopy, kNoCopy,
     {"*  IMPERIAL COLLEGE (MTD) METHOD  *", 20, 35}, CurveFamily::kStandard},
    {kSelFugro, kCodeFugro, 2, true, false, compute_fugro,
     fugro_sand_bearing, cpt_cohesive_bearing,
     true, true, false,
     kNoCopy, kNoCopy,
     {"*    FUGRO 2004 (FUGRO) METHOD    *", 20, 35}, CurveFamily::kStandard},
    {kSelUwa, kCodeUwa, 2, true, false, compute_uwa,
     uwa_sand_bearing, cpt_cohesive_bearing,
     true, true, false,
     kNoCopy, kNoCopy,
     {"*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *", 13, 45}, CurveFamily::kStandard},
};

// method_code -> selection number.
constexpr int kSelectionOfCode[kMethodCount + 1] = {
    0, kSelFhwa, kSelUsace, kSelLambda, kSelApi, kSelNgi, kSelIcp, kSelFugro, kSelUwa, kSelUser};

}  // namespace

std::span<const MethodDescriptor> method_descriptors() { return kMethodDescriptors; }

const MethodDescriptor* method_by_selection(int selection) {
  if (selection < 1 || selection > kMethodCount) return nullptr;
  return &kMethodDescriptors[selection - 1];
}

const MethodDescriptor* method_by_code(int code) {
  if (code < 1 || code > kMethodCount) return nullptr;
  return method_by_selection(kSelectionOfCode[code]);
}

CurveFamily curve_family(int selection) {
  const MethodDescriptor* method = method_by_selection(selection);
  return method != nullptr ? method->curves : CurveFamily::kStandard;
}

}  // namespace zolan
