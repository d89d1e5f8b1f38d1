#!/usr/bin/env bash
# Refreshes the pictures of the help pages (res/help/images) from the gallery
# of real windows. Run it after a window changed; the build never does.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
images="$here/res/help/images"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target twk_gallery >/dev/null

shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
QT_QPA_PLATFORM=offscreen "$build/tests/twk_gallery" "$shots" app-splash frame- records- grid-report help- charts-monthly charts-dialog import- >/dev/null

# gallery picture -> help picture
pictures=(
  "frame-main main-window"
  "frame-before-login before-login"
  "help-menu-file menu-file"
  "help-menu-view menu-view"
  "help-menu-setup menu-setup"
  "help-menu-transactions menu-transactions"
  "help-menu-reports menu-reports"
  "help-menu-help menu-help"
  "frame-about about"
  "app-splash splash"
  "records-transaction-add add-income"
  "records-transaction-edit edit-expense"
  "records-editdelete edit-delete"
  "records-userinfo user-info"
  "records-category category"
  "records-selectunit select-unit"
  "records-settings-general settings-general"
  "records-settings-preference settings-preference"
  "frame-shortcutkeys settings-shortcut-keys"
  "records-wizard-1 wizard-welcome"
  "grid-report report"
  "help-tip tip-of-the-day"
  "help-viewer help-window"
  "charts-dialog charts-dialog"
  "charts-monthly charts-monthly"
  "import-file import-file"
  "import-columns import-columns"
  "import-review import-review"
  "import-rules import-rules"
)
mkdir -p "$images"
for pair in "${pictures[@]}"; do
  set -- $pair
  if [ ! -f "$shots/$1.png" ]; then
    echo "the gallery made no $1.png" >&2
    exit 1
  fi
  cp "$shots/$1.png" "$images/$2.png"
done
echo "help pictures refreshed in $images ($(du -sh "$images" | cut -f1))"
