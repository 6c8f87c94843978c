#!/usr/bin/env bash
# Builds the measurements in release mode and runs them. Everything talks to 127.0.0.1 only.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# The references the engines are measured against (used by the measurements only).
for p in libfftw3-dev libkissfft-dev; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        SUDO=""; [[ $(id -u) -ne 0 ]] && SUDO="sudo"
        $SUDO apt-get install -y -qq --no-install-recommends libfftw3-dev libkissfft-dev
        break
    fi
done
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMZ3_BUILD_TESTS=OFF \
    -DMZ3_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j "$(nproc)"
echo "== engines beside their references =="
./build-bench/bench/engines_bench "$@"
echo
echo "== edit pipeline beside the store-and-send path =="
./build-bench/bench/edit_bench
echo
echo "== link timing (real timers, in-process box simulator) =="
./build-bench/bench/link_timing
