#!/usr/bin/env bash
# Installs what is missing, builds the panel and starts it. Without a display the panel runs
# under Xvfb and a screenshot of it is saved; the path is printed.
#   --screenshot-only   take the screenshot and stop (no display only)
# Any other arguments go to the panel (see: build/src/app/mz3-panel --help).
set -euo pipefail
cd "$(dirname "$0")/.."

SCREENSHOT_ONLY=0
PANEL_ARGS=()
for a in "$@"; do
    if [[ $a == --screenshot-only ]]; then SCREENSHOT_ONLY=1; else PANEL_ARGS+=("$a"); fi
done

./scripts/setup.sh

BUILD=build
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMZ3_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target mz3-panel mz3-boxsim

PANEL="$BUILD/src/app/mz3-panel"
SIM="$BUILD/tools/boxsim/mz3-boxsim"

# The simulated box on loopback; the panel finds it over TCP. Nothing here talks to any
# other address.
SIM_OUT=$(mktemp)
"$SIM" --port 0 --no-stdin >"$SIM_OUT" &
SIM_PID=$!
for _ in $(seq 50); do grep -q ready "$SIM_OUT" && break || sleep 0.1; done
SIM_PORT=$(sed -n 's/^tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$SIM_OUT")
if [[ -z "$SIM_PORT" ]]; then
    echo "The box simulator did not start." >&2
    exit 1
fi
echo "Box simulator on 127.0.0.1:$SIM_PORT"
ARGS=(--host 127.0.0.1 --port "$SIM_PORT" "${PANEL_ARGS[@]}")

if [[ -n "${DISPLAY:-}" ]]; then
    trap 'kill $SIM_PID 2>/dev/null || true' EXIT
    "$PANEL" "${ARGS[@]}"
    exit $?
fi

mkdir -p artifacts
SHOT="$PWD/artifacts/panel-screenshot.png"
DISPLAY_NUM=99
while [[ -e /tmp/.X${DISPLAY_NUM}-lock ]]; do DISPLAY_NUM=$((DISPLAY_NUM + 1)); done
Xvfb ":$DISPLAY_NUM" -screen 0 1400x960x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
cleanup() {
    kill "${PANEL_PID:-}" 2>/dev/null || true
    kill "$SIM_PID" 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
    rm -f "$SIM_OUT"
}
trap cleanup EXIT
export DISPLAY=":$DISPLAY_NUM"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break || sleep 0.1
done

"$PANEL" "${ARGS[@]}" &
PANEL_PID=$!
# Wait until the panel has found the box and loaded it (or give up after a minute).
for _ in $(seq 600); do
    grep -q "event online" "$SIM_OUT" && break
    kill -0 "$PANEL_PID" 2>/dev/null || break
    sleep 0.1
done
if ! kill -0 "$PANEL_PID" 2>/dev/null; then
    echo "The panel exited during start-up." >&2
    exit 1
fi
if grep -q "event online" "$SIM_OUT"; then
    echo "The panel is linked to the simulated box."
else
    echo "The panel did not link to the simulated box within a minute." >&2
fi
sleep 1
import -window root "$SHOT"
echo "Panel running under Xvfb on $DISPLAY; screenshot: $SHOT"

if ((SCREENSHOT_ONLY)); then
    exit 0
fi
echo "Press Ctrl-C to stop."
wait "$PANEL_PID"
