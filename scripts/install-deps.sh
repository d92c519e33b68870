#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those that are missing.
# Usage: scripts/install-deps.sh [build|test|bench|fuzz]...
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev libphp8.2-embed php8.2-dev php8.2-cli
            fonts-liberation2 fonts-dejavu-core python3)
test_pkgs=(libgtest-dev xvfb xauth imagemagick zlib1g-dev clang-14 libclang-rt-14-dev)
bench_pkgs=(libbenchmark-dev zlib1g-dev libqscintilla2-qt6-dev libsource-highlight-dev libpugixml-dev)
fuzz_pkgs=(clang-14 libclang-rt-14-dev)

want=("${build_pkgs[@]}")
for kind in "$@"; do
  case "$kind" in
    build) ;;
    test) want+=("${test_pkgs[@]}") ;;
    bench) want+=("${bench_pkgs[@]}") ;;
    fuzz) want+=("${fuzz_pkgs[@]}") ;;
    *) echo "unknown package set: $kind" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# One package name may appear in several sets.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u | sed '/^$/d')
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
