// zolan: the engine's command-line program, for users without a front end.
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/run.hpp"

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  zolan run [DIR]\n"
    "      Runs the analysis described by DIR/names.dat (DIR defaults to the\n"
    "      current directory), exactly as a front end's call of IZOLAN(5) in\n"
    "      that directory. Relative file names in names.dat resolve against DIR.\n"
    "  zolan run --input FILE --cpt FILE --report FILE --plot FILE [--version TEXT]\n"
    "      Runs the same analysis on the named files, without names.dat.\n"
    "      --cpt may be given as \"\" for a run without CPT data.\n"
    "  zolan --help\n"
    "      Shows this text.\n"
    "\n"
    "Exit status: 0 when the run completed, 1 when it was refused or stopped\n"
    "(the report and the console say why), 2 for a usage error.\n";

int usage_error(const std::string& what) {
  std::cerr << "zolan: " << what << "\n\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << kUsage;
    return 0;
  }
  if (argc < 2 || std::strcmp(argv[1], "run") != 0) {
    return usage_error(argc < 2 ? "no command given" : std::string("unknown command or option: ") + argv[1]);
  }
  zolan::Console console{&std::cout, &std::cin};

  if (argc >= 3 && argv[2][0] == '-' && argv[2][1] == '-') {
    zolan::RunFiles files;
    files.version_text = "CLI";
    files.version_text.resize(12, ' ');
    bool input = false, cpt = false, report = false, plot = false;
    for (int k = 2; k < argc; ++k) {
      const std::string option = argv[k];
      if (k + 1 >= argc) return usage_error("option " + option + " needs a value");
      const std::string value = argv[++k];
      if (option == "--input") {
        files.input_file_name = value;
        input = true;
      } else if (option == "--cpt") {
        files.cpt_file_name = value;
        cpt = true;
      } else if (option == "--report") {
        files.output_file_name = value;
        report = true;
      } else if (option == "--plot") {
        files.plot_file_name = value;
        plot = true;
      } else if (option == "--version") {
        files.version_text = value;
        files.version_text.resize(12, ' ');
      } else {
        return usage_error("unknown option: " + option);
      }
    }
    if (!input || !cpt || !report || !plot) {
      return usage_error("run with named files needs --input, --cpt, --report and --plot");
    }
    return zolan::run_analysis(files, console).code();
  }

  if (argc > 3) return usage_error(std::string("unexpected argument: ") + argv[3]);
  const std::filesystem::path directory = argc == 3 ? std::filesystem::path(argv[2]) : std::filesystem::path();
  if (!directory.empty()) {
    std::error_code ec;
    if (!std::filesystem::is_directory(directory, ec)) {
      return usage_error("not a directory: " + directory.string());
    }
  }
  return zolan::run_from_names_file(directory, console).code();
}
