#!/usr/bin/env bash
# Pictures of the nine pages and the two panels for reviewing the layout, taken under Xvfb
# (or the offscreen platform when Xvfb is missing); saved in artifacts/pages/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMZ3_BUILD_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)" --target mz3-panel
OUT="$PWD/artifacts/pages"
rm -rf "$OUT"
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1400x960x24" build/src/app/mz3-panel --host 127.0.0.1 \
        --screenshot-pages "$OUT"
else
    QT_QPA_PLATFORM=offscreen build/src/app/mz3-panel --host 127.0.0.1 --screenshot-pages "$OUT"
fi
ls "$OUT"
