#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

install_missing
start=$(date +%s)
configure_and_build
built=$(date +%s)
export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" || status=$?
tested=$(date +%s)
tests_status=$status

# Every fuzz target runs for a bounded time; any crash or sanitizer report
# fails the run.
for target in fuzz/*.cpp; do
  name=$(basename "$target" .cpp)
  fuzz/run.sh "$name" 20 || status=1
done
done_at=$(date +%s)
# The fuzz runs print a lot after the tests: tell again, last, what failed.
if [ "$tests_status" -ne 0 ]; then
  echo "Failed tests (their output's end):"
  awk '/^[0-9]+\/[0-9]+ Test: /{name=$0; n=0; delete out} {out[n++]=$0}
       /^Test Failed\./{print name; s=(n>40)?n-40:0; for(i=s;i<n;i++) print "  " out[i]}' \
    "$BUILD_DIR/Testing/Temporary/LastTest.log" || true
fi
echo "Build time: $((built - start)) s; test time: $((tested - built)) s; fuzz time: $((done_at - tested)) s; total: $((done_at - start)) s"
exit $status
