#!/usr/bin/env bash
# Installs the Debian 12 packages the panel needs to build, test and run. Only missing packages
# are installed; sudo is used when not running as root.
set -euo pipefail

PACKAGES=(
    # build
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    qt6-base-dev qt6-serialport-dev libhidapi-dev libudev-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # running without a display, and the Chinese interface
    xvfb xauth x11-utils fonts-wqy-microhei imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
