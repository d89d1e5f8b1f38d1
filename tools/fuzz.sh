#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for N
# seconds (default 30) on a copy of its corpus in fuzz/corpus/, so the
# repository's corpus only changes by hand. Fails when a target crashes and
# prints the crashing input's path. Usage: tools/fuzz.sh [seconds] [target...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
shift || true
"$here/tools/install-deps.sh"

build="$here/build-fuzz"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# -O1 builds faster and finds the same faults; the tests and benchmarks are
# not part of this build.
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DTWK_FUZZ=ON -DTWK_BUILD_TESTS=OFF -DTWK_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" "${launcher[@]}" >/dev/null
cmake --build "$build" -j"${TWK_FUZZ_JOBS:-$(nproc)}" --target twk_fuzz_targets

# The longest input worth trying per target: a settings file, a date and a
# statement, a stored key list, an XML file, a tips file with lines longer
# than a read piece, a command line, a statement file.
declare -A max_len=(
  [settings]=4096 [dates]=1024 [sqltext]=2048 [keyboard]=2048 [addindescription]=8192
  [customreport]=8192 [tips]=8192 [cliargs]=1024 [csv]=8192 [qif]=8192 [ofx]=16384 [ofxline]=1024
)
# Qt keeps bookkeeping of each child process the OFX reader starts, which
# libFuzzer takes for a possible leak and runs the input again to look.
declare -A extra=([ofx]="-detect_leaks=0")
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(cd "$here/fuzz/corpus" && ls))
fi

work="$(mktemp -d)"
findings="$build/findings"
mkdir -p "$findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1:abort_on_error=1}"
export QT_QPA_PLATFORM=offscreen
# Where a target keeps the inputs that crash a library it runs in a child
# process: contained, reported, and no fault of this project.
export TWK_FUZZ_LIBRARY_CRASHES="$findings/library-crashes"
status=0
for t in "${targets[@]}"; do
  program="$build/fuzz/fuzz_$t"
  if [ ! -x "$program" ]; then
    echo "fuzz.sh: no target $t" >&2
    status=1
    continue
  fi
  mkdir -p "$work/$t" "$findings/$t"
  cp "$here/fuzz/corpus/$t/"* "$work/$t/"
  log="$findings/$t.log"
  echo "== $t: $seconds s"
  if timeout $((seconds + 120)) "$program" "$work/$t" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -max_len="${max_len[$t]:-4096}" -timeout=25 -print_final_stats=1 ${extra[$t]:-} \
      -artifact_prefix="$findings/$t/" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
    grep -E 'stat::number_of_executed_units' "$log" || true
  else
    status=1
    echo "fuzz.sh: $t FAILED; the log is $log" >&2
    grep -E 'ERROR|fuzz check failed|SUMMARY' "$log" | head -5 >&2 || true
    for input in $(grep -oE "Test unit written to [^ ]+" "$log" | awk '{print $5}'); do
      echo "fuzz.sh: crashing input: $input" >&2
    done
  fi
done
rm -rf "$work"

# The library crashes recorded earlier (each folder's README.md tells them)
# must stay contained.
shopt -s nullglob
for folder in "$here"/fuzz/known-library-crashes/*/; do
  t="$(basename "$folder")"
  mapfile -t inputs < <(find "$folder" -type f ! -name '*.md' | sort)
  [ -x "$build/fuzz/fuzz_$t" ] && [ ${#inputs[@]} -gt 0 ] || continue
  echo "== $t: the known library crashes"
  if ! "$build/fuzz/fuzz_$t" ${extra[$t]:-} "${inputs[@]}" >"$findings/$t-known.log" 2>&1; then
    status=1
    echo "fuzz.sh: a known library crash is no longer contained; the log is $findings/$t-known.log" >&2
  fi
done
if [ -d "$TWK_FUZZ_LIBRARY_CRASHES" ]; then
  echo "fuzz.sh: contained crashes inside a library (not this project's), kept with their reports in" \
    "$TWK_FUZZ_LIBRARY_CRASHES:"
  ls "$TWK_FUZZ_LIBRARY_CRASHES"
fi
exit "$status"
