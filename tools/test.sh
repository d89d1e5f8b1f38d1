#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The normal build's
# tests run twice, the second time on a German (decimal comma) desktop. With
# --sanitize the build uses AddressSanitizer and UndefinedBehaviorSanitizer.
# Either way the tests must leave the program folder (bin/) as they found it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/tools/install-deps.sh"
build="$here/build"
extra=()
german=yes
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-sanitize"
  extra=(-DTWK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  german=no
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
  extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S "$here" -B "$build" -DTWK_WERROR=ON -DTWK_BUILD_BENCH=ON "${extra[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

# A checksum of every file in the program folder, to compare after the tests.
program_folder() {
  (cd "$build/bin" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
}
before="$(program_folder)"

cd "$build"
run_ctest() {
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
}
status=0
run_ctest || status=1
if [ "$german" = yes ]; then
  echo "== the same tests on a German desktop (LC_ALL=de_DE.UTF-8)"
  LC_ALL=de_DE.UTF-8 run_ctest || status=1
fi

after="$(program_folder)"
if [ "$after" != "$before" ]; then
  echo "tools/test.sh: FAILED: the tests changed the program folder $build/bin:" >&2
  diff <(echo "$before") <(echo "$after") >&2 || true
  status=1
fi
exit "$status"
