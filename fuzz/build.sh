#!/usr/bin/env bash
# Builds fuzz targets with clang and libFuzzer (address and undefined
# behaviour sanitizers) into build-fuzz/ at the repository root.
#   fuzz/build.sh [target...]     no target: all of them
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
if ! command -v clang++ >/dev/null; then
  echo "fuzz/build.sh: clang++ is not installed" >&2
  exit 2
fi
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE= >/dev/null
if [ $# -eq 0 ]; then
  cmake --build "$build"
else
  cmake --build "$build" --target "$@"
fi
