#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds Kelvora with the
# sanitizers on and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
kv_install_packages "${KV_BUILD_PACKAGES[@]}" clang libclang-rt-14-dev clang-format python3

# The tree keeps one formatting, and tests stay a modest share of the code.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
python3 scripts/line_ratio.py 0.40

# Let ccache share objects between checkouts in other folders.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$(mktemp -d)
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The file readers' fuzz targets (clang's libFuzzer) replay their seed corpus.
fuzz=${KV_FUZZ_BUILD_DIR:-build/fuzz}
CC=clang CXX=clang++ cmake -S . -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_BUILD_FUZZ=ON \
  -DKV_BUILD_UI=OFF -DKV_BUILD_BENCH=OFF -DKV_BUILD_TESTS=OFF
cmake --build "$fuzz" -j2
ctest --test-dir "$fuzz" --output-on-failure -R _corpus

# Everything else, with AddressSanitizer, UndefinedBehaviorSanitizer and
# warnings as errors.
build=${KV_TEST_BUILD_DIR:-build/test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_WERROR=ON -DKV_BUILD_BENCH=ON
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2

# The installed program, its desktop files and the Debian package.
scripts/check_install.sh "$build"
