#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need,
# skipping those already present. Uses sudo when not root.
#
# SQLCipher must be 4.6 or later; bookworm has only 3.4, so those two
# packages come from the backports suite, added from the machine's own
# Debian source entry (its mirror, its keyring). Everything else stays on
# the release.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-charts-dev qt6-svg-dev
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  dbus poppler-utils xvfb xauth locales-all
  python3 time appstream
  libcsv-dev libofx-dev clang libclang-rt-dev
)
cipher_packages=(libsqlcipher-dev sqlcipher)
cipher_minimum=4.6

installed_version() {
  dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null | sed -n 's/^install ok installed //p'
}

missing=()
for p in "${packages[@]}"; do
  [ -n "$(installed_version "$p")" ] || missing+=("$p")
done
# An older SQLCipher counts as missing: it cannot read the files.
cipher_missing=()
for p in "${cipher_packages[@]}"; do
  v="$(installed_version "$p")"
  if [ -z "$v" ] || ! dpkg --compare-versions "$v" ge "$cipher_minimum"; then
    cipher_missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ] && [ ${#cipher_missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
backports="$codename-backports"

# Prints a source entry for the backports suite made from the first entry
# that serves "$codename" itself (not -security or -updates), deb822 or
# classic; nothing when there is none.
backports_entry() {
  local f entry
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    entry="$(awk -v want="$codename" -v suite="$backports" '
      function flush() {
        if (deb && match_suite && uris != "" && !done) {
          print "Types: deb"; print "URIs: " uris; print "Suites: " suite
          print "Components: main"
          if (signed != "") print "Signed-By: " signed
          done = 1
        }
        deb = 0; match_suite = 0; uris = ""; signed = ""
      }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]*#/ { next }
      tolower($1) == "types:"     { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
      tolower($1) == "suites:"    { for (i = 2; i <= NF; i++) if ($i == want) match_suite = 1 }
      tolower($1) == "uris:"      { uris = $2; for (i = 3; i <= NF; i++) uris = uris " " $i }
      tolower($1) == "signed-by:" { signed = $2 }
      END { flush() }
    ' "$f")"
    if [ -n "$entry" ]; then
      printf '%s\n' "$entry"
      return 0
    fi
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    # deb [options] URI suite components...
    entry="$(awk -v want="$codename" -v suite="$backports" '
      $1 != "deb" { next }
      {
        i = 2; options = ""
        if ($i ~ /^\[/) {
          while (i < NF && $i !~ /\]$/) { options = options $i " "; i++ }
          options = options $i " "; i++
        }
        if ($(i + 1) == want) { print "deb " options $i " " suite " main"; exit }
      }
    ' "$f")"
    if [ -n "$entry" ]; then
      printf '%s\n' "$entry"
      return 0
    fi
  done
}

has_backports() {
  grep -rqsE "(^|[[:space:]])$backports([[:space:]]|$)" /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}

if [ ${#cipher_missing[@]} -gt 0 ] && ! has_backports; then
  entry="$(backports_entry)"
  if [ -z "$entry" ]; then
    echo "install-deps.sh: no Debian source entry for $codename found to add $backports from" >&2
    exit 1
  fi
  if [[ "$entry" == Types:* ]]; then
    target=/etc/apt/sources.list.d/$backports.sources
  else
    target=/etc/apt/sources.list.d/$backports.list
  fi
  echo "Adding $backports: $target"
  printf '%s\n' "$entry" | $sudo tee "$target" >/dev/null
fi

$sudo apt-get update -q
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get install -y -q "${missing[@]}"
fi
if [ ${#cipher_missing[@]} -gt 0 ]; then
  echo "Installing from $backports: ${cipher_packages[*]}"
  $sudo apt-get install -y -q -t "$backports" "${cipher_packages[@]}"
fi
