// Runs an analysis through the installed engine and prints the ultimate
// capacity at the tip of the API RP 2A method: consumer DIR
#include <cstdio>
#include <iostream>
#include <sstream>

#include <zolan/zolan.hpp>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ostringstream console_out;
  std::istringstream console_in;
  double ultimate = -1.0;
  const zolan::RunResult r = zolan::run_from_names_file(
      argv[1], zolan::Console{&console_out, &console_in}, [&](const zolan::FinishedRun& f) {
        const zolan::MethodResults& api = f.model.method_results[zolan::kSelApi];
        ultimate = api.ultimate[f.model.npen];
      });
  if (r.code() != 0) {
    std::cerr << r.message << "\n";
    return 1;
  }
  std::printf("ultimate at the tip: %.1f\n", ultimate);
  return 0;
}
