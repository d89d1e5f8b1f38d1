#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. With --sanitize the
# build uses AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/tools/install-deps.sh"
build="$here/build"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-sanitize"
  extra=(-DTWK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
  extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S "$here" -B "$build" -DTWK_WERROR=ON -DTWK_BUILD_BENCH=ON "${extra[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
