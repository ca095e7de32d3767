#!/usr/bin/env bash
# Builds one fuzz target and runs it for a bounded time. Exits non-zero on
# any crash, sanitizer report, leak, time-out or broken invariant; the
# input that caused it is kept in build-fuzz/artifacts/<target>/.
#   fuzz/run.sh <target> <seconds>
# Seeds come from fuzz/corpus/<target>/ (if present); what the run finds is
# kept in build-fuzz/corpus/<target>/ for the next run.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 <target> <seconds>" >&2
  exit 2
fi
target=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
export FUZZ_BUILD_DIR=$build
"$root/fuzz/build.sh" "$target"

corpus="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
dirs=("$corpus")
[ -d "$root/fuzz/corpus/$target" ] && dirs+=("$root/fuzz/corpus/$target")

log="$build/$target.log"
status=0
"$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "${dirs[@]}" >"$log" 2>&1 || status=$?
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  echo "fuzz: $target FAILED (exit $status); inputs in $artifacts/"
  exit 1
fi
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
echo "fuzz: $target ran ${seconds}s, $runs inputs, no failure"
