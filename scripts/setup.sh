#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: when all are present it only
# checks. Works as root, and through sudo otherwise.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  clang libclang-rt-14-dev          # libFuzzer and the sanitizer runtimes for clang
  libgtest-dev libgmock-dev         # tests
  libbenchmark-dev libssl-dev       # benchmarks (OpenSSL is the reference, never in the product)
  tzdata                            # the zones the local-time tests run under
  qt6-base-dev qt6-qpa-plugins      # the window
  fonts-wqy-microhei                # a CJK font, so the Chinese texts render
  xvfb xauth                        # screenshots under a virtual X server
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
