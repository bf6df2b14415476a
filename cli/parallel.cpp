#include "cli/parallel.hpp"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace zolan::cli {

void run_in_parallel(int count, int threads, const std::function<void(int)>& task) {
  std::atomic<int> next{0};
  const auto worker = [&] {
    for (int k = next++; k < count; k = next++) task(k);
  };
  const int extra = std::clamp(threads, 1, std::max(count, 1)) - 1;
  std::vector<std::thread> pool;
  pool.reserve(static_cast<std::size_t>(extra));
  for (int t = 0; t < extra; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
}

int default_thread_count() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace zolan::cli
