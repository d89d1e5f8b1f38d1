#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tallywick +.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/tools/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target tallywick delivered_files
exec "$here/build/bin/tallywick" "$@"
