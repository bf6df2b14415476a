// A small JSON Schema checker for the keywords the results schema uses:
// type, required, properties, additionalProperties (false), items, enum,
// minimum, maximum, exclusiveMinimum, oneOf and $ref to "#/$defs/...".
// Other keywords are annotations and are ignored. Errors name the JSON
// pointer of the value that breaks the schema.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace zolan::testing {

class SchemaChecker {
 public:
  explicit SchemaChecker(nlohmann::json schema) : root_(std::move(schema)) {}

  std::vector<std::string> errors(const nlohmann::json& value) {
    errors_.clear();
    check(root_, value, "");
    return errors_;
  }

 private:
  using json = nlohmann::json;

  static bool has_type(const json& v, const std::string& t) {
    if (t == "object") return v.is_object();
    if (t == "array") return v.is_array();
    if (t == "string") return v.is_string();
    if (t == "boolean") return v.is_boolean();
    if (t == "null") return v.is_null();
    if (t == "number") return v.is_number();
    if (t == "integer") return v.is_number_integer();
    return false;
  }

  const json& resolve(const json& schema) const {
    if (!schema.contains("$ref")) return schema;
    const std::string ref = schema["$ref"];
    const std::string prefix = "#/$defs/";
    if (ref.rfind(prefix, 0) != 0) throw std::runtime_error("unsupported $ref " + ref);
    return root_["$defs"].at(ref.substr(prefix.size()));
  }

  void fail(const std::string& where, const std::string& what) {
    errors_.push_back((where.empty() ? "/" : where) + ": " + what);
  }

  void check(const json& s_in, const json& v, const std::string& where) {
    const json& s = resolve(s_in);
    if (s.contains("type")) {
      bool ok = false;
      if (s["type"].is_array()) {
        for (const json& t : s["type"]) ok = ok || has_type(v, t);
      } else {
        ok = has_type(v, s["type"]);
      }
      if (!ok) return fail(where, "is not of type " + s["type"].dump());
    }
    if (s.contains("enum")) {
      bool found = false;
      for (const json& e : s["enum"]) found = found || e == v;
      if (!found) fail(where, v.dump() + " is not one of " + s["enum"].dump());
    }
    if (v.is_number()) {
      const double x = v.get<double>();
      if (s.contains("minimum") && x < s["minimum"].get<double>()) fail(where, "below the minimum");
      if (s.contains("maximum") && x > s["maximum"].get<double>()) fail(where, "above the maximum");
      if (s.contains("exclusiveMinimum") && x <= s["exclusiveMinimum"].get<double>()) {
        fail(where, "not above the exclusive minimum");
      }
    }
    if (s.contains("oneOf")) {
      int matches = 0;
      for (const json& alt : s["oneOf"]) {
        SchemaChecker sub(root_);
        if (sub.errors_at(alt, v).empty()) ++matches;
      }
      if (matches != 1) fail(where, "matches " + std::to_string(matches) + " of the oneOf schemas");
    }
    if (v.is_object()) {
      if (s.contains("required")) {
        for (const json& key : s["required"]) {
          if (!v.contains(key.get<std::string>())) fail(where, "lacks " + key.get<std::string>());
        }
      }
      const bool closed = s.contains("additionalProperties") && s["additionalProperties"] == false;
      for (auto it = v.begin(); it != v.end(); ++it) {
        const std::string at = where + "/" + it.key();
        if (s.contains("properties") && s["properties"].contains(it.key())) {
          check(s["properties"][it.key()], it.value(), at);
        } else if (closed) {
          fail(at, "is not a property the schema allows");
        }
      }
    }
    if (v.is_array() && s.contains("items")) {
      for (std::size_t k = 0; k < v.size(); ++k) check(s["items"], v[k], where + "/" + std::to_string(k));
    }
  }

  std::vector<std::string> errors_at(const json& schema, const json& v) {
    errors_.clear();
    check(schema, v, "");
    return errors_;
  }

  json root_;
  std::vector<std::string> errors_;
};

}  // namespace zolan::testing
