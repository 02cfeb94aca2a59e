#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time; fails on any finding.
#   scripts/fuzz.sh BUILD_DIR SECONDS
# New inputs go to build/fuzz-corpus/<target>; the committed seeds are only read.
set -euo pipefail
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' -printf '%f\n' | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $build/fuzz"; exit 1; }
for t in "${targets[@]}"; do
  work="$build/../fuzz-corpus/$t"
  mkdir -p "$work" "$build/../fuzz-findings"
  echo "-- $t for $seconds s"
  log="$build/../fuzz-findings/$t.log"
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$build/../fuzz-findings/$t-" "$work" "$root/fuzz/corpus/$t" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$t found a failure; the input is in $build/../fuzz-findings"
    exit 1
  fi
  tail -n 12 "$log"
done
