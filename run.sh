#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds Kelvora and starts it
# from its program folder.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
kv_install_packages "${KV_BUILD_PACKAGES[@]}"

build=${KV_RUN_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_BUILD_BENCH=OFF
cmake --build "$build" -j2 --target kelvora
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Kelvora is built in $build/program, but there is no display to show it (DISPLAY is not set)." >&2
  exit 1
fi
cd "$build/program"
exec ./kelvora "$@"
