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
done_at=$(date +%s)
echo "Build time: $((built - start)) s; test time: $((done_at - built)) s; total: $((done_at - start)) s"
exit $status
