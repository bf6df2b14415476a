#include "results/outputs.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "results/html.hpp"
#include "results/json.hpp"
#include "results/plots.hpp"

namespace zolan::results {
namespace {

namespace fs = std::filesystem;

fs::path absolute_path(const fs::path& p) {
  std::error_code ec;
  const fs::path a = fs::weakly_canonical(fs::absolute(p, ec), ec);
  return ec ? p : a;
}

void write_text(const fs::path& path, const std::string& text, const char* what) {
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    const int e = errno;
    throw std::runtime_error(std::string("the ") + what + " \"" + path.string() +
                             "\" could not be written" +
                             (e != 0 ? std::string(": ") + std::strerror(e) : std::string()));
  }
}

}  // namespace

OutputFiles write_outputs(const Results& r, const OutputRequest& request) {
  OutputFiles files;
  std::vector<Plot> plots;
  if (!request.plots_dir.empty() || !request.html.empty()) plots = make_plots(r);
  if (!request.plots_dir.empty()) {
    std::error_code ec;
    fs::create_directories(request.plots_dir, ec);
    if (ec || !fs::is_directory(request.plots_dir)) {
      throw std::runtime_error("the plots folder \"" + request.plots_dir.string() +
                               "\" could not be created" + (ec ? ": " + ec.message() : ""));
    }
    files.plots_dir = absolute_path(request.plots_dir);
    for (const Plot& p : plots) {
      const fs::path path = request.plots_dir / p.file_name;
      write_text(path, p.svg, "plot");
      files.plots.push_back(absolute_path(path));
    }
  }
  if (!request.json.empty()) {
    write_text(request.json, results_json(r, ZOLAN_VERSION), "JSON file");
    files.json = absolute_path(request.json);
  }
  if (!request.html.empty()) {
    write_text(request.html, html_page(r, plots), "HTML page");
    files.html = absolute_path(request.html);
  }
  return files;
}

}  // namespace zolan::results
