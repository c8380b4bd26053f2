#!/usr/bin/env bash
# Sets up, builds, and assembles the runnable base folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" build -DKALVANO_BENCHMARKS=OFF
echo
echo "Kalvano is built. Base folder: $here/build/base"
echo "  engine:    $here/build/base/kvan64"
echo "  front-end: $here/build/base/kalvano-ec (start it from the base folder)"
