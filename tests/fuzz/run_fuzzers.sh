#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#
#   tests/fuzz/run_fuzzers.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 60); TARGETs default to the three readers and
# the whole run: names, input_data, cpt_data, whole_run (fuzz_names, ... are
# accepted too). Each target first replays its regression inputs
# (tests/regression/<target>/), then fuzzes from its seed corpus
# (tests/fuzz/corpus/<target>/) with the free-format dictionary. Returns
# non-zero when any target finds a crash, a sanitizer report, a broken
# invariant, a hang or runaway memory; the input is left under
# $ZOLAN_FUZZ_BUILD_DIR/artifacts/<target>/. When clang or its
# fuzzer runtime is missing it says so and returns 0.
#
# Environment: ZOLAN_FUZZ_BUILD_DIR (default build-fuzz in the repository),
# ZOLAN_FUZZ_JOBS (build jobs, default 2).
set -uo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(names input_data cpt_data whole_run)
build="${ZOLAN_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="${ZOLAN_FUZZ_JOBS:-2}"

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: $0 [SECONDS] [TARGET...]" >&2
  exit 2
fi

# clang and its fuzzer runtime: compile and link a trivial target.
if ! command -v clang++ >/dev/null 2>&1 || ! command -v clang >/dev/null 2>&1; then
  echo "run_fuzzers: clang is not installed; fuzzing skipped (apt-get install clang)"
  exit 0
fi
probe_dir="$(mktemp -d)"
trap 'rm -rf "$probe_dir"' EXIT
printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
  'extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }' \
  > "$probe_dir/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" \
     >"$probe_dir/probe.log" 2>&1; then
  echo "run_fuzzers: clang's libFuzzer runtime is missing; fuzzing skipped"
  sed 's/^/  /' "$probe_dir/probe.log" | head -5
  exit 0
fi

generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$build" "${generator[@]}" \
  -DZOLAN_FUZZ=ON -DZOLAN_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$probe_dir/cmake.log" 2>&1 ||
  { cat "$probe_dir/cmake.log"; exit 1; }
names=()
for t in "${targets[@]}"; do names+=("fuzz_${t#fuzz_}"); done
cmake --build "$build" --parallel "$jobs" --target "${names[@]}" || exit 1

dict="$root/tests/fuzz/free_format.dict"
# Leak checks stay on; an abort is reported by libFuzzer itself.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:halt_on_error=1"
failed=()
for t in "${targets[@]}"; do
  t="${t#fuzz_}"
  exe="$build/tests/fuzz/fuzz_$t"
  work="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  mkdir -p "$work" "$artifacts"
  # A whole run writes its report and plot data file, and its input joins
  # two files: more time and room per input than a reader.
  timeout=10
  max_len=4096
  if [ "$t" = whole_run ]; then
    timeout=30
    max_len=8192
  fi
  common=(-timeout="$timeout" -rss_limit_mb=2048 -artifact_prefix="$artifacts/")

  regression="$root/tests/regression/$t"
  if [ -d "$regression" ] && [ -n "$(ls -A "$regression" 2>/dev/null)" ]; then
    echo "== $t: regression inputs =="
    # Each file once, whatever its size.
    if ! "$exe" "${common[@]}" "$regression"/* >"$artifacts/regression.log" 2>&1; then
      tail -40 "$artifacts/regression.log"
      failed+=("$t (regression input)")
      continue
    fi
  fi

  echo "== $t: fuzzing for $seconds s =="
  "$exe" "${common[@]}" -max_len="$max_len" -dict="$dict" -max_total_time="$seconds" \
    -print_final_stats=1 "$work" "$root/tests/fuzz/corpus/$t" >"$artifacts/fuzz.log" 2>&1
  rc=$?
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|Done [0-9]+ runs' "$artifacts/fuzz.log" || true
  if [ $rc -ne 0 ]; then
    tail -60 "$artifacts/fuzz.log"
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "run_fuzzers: findings in: ${failed[*]} (inputs under $build/artifacts/)"
  exit 1
fi
echo "run_fuzzers: no findings"
