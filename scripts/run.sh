#!/usr/bin/env bash
# Sets everything up, builds the tool and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The same folder and options as the tests, so that running one after the other builds nothing twice.
source scripts/release_options.sh
cmake -S . -B build/release "${release_options[@]}" >/dev/null
cmake --build build/release --target btmagnet -j "$(nproc)"
exec build/release/app/btmagnet "$@"
