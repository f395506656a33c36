#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds Kelvora with the
# sanitizers on and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
kv_install_packages "${KV_BUILD_PACKAGES[@]}"

build=${KV_TEST_BUILD_DIR:-build/test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_WERROR=ON -DKV_BUILD_BENCH=ON
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$(mktemp -d)
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j2
