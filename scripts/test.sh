#!/usr/bin/env bash
# Sets everything up and runs every test: the release build, the same tests under
# AddressSanitizer and UBSan, and a time-boxed libFuzzer run of every fuzz target.
#   FUZZ_SECONDS=600 scripts/test.sh    runs each fuzzer longer (default 60 s)
#   SKIP_FUZZ=1 / SKIP_SANITIZE=1       leave a stage out while developing
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
# Every option spelled out, so that a folder configured otherwise before is set right again.
source scripts/release_options.sh

echo "== release build and tests"
cmake -S . -B build/release "${release_options[@]}" >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

if [ -z "${SKIP_SANITIZE:-}" ]; then
  echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DBTMAGNET_SANITIZE=ON -DBTMAGNET_BUILD_APP=ON \
    -DBTMAGNET_BUILD_TESTS=ON >/dev/null
  cmake --build build/asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"
fi

if [ -z "${SKIP_FUZZ:-}" ]; then
  echo "== fuzzing, ${FUZZ_SECONDS:-60} s per target"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBTMAGNET_FUZZ=ON >/dev/null
  cmake --build build/fuzz -j "$jobs"
  bash scripts/fuzz.sh build/fuzz "${FUZZ_SECONDS:-60}"
fi
echo "== all tests passed"
