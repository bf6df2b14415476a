// Tasks 0 .. count - 1 shared out to worker threads, each taking the next
// task not yet taken until none is left.
#pragma once

#include <functional>

namespace zolan::cli {

// Runs task(k) for every k in 0 .. count - 1 on `threads` threads (at least
// one, at most count); returns when all are done. A task must not throw.
void run_in_parallel(int count, int threads, const std::function<void(int)>& task);

// The threads to use when none are asked for: the processors, at least one.
int default_thread_count();

}  // namespace zolan::cli
