#!/usr/bin/env bash
# Runs every test: the full build (engine, front-end, GUI tests offscreen), then the
# GUI-free tests again under AddressSanitizer and UBSan.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" build
(cd "$here/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 600)
bash "$here/scripts/build.sh" build-asan -DKALVANO_SANITIZE=ON -DKALVANO_FRONTEND=OFF -DKALVANO_BENCHMARKS=OFF
(cd "$here/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$(nproc)" -L nogui --timeout 900)
