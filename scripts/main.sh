#!/usr/bin/env bash
# Sets up, builds, assembles the runnable base folder, and simulates the bundled sample
# project (a small office in Chicago, inch-pound units) for a whole year.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
# Only what this job runs: the programs, the run tool and the base folder (scripts/test.sh
# builds the tests too).
bash "$here/scripts/build.sh" build -- kalvano_programs
base="$here/build/base"
temp="$base/temp"

# The run files, as the run window writes them: the project in inch-pound values and the
# run options for a whole year of generated weather with the hourly spreadsheets.
"$here/build/tools/kalvano-prepare-run" "$base" "$base/sample/SampleProject.inp" 2026 --hourly
status=0
(cd "$temp" && ../kvan64) || status=$?

echo
echo "Kalvano is built. Base folder: $base"
echo "  front-end: $base/kalvano-ec (start it from the base folder)"
echo "  engine:    $base/kvan64 (run in $temp)"
echo
if [ "$status" -ne 0 ]; then
  echo "The simulation of sample/SampleProject.inp ended with status $status; see $temp/monitor.txt"
  exit "$status"
fi
echo "Simulated sample/SampleProject.inp for a whole year. Reports in $temp:"
echo "  sim\$.out     the report (sections III-VIII)"
echo "  tavik\$.wth   weather listing        tavik\$.flt   comfort report"
echo "  tavik\$.hry   hourly energy          etemp\$.hry   hourly temperatures"
echo "  eweth\$.hry   hourly weather         monitor.txt  the engine's log"
