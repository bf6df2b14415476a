#!/usr/bin/env bash
# Builds the engine for Linux and for 64-bit Windows and checks the Windows
# build under Wine, headless, in a Wine prefix of its own:
#  - zolan.dll and zolan.exe are 64-bit, import Windows system DLLs only, and
#    zolan.dll exports IZOLAN alone;
#  - a front end (load_izolan.exe) loading zolan.dll and calling IZOLAN(5)
#    twice in a copy of each example writes the report and the plot data file
#    of the Linux program, byte for byte apart from the date line, with CR LF
#    line ends;
#  - zolan.exe run DIR writes them too, and the console lines of the Linux
#    program;
#  - IZOLAN(4) returns 1 and leaves its directory as it was;
#  - names.dat names with a drive letter, backslashes and forward slashes
#    open the right files and are split by the Windows rules in the report.
# Prints PASS or FAIL for each check and exits non-zero when one failed.
#   scripts/test_windows.sh
# Build directories: build-tests (Linux, shared with scripts/run_tests.sh, or
# $ZOLAN_LINUX_BUILD_DIR) and build-windows (or $ZOLAN_WINDOWS_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux_build=${ZOLAN_LINUX_BUILD_DIR:-$root/build-tests}
windows_build=${ZOLAN_WINDOWS_BUILD_DIR:-$root/build-windows}
examples=(english-open-pipe si-concrete-battered english-all-methods si-all-methods)
started=$SECONDS

"$root/scripts/ensure_tools.sh" g++-mingw-w64-x86-64-posix wine64

echo "== Linux command-line program ($((SECONDS - started)) s) =="
cmake -S "$root" -B "$linux_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$linux_build" -j2 --target zolan_cli
echo "== Windows build ($((SECONDS - started)) s) =="
ZOLAN_WINDOWS_BUILD_DIR="$windows_build" "$root/scripts/build_windows.sh"

first_found() {
  local c
  for c in "$@"; do
    if command -v "$c" >/dev/null 2>&1; then command -v "$c"; return 0; fi
  done
  return 1
}
wine=$(first_found wine64 wine /usr/lib/wine/wine64) || { echo "FAIL: no wine program found"; exit 1; }
wineserver=$(first_found wineserver wineserver64 /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver) ||
  { echo "FAIL: no wineserver program found"; exit 1; }

passed=0
failed=0
work=$(mktemp -d)
# A prefix of this run's own, no X display, no Mono or Gecko installers.
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
finish() {
  "$wineserver" -k >/dev/null 2>&1 || true
  if [ "$failed" -eq 0 ]; then rm -rf "$work"; else echo "outputs kept in $work"; fi
}
trap finish EXIT

check() {  # check NAME COMMAND...: runs COMMAND, counts and prints the outcome
  local name=$1
  shift
  if "$@"; then
    echo "PASS: $name"
    passed=$((passed + 1))
  else
    echo "FAIL: $name"
    failed=$((failed + 1))
  fi
}

# Record N of names.dat, without its line end and trailing blanks.
name_in() { sed -n "${2}p" "$1/names.dat" | tr -d '\r' | sed 's/ *$//'; }
# A report with its date line masked.
masked() {
  sed -E -e 's/^( {15}Date:  )[^\r]*/\1DATE/' \
    -e 's/^(  (report|plot data|plots|JSON|HTML page) +)[^\r]*/\1PATH/' "$1"
}
# The Linux file with CR LF line ends, against the Windows file; the date line
# and the paths of the program's summary (each system's own) are masked in
# both.
same_crlf() {  # same_crlf LINUX_FILE WINDOWS_FILE
  if [ ! -f "$2" ]; then echo "  missing: $2"; return 1; fi
  if ! cmp -s <(masked "$1" | sed 's/$/\r/') <(masked "$2"); then
    echo "  $2 differs from $1 (first differences, CR shown as ^M):"
    diff <(masked "$1" | sed 's/$/\r/' | cat -v) <(masked "$2" | cat -v) | head -10 || true
    return 1
  fi
}
listing() {  # names, sizes, times and contents of what a directory holds
  (cd "$1" && find . -printf '%p %s %T@\n' | sort && find . -type f -print0 | sort -z | xargs -0 -r md5sum)
}
results_of() {  # results_of LOG CODE: how many calls of IZOLAN(CODE) the log shows, with their results
  tr -d '\r' <"$1" | sed -n "s/^IZOLAN($2) = //p" | tr '\n' ' '
}

bin="$work/bin"
mkdir -p "$bin"
cp "$windows_build/zolan.dll" "$windows_build/zolan.exe" "$windows_build/load_izolan.exe" "$bin/"

echo "== exports and imports ($((SECONDS - started)) s) =="
objdump=x86_64-w64-mingw32-objdump
exports_only_izolan() {
  local names
  names=$("$objdump" -p "$bin/zolan.dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')
  echo "  exports: $names"
  [ "$names" = "IZOLAN" ]
}
system_imports_only() {  # system_imports_only FILE
  local dlls others
  dlls=$("$objdump" -p "$1" | awk '/DLL Name:/ {print $3}' | sort -u)
  echo "  $(basename "$1") imports: $(echo "$dlls" | tr '\n' ' ')"
  others=$(grep -viE '^(kernel32|msvcrt|ucrtbase|advapi32|user32|shell32|ws2_32|ntdll|bcrypt)\.dll$|^api-ms-win-' <<<"$dlls" || true)
  [ -n "$dlls" ] && [ -z "$others" ]
}
is_64_bit() { [[ $("$objdump" -f "$1") == *"file format pei-x86-64"* ]]; }
both_64_bit() { is_64_bit "$bin/zolan.dll" && is_64_bit "$bin/zolan.exe"; }
check "zolan.dll and zolan.exe are 64-bit" both_64_bit
check "zolan.dll exports IZOLAN alone" exports_only_izolan
check "zolan.dll imports Windows system DLLs only" system_imports_only "$bin/zolan.dll"
check "zolan.exe imports Windows system DLLs only" system_imports_only "$bin/zolan.exe"

echo "== runs under Wine, $wine ($((SECONDS - started)) s) =="
"$wine" wineboot --init >"$work/wineboot.log" 2>&1 </dev/null || true
cd "$work"
for example in "${examples[@]}"; do
  for kind in linux dll exe code4; do
    mkdir -p "$kind"
    cp -r "$root/examples/$example" "$kind/$example"
  done
  report=$(name_in "linux/$example" 6)
  plot=$(name_in "linux/$example" 7)

  "$linux_build/zolan" run "linux/$example" >"linux-$example.console" 2>"linux-$example.err" </dev/null ||
    echo "  the Linux program stopped on $example"
  "$wine" bin/load_izolan.exe bin/zolan.dll "dll/$example" 5 5 >"dll-$example.log" 2>&1 </dev/null || true
  "$wine" bin/zolan.exe run "exe/$example" >"exe-$example.console" 2>"exe-$example.err" </dev/null || true

  check "$example: IZOLAN(5) returns 0 twice in one process" \
    test "$(results_of "dll-$example.log" 5)" = "0 0 "
  check "$example: report of zolan.dll as Linux's, CR LF" same_crlf "linux/$example/$report" "dll/$example/$report"
  check "$example: plot file of zolan.dll as Linux's, CR LF" same_crlf "linux/$example/$plot" "dll/$example/$plot"
  check "$example: report of zolan.exe as Linux's, CR LF" same_crlf "linux/$example/$report" "exe/$example/$report"
  check "$example: plot file of zolan.exe as Linux's, CR LF" same_crlf "linux/$example/$plot" "exe/$example/$plot"
  check "$example: console of zolan.exe as Linux's, CR LF" same_crlf "linux-$example.console" "exe-$example.console"

  before=$(listing "code4/$example")
  "$wine" bin/load_izolan.exe bin/zolan.dll "code4/$example" 4 >"code4-$example.log" 2>&1 </dev/null || true
  check "$example: IZOLAN(4) returns 1" test "$(results_of "code4-$example.log" 4)" = "1 "
  check "$example: IZOLAN(4) leaves the directory as it was" test "$before" = "$(listing "code4/$example")"
done

# Names with a drive letter and backslashes (Wine's drive Z: is the Linux
# root), relative ones with backslashes and with forward slashes, in a
# names.dat with CR LF line ends as a Windows front end writes it.
example=english-open-pipe
dir="$work/drive/$example"
mkdir -p "$dir/data" "$dir/out"
cp "$root/examples/$example/pipe.dat" "$root/examples/$example/pipe.cpt" "$dir/data/"
windows_dir="Z:${dir//\//\\}"
{
  sed -n 1,4p "$root/examples/$example/names.dat"
  printf '%s\n' "$windows_dir\\data\\pipe.dat" 'out\pipe.out' 'out/pipe.plt' 'data\pipe.cpt'
} | sed 's/$/\r/' >"$dir/names.dat"
"$wine" bin/load_izolan.exe bin/zolan.dll "drive/$example" 5 >"drive.log" 2>&1 </dev/null || true
check "Windows names: IZOLAN(5) returns 0" test "$(results_of drive.log 5)" = "0 "
# The Linux report shows no path; this one the drive and directory of the input.
P="$windows_dir\\data\\" awk '/^     Path to file locations      : $/ {print $0 ENVIRON["P"]; next} {print}' \
  "linux/$example/pipe.out" >drive-expected.out
check "Windows names: report split by the Windows rules, otherwise Linux's" \
  same_crlf drive-expected.out "$dir/out/pipe.out"
check "Windows names: plot file as Linux's" same_crlf "linux/$example/pipe.plt" "$dir/out/pipe.plt"

echo "windows: $passed passed, $failed failed"
echo "time: $((SECONDS - started)) s"
if [ "$failed" -ne 0 ]; then
  echo "FAIL"
  exit 1
fi
echo "PASS"
