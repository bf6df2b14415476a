// Reads an SVG document back for tests: a small XML tokenizer (elements,
// attributes, text; well-formedness checked) and the values behind the
// pixels of a chart panel, recovered from its tick labels.
#pragma once

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zolan::testing {

struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attrs;
  std::string text;  // character data directly inside, entities decoded
  int parent = -1;   // index of the enclosing element
};

inline std::string xml_decoded(const std::string& s) {
  std::string out;
  for (std::size_t k = 0; k < s.size(); ++k) {
    if (s[k] != '&') {
      out += s[k];
      continue;
    }
    const std::size_t end = s.find(';', k);
    if (end == std::string::npos) throw std::runtime_error("unterminated entity");
    const std::string name = s.substr(k + 1, end - k - 1);
    if (name == "amp") out += '&';
    else if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (name == "middot") out += "\xC2\xB7";
    else throw std::runtime_error("unknown entity &" + name + ";");
    k = end;
  }
  return out;
}

// Parses `text` (no DOCTYPE, comments or CDATA); throws on a malformed one.
inline std::vector<XmlElement> parse_xml(const std::string& text) {
  std::vector<XmlElement> elements;
  std::vector<int> open;
  std::size_t k = 0;
  while (k < text.size()) {
    if (text[k] != '<') {
      const std::size_t next = text.find('<', k);
      const std::string chars = text.substr(k, next - k);
      if (!open.empty()) elements[static_cast<std::size_t>(open.back())].text += xml_decoded(chars);
      else if (chars.find_first_not_of(" \n\r\t") != std::string::npos) {
        throw std::runtime_error("text outside the root element");
      }
      k = next == std::string::npos ? text.size() : next;
      continue;
    }
    const std::size_t end = text.find('>', k);
    if (end == std::string::npos) throw std::runtime_error("unterminated tag");
    std::string tag = text.substr(k + 1, end - k - 1);
    k = end + 1;
    if (!tag.empty() && tag[0] == '/') {
      const std::string name = tag.substr(1);
      if (open.empty() || elements[static_cast<std::size_t>(open.back())].name != name) {
        throw std::runtime_error("closing </" + name + "> does not match");
      }
      open.pop_back();
      continue;
    }
    const bool self_closing = !tag.empty() && tag.back() == '/';
    if (self_closing) tag.pop_back();
    XmlElement e;
    e.parent = open.empty() ? -1 : open.back();
    std::size_t p = tag.find_first_of(" \n");
    e.name = tag.substr(0, p);
    while (p != std::string::npos && p < tag.size()) {
      const std::size_t a = tag.find_first_not_of(" \n", p);
      if (a == std::string::npos) break;
      const std::size_t eq = tag.find('=', a);
      if (eq == std::string::npos || eq + 1 >= tag.size() || tag[eq + 1] != '"') {
        throw std::runtime_error("malformed attribute in <" + e.name + ">");
      }
      const std::size_t close = tag.find('"', eq + 2);
      if (close == std::string::npos) throw std::runtime_error("unterminated attribute value");
      const std::string key = tag.substr(a, eq - a);
      if (e.attrs.count(key) != 0) throw std::runtime_error("attribute " + key + " given twice");
      e.attrs[key] = xml_decoded(tag.substr(eq + 2, close - eq - 2));
      p = close + 1;
    }
    if (open.empty() && !elements.empty()) throw std::runtime_error("a second root element");
    elements.push_back(e);
    if (!self_closing) open.push_back(static_cast<int>(elements.size() - 1));
  }
  if (!open.empty()) throw std::runtime_error("<" + elements[static_cast<std::size_t>(open.back())].name + "> not closed");
  return elements;
}

inline double number(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

// A linear map from pixels back to values, fitted on two tick labels.
struct PixelScale {
  double pixel0 = 0.0, value0 = 0.0, pixel1 = 1.0, value1 = 1.0;
  double value(double pixel) const {
    return value0 + (pixel - pixel0) * (value1 - value0) / (pixel1 - pixel0);
  }
};

// One panel of a chart read back: its scales and its series in values.
struct ChartPanel {
  PixelScale x, y;
  std::map<std::string, std::vector<std::pair<double, double>>> series;
  std::map<std::string, std::vector<std::pair<double, double>>> marks;
  std::vector<std::string> x_ticks, y_ticks;
};

inline bool inside(const std::vector<XmlElement>& e, std::size_t k, int panel) {
  for (int p = e[k].parent; p >= 0; p = e[static_cast<std::size_t>(p)].parent) {
    if (p == panel) return true;
  }
  return false;
}

// Reads the panel whose data-title is `title`; y tick labels may come from
// the first panel when the panels share the y axis.
inline ChartPanel read_panel(const std::vector<XmlElement>& e, const std::string& title) {
  int panel = -1, first_panel = -1;
  for (std::size_t k = 0; k < e.size(); ++k) {
    if (e[k].name != "g" || e[k].attrs.count("class") == 0 || e[k].attrs.at("class") != "panel") continue;
    if (first_panel < 0) first_panel = static_cast<int>(k);
    if (e[k].attrs.at("data-title") == title) panel = static_cast<int>(k);
  }
  if (panel < 0) throw std::runtime_error("no panel " + title);
  ChartPanel c;
  std::vector<std::pair<double, double>> xt, yt;  // (pixel, value)
  const auto ticks = [&](const char* kind, const char* coordinate, int of,
                         std::vector<std::pair<double, double>>& out, std::vector<std::string>& labels) {
    for (std::size_t k = 0; k < e.size(); ++k) {
      const auto cls = e[k].attrs.find("class");
      if (cls == e[k].attrs.end() || cls->second != kind || !inside(e, k, of)) continue;
      out.push_back({number(e[k].attrs.at(coordinate)), number(e[k].text)});
      labels.push_back(e[k].text);
    }
  };
  ticks("tick-x", "x", panel, xt, c.x_ticks);
  ticks("tick-y", "y", panel, yt, c.y_ticks);
  if (yt.empty()) ticks("tick-y", "y", first_panel, yt, c.y_ticks);
  if (xt.size() < 2 || yt.size() < 2) throw std::runtime_error("too few ticks in " + title);
  c.x = {xt.front().first, xt.front().second, xt.back().first, xt.back().second};
  c.y = {yt.front().first, yt.front().second, yt.back().first, yt.back().second};
  for (std::size_t k = 0; k < e.size(); ++k) {
    if (!inside(e, k, panel)) continue;
    const auto cls = e[k].attrs.find("class");
    if (cls == e[k].attrs.end()) continue;
    if (cls->second == "series") {
      auto& points = c.series[e[k].attrs.at("data-series")];
      std::istringstream s(e[k].attrs.at("points"));
      std::string pair;
      while (s >> pair) {
        const std::size_t comma = pair.find(',');
        points.push_back({c.x.value(number(pair.substr(0, comma))),
                          c.y.value(number(pair.substr(comma + 1)))});
      }
    } else if (cls->second == "mark") {
      c.marks[e[k].attrs.at("data-series")].push_back(
          {c.x.value(number(e[k].attrs.at("cx"))), c.y.value(number(e[k].attrs.at("cy")))});
    }
  }
  return c;
}

// The value of a series at `y` (linear between its points), for a series
// drawn against a y axis such as depth.
inline double x_at_y(const std::vector<std::pair<double, double>>& points, double y) {
  for (std::size_t k = 1; k < points.size(); ++k) {
    const auto& a = points[k - 1];
    const auto& b = points[k];
    if ((a.second - y) * (b.second - y) <= 0.0 && a.second != b.second) {
      return a.first + (b.first - a.first) * (y - a.second) / (b.second - a.second);
    }
  }
  return std::nan("");
}

}  // namespace zolan::testing
