#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh DIR [cmake options...] [-- TARGET...]
# Without targets it builds everything.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}; shift || true
options=()
targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then
    shift
    targets=(--target "$@")
    break
  fi
  options+=("$1")
  shift
done
cmake -S "$here" -B "$here/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$here/$dir" -j "$(nproc)" "${targets[@]}"
