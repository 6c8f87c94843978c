#!/usr/bin/env bash
# Installs what is missing, builds everything with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (fuzz targets included) and runs the whole suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh

BUILD=build-test
cmake -S . -B "$BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DMZ3_SANITIZE=ON -DMZ3_BUILD_FUZZ=ON
cmake --build "$BUILD" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"
