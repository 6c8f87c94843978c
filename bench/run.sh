#!/usr/bin/env bash
# Builds the measurements in release mode and runs them. Everything talks to 127.0.0.1 only.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMZ3_BUILD_TESTS=OFF \
    -DMZ3_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j "$(nproc)"
echo "== link timing (real timers, in-process box simulator) =="
./build-bench/bench/link_timing
