#!/usr/bin/env bash
# Sets everything up, builds the tool and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBTMAGNET_BUILD_TESTS=OFF -DBTMAGNET_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target btmagnet -j "$(nproc)"
exec build/release/app/btmagnet "$@"
