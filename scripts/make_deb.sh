#!/usr/bin/env bash
# Builds Kelvora for release with Debian's build flags and makes the Debian
# package build/deb/kelvora_<version>_amd64.deb, then lets lintian check it.
#
#   scripts/make_deb.sh          install with: sudo apt install ./build/deb/kelvora_*_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
kv_install_packages "${KV_BUILD_PACKAGES[@]}"

build=${KV_DEB_BUILD_DIR:-build/deb}
# The hardening flags Debian builds its own packages with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DKV_INSTALL_GAMEDIR=games -DKV_BUILD_TESTS=OFF -DKV_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/kelvora_*_amd64.deb)
# Errors fail the script; warnings are explained in docs/packaging.md.
lintian --fail-on error "$deb"
echo "$deb"
